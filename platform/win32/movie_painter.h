// Paints the movie strip's own animation with GDI: the shared animation's pixels, and its caption
// drawn with the system's text renderer.
#pragma once

#include "platform/movie_animation.h"

#include <windows.h>

#include <memory>

namespace platform {

class MoviePainter {
public:
    MoviePainter();
    MoviePainter(const MoviePainter&) = delete;
    MoviePainter& operator=(const MoviePainter&) = delete;
    ~MoviePainter();

    // The picture `seconds` in, over `width` x `height` pixels of `target` from its origin, with
    // the focus rectangle just inside the edge when `focused`.
    void paint(HDC target, int width, int height, double seconds, bool focused);

private:
    struct Buffers; // the frame's DIB section, kept from frame to frame
    std::unique_ptr<Buffers> buffers_;
    MovieAnimation animation_;
};

} // namespace platform
