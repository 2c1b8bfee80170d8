// A PNG reader small enough to read at a glance: the reference frames are plain 8-bit RGB(A).
#include "support/png.h"

#include <zlib.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace testing_support {
namespace {

constexpr std::string_view kSignature{"\x89PNG\r\n\x1a\n", 8};
// Far beyond any movie frame, and small enough that a forged header cannot ask for gigabytes.
constexpr std::uint32_t kMaxSide = 1U << 14;
constexpr std::uint64_t kMaxPixels = 1U << 24;

std::uint32_t be32(std::string_view bytes, std::size_t at)
{
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

std::optional<Image> fail(std::string* error, std::string why)
{
    if (error) *error = std::move(why);
    return std::nullopt;
}

std::uint32_t chunk_crc(std::string_view type_and_data)
{
    return static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(type_and_data.data()),
                                            static_cast<uInt>(type_and_data.size())));
}

// The whole zlib stream into exactly out.size() bytes: no fewer, no more.
bool inflate_exactly(const std::string& in, std::vector<unsigned char>& out)
{
    if (in.size() > UINT_MAX || out.size() > UINT_MAX) return false;
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return false;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data())); // zlib only reads it
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    const bool whole = inflate(&z, Z_FINISH) == Z_STREAM_END && z.avail_out == 0;
    inflateEnd(&z);
    return whole;
}

int paeth(int a, int b, int c)
{
    const int pa = std::abs(b - c);
    const int pb = std::abs(a - c);
    const int pc = std::abs(a + b - 2 * c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// Undoes each row's filter in place; rows are a filter byte and then the row's bytes.
bool unfilter(std::vector<unsigned char>& data, std::size_t stride, int height, int channels)
{
    for (int y = 0; y < height; ++y) {
        unsigned char* row = data.data() + y * (stride + 1) + 1;
        const unsigned char* up = y > 0 ? row - (stride + 1) : nullptr;
        const unsigned char filter = row[-1];
        if (filter > 4) return false;
        for (std::size_t i = 0; i < stride; ++i) {
            const int a = i >= static_cast<std::size_t>(channels) ? row[i - channels] : 0;
            const int b = up ? up[i] : 0;
            const int c = up && i >= static_cast<std::size_t>(channels) ? up[i - channels] : 0;
            const int predictor = filter == 1   ? a
                                  : filter == 2 ? b
                                  : filter == 3 ? (a + b) / 2
                                  : filter == 4 ? paeth(a, b, c)
                                                : 0;
            row[i] = static_cast<unsigned char>(row[i] + predictor);
        }
    }
    return true;
}

} // namespace

std::optional<Image> decode_png(std::string_view bytes, std::string* error)
{
    if (!bytes.starts_with(kSignature)) return fail(error, "not a PNG file");
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int channels = 0;
    std::string compressed;
    for (std::size_t at = kSignature.size();;) {
        if (bytes.size() - at < 12) return fail(error, "the file ends inside a chunk");
        const std::uint32_t length = be32(bytes, at);
        if (length > bytes.size() - at - 12) return fail(error, "a chunk runs past the end");
        const std::string_view type = bytes.substr(at + 4, 4);
        const std::string_view data = bytes.substr(at + 8, length);
        if (chunk_crc(bytes.substr(at + 4, 4 + length)) != be32(bytes, at + 8 + length))
            return fail(error, "chunk " + std::string(type) + " is damaged (CRC)");
        at += 12 + length;
        if ((channels == 0) != (type == "IHDR"))
            return fail(error, "IHDR is not the one first chunk");
        if (type == "IHDR") {
            if (length != 13) return fail(error, "IHDR of the wrong length");
            width = be32(data, 0);
            height = be32(data, 4);
            const auto depth = data[8], colour = data[9], interlace = data[12];
            if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide ||
                std::uint64_t{width} * height > kMaxPixels)
                return fail(error, "no image, or a larger one than a frame can be");
            if (depth != 8 || (colour != 2 && colour != 6))
                return fail(error, "not 8-bit RGB or RGBA");
            if (data[10] != 0 || data[11] != 0 || interlace != 0)
                return fail(error, "interlaced, or an unknown compression or filter method");
            channels = colour == 2 ? 3 : 4;
        } else if (type == "IDAT") {
            compressed.append(data);
        } else if (type == "IEND") {
            break;
        } else if ((type[0] & 0x20) == 0 && type != "PLTE") {
            // An upper-case first letter marks a chunk that the image cannot be read without.
            return fail(error, "unknown critical chunk " + std::string(type));
        }
    }

    const std::size_t stride = std::size_t{width} * channels;
    std::vector<unsigned char> rows(height * (stride + 1));
    if (!inflate_exactly(compressed, rows))
        return fail(error, "image data damaged or of the wrong size");
    if (!unfilter(rows, stride, static_cast<int>(height), channels))
        return fail(error, "unknown row filter");

    Image image{static_cast<int>(width), static_cast<int>(height), {}};
    image.pixels.reserve(std::size_t{width} * height);
    for (std::uint32_t y = 0; y < height; ++y) {
        const unsigned char* p = rows.data() + y * (stride + 1) + 1;
        for (std::uint32_t x = 0; x < width; ++x, p += channels)
            image.pixels.push_back(std::uint32_t{p[0]} << 16 | std::uint32_t{p[1]} << 8 | p[2]);
    }
    return image;
}

std::optional<Image> read_png(const std::string& path, std::string* error)
{
    std::ifstream in(std::filesystem::path(std::u8string(path.begin(), path.end())),
                     std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    if (!in.is_open() || in.bad()) return fail(error, "cannot read " + path);
    auto image = decode_png(bytes, error);
    if (!image && error) *error = path + ": " + *error;
    return image;
}

} // namespace testing_support
