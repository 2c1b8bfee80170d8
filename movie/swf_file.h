// The movie file's container: its header (plain or zlib-compressed), the stage and frame rate, and
// the stream of tags that follows.
#pragma once

#include "movie/bits.h"

#include <cstdint>
#include <span>
#include <vector>

namespace movie {

struct Header {
    int version = 0;
    // The stage in twips (1/20 px).
    std::int32_t x_min = 0, x_max = 0, y_min = 0, y_max = 0;
    std::uint16_t frame_rate = 0; // 8.8 fixed point
    std::uint16_t frame_count = 0;
};

// A movie file opened: its header, and the tag stream held in memory, inflated when it was
// compressed.
struct SwfFile {
    Header header;
    std::vector<std::uint8_t> body; // the file past its first 8 bytes
    std::size_t tags = 0;           // where the tag stream starts in body
};

// False for anything that is not a whole movie file of at most kMaxFileBytes, plain or
// zlib-compressed; LZMA-compressed files are not read either.
bool open_swf(std::span<const std::uint8_t> file, SwfFile& out);

struct Tag {
    int code = 0;
    std::span<const std::uint8_t> body;
};

// The next tag of a stream; false at its end, or where a tag claims more bytes than are left.
bool next_tag(Bits& stream, Tag& tag);

} // namespace movie
