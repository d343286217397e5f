#include "hash/hash.h"

#include "engine/mod_center.h"
#include "engine/numeric.h"

#include <array>

namespace qrv {

namespace {

template <std::size_t N> constexpr std::array<FieldSpan, N> OneCharacterFields() {
    std::array<FieldSpan, N> spans{};
    for (std::size_t i = 0; i < N; ++i)
        spans[i] = FieldSpan{static_cast<unsigned char>(i + 1), 1};
    return spans;
}

constexpr auto kAccountDigitLayout = OneCharacterFields<10>();
constexpr auto kAmountDigitLayout = OneCharacterFields<11>();

// Sum of digit(i) x (firstWeight - i) over the one-character fields of
// `layout`, cut from `zeros` characters "0" followed by `text`. The zeros
// add nothing, so only the characters of `text` are read, in place: this
// runs for every accepted record. Digits only, so it stays far below 16
// bits (at most 9 x 77).
int WeightedSum(std::string_view text, std::size_t zeros, FieldLayout layout, int firstWeight) {
    int sum = 0;
    for (std::size_t i = zeros; i < layout.size(); ++i)
        sum += ToInt16(CharacterAt(text, i - zeros)) * (firstWeight - static_cast<int>(i));
    return sum;
}

} // namespace

std::string ZeroString(int n) {
    return n > 0 ? std::string(static_cast<std::size_t>(n), '0') : std::string();
}

std::int32_t HashRecord(std::string_view account, std::string_view amount) {
    const int s1 = InField("AccountNo", [&] { return WeightedSum(account, 0, kAccountDigitLayout, 10); });
    // The amount right-aligned in twelve characters, as ZeroString would pad it.
    const std::size_t zeros = amount.size() < 12 ? 12 - amount.size() : 0;
    const int s2 = InField("Amount", [&] { return WeightedSum(amount, zeros, kAmountDigitLayout, 12); });
    return s1 * s2;
}

std::int32_t AddToHashTotal(std::int32_t total, std::int32_t record) {
    return (total + record) % kHashModulus;
}

} // namespace qrv
