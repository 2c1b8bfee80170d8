// The bounds-checked bit and byte reader.
#include "movie/bits.h"

namespace movie {

std::uint32_t Bits::ub(int count)
{
    if (count < 0 || count > 32) {
        fail();
        return 0;
    }
    if (static_cast<std::uint64_t>(count) > (data_.size() - byte_) * 8 - bit_) {
        fail();
        return 0;
    }
    std::uint64_t value = 0;
    while (count > 0) {
        const int take = count < 8 - bit_ ? count : 8 - bit_;
        const unsigned part = (data_[byte_] >> (8 - bit_ - take)) & ((1u << take) - 1);
        value = (value << take) | part;
        count -= take;
        bit_ += take;
        if (bit_ == 8) {
            bit_ = 0;
            ++byte_;
        }
    }
    return static_cast<std::uint32_t>(value);
}

std::int32_t Bits::sb(int count)
{
    const std::int64_t value = ub(count);
    if (count == 0 || failed_) return 0;
    const std::int64_t sign = std::int64_t{1} << (count - 1);
    return static_cast<std::int32_t>(value & sign ? value - 2 * sign : value);
}

float Bits::fb(int count)
{
    return static_cast<float>(sb(count)) / 65536.0f;
}

void Bits::align()
{
    if (bit_) {
        bit_ = 0;
        ++byte_;
    }
}

std::uint8_t Bits::u8()
{
    align();
    return static_cast<std::uint8_t>(ub(8));
}

std::uint16_t Bits::u16()
{
    const unsigned low = u8();
    const unsigned high = u8();
    return failed_ ? 0 : static_cast<std::uint16_t>(low | high << 8);
}

std::uint32_t Bits::u32()
{
    const std::uint32_t low = u16();
    const std::uint32_t high = u16();
    return failed_ ? 0 : low | high << 16;
}

std::span<const std::uint8_t> Bits::bytes(std::size_t count)
{
    align();
    if (count > data_.size() - byte_) {
        fail();
        return {};
    }
    const std::span<const std::uint8_t> out = data_.subspan(byte_, count);
    byte_ += count;
    return out;
}

void Bits::skip_string()
{
    align();
    while (byte_ < data_.size()) {
        if (data_[byte_++] == 0) return;
    }
    fail();
}

} // namespace movie
