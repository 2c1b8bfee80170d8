// Opens a movie file: checks its header, inflates a compressed one with zlib, reads the stage.
#include "movie/swf_file.h"

#include "movie/limits.h"

#include <algorithm>

#include <zlib.h>

namespace movie {
namespace {

// Inflates into `out`, which holds exactly `size` bytes on success. The buffer grows as the data
// comes, so that a small file claiming a large size costs no more than it holds.
bool inflate_exactly(std::span<const std::uint8_t> in, std::size_t size,
                     std::vector<std::uint8_t>& out)
{
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return false;
    z.next_in = const_cast<Bytef*>(in.data());
    z.avail_in = static_cast<uInt>(in.size());
    out.clear();
    std::size_t done = 0;
    int status = Z_OK;
    while (status == Z_OK && done < size) {
        out.resize(std::min(size, std::max<std::size_t>(4096, out.size() * 2)));
        z.next_out = out.data() + done;
        z.avail_out = static_cast<uInt>(out.size() - done);
        status = inflate(&z, Z_NO_FLUSH);
        done = out.size() - z.avail_out;
    }
    inflateEnd(&z);
    // A stream that ends early is a truncated file; data past the declared size is ignored.
    return done == size && (status == Z_OK || status == Z_STREAM_END || status == Z_BUF_ERROR);
}

} // namespace

bool open_swf(std::span<const std::uint8_t> file, SwfFile& out)
{
    if (file.size() < 8 || file.size() > kMaxFileBytes) return false;
    const bool compressed = file[0] == 'C';
    if ((file[0] != 'F' && !compressed) || file[1] != 'W' || file[2] != 'S') return false;
    Bits header(file.first(8));
    header.bytes(4);
    const std::uint32_t length = header.u32();
    if (length < 8 || length > kMaxFileBytes) return false;
    if (compressed) {
        if (!inflate_exactly(file.subspan(8), length - 8, out.body)) return false;
    } else {
        if (length > file.size()) return false;
        out.body.assign(file.begin() + 8, file.begin() + length);
    }

    Header& h = out.header;
    h.version = file[3];
    Bits stage(out.body);
    const int bits = static_cast<int>(stage.ub(5));
    h.x_min = stage.sb(bits);
    h.x_max = stage.sb(bits);
    h.y_min = stage.sb(bits);
    h.y_max = stage.sb(bits);
    h.frame_rate = stage.u16();
    h.frame_count = stage.u16();
    if (stage.failed()) return false;
    out.tags = out.body.size() - stage.remaining();
    return true;
}

bool next_tag(Bits& stream, Tag& tag)
{
    if (stream.remaining() < 2) return false;
    const std::uint16_t code_and_length = stream.u16();
    std::uint32_t length = code_and_length & 0x3F;
    if (length == 0x3F) length = stream.u32();
    tag.code = code_and_length >> 6;
    tag.body = stream.bytes(length);
    return !stream.failed();
}

} // namespace movie
