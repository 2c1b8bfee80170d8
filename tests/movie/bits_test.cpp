// The bit reader: field order, signs, fields across bytes, alignment, strings, and the end of the
// data.
#include "movie/bits.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

TEST(Bits, ReadsFieldsAndStringsInOrderAndGivesNothingPastTheEnd)
{
    // u: unsigned bits, s: signed bits, f: 16.16 fixed bits (times 65536), 1/2/4: whole bytes;
    // z: a string passed over, b: that many bytes (how many came), r: the bytes remaining.
    struct Read {
        char kind;
        int bits;
        long long value;
    };
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
        std::vector<Read> reads;
        bool failed;
    } cases[] = {
        // clang-format off
        {"most significant bit first", {0b1011'0010}, {{'u', 3, 0b101}, {'u', 5, 0b10010}}, false},
        {"a field across bytes", {0b0000'0111, 0b1100'0000}, {{'u', 5, 0}, {'u', 5, 0b11111}}, false},
        {"signed fields", {0b1110'1101}, {{'s', 3, -1}, {'s', 3, 3}, {'s', 2, 1}}, false},
        {"the most negative", {0x80, 0, 0, 0}, {{'s', 32, INT_MIN}}, false},
        {"32 bits", {0xFF, 0xFF, 0xFF, 0xFE}, {{'u', 32, 0xFFFFFFFE}}, false},
        {"zero bits", {}, {{'u', 0, 0}, {'s', 0, 0}}, false},
        {"16.16 fixed point", {0b1100'0000, 0, 0}, {{'f', 18, -65536}}, false},
        {"whole values start at a byte, little-endian", {0x80, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12},
         {{'u', 1, 1}, {'2', 0, 0x1234}, {'4', 0, 0x12345678}}, false},
        {"past the end", {0xFF}, {{'u', 4, 15}, {'u', 5, 0}, {'u', 1, 0}}, true},
        {"a whole value past the end", {0x01}, {{'2', 0, 0}, {'1', 0, 0}}, true},
        {"more than 32 bits", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, {{'u', 33, 0}}, true},
        {"a string, then bytes past the end", {'a', 'b', 0, 7, 8},
         {{'z', 0, 0}, {'1', 0, 7}, {'b', 2, 0}}, true},
        {"a string without its end", {'a', 'b'}, {{'z', 0, 0}, {'r', 0, 0}}, true},
        // clang-format on
    };
    for (const auto& c : cases) {
        movie::Bits in(c.bytes);
        for (const Read& r : c.reads) {
            long long got = 0;
            switch (r.kind) {
            case 'u': got = in.ub(r.bits); break;
            case 's': got = in.sb(r.bits); break;
            case 'f': got = static_cast<long long>(in.fb(r.bits) * 65536); break;
            case '1': got = in.u8(); break;
            case '2': got = in.u16(); break;
            case '4': got = in.u32(); break;
            case 'z': in.skip_string(); break;
            case 'b': got = static_cast<long long>(in.bytes(r.bits).size()); break;
            case 'r': got = static_cast<long long>(in.remaining()); break;
            }
            EXPECT_EQ(got, r.value) << c.what;
        }
        EXPECT_EQ(in.failed(), c.failed) << c.what;
    }
}

} // namespace
