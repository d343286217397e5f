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

#include "core/digits.h"

#include <cstdint>
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
} // namespace numeric_internal

// Plain digits, the fields of well-formed records, are answered here, off
// the general parser.
inline bool IsNumericText(std::string_view text) {
    if (!text.empty() && AllDigits(text))
        return true;
    return numeric_internal::IsNumericText(text);
}

// Integers round half to even, as the currency conversion does at its fourth decimal.
inline std::int16_t ToInt16(std::string_view text) {
    if (text.size() == 1 && IsDigit(text[0]))
        return static_cast<std::int16_t>(text[0] - '0');
    return numeric_internal::ToInt16(text);
}
std::int32_t ToInt32(std::string_view text);

// Currency: a fixed-point number with four decimals, held as ten-thousandths.
std::int64_t ToCurrency(std::string_view text);
// A number in hundredths, exactly for a text with at most two decimals;
// further decimals round half to even.
std::int64_t ToCents(std::string_view text);

} // namespace qrv
