// Numbers in media-file texts.
//
// Every conversion in the engine accepts one and the same set of texts, and
// IsNumericText is true for exactly that set:
//
//   [spaces] [+ or -] digits [. [digits]] [spaces]
//   [spaces] [+ or -] . digits [spaces]
//
// where "digits" is one or more of 0-9 and a "," may stand between two
// digits of the whole part (1,234 and 1,2,3 read as 1234 and 123; ,1 and
// 1, do not). Only the space character counts as a blank. The empty text,
// a text of spaces, a lone sign or a lone "." are not numbers, nor is
// anything with another character in it (tabs, letters, a blank between
// sign and digits or inside the digits).
//
// A text outside that set is a conversion failure; a number outside the
// target's range is an overflow. Both are thrown as ConversionError, which
// carries the text so that a check run can say what stopped it.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qrv {

class ConversionError : public std::runtime_error {
  public:
    enum class Kind { NotANumber, Overflow };

    ConversionError(Kind kind, std::string_view text);

    Kind kind() const { return kind_; }
    // The text that failed, as it stood (code page 874 bytes).
    const std::string& text() const { return text_; }
    // The media-file field the text came from; empty until a caller names it.
    const std::string& field() const { return field_; }
    void setField(std::string field) { field_ = std::move(field); }

  private:
    Kind kind_;
    std::string text_;
    std::string field_;
};

// Runs f(); a ConversionError escaping it is tagged with `field` (unless an
// inner caller already named one) and passed on.
template <class F> decltype(auto) InField(const char* field, F&& f) {
    try {
        return f();
    } catch (ConversionError& e) {
        if (e.field().empty())
            e.setField(field);
        throw;
    }
}

namespace numeric_internal {
bool IsNumericText(std::string_view text);
std::int16_t ToInt16(std::string_view text);
inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether each of the eight bytes is 0-9: the high nibble is 3 and adding 6
// leaves it 3 (no carry can cross bytes once every high nibble is 3).
inline bool EightDigits(std::uint64_t bytes) {
    constexpr std::uint64_t kHigh = 0xF0F0F0F0F0F0F0F0u;
    constexpr std::uint64_t kThrees = 0x3030303030303030u;
    return (bytes & kHigh) == kThrees && ((bytes + 0x0606060606060606u) & kHigh) == kThrees;
}
} // namespace numeric_internal

static_assert(std::endian::native == std::endian::little,
              "the digit tests read eight characters as one little-endian number");

// Whether every character is a digit 0-9 (true for the empty text). Every
// field of a well-formed record is plain digits; this test runs several
// times a record, eight characters at a time.
inline bool AllDigits(std::string_view text) {
    std::size_t at = 0;
    for (; at + 8 <= text.size(); at += 8) {
        std::uint64_t bytes;
        std::memcpy(&bytes, text.data() + at, 8);
        if (!numeric_internal::EightDigits(bytes))
            return false;
    }
    for (; at < text.size(); ++at)
        if (!numeric_internal::IsDigit(text[at]))
            return false;
    return true;
}

// Plain digits, the fields of well-formed records, are answered here, off
// the general parser.
inline bool IsNumericText(std::string_view text) {
    if (!text.empty() && AllDigits(text))
        return true;
    return numeric_internal::IsNumericText(text);
}

// The one-character text at `at` (counted from 0), or the empty text past
// the end: how the checks and the hash cut an account or amount into digits.
inline std::string_view CharacterAt(std::string_view text, std::size_t at) {
    return at < text.size() ? std::string_view(text.data() + at, 1) : std::string_view{};
}

// Integers round half to even, as the currency conversion does at its fourth decimal.
inline std::int16_t ToInt16(std::string_view text) {
    if (text.size() == 1 && numeric_internal::IsDigit(text[0]))
        return static_cast<std::int16_t>(text[0] - '0');
    return numeric_internal::ToInt16(text);
}
std::int32_t ToInt32(std::string_view text);

namespace numeric_internal {
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
} // namespace numeric_internal

// The sum of weights[i] x the digit at i, for a text that begins with as
// many plain digits as there are weights (non-negative, at most 1000).
inline int PlainWeightedSum(std::string_view digits, std::span<const int> weights) {
    int sum = 0;
    std::size_t i = 0;
    if (weights.size() >= 8) {
        std::uint64_t characters;
        std::memcpy(&characters, digits.data(), 8);
        sum = numeric_internal::EightWeightedDigits(characters, weights.first<8>());
        i = 8;
    }
    for (; i < weights.size(); ++i)
        sum += weights[i] * (digits[i] - '0');
    return sum;
}

// The sum of weights[i] x the digit at i, for every weight: each character
// read as ToInt16 reads a one-character text, so one that is not a digit, or
// a position past the end, throws ConversionError. The check digit and the
// hash weigh every record's digits this way.
inline int WeightedDigitSum(std::string_view text, std::span<const int> weights) {
    if (text.size() >= weights.size() && AllDigits(text.substr(0, weights.size())))
        return PlainWeightedSum(text, weights);
    int sum = 0;
    for (std::size_t i = 0; i < weights.size(); ++i)
        sum += weights[i] * ToInt16(CharacterAt(text, i));
    return sum;
}

// Currency: a fixed-point number with four decimals, held as ten-thousandths.
std::int64_t ToCurrency(std::string_view text);
double ToDouble(std::string_view text);

// Space characters removed from both ends; other white space stays.
std::string_view Trim(std::string_view text);
// ASCII letters to upper case; every other byte (Thai included) unchanged.
std::string UpperCase(std::string_view text);

// Whole currency units with "," grouping, no leading zeros, the empty text
// for zero (the pattern "#,###,###,###"); rounds half to even.
std::string FormatGroupedWhole(std::int64_t currency);
// A number with exactly two decimals, "," grouping, a leading zero below 1
// and a leading "-" when negative: 1,234,567.80 and 0.00.
std::string FormatTwoDecimals(double value);

// ImpliedDecimalAmount of an amount of at most 15 plain digits over its
// full width, as in well-formed files: the scaled integer is exact, and one
// correctly rounded division by 100 gives the very double that reading the
// decimal text would.
inline double PlainImpliedDecimalAmount(std::string_view digits) {
    std::uint64_t cents = 0;
    std::size_t i = 0;
    if (digits.size() >= 8) {
        std::uint64_t characters;
        std::memcpy(&characters, digits.data(), 8);
        cents = numeric_internal::EightDigitsValue(characters);
        i = 8;
    }
    for (; i < digits.size(); ++i)
        cents = cents * 10 + static_cast<std::uint64_t>(digits[i] - '0');
    return static_cast<double>(cents) / 100.0;
}

namespace numeric_internal {
double ImpliedDecimalText(std::string_view field, std::size_t wholeLength);
}

// The first `wholeLength` characters, ".", and the last two characters of an
// amount field, read as a double: the implied-decimal arithmetic of the runs.
inline double ImpliedDecimalAmount(std::string_view field, std::size_t wholeLength) {
    if (field.size() == wholeLength + 2 && wholeLength <= 13 && AllDigits(field))
        return PlainImpliedDecimalAmount(field);
    return numeric_internal::ImpliedDecimalText(field, wholeLength);
}
// Whether two totals agree to 15 significant digits.
bool SameTo15Digits(double a, double b);

} // namespace qrv
