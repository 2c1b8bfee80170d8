// Answers whether a screenshot of the About window's strip (raw RGB bytes on standard input, the
// strip's width and height as arguments) shows one of tessel.swf's reference frames: prints the
// best match's figures and exits 0 when it passes, 1 when no frame does.
#include "support/frame_compare.h"
#include "support/png.h"

#include <cstdlib>
#include <iostream>
#include <iterator>
#include <string>

using testing_support::closest_reference;
using testing_support::ClosestReference;
using testing_support::Image;

int main(int argc, char** argv)
{
    Image shot;
    shot.width = argc == 3 ? std::atoi(argv[1]) : 0;
    shot.height = argc == 3 ? std::atoi(argv[2]) : 0;
    const std::string bytes(std::istreambuf_iterator<char>(std::cin), {});
    if (shot.width <= 0 || shot.height <= 0 ||
        bytes.size() != static_cast<std::size_t>(shot.width) * shot.height * 3) {
        std::cerr << "usage: strip_match WIDTH HEIGHT <RGB (got " << bytes.size() << " bytes)\n";
        return 2;
    }
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[i + k]); };
        shot.pixels.push_back(std::uint32_t{byte(0)} << 16 | byte(1) << 8 | byte(2));
    }
    // Frame -1: there are no reference frames to match.
    const ClosestReference best = closest_reference(shot, TESSEL_REFERENCES);
    std::cout << "closest of " << TESSEL_REFERENCES << ", frame " << best.frame << ": "
              << best.difference << "\n";
    return best.frame >= 0 && best.difference.passes() ? 0 : 1;
}
