// Reads the movies' reference frames, PNG files, into plain 0x00RRGGBB pixels.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

struct Image {
    int width = 0;
    int height = 0;
    // Row by row from the top, 0x00RRGGBB.
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Frame `frame` of a folder of reference frames (000.png, 001.png, ...; the folder a UTF-8
// path). They are 8-bit RGB, not interlaced, as the reference player writes them; a missing
// frame, or a file of another kind or damaged, gives nothing.
std::optional<Image> read_reference_frame(const std::string& folder, int frame);

} // namespace testing_support
