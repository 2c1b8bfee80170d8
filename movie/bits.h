// Reads the movie format's fields from bytes: bit fields most significant bit first, whole values
// little-endian. Reading past the end never touches memory: it marks the reader failed and gives 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace movie {

class Bits {
public:
    Bits() = default;
    explicit Bits(std::span<const std::uint8_t> data) : data_(data) {}

    // Unsigned and signed bit fields of 0 to 32 bits, and 16.16 fixed-point ones.
    std::uint32_t ub(int count);
    std::int32_t sb(int count);
    float fb(int count);

    // Whole values start at the next byte.
    void align();
    std::uint8_t u8();
    std::uint16_t u16();
    std::uint32_t u32();
    std::int16_t s16() { return static_cast<std::int16_t>(u16()); }
    // The next `count` bytes, or none (and failed) when fewer are left.
    std::span<const std::uint8_t> bytes(std::size_t count);
    // Past a string and its terminating zero.
    void skip_string();

    std::size_t remaining() const { return data_.size() - byte_ - (bit_ ? 1 : 0); }
    bool failed() const { return failed_; }
    void fail()
    {
        failed_ = true;
        byte_ = data_.size();
        bit_ = 0;
    }

private:
    std::span<const std::uint8_t> data_;
    std::size_t byte_ = 0;
    int bit_ = 0; // bits of data_[byte_] already read
    bool failed_ = false;
};

} // namespace movie
