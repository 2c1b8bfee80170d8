// The About window's movie strip: hosts the installed movie player, or paints our own animation.
#include "platform/win32/movie.h"

#include <ole2.h>
#include <ocidl.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <new>
#include <vector>

namespace platform {
namespace {

constexpr wchar_t kClassName[] = L"SkirmishMovieStrip";
constexpr wchar_t kPlayerProgId[] = L"ShockwaveFlash.ShockwaveFlash";
constexpr wchar_t kCaption[] = L"STORMLINE 2 \u00B7 KORVANE";
constexpr UINT_PTR kFrameTimer = 1;
// The system timer ticks every ~15.6 ms, so 33 ms lands on ~31 ms: about 30 frames a second.
constexpr UINT kFrameMilliseconds = 33;
// The animation was laid out for the strip's height at 96 dpi; everything scales from it.
constexpr float kDesignHeight = 49.0f;

// Seconds into the animation: the intro fades in, then a light band sweeps by every few seconds.
constexpr double kIntro = 1.0;
constexpr double kSweepEvery = 6.0;
constexpr double kSweepTakes = 2.6;
// A quiet moment after the first sweep: where a movie that does not loop stops, and the still
// picture shown when the user has turned animations off.
constexpr double kRest = kIntro + kSweepTakes + 0.4;

HINSTANCE g_instance = nullptr;

// ---------------------------------------------------------------------------------------------
// The player's container: the smallest set of OLE site interfaces an in-place control asks for.

class Site final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
public:
    explicit Site(HWND host) : host_(host) {}

