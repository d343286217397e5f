// Digit characters read eight at a time. Every field of a well-formed record
// is plain digits, and these tests and sums run several times a record.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace qrv {

static_assert(std::endian::native == std::endian::little,
              "the digit tests read eight characters as one little-endian number");

inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Eight characters as one number, character i in byte i.
inline std::uint64_t EightCharacters(const char* at) {
    std::uint64_t bytes;
    std::memcpy(&bytes, at, 8);
    return bytes;
}

// Whether each of the eight bytes is 0-9: the high nibble is 3 and adding 6
// leaves it 3 (no carry can cross bytes once every high nibble is 3).
inline bool EightDigits(std::uint64_t bytes) {
    constexpr std::uint64_t kHigh = 0xF0F0F0F0F0F0F0F0u;
    constexpr std::uint64_t kThrees = 0x3030303030303030u;
    return (bytes & kHigh) == kThrees && ((bytes + 0x0606060606060606u) & kHigh) == kThrees;
}

// Whether every character is a digit 0-9 (true for the empty text).
inline bool AllDigits(std::string_view text) {
    std::size_t at = 0;
    for (; at + 8 <= text.size(); at += 8)
        if (!EightDigits(EightCharacters(text.data() + at)))
            return false;
    for (; at < text.size(); ++at)
        if (!IsDigit(text[at]))
            return false;
    return true;
}

// The sum of weights[i] x digit i over eight digit characters, byte i of
// `characters` holding character i. The even and the odd digits are spread
// into 16-bit lanes and each multiplied by their weights in reverse lane
// order, so that the top lane of each product collects its sum; no lane
// exceeds 4 x 9 x the largest weight, far below 65536.
inline int EightWeightedDigits(std::uint64_t characters, std::span<const int, 8> weights) {
    constexpr std::uint64_t kLanes = 0x00FF00FF00FF00FFu;
    const std::uint64_t digits = characters - 0x3030303030303030u;
    const auto reversed = [&](std::size_t first) {
        return static_cast<std::uint64_t>(weights[first + 6]) |
               static_cast<std::uint64_t>(weights[first + 4]) << 16 |
               static_cast<std::uint64_t>(weights[first + 2]) << 32 |
               static_cast<std::uint64_t>(weights[first]) << 48;
    };
    const std::uint64_t even = (digits & kLanes) * reversed(0);
    const std::uint64_t odd = ((digits >> 8) & kLanes) * reversed(1);
    return static_cast<int>((even >> 48) + (odd >> 48));
}

// The number that eight digit characters write, byte i of `characters`
// holding character i (the most significant first): neighbouring digits
// are paired into two-digit numbers, and two multiplications place the four
// pairs at their powers of 100.
inline std::uint64_t EightDigitsValue(std::uint64_t characters) {
    std::uint64_t pairs = characters - 0x3030303030303030u;
    pairs = pairs * 10 + (pairs >> 8);
    constexpr std::uint64_t kFirstAndThird = 0x000000FF000000FFu;
    return ((pairs & kFirstAndThird) * (100 + (1000000ull << 32)) +
            ((pairs >> 16) & kFirstAndThird) * (1 + (10000ull << 32))) >>
           32;
}

} // namespace qrv
