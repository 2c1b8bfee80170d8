// Hosts the installed movie player in the movie strip: a minimal OLE container for one control.
#include "platform/win32/movie_player.h"

#include <ole2.h>
#include <ocidl.h>

#include <new>
#include <string_view>

namespace platform {
namespace {

constexpr wchar_t kPlayerProgId[] = L"ShockwaveFlash.ShockwaveFlash";

// The smallest set of OLE site interfaces an in-place control asks for.
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

bool put_text(IDispatch* dispatch, const wchar_t* name, std::wstring_view text)
{
    VARIANT value;
    ::VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!value.bstrVal) return false;
    const bool done = put_property(dispatch, name, value);
    ::VariantClear(&value);
    return done;
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

class Player final : public HostedPlayer {
public:
    explicit Player(HWND host) : host_(host) {}
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // Releasing in the reverse order of start() also undoes a start that stopped halfway.
    ~Player() override
    {
        if (in_place_) {
            in_place_->InPlaceDeactivate();
            in_place_->Release();
        }
        if (dispatch_) dispatch_->Release();
        if (object_) {
            object_->Close(OLECLOSE_NOSAVE);
            object_->SetClientSite(nullptr);
            object_->Release();
        }
        if (site_) {
            site_->detach();
            site_->Release();
        }
    }

    bool start(const CLSID& clsid, const MoviePresets& presets)
    {
        if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                      reinterpret_cast<void**>(&object_))) ||
            !object_) {
            object_ = nullptr;
            return false;
        }
        site_ = new (std::nothrow) Site(host_);
        if (!site_) return false;
        initialise();
        if (FAILED(object_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch_)))) {
            dispatch_ = nullptr;
        }
        // Before activation: the window mode only counts when the player makes its window.
        apply_presets(dispatch_, presets);
        return activate();
    }

    void fit() override
    {
        if (!in_place_) return;
        RECT area{};
        ::GetClientRect(host_, &area);
        in_place_->SetObjectRects(&area, &area);
    }

    HWND window() const override
    {
        HWND window = nullptr;
        if (in_place_ && SUCCEEDED(in_place_->GetWindow(&window))) return window;
        return nullptr;
    }

    void load(const std::wstring& path) override { put_text(dispatch_, L"Movie", path); }

private:
    // Some controls need their site before they initialise, others only after.
    void initialise()
    {
        DWORD misc = 0;
        object_->GetMiscStatus(DVASPECT_CONTENT, &misc);
        const bool site_first = (misc & OLEMISC_SETCLIENTSITEFIRST) != 0;
        if (site_first) object_->SetClientSite(site_);
        IPersistStreamInit* persist = nullptr;
        if (SUCCEEDED(object_->QueryInterface(IID_IPersistStreamInit,
                                              reinterpret_cast<void**>(&persist))) &&
            persist) {
            persist->InitNew();
            persist->Release();
        }
        if (!site_first) object_->SetClientSite(site_);
    }

    bool activate()
    {
        RECT area{};
        ::GetClientRect(host_, &area);
        if (FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_, 0, host_, &area))) {
            return false;
        }
        if (SUCCEEDED(object_->QueryInterface(IID_IOleInPlaceObject,
                                              reinterpret_cast<void**>(&in_place_))) &&
            in_place_) {
            in_place_->SetObjectRects(&area, &area);
        } else {
            in_place_ = nullptr;
        }
        return true;
    }

    HWND host_;
    Site* site_ = nullptr;
    IOleObject* object_ = nullptr;
    IOleInPlaceObject* in_place_ = nullptr;
    IDispatch* dispatch_ = nullptr;
};

} // namespace

std::unique_ptr<HostedPlayer> host_player(HWND strip, const MoviePresets& presets)
{
    if (!ole_ready()) return nullptr;
    CLSID clsid{};
    if (FAILED(::CLSIDFromProgID(kPlayerProgId, &clsid))) return nullptr;
    std::unique_ptr<Player> player(new (std::nothrow) Player(strip));
    if (!player || !player->start(clsid, presets)) return nullptr;
    return player;
}

} // namespace platform
