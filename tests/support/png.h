// Reads the PNG files that hold the movies' reference frames into plain 0x00RRGGBB pixels.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

struct Image {
    int width = 0;
    int height = 0;
    // Row by row from the top, 0x00RRGGBB.
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// An 8-bit RGB or RGBA (alpha dropped), non-interlaced PNG; anything else, or a damaged file,
// gives nothing and says why in *error.
std::optional<Image> decode_png(std::string_view bytes, std::string* error = nullptr);
// The file at a UTF-8 path; one that cannot be read gives nothing too.
std::optional<Image> read_png(const std::string& path, std::string* error = nullptr);

} // namespace testing_support
