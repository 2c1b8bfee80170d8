// Paints the movie strip's animation with GDI: the shared pixels blitted from a DIB section, the
// caption's letters drawn by GDI into a grey mask.
#include "platform/win32/movie_painter.h"

#include "platform/win32/utf16.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <string>

namespace platform {
namespace {

// A DIB section we paint pixel by pixel, then blit in one go.
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

// GDI draws grey on black, so any channel tells how much of a pixel the letters cover.
unsigned brightest(std::uint32_t pixel)
{
    return std::max({pixel & 0xFFU, (pixel >> 8U) & 0xFFU, (pixel >> 16U) & 0xFFU});
}

// The caption in bold Tahoma, as GDI draws it.
class GdiLetters final : public CaptionLetters {
public:
    GdiLetters() : caption_(to_utf16(kAnimationCaption)) {}

    int width(int em_pixels, int spacing) override
    {
        HDC dc = ::CreateCompatibleDC(nullptr);
        if (!dc) return 0;
        SIZE extent{};
        if (HFONT font = make_font(em_pixels)) {
            HGDIOBJ before = ::SelectObject(dc, font);
            ::SetTextCharacterExtra(dc, spacing);
            ::GetTextExtentPoint32W(dc, caption_.c_str(), static_cast<int>(caption_.size()),
                                    &extent);
            ::SelectObject(dc, before);
            ::DeleteObject(font);
        }
        ::DeleteDC(dc);
        return extent.cx;
    }

    void draw(int em_pixels, int spacing, std::uint8_t* coverage, int width, int height) override
    {
        FrameBuffer scratch;
        if (!scratch.ensure(width, height)) return;
        HFONT font = make_font(em_pixels);
        if (!font) return;
        HDC dc = scratch.dc();
        HGDIOBJ before = ::SelectObject(dc, font);
        ::SetTextCharacterExtra(dc, spacing);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, RGB(255, 255, 255));
        std::fill_n(scratch.bits(),
                    static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0U);
        SIZE extent{};
        const int length = static_cast<int>(caption_.size());
        ::GetTextExtentPoint32W(dc, caption_.c_str(), length, &extent);
        ::TextOutW(dc, (width - extent.cx) / 2, (height - extent.cy) / 2, caption_.c_str(), length);
        ::GdiFlush();
        ::SelectObject(dc, before);
        ::DeleteObject(font);
        const std::uint32_t* bits = scratch.bits();
        for (std::size_t i = 0; i < static_cast<std::size_t>(width) * height; ++i) {
            coverage[i] = static_cast<std::uint8_t>(brightest(bits[i]));
        }
    }

private:
    static HFONT make_font(int em_pixels)
    {
        return ::CreateFontW(-em_pixels, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                             DEFAULT_PITCH | FF_SWISS, L"Tahoma");
    }

    std::wstring caption_;
};

} // namespace

struct MoviePainter::Buffers {
    FrameBuffer frame;
};

MoviePainter::MoviePainter() = default;
MoviePainter::~MoviePainter() = default;

void MoviePainter::paint(HDC target, int width, int height, double seconds, bool focused)
{
    // Made on first use rather than with the strip, which must come to be without throwing.
    if (!buffers_) buffers_.reset(new (std::nothrow) Buffers);
    if (!buffers_ || !buffers_->frame.ensure(width, height)) {
        // Without a frame, at least the banner's edge colour rather than whatever was underneath.
        const RECT all{0, 0, width, height};
        const std::uint32_t edge = MovieAnimation::kEdgeColour;
        HBRUSH brush =
            ::CreateSolidBrush(RGB((edge >> 16) & 0xFF, (edge >> 8) & 0xFF, edge & 0xFF));
        if (brush) {
            ::FillRect(target, &all, brush);
            ::DeleteObject(brush);
        }
        return;
    }
    FrameBuffer& frame = buffers_->frame;
    GdiLetters letters;
    animation_.paint(frame.bits(), width, height, width, seconds, letters);
    ::GdiFlush(); // our pixels are written behind GDI's back

    if (focused) {
        RECT focus{0, 0, width, height};
        ::InflateRect(&focus, -1, -1);
        ::SetTextColor(frame.dc(), RGB(255, 255, 255));
        ::SetBkColor(frame.dc(), RGB(0, 0, 0));
        ::DrawFocusRect(frame.dc(), &focus);
    }
    ::BitBlt(target, 0, 0, width, height, frame.dc(), 0, 0, SRCCOPY);
}

} // namespace platform
