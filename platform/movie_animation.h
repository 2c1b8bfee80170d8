// The movie strip's own animation, computed pixel by pixel, for when no movie player is installed:
// every front end shows the same pictures and only supplies the caption's letters.
#pragma once

#include <cstdint>
#include <memory>

namespace platform {

// The words across the animation (UTF-8); also the strip's accessible text, so that it reads the
// same to a screen reader.
inline constexpr char kAnimationCaption[] = "STORMLINE 2 \u00B7 KORVANE";

// Seconds into the animation of a quiet moment just after the first light sweep: where a movie
// that does not loop stops, and the still picture shown when the user has turned animations off.
inline constexpr double kAnimationRest = 4.0;

// Draws the caption's letters with the window system's text renderer. The caption is set in a
// bold sans face (Tahoma where there is one), small capitals, at an em size in pixels, with extra
// pixels between characters.
class CaptionLetters {
public:
    // The caption's width in pixels at that size and spacing.
    virtual int width(int em_pixels, int spacing) = 0;
    // Draws it white on black into `coverage` (one byte a pixel, `width` x `height`, rows of
    // `width` bytes, zeroed by the caller), roughly centred: the animation centres it by its ink.
    virtual void draw(int em_pixels, int spacing, std::uint8_t* coverage, int width,
                      int height) = 0;

protected:
    ~CaptionLetters() = default;
};

class MovieAnimation {
public:
    MovieAnimation();
    MovieAnimation(const MovieAnimation&) = delete;
    MovieAnimation& operator=(const MovieAnimation&) = delete;
    ~MovieAnimation();

    // The picture `seconds` in, as `width` x `height` pixels 0x00RRGGBB in rows of `stride`
    // pixels; `letters` is asked for the caption only when the size changes. False when memory
    // ran short: `pixels` then holds the banner's edge colour.
    bool paint(std::uint32_t* pixels, int width, int height, int stride, double seconds,
               CaptionLetters& letters);

    // The banner's edge colour, 0x00RRGGBB: what shows where no frame could be made.
    static constexpr std::uint32_t kEdgeColour = 0x3a1208;

private:
    // Kept from frame to frame, since only a change of size means drawing the caption again.
    struct Buffers;
    std::unique_ptr<Buffers> buffers_;
};

} // namespace platform
