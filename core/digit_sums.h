// Weighted digit sums and implied-decimal amounts. Each comes twice: a
// general rule that reads any text as the conversions do, and a fast one for
// plain digits, which well-formed records hold. The fast one must give what
// the general one gives for those texts; the engine tests hold them equal.
#pragma once

#include "core/digits.h"
#include "core/numeric.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace qrv {

// The sum of weights[i] x the digit at i, for a text that begins with as
// many plain digits as there are weights (non-negative, at most 1000).
inline int PlainWeightedSum(std::string_view digits, std::span<const int> weights) {
    int sum = 0;
    std::size_t i = 0;
    if (weights.size() >= 8) {
        sum = EightWeightedDigits(EightCharacters(digits.data()), weights.first<8>());
        i = 8;
    }
    for (; i < weights.size(); ++i)
        sum += weights[i] * (digits[i] - '0');
    return sum;
}

// The sum of weights[i] x the digit at i, for every weight: each character
// read as ToInt16 reads a one-character text, so one that is not a digit, or
// a position past the end (the empty text), throws ConversionError. The
// check digit and the hash weigh every record's digits this way.
inline int WeightedDigitSum(std::string_view text, std::span<const int> weights) {
    if (text.size() >= weights.size() && AllDigits(text.substr(0, weights.size())))
        return PlainWeightedSum(text, weights);
    int sum = 0;
    for (std::size_t i = 0; i < weights.size(); ++i)
        sum += weights[i] * ToInt16(i < text.size() ? text.substr(i, 1) : std::string_view{});
    return sum;
}

// ImpliedDecimalAmount of an amount of at most 15 plain digits over its
// full width, as in well-formed files: the scaled integer is exact, and one
// correctly rounded division by 100 gives the very double that reading the
// decimal text would.
inline double PlainImpliedDecimalAmount(std::string_view digits) {
    std::uint64_t cents = 0;
    std::size_t i = 0;
    if (digits.size() >= 8) {
        cents = EightDigitsValue(EightCharacters(digits.data()));
        i = 8;
    }
    for (; i < digits.size(); ++i)
        cents = cents * 10 + static_cast<std::uint64_t>(digits[i] - '0');
    return static_cast<double>(cents) / 100.0;
}

// The text the runs build from an amount field, read as a double: its first
// `wholeLength` characters, ".", and its last two characters.
double ImpliedDecimalText(std::string_view field, std::size_t wholeLength);

// The implied-decimal arithmetic of the runs: ImpliedDecimalText, taken by
// the fast rule when the field is plain digits of its full width.
inline double ImpliedDecimalAmount(std::string_view field, std::size_t wholeLength) {
    if (field.size() == wholeLength + 2 && wholeLength <= 13 && AllDigits(field))
        return PlainImpliedDecimalAmount(field);
    return ImpliedDecimalText(field, wholeLength);
}

// Whether two totals agree to 15 significant digits.
bool SameTo15Digits(double a, double b);

} // namespace qrv
