// The frame comparison and its PNG reader: they pass what matches and catch what does not.
#include "support/frame_compare.h"
#include "support/png.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

using testing_support::compare_frames;
using testing_support::decode_png;
using testing_support::Image;

std::string reference_file(const std::string& name)
{
    const std::string path = std::string(MOVIE_REFERENCES) + "/" + name;
#ifdef _WIN32
    // Under Wine the source tree is on the drive that maps the host's root.
    if (path.starts_with("/")) return "Z:" + path;
#endif
    return path;
}

Image reference(const std::string& name)
{
    std::string error;
    auto image = testing_support::read_png(reference_file(name), &error);
    EXPECT_TRUE(image) << error;
    return image.value_or(Image{});
}

std::string be32(std::uint32_t v)
{
    return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
            static_cast<char>(v)};
}

std::string chunk(const std::string& type, const std::string& data)
{
    const std::string body = type + data;
    const auto crc =
        crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()));
    return be32(static_cast<std::uint32_t>(data.size())) + body +
           be32(static_cast<std::uint32_t>(crc));
}

struct Raw {
    int width = 5;
    int height = 3; // as the header says: the rows are as many as the bytes hold
    int channels = 3;
    int filter = 0;
    int depth = 8;
    int interlace = 0;
    std::uint32_t header_width = 0; // when not 0, what the header says instead of width
    std::vector<unsigned char> bytes;
};

// Every row filtered with raw.filter, as another encoder may choose to.
std::string encode(const Raw& raw)
{
    const int stride = raw.width * raw.channels;
    std::string rows;
    for (int y = 0; y < static_cast<int>(raw.bytes.size()) / stride; ++y) {
        rows += static_cast<char>(raw.filter);
        const unsigned char* row = raw.bytes.data() + y * stride;
        for (int i = 0; i < stride; ++i) {
            const int a = i >= raw.channels ? row[i - raw.channels] : 0;
            const int b = y > 0 ? row[i - stride] : 0;
            const int c = y > 0 && i >= raw.channels ? row[i - stride - raw.channels] : 0;
            const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
            const int paeth = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
            const int predictor[] = {0, a, b, (a + b) / 2, paeth, 0};
            rows += static_cast<char>(row[i] - predictor[raw.filter]);
        }
    }
    uLongf size = compressBound(static_cast<uLong>(rows.size()));
    std::string packed(size, '\0');
    compress(reinterpret_cast<Bytef*>(packed.data()), &size,
             reinterpret_cast<const Bytef*>(rows.data()), static_cast<uLong>(rows.size()));
    packed.resize(size);
    const std::string header =
        be32(raw.header_width ? raw.header_width : static_cast<std::uint32_t>(raw.width)) +
        be32(static_cast<std::uint32_t>(raw.height)) +
        std::string{static_cast<char>(raw.depth), static_cast<char>(raw.channels == 3 ? 2 : 6), 0,
                    0, static_cast<char>(raw.interlace)};
    return std::string("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + chunk("IDAT", packed) +
           chunk("IEND", "");
}

Raw gradient(int channels, int filter)
{
    Raw raw;
    raw.channels = channels;
    raw.filter = filter;
    for (int i = 0; i < raw.width * raw.height * channels; ++i)
        raw.bytes.push_back(static_cast<unsigned char>(i * 37 + (i % 7) * 91));
    return raw;
}

TEST(Png, ReadsEveryRowFilterAndRefusesWhatItCannotRead)
{
    struct Case {
        const char* name;
        Raw raw;
        std::function<void(std::string&)> damage;
        bool reads;
    };
    const auto keep = [](std::string&) {};
    const auto set = [](Raw raw, std::function<void(Raw&)> change) {
        change(raw);
        return raw;
    };
    const Case cases[] = {
        {"RGB, no filter", gradient(3, 0), keep, true},
        {"RGBA, Sub", gradient(4, 1), keep, true},
        {"RGB, Up", gradient(3, 2), keep, true},
        {"RGBA, Average", gradient(4, 3), keep, true},
        {"RGB, Paeth", gradient(3, 4), keep, true},
        {"unknown filter", gradient(3, 5), keep, false},
        {"16-bit", set(gradient(3, 0), [](Raw& r) { r.depth = 16; }), keep, false},
        {"interlaced", set(gradient(3, 0), [](Raw& r) { r.interlace = 1; }), keep, false},
        {"a row short", set(gradient(3, 0), [](Raw& r) { r.height = 4; }), keep, false},
        {"a row too many", set(gradient(3, 0), [](Raw& r) { r.height = 2; }), keep, false},
        {"huge", set(gradient(3, 0), [](Raw& r) { r.header_width = 100000; }), keep, false},
        {"damaged chunk", gradient(3, 0), [](std::string& png) { png[40] ^= 1; }, false},
        {"cut short", gradient(3, 0), [](std::string& png) { png.resize(png.size() - 20); }, false},
        {"not a PNG", gradient(3, 0), [](std::string& png) { png[1] = 'Q'; }, false},
    };
    for (const Case& c : cases) {
        std::string png = encode(c.raw);
        c.damage(png);
        std::string error;
        const auto image = decode_png(png, &error);
        ASSERT_EQ(image.has_value(), c.reads) << c.name << ": " << error;
        if (!image) {
            EXPECT_FALSE(error.empty()) << c.name;
            continue;
        }
        ASSERT_EQ(image->width * image->height, 15) << c.name;
        for (int i = 0; i < 15; ++i) {
            const unsigned char* p = c.raw.bytes.data() + i * c.raw.channels;
            EXPECT_EQ(image->pixels[i], std::uint32_t{p[0]} << 16 | std::uint32_t{p[1]} << 8 | p[2])
                << c.name << ", pixel " << i;
        }
    }
}

Image shifted(Image image, int dx, int dy)
{
    const Image from = image;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            image.pixels[static_cast<std::size_t>(y) * image.width + x] = from.at(
                std::clamp(x - dx, 0, image.width - 1), std::clamp(y - dy, 0, image.height - 1));
    return image;
}

Image cropped(Image image)
{
    Image narrower{image.width - 1, image.height, {}};
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < narrower.width; ++x) narrower.pixels.push_back(image.at(x, y));
    return narrower;
}

