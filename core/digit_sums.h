// Weighted digit sums and implied-decimal amounts. Each comes twice: a
// general rule that reads any text as the conversions do, and a fast one for
// plain digits, which well-formed records hold. The fast one must give what
// the general one gives for those texts; the engine tests hold them equal.
#pragma once

#include "core/digits.h"
#include "core/numeric.h"

#include <cstdint>
#include <span>
#include <string>
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

// The amounts of a whole file, in hundredths, added without rounding: more
// than 2^63 hundredths can only come from billions of records, but nothing
// short of that may be lost.
__extension__ typedef __int128 WideCents;

// AmountCents of an amount of at most 18 plain digits over its full width,
// as in well-formed files.
inline std::int64_t PlainAmountCents(std::string_view digits) {
    std::int64_t cents = 0;
    std::size_t i = 0;
    if (digits.size() >= 8) {
        cents = static_cast<std::int64_t>(EightDigitsValue(EightCharacters(digits.data())));
        i = 8;
    }
    for (; i < digits.size(); ++i)
        cents = cents * 10 + (digits[i] - '0');
    return cents;
}

// The text the runs build from an amount field: its first `wholeLength`
// characters, ".", and its last two characters.
std::string ImpliedDecimalText(std::string_view field, std::size_t wholeLength);

// The implied-decimal amount of a field in hundredths, exactly: the
// ImpliedDecimalText read as a number. Its fraction has at most the two
// digits of the field's end. A text that is not a number throws ConversionError.
inline std::int64_t AmountCents(std::string_view field, std::size_t wholeLength) {
    if (field.size() == wholeLength + 2 && wholeLength <= 16 && AllDigits(field))
        return PlainAmountCents(field);
    return ToCents(ImpliedDecimalText(field, wholeLength));
}

} // namespace qrv
