// A PNG reader for the reference frames alone, small enough to read at a glance. The chunks' own
// checksums are not checked: zlib checks the image data's.
#include "support/png.h"

#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>

namespace testing_support {
namespace {

// Far beyond any movie frame, and small enough that a forged header cannot ask for gigabytes.
constexpr std::uint32_t kMaxSide = 1U << 14;

std::uint32_t be32(const unsigned char* p)
{
    return std::uint32_t{p[0]} << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

int paeth(int a, int b, int c)
{
    const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

} // namespace

std::optional<Image> read_reference_frame(const std::string& folder, int frame)
{
    char name[16];
    std::snprintf(name, sizeof name, "/%03d.png", frame);
    const std::string path = folder + name;
    std::ifstream in(std::filesystem::path(std::u8string(path.begin(), path.end())),
                     std::ios::binary);
    const std::vector<unsigned char> file(std::istreambuf_iterator<char>(in), {});
    // The chunks after the signature: the header, and the image data in one or more parts.
    std::uint32_t width = 0, height = 0;
    std::vector<unsigned char> packed;
    for (std::size_t at = 8; at + 12 <= file.size();) {
        const std::uint32_t length = be32(&file[at]);
        if (length > file.size() - at - 12) return std::nullopt;
        const std::string_view type(reinterpret_cast<const char*>(&file[at + 4]), 4);
        const unsigned char* data = &file[at + 8];
        at += 12 + length;
        if (type == "IDAT") packed.insert(packed.end(), data, data + length);
        if (type != "IHDR") continue;
        if (length != 13 || data[8] != 8 || data[9] != 2 || data[12] != 0) return std::nullopt;
        width = be32(data);
        height = be32(data + 4);
    }
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide) return std::nullopt;

    // Rows of a filter byte and three bytes a pixel, each row's filter undone from the one above.
    const std::size_t stride = std::size_t{width} * 3;
    std::vector<unsigned char> rows(height * (stride + 1));
    uLongf size = static_cast<uLongf>(rows.size());
    if (uncompress(rows.data(), &size, packed.data(), static_cast<uLong>(packed.size())) != Z_OK ||
        size != rows.size())
        return std::nullopt;
    Image image{static_cast<int>(width), static_cast<int>(height), {}};
    for (std::size_t y = 0; y < height; ++y) {
        unsigned char* row = &rows[y * (stride + 1) + 1];
        const unsigned char* up = y > 0 ? row - (stride + 1) : nullptr;
        const unsigned char filter = row[-1];
        if (filter > 4) return std::nullopt;
        for (std::size_t i = 0; i < stride; ++i) {
            const int a = i >= 3 ? row[i - 3] : 0;
            const int b = up ? up[i] : 0;
            const int c = up && i >= 3 ? up[i - 3] : 0;
            const int predictor[] = {0, a, b, (a + b) / 2, paeth(a, b, c)};
            row[i] = static_cast<unsigned char>(row[i] + predictor[filter]);
        }
        for (std::size_t i = 0; i < stride; i += 3)
            image.pixels.push_back(std::uint32_t{row[i]} << 16 | row[i + 1] << 8 | row[i + 2]);
    }
    return image;
}

} // namespace testing_support