TEST(FrameCompare, PassesTheSameFrameAndCatchesAnotherOrAShiftedOne)
{
    // Frames 11 and 12 of the About movie have the glint on the letters; 36 is the loop's
    // frame 0 again. The feature movie moves something everywhere each frame.
    const Image tessel = reference("tessel/012.png");
    const Image features = reference("features/005.png");
    // Read right, they show each movie's background in the corners, and the feature movie's
    // frame counter where it is.
    ASSERT_EQ(std::pair(tessel.width, tessel.height), std::pair(267, 49));
    EXPECT_EQ(tessel.at(0, 0), 0x3A1208U);
    EXPECT_EQ(tessel.at(266, 48), 0x3A1208U);
    EXPECT_EQ(features.at(266, 48), 0x4E5A6EU);
    EXPECT_EQ(features.at(60, 45), 0x96B0CEU);
    const struct {
        const char* name;
        Image frame;
        Image reference;
        bool passes;
    } cases[] = {
        {"the frame itself", tessel, tessel, true},
        {"the frame after the loop", reference("tessel/036.png"), reference("tessel/000.png"),
         true},
        {"one frame early", reference("tessel/011.png"), tessel, false},
        {"one pixel to the right", shifted(tessel, 1, 0), tessel, false},
        {"one pixel down", shifted(features, 0, 1), features, false},
        {"one frame late", reference("features/006.png"), features, false},
        {"a column short", cropped(tessel), tessel, false},
    };
    for (const auto& c : cases) {
        const auto difference = compare_frames(c.frame, c.reference);
        EXPECT_EQ(difference.passes(), c.passes) << c.name << ": " << difference;
    }
}

} // namespace
