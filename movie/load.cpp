// Reads a movie file whole, never more than the bound past which it is not played.
#include "movie/load.h"

#include <vector>

namespace movie {

Player load(std::FILE* file)
{
    if (file == nullptr) return {};
    // One byte over the bound is enough to know that the file is too large.
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[16384];
    bool failed = false;
    while (bytes.size() <= kMaxMovieFileBytes) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, file);
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (got < sizeof chunk) {
            failed = std::ferror(file) != 0;
            break;
        }
    }
    std::fclose(file);
    if (failed || bytes.size() > kMaxMovieFileBytes) return {};
    return Player::from_bytes(bytes);
}

} // namespace movie
