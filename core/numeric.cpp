#include "core/numeric.h"

#include "core/text.h"

#include <limits>
#include <optional>

namespace qrv {

namespace {

// A text of the accepted form, cut into its parts; `whole` may hold commas.
struct NumberParts {
    bool negative = false;
    std::string_view whole;
    std::string_view fraction;
};

std::optional<NumberParts> Parse(std::string_view text) {
    text = Trim(text);
    NumberParts parts;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        parts.negative = text[i] == '-';
        ++i;
    }
    const std::size_t wholeStart = i;
    while (i < text.size() &&
           (IsDigit(text[i]) || (text[i] == ',' && i > wholeStart && IsDigit(text[i - 1]) &&
                                 i + 1 < text.size() && IsDigit(text[i + 1]))))
        ++i;
    parts.whole = text.substr(wholeStart, i - wholeStart);
    if (i < text.size() && text[i] == '.') {
        const std::size_t fractionStart = ++i;
        while (i < text.size() && IsDigit(text[i]))
            ++i;
        parts.fraction = text.substr(fractionStart, i - fractionStart);
    }
    if (i != text.size() || (parts.whole.empty() && parts.fraction.empty()))
        return std::nullopt;
    return parts;
}

NumberParts ParseOrThrow(std::string_view text) {
    auto parts = Parse(text);
    if (!parts)
        throw ConversionError(ConversionError::Kind::NotANumber, text);
    return *parts;
}

// The number scaled by 10^decimals and rounded half to even, within +-limit.
std::int64_t ScaledInteger(std::string_view text, int decimals, std::uint64_t limit) {
    const NumberParts parts = ParseOrThrow(text);
    const auto overflow = [&] {
        return ConversionError(ConversionError::Kind::Overflow, text);
    };
    std::uint64_t value = 0;
    const auto push = [&](char digit) {
        const auto d = static_cast<std::uint64_t>(digit - '0');
        if (value > (limit - d) / 10)
            throw overflow();
        value = value * 10 + d;
    };
    for (char c : parts.whole)
        if (c != ',')
            push(c);
    for (int k = 0; k < decimals; ++k)
        push(k < static_cast<int>(parts.fraction.size()) ? parts.fraction[k] : '0');

    const std::string_view rest =
        parts.fraction.size() > static_cast<std::size_t>(decimals) ? parts.fraction.substr(decimals) : "";
    bool roundUp = false;
    if (!rest.empty()) {
        const bool moreAfterFirst = rest.find_first_not_of('0', 1) != std::string_view::npos;
        roundUp = rest[0] > '5' || (rest[0] == '5' && (moreAfterFirst || value % 2 == 1));
    }
    if (roundUp) {
        if (value == limit)
            throw overflow();
        ++value;
    }
    return parts.negative ? -static_cast<std::int64_t>(value) : static_cast<std::int64_t>(value);
}

template <class Int> Int ToInteger(std::string_view text) {
    const std::int64_t value = ScaledInteger(text, 0, std::numeric_limits<std::uint64_t>::max() / 2);
    if (value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max())
        throw ConversionError(ConversionError::Kind::Overflow, text);
    return static_cast<Int>(value);
}

} // namespace

ConversionError::ConversionError(Kind kind, std::string_view text)
    : std::runtime_error(kind == Kind::NotANumber ? "not a number" : "number out of range"), kind_(kind),
      text_(text) {}

bool numeric_internal::IsNumericText(std::string_view text) {
    return Parse(text).has_value();
}

std::int16_t numeric_internal::ToInt16(std::string_view text) {
    return ToInteger<std::int16_t>(text);
}
std::int32_t ToInt32(std::string_view text) {
    return ToInteger<std::int32_t>(text);
}

std::int64_t ToCurrency(std::string_view text) {
    return ScaledInteger(text, 4, static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()));
}

std::int64_t ToCents(std::string_view text) {
    return ScaledInteger(text, 2, static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()));
}

} // namespace qrv
