// The movie strip's own animation, drawn pixel by pixel, for when no movie player is installed.
#pragma once

#include <windows.h>

#include <memory>

namespace platform {

// The words across the animation; also the strip's window text, so it reads the same to a screen
// reader.
inline constexpr wchar_t kAnimationCaption[] = L"STORMLINE 2 \u00B7 KORVANE";

// Seconds into the animation of a quiet moment just after the first light sweep: where a movie
// that does not loop stops, and the still picture shown when the user has turned animations off.
inline constexpr double kAnimationRest = 4.0;

class MovieAnimation {
public:
    MovieAnimation();
    MovieAnimation(const MovieAnimation&) = delete;
    MovieAnimation& operator=(const MovieAnimation&) = delete;
    ~MovieAnimation();

    // The picture `seconds` in, over `width` x `height` pixels of `target` from its origin, with
    // the focus rectangle just inside the edge when `focused`.
    void paint(HDC target, int width, int height, double seconds, bool focused);

private:
    // Kept from frame to frame, since only a change of size means drawing the caption again.
    struct Buffers;
    std::unique_ptr<Buffers> buffers_;
};

} // namespace platform
