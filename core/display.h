// Media-file values as the result window and the letter show them.
#pragma once

#include "core/digit_sums.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qrv {

// An amount with `decimals` implied decimals for display: the whole part
// grouped with "," (empty for zero), ".", and the decimals as they stand.
// 00012345678 gives 123,456.78 and 00000000005 gives .05. Throws
// ConversionError when the text has `decimals` characters or fewer or its
// whole part is not a number.
std::string FormatAmount(std::string_view text, int decimals);

// A DDMMYY field for display: 311206 gives 31/12/06, untested; a shorter
// field gives what exists around the slashes ("" gives //).
std::string RenderDate(std::string_view field);
// The field that RenderDate rendered as `shown`: DateField(RenderDate(f)) is
// f for every field of up to six characters.
std::string DateField(std::string_view shown);

// Whole currency units with "," grouping, no leading zeros, the empty text
// for zero (the pattern "#,###,###,###"); rounds half to even.
std::string FormatGroupedWhole(std::int64_t currency);
// Hundredths with exactly two decimals, "," grouping, a leading zero below 1
// and a leading "-" when negative: 1,234,567.80 and 0.00.
std::string FormatCents(WideCents cents);
// The same without the grouping: 1234567.80, 0.05, -3.00.
std::string DecimalText(WideCents cents);

} // namespace qrv