    // The strip is going away; the control may still hold us for a while.
    void detach() { host_ = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
            *out = static_cast<IOleClientSite*>(this);
        } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
            *out = static_cast<IOleInPlaceSite*>(this);
        } else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
            *out = static_cast<IOleInPlaceFrame*>(this);
        } else {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override
    {
        return static_cast<ULONG>(::InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = ::InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IOleClientSite: nothing is ever saved, and there is no document around the control.
    HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override
    {
        if (moniker) *moniker = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override
    {
        if (container) *container = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow, shared by the site and the frame: the control lives inside the strip.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override
    {
        if (!window) return E_POINTER;
        *window = host_;
        return host_ ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return host_ ? S_OK : S_FALSE; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame,
                                               IOleInPlaceUIWindow** document, LPRECT position,
                                               LPRECT clip, LPOLEINPLACEFRAMEINFO info) override
    {
        if (frame) *frame = nullptr;
        if (document) *document = nullptr;
        if (!frame || !document || !position || !clip || !info || !host_) return E_INVALIDARG;
        *frame = this;
        AddRef();
        ::GetClientRect(host_, position);
        *clip = *position;
        // The caller has set info->cb; the rest is ours to fill.
        info->fMDIApp = FALSE;
        info->hwndFrame = ::GetAncestor(host_, GA_ROOT);
        info->haccel = nullptr;
        info->cAccelEntries = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

    // IOleInPlaceUIWindow and IOleInPlaceFrame: no toolbars, menus or status line to share.
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override
    {
        return INPLACE_E_NOTOOLSPACE;
    }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override
    {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

private:
    ~Site() = default;

    HWND host_;
    LONG references_ = 1;
};

struct Player {
    Site* site = nullptr;
    IOleObject* object = nullptr;
    IOleInPlaceObject* in_place = nullptr;
    IDispatch* dispatch = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Our own animation's drawing surface: a DIB section we paint pixel by pixel, then blit in one go.

class FrameBuffer {
public:
    FrameBuffer() = default;
    FrameBuffer(const FrameBuffer&) = delete;
    FrameBuffer& operator=(const FrameBuffer&) = delete;
    ~FrameBuffer() { reset(); }

    bool ensure(int width, int height)
    {
        if (dc_ && width == width_ && height == height_) return true;
        reset();
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height; // top-down rows, as the painter walks them
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!bitmap_ || !bits) {
            reset();
            return false;
        }
        dc_ = ::CreateCompatibleDC(nullptr);
        if (!dc_) {
            reset();
            return false;
        }
        previous_ = ::SelectObject(dc_, bitmap_);
        bits_ = static_cast<std::uint32_t*>(bits);
        width_ = width;
        height_ = height;
        return true;
    }

    void reset()
    {
        if (dc_) {
            if (previous_) ::SelectObject(dc_, previous_);
            ::DeleteDC(dc_);
        }
        if (bitmap_) ::DeleteObject(bitmap_);
        dc_ = nullptr;
        bitmap_ = nullptr;
        previous_ = nullptr;
        bits_ = nullptr;
        width_ = height_ = 0;
    }

    HDC dc() const { return dc_; }
    std::uint32_t* bits() const { return bits_; }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    std::uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

struct Colour {
    float r = 0, g = 0, b = 0;
};

constexpr Colour rgb(int r, int g, int b)
{
    return {static_cast<float>(r) / 255.0f, static_cast<float>(g) / 255.0f,
            static_cast<float>(b) / 255.0f};
}

// The About banner's red-browns and gold, so the strip reads as part of it.
constexpr Colour kEdge = rgb(0x3a, 0x12, 0x08);
constexpr Colour kWarm = rgb(0x5a, 0x20, 0x10);
constexpr Colour kEmber = rgb(0xff, 0x70, 0x30);
constexpr Colour kLight = rgb(0xff, 0xc8, 0x70);
constexpr Colour kRule = rgb(0xc0, 0x86, 0x38);
constexpr Colour kLetters = rgb(0xe0, 0xb0, 0x58);
constexpr Colour kLettersLit = rgb(0xff, 0xf4, 0xd0);

struct Caption {
    std::vector<std::uint8_t> coverage; // one byte a pixel, the frame's size
    int width = 0;
    int height = 0;
    int left = 0; // ink bounds, for the rules either side
    int right = 0;
    int middle = 0; // the row through the middle of the capitals
};

struct Strip {
    HWND hwnd = nullptr;
    MoviePresets presets;
    Player player;

    ULONGLONG started = 0; // GetTickCount64 when the animation last (re)started
    bool running = false;  // the frame timer is on
    double held = kRest;   // the moment shown while not running

    FrameBuffer frame;
    std::vector<Colour> canvas;
    Caption caption;
};

Strip* strip_from(HWND hwnd)
{
    return reinterpret_cast<Strip*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// Only our own windows carry a Strip: anything else handed to us is left alone.
Strip* strip_checked(HWND hwnd)
{
    if (!hwnd || !::IsWindow(hwnd)) return nullptr;
    wchar_t name[64] = {};
    if (!::GetClassNameW(hwnd, name, 64) || std::wcscmp(name, kClassName) != 0) return nullptr;
    return strip_from(hwnd);
}

// ---------------------------------------------------------------------------------------------
// Hosting the player.

// The player needs OLE on this thread. Taken once and kept: a strip can come back any time
// (the About window reopens), and unloading the player in between buys nothing.
bool ole_ready()
{
    // 0 untried, 1 ready, -1 unavailable (e.g. the thread already joined a multithreaded
    // apartment).
    thread_local int state = 0;
    if (state == 0) state = SUCCEEDED(::OleInitialize(nullptr)) ? 1 : -1;
    return state > 0;
}

// Properties are set by name so that any version of the player takes what it knows and
// quietly ignores the rest.
bool put_property(IDispatch* dispatch, const wchar_t* name, VARIANT& value)
{
    if (!dispatch) return false;
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    if (FAILED(dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return false;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS parameters{};
    parameters.rgvarg = &value;
    parameters.rgdispidNamedArgs = &named;
    parameters.cArgs = 1;
    parameters.cNamedArgs = 1;
    return SUCCEEDED(dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT,
                                      &parameters, nullptr, nullptr, nullptr));
}

bool put_text(IDispatch* dispatch, const wchar_t* name, const wchar_t* text, UINT length)
{
    VARIANT value;
    ::VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = ::SysAllocStringLen(text, length);
    if (!value.bstrVal) return false;
    const bool done = put_property(dispatch, name, value);
    ::VariantClear(&value);
    return done;
}

bool put_text(IDispatch* dispatch, const wchar_t* name, const wchar_t* text)
{
    return put_text(dispatch, name, text, static_cast<UINT>(std::wcslen(text)));
}

bool put_flag(IDispatch* dispatch, const wchar_t* name, bool flag)
{
    VARIANT value;
    ::VariantInit(&value);
    value.vt = VT_BOOL;
    value.boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE;
    return put_property(dispatch, name, value);
}

bool put_number(IDispatch* dispatch, const wchar_t* name, long number)
{
    VARIANT value;
    ::VariantInit(&value);
    value.vt = VT_I4;
    value.lVal = number;
    return put_property(dispatch, name, value);
}

void apply_presets(IDispatch* dispatch, const MoviePresets& presets)
{
    put_text(dispatch, L"WMode", presets.windowed ? L"Window" : L"Opaque");
    // Newer players take the quality by name under a second property.
    if (presets.quality == MovieQuality::High && !put_text(dispatch, L"Quality2", L"High")) {
        put_text(dispatch, L"Quality", L"High");
    }
    if (presets.scale == MovieScale::ShowAll) put_number(dispatch, L"ScaleMode", 0);
    put_flag(dispatch, L"Play", presets.autoplay);
    put_flag(dispatch, L"Loop", presets.loop);
    put_flag(dispatch, L"Menu", presets.context_menu);
    put_flag(dispatch, L"DeviceFont", presets.device_fonts);
    put_flag(dispatch, L"EmbedMovie", false);
}

void release_player(Player& player)
{
    if (player.in_place) {
        player.in_place->InPlaceDeactivate();
        player.in_place->Release();
    }
    if (player.dispatch) player.dispatch->Release();
    if (player.object) {
        player.object->Close(OLECLOSE_NOSAVE);
        player.object->SetClientSite(nullptr);
        player.object->Release();
    }
    if (player.site) {
        player.site->detach();
        player.site->Release();
    }
    player = {};
}

// Any step failing leaves no trace, and the strip falls back to its own animation.
bool host_player(Strip& strip)
{
    if (!ole_ready()) return false;
    CLSID clsid{};
    if (FAILED(::CLSIDFromProgID(kPlayerProgId, &clsid))) return false;

    Player player;
    if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                  reinterpret_cast<void**>(&player.object))) ||
        !player.object) {
        player.object = nullptr;
        return false;
    }
    player.site = new (std::nothrow) Site(strip.hwnd);
    if (!player.site) {
        release_player(player);
        return false;
    }

    // Some controls need their site before they initialise, others only after.
    DWORD misc = 0;
    player.object->GetMiscStatus(DVASPECT_CONTENT, &misc);
    const bool site_first = (misc & OLEMISC_SETCLIENTSITEFIRST) != 0;
    if (site_first) player.object->SetClientSite(player.site);
    IPersistStreamInit* persist = nullptr;
    if (SUCCEEDED(player.object->QueryInterface(IID_IPersistStreamInit,
                                                reinterpret_cast<void**>(&persist))) &&
        persist) {
        persist->InitNew();
        persist->Release();
    }
    if (!site_first) player.object->SetClientSite(player.site);

    if (FAILED(player.object->QueryInterface(IID_IDispatch,
                                             reinterpret_cast<void**>(&player.dispatch)))) {
        player.dispatch = nullptr;
    }
    // Before activation: the window mode only counts when the player makes its window.
    apply_presets(player.dispatch, strip.presets);

    RECT area{};
    ::GetClientRect(strip.hwnd, &area);
    if (FAILED(player.object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, player.site, 0, strip.hwnd,
                                     &area))) {
        release_player(player);
        return false;
    }
    if (SUCCEEDED(player.object->QueryInterface(IID_IOleInPlaceObject,
                                                reinterpret_cast<void**>(&player.in_place))) &&
        player.in_place) {
        player.in_place->SetObjectRects(&area, &area);
    } else {
        player.in_place = nullptr;
    }
    strip.player = player;
    return true;
}

HWND player_window(const Strip& strip)
{
    HWND window = nullptr;
    if (strip.player.in_place && SUCCEEDED(strip.player.in_place->GetWindow(&window)))
        return window;
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Our own animation.

float clamp01(float x)
{
    return std::min(1.0f, std::max(0.0f, x));
}

float smoothstep(float from, float to, float x)
{
    const float t = clamp01((x - from) / (to - from));
    return t * t * (3.0f - 2.0f * t);
}

Colour mix(Colour a, Colour b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

void add(Colour& to, Colour light, float amount)
{
    to.r += light.r * amount;
    to.g += light.g * amount;
    to.b += light.b * amount;
}

// The same scattering of sparks every run, so the loop looks alike each time it plays.
float scatter(unsigned n)
{
    n = (n << 13U) ^ n;
    n = n * (n * n * 15731U + 789221U) + 1376312589U;
    return static_cast<float>(n & 0x7fffffffU) / static_cast<float>(0x7fffffff);
}

constexpr float kPi = 3.14159265f;

// The caption is drawn by GDI once per strip size into a grey mask; each frame only tints it.
void make_caption(Caption& caption, int width, int height)
{
    caption = {};
    caption.width = width;
    caption.height = height;
    caption.coverage.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    caption.left = caption.right = width / 2;
    caption.middle = height / 2;

    FrameBuffer scratch;
    if (!scratch.ensure(width, height)) return;
    HDC dc = scratch.dc();
    const float scale = static_cast<float>(height) / kDesignHeight;
    const int spacing = std::max(1, static_cast<int>(std::lround(1.6f * scale)));
    ::SetTextCharacterExtra(dc, spacing);

    // Small capitals that leave the strip room to breathe, shrunk further for a narrow strip.
    int size = std::max(8, static_cast<int>(std::lround(static_cast<float>(height) * 0.27f)));
    const int length = static_cast<int>(std::wcslen(kCaption));
    HFONT font = nullptr;
    SIZE extent{};
    for (;;) {
        font = ::CreateFontW(-size, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                             DEFAULT_PITCH | FF_SWISS, L"Tahoma");
        if (!font) return;
        HGDIOBJ before = ::SelectObject(dc, font);
        ::GetTextExtentPoint32W(dc, kCaption, length, &extent);
        ::SelectObject(dc, before);
        if (extent.cx * 100 <= width * 86 || size <= 7) break;
        ::DeleteObject(font);
        --size;
    }

    HGDIOBJ before = ::SelectObject(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(255, 255, 255));
    std::fill_n(scratch.bits(), static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                0U);
    ::TextOutW(dc, (width - extent.cx) / 2, (height - extent.cy) / 2, kCaption, length);
    ::GdiFlush();
    ::SelectObject(dc, before);
    ::DeleteObject(font);

    // Centre by the ink itself: the font's cell has room for accents the capitals never use.
    int top = height, bottom = -1, left = width, right = -1;
    const std::uint32_t* bits = scratch.bits();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = bits[static_cast<std::size_t>(y) * width + x];
            const unsigned ink = std::max({p & 0xFFU, (p >> 8U) & 0xFFU, (p >> 16U) & 0xFFU});
            if (ink < 24) continue;
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    if (bottom < 0) return;
    const int dy = (height - (bottom - top + 1)) / 2 - top;
    const int dx = (width - (right - left + 1)) / 2 - left;
    for (int y = 0; y < height; ++y) {
        const int from_y = y - dy;
        if (from_y < 0 || from_y >= height) continue;
        for (int x = 0; x < width; ++x) {
            const int from_x = x - dx;
            if (from_x < 0 || from_x >= width) continue;
            const std::uint32_t p = bits[static_cast<std::size_t>(from_y) * width + from_x];
            caption.coverage[static_cast<std::size_t>(y) * width + x] = static_cast<std::uint8_t>(
                std::max({p & 0xFFU, (p >> 8U) & 0xFFU, (p >> 16U) & 0xFFU}));
        }
    }
    caption.left = left + dx;
    caption.right = right + dx;
    caption.middle = (top + bottom) / 2 + dy;
}

// Where the light band's centre is at `t`, or nothing between sweeps.
bool band_position(float t, int width, float& at)
{
    if (t < kIntro) return false;
    const float into = std::fmod(t - static_cast<float>(kIntro), static_cast<float>(kSweepEvery));
    if (into >= kSweepTakes) return false;
    const float e = smoothstep(0.0f, 1.0f, into / static_cast<float>(kSweepTakes));
    at = -0.3f * static_cast<float>(width) + 1.6f * static_cast<float>(width) * e;
    return true;
}

void render(Strip& strip, double seconds)
{
    const int width = strip.frame.width();
    const int height = strip.frame.height();
    const auto area = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    strip.canvas.resize(area);
    Colour* canvas = strip.canvas.data();
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    const float scale = h / kDesignHeight;
    const auto t = static_cast<float>(seconds);

    float band_at = 0.0f;
    const bool band = band_position(t, width, band_at);
    const float band_width = 0.11f * w;
    const float slant = 0.6f; // the band leans forward, like a glint on metal
    // How far (in band widths, squared) a point lies from the band's centre line.
    auto band_distance = [&](float x, float y) {
        if (!band) return 1e6f;
        const float d = (x - band_at - (y - h * 0.5f) * slant) / band_width;
        return d * d;
    };
    auto band_light = [&](float x, float y) { return std::exp(-band_distance(x, y)); };
    const float breathe = 0.5f + 0.5f * std::sin(2.0f * kPi * t / 4.0f);

    // Background: a warm glow just above the middle, falling off to the banner's darker edge,
    // with faint chevrons drifting forward and the light band sweeping over.
    for (int y = 0; y < height; ++y) {
        const float fy = static_cast<float>(y) + 0.5f;
        const float v = fy / h;
        const float lift = clamp01(1.0f - ((v - 0.42f) / 0.62f) * ((v - 0.42f) / 0.62f));
        const Colour row = mix(kEdge, kWarm, std::pow(lift, 1.4f));
        const float from_middle = std::fabs(fy - h * 0.5f);
        for (int x = 0; x < width; ++x) {
            const float fx = static_cast<float>(x) + 0.5f;
            const float u = fx / w;
            const float side = std::sin(kPi * u);
            const float shade = 0.74f + 0.26f * std::sqrt(side);
            Colour c{row.r * shade, row.g * shade, row.b * shade};

            const float along = (fx + 0.9f * from_middle) / scale - 14.0f * t;
            const float phase = along / 22.0f - std::floor(along / 22.0f);
            const float ridge = 1.0f - std::fabs(2.0f * phase - 1.0f);
            add(c, kLight, 0.045f * smoothstep(0.80f, 0.96f, ridge) * side);

            const float ex = (u - 0.5f) / 0.45f;
            const float ey = (v - 0.5f) / 0.6f;
            add(c, kEmber, (0.035f + 0.03f * breathe) * std::exp(-2.2f * (ex * ex + ey * ey)));

            const float d2 = band_distance(fx, fy);
            if (d2 < 8.0f) add(c, kLight, 0.22f * std::exp(-d2) + 0.20f * std::exp(-30.0f * d2));
            canvas[static_cast<std::size_t>(y) * width + x] = c;
        }
    }

    // Sparks drifting forward with fading tails, looping across the strip; they keep clear of
    // the caption's rows so the letters stay easy to read.
    const Caption& caption = strip.caption;
    const float caption_half = std::max(4.0f * scale, 0.16f * h);
    const int sparks = 12;
    const float thickness = std::max(0.5f, 0.5f * scale);
    for (int i = 0; i < sparks; ++i) {
        const auto n = static_cast<unsigned>(i) * 8U + 3U;
        const float base_y = (0.10f + 0.80f * scatter(n)) * h;
        const float speed = (14.0f + 30.0f * scatter(n + 1U)) * scale;
        const float tail = (10.0f + 18.0f * scatter(n + 2U)) * scale;
        const float glow = 0.20f + 0.35f * scatter(n + 3U);
        const float span = w + tail;
        const float head = std::fmod(scatter(n + 7U) * span + speed * t, span);
        const float y_at =
            base_y + std::sin(t * (0.7f + scatter(n + 5U)) + 6.0f * scatter(n + 6U)) * 1.5f * scale;
        const float clear = smoothstep(caption_half * 0.7f, caption_half * 1.3f,
                                       std::fabs(y_at - static_cast<float>(caption.middle)));
        if (clear <= 0.0f) continue;
        const int first_x = std::max(0, static_cast<int>(std::floor(head - tail)));
        const int last_x = std::min(width - 1, static_cast<int>(std::floor(head)));
        const int first_y = std::max(0, static_cast<int>(std::floor(y_at - thickness - 1.0f)));
        const int last_y =
            std::min(height - 1, static_cast<int>(std::ceil(y_at + thickness + 1.0f)));
        for (int x = first_x; x <= last_x; ++x) {
            const float along = clamp01((static_cast<float>(x) + 0.5f - (head - tail)) / tail);
            const float strength = glow * clear * along * along * along;
            for (int y = first_y; y <= last_y; ++y) {
                const float cover =
                    clamp01(thickness + 0.5f - std::fabs(static_cast<float>(y) + 0.5f - y_at));
                if (cover > 0.0f)
                    add(canvas[static_cast<std::size_t>(y) * width + x], kLight, strength * cover);
            }
        }
    }

    // Gold rules along the top and bottom edges, and either side of the caption.
    const int rule = std::max(1, static_cast<int>(std::lround(scale)));
    for (int x = 0; x < width; ++x) {
        const float fx = static_cast<float>(x) + 0.5f;
        const float side = std::pow(std::sin(kPi * fx / w), 0.7f);
        for (int k = 0; k < rule; ++k) {
            const int top = k;
            const int bottom = height - 1 - k;
            add(canvas[static_cast<std::size_t>(top) * width + x], kRule,
                0.30f * side + 0.5f * band_light(fx, static_cast<float>(top)));
            if (bottom != top) {
                add(canvas[static_cast<std::size_t>(bottom) * width + x], kRule,
                    0.55f * side + 0.6f * band_light(fx, static_cast<float>(bottom)));
            }
        }
    }
    const float text_in = smoothstep(0.25f, 1.1f, t);
    if (caption.right > caption.left && caption.middle > rule && caption.middle < height - rule) {
        const float gap = 7.0f * scale;
        const float inner_left = static_cast<float>(caption.left) - gap;
        const float inner_right = static_cast<float>(caption.right) + gap;
        const float reach = std::min(inner_left, w - inner_right) - 6.0f * scale;
        if (reach > 4.0f * scale) {
            for (int x = 0; x < width; ++x) {
                const float fx = static_cast<float>(x) + 0.5f;
                float a = 0.0f;
                if (fx < inner_left) a = smoothstep(inner_left - reach, inner_left, fx);
                if (fx > inner_right) a = 1.0f - smoothstep(inner_right, inner_right + reach, fx);
                if (a <= 0.0f) continue;
                for (int k = 0; k < rule; ++k) {
                    const int y = caption.middle - rule / 2 + k;
                    add(canvas[static_cast<std::size_t>(y) * width + x], kRule,
                        0.55f * a * text_in + 0.6f * band_light(fx, static_cast<float>(y)));
                }
            }
        }
    }

    // The caption, with a soft shadow, lighting up as the band passes over it.
    if (caption.width == width && caption.height == height && text_in > 0.0f) {
        const int offset = std::max(1, static_cast<int>(std::lround(scale)));
        const std::uint8_t* mask = caption.coverage.data();
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                Colour& c = canvas[static_cast<std::size_t>(y) * width + x];
                if (x >= offset && y >= offset) {
                    const float shadow =
                        static_cast<float>(
                            mask[static_cast<std::size_t>(y - offset) * width + (x - offset)]) /
                        255.0f;
                    const float keep = 1.0f - 0.6f * shadow * text_in;
                    c = {c.r * keep, c.g * keep, c.b * keep};
                }
                const float ink =
                    static_cast<float>(mask[static_cast<std::size_t>(y) * width + x]) / 255.0f *
                    text_in;
                if (ink <= 0.0f) continue;
                const float lit = clamp01(
                    1.3f * band_light(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f));
                c = mix(c, mix(kLetters, kLettersLit, lit), ink);
            }
        }
    }

    // Out to the DIB, fading the whole picture in at the start; an ordered dither keeps the dark
    // gradient from banding.
    static constexpr float kDither[4][4] = {
        {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    const float fade = 0.25f + 0.75f * smoothstep(0.0f, 0.8f, t);
    std::uint32_t* out = strip.frame.bits();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Colour& c = canvas[static_cast<std::size_t>(y) * width + x];
            const float d = (kDither[y & 3][x & 3] + 0.5f) / 16.0f;
            auto level = [&](float value) {
                return static_cast<std::uint32_t>(
                    std::min(255.0f, std::max(0.0f, value * fade * 255.0f + d)));
            };
            out[static_cast<std::size_t>(y) * width + x] =
                (level(c.r) << 16U) | (level(c.g) << 8U) | level(c.b);
        }
    }
}

double animation_time(const Strip& strip)
{
    if (!strip.running) return strip.held;
    const double elapsed = static_cast<double>(::GetTickCount64() - strip.started) / 1000.0;
    return strip.presets.loop ? elapsed : std::min(elapsed, kRest);
}

// From the start, unless the user has turned animations off: then the strip holds a still picture.
void restart(Strip& strip)
{
    BOOL animate = TRUE;
    if (!::SystemParametersInfoW(SPI_GETCLIENTAREAANIMATION, 0, &animate, 0)) animate = TRUE;
    strip.started = ::GetTickCount64();
    strip.held = kRest;
    strip.running =
        animate && ::SetTimer(strip.hwnd, kFrameTimer, kFrameMilliseconds, nullptr) != 0;
    if (!strip.running) ::KillTimer(strip.hwnd, kFrameTimer);
    ::InvalidateRect(strip.hwnd, nullptr, FALSE);
}

void stop(Strip& strip, double hold)
{
    ::KillTimer(strip.hwnd, kFrameTimer);
    strip.running = false;
    strip.held = hold;
}

void next_frame(Strip& strip)
{
    if (strip.running && !strip.presets.loop && animation_time(strip) >= kRest) stop(strip, kRest);
    ::InvalidateRect(strip.hwnd, nullptr, FALSE);
}

void paint(Strip& strip, HDC target)
{
    RECT client{};
    ::GetClientRect(strip.hwnd, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (width <= 0 || height <= 0) return;
    if (strip.player.object) {
        // Only shows for a moment before the player's own window covers it.
        ::FillRect(target, &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        return;
    }
    if (!strip.frame.ensure(width, height)) {
        HBRUSH brush = ::CreateSolidBrush(RGB(0x3a, 0x12, 0x08));
        if (brush) {
            ::FillRect(target, &client, brush);
            ::DeleteObject(brush);
        }
        return;
    }
    if (strip.caption.width != width || strip.caption.height != height) {
        make_caption(strip.caption, width, height);
    }
    render(strip, animation_time(strip));
    ::GdiFlush(); // our pixels are written behind GDI's back
    if (::GetFocus() == strip.hwnd &&
        !(::SendMessageW(strip.hwnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) {
        RECT focus = client;
        ::InflateRect(&focus, -1, -1);
        ::SetTextColor(strip.frame.dc(), RGB(255, 255, 255));
        ::SetBkColor(strip.frame.dc(), RGB(0, 0, 0));
        ::DrawFocusRect(strip.frame.dc(), &focus);
    }
    ::BitBlt(target, 0, 0, width, height, strip.frame.dc(), 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------------------------------------

LRESULT handle(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_NCCREATE) {
        auto* strip = new (std::nothrow) Strip;
        if (!strip) return FALSE;
        strip->hwnd = hwnd;
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        if (create && create->lpCreateParams) {
            strip->presets = *static_cast<const MoviePresets*>(create->lpCreateParams);
        }
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(strip));
        return ::DefWindowProcW(hwnd, message, wparam, lparam);
    }
    Strip* strip = strip_from(hwnd);
    if (!strip) return ::DefWindowProcW(hwnd, message, wparam, lparam);

    switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps{};
        HDC dc = ::BeginPaint(hwnd, &ps);
        if (!dc) return 0;
        // EndPaint must follow BeginPaint whatever happens while painting.
        struct EndPaintGuard {
            HWND hwnd;
            PAINTSTRUCT* ps;
            ~EndPaintGuard() { ::EndPaint(hwnd, ps); }
        } guard{hwnd, &ps};
        paint(*strip, dc);
        return 0;
    }
    case WM_PRINTCLIENT: paint(*strip, reinterpret_cast<HDC>(wparam)); return 0;
    case WM_TIMER:
        if (wparam != kFrameTimer) break;
        next_frame(*strip);
        return 0;
    case WM_SIZE:
        if (strip->player.in_place) {
            RECT area{};
            ::GetClientRect(hwnd, &area);
            strip->player.in_place->SetObjectRects(&area, &area);
        }
        ::InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_SETFOCUS:
        if (HWND inner = player_window(*strip)) {
            ::SetFocus(inner);
        } else {
            ::InvalidateRect(hwnd, nullptr, FALSE);
        }
        return 0;
    case WM_KILLFOCUS: ::InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_UPDATEUISTATE: {
        const LRESULT result = ::DefWindowProcW(hwnd, message, wparam, lparam);
        ::InvalidateRect(hwnd, nullptr, FALSE);
        return result;
    }
    case WM_LBUTTONDOWN: ::SetFocus(hwnd); return 0;
    case WM_DESTROY:
        ::KillTimer(hwnd, kFrameTimer);
        strip->running = false;
        release_player(strip->player);
        return 0;
    case WM_NCDESTROY:
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        delete strip;
        return ::DefWindowProcW(hwnd, message, wparam, lparam);
    default: break;
    }
    return ::DefWindowProcW(hwnd, message, wparam, lparam);
}

LRESULT CALLBACK strip_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    try {
        return handle(hwnd, message, wparam, lparam);
    } catch (...) {
        return ::DefWindowProcW(hwnd, message, wparam, lparam);
    }
}

} // namespace

void register_movie_strip(HINSTANCE instance)
{
    if (!instance) instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (::GetClassInfoExW(instance, kClassName, &existing)) {
        if (!g_instance) g_instance = instance;
        return;
    }
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = strip_procedure;
    type.hInstance = instance;
    type.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    type.lpszClassName = kClassName;
    if (::RegisterClassExW(&type)) g_instance = instance;
}

HWND create_movie_strip(HWND parent, const RECT& bounds, int id, const MoviePresets& presets)
{
    if (!g_instance) register_movie_strip(::GetModuleHandleW(nullptr));
    if (!g_instance) return nullptr;
    HWND hwnd = ::CreateWindowExW(
        0, kClassName, kCaption,
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, bounds.left,
        bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_instance,
        const_cast<MoviePresets*>(&presets));
    if (!hwnd) return nullptr;
    try {
        Strip* strip = strip_from(hwnd);
        if (strip && !host_player(*strip)) {
            if (presets.autoplay) {
                restart(*strip);
            } else {
                stop(*strip, kRest);
            }
        }
    } catch (...) {
        // The window stands either way; at worst it shows a still picture.
    }
    return hwnd;
}

void set_movie_path(HWND window, const std::wstring& path)
{
    try {
        Strip* strip = strip_checked(window);
        if (!strip) return;
        if (strip->player.object) {
            put_text(strip->player.dispatch, L"Movie", path.c_str(),
                     static_cast<UINT>(path.size()));
            return;
        }
        restart(*strip);
    } catch (...) {
        // Nothing to report: the strip keeps whatever it was showing.
    }
}

} // namespace platform
