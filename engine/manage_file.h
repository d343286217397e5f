// The "Format 10 M" layouts and amount display.
#pragma once

#include "engine/fields.h"

#include <string>
#include <string_view>

namespace qrv {

inline constexpr FieldSpan kControlLayout10MSpans[] = {{1, 9},  {10, 1}, {11, 6},  {17, 30}, {47, 1}, {48, 1},
                                                       {49, 6}, {55, 5}, {60, 10}, {70, 1},  {71, 8}};
inline constexpr FieldSpan kDetailLayout10MSpans[] = {{1, 10}, {11, 6}, {17, 1}, {18, 9}, {27, 52}};

inline constexpr FieldLayout kControlLayout10M{kControlLayout10MSpans};
inline constexpr FieldLayout kDetailLayout10M{kDetailLayout10MSpans};

// An amount with `decimals` implied decimals for display: the whole part
// grouped with "," (empty for zero), ".", and the decimals as they stand.
// 00012345678 gives 123,456.78 and 00000000005 gives .05. Throws
// ConversionError when the text has `decimals` characters or fewer or its
// whole part is not a number.
std::string FormatAmount(std::string_view text, int decimals);

// A DDMMYY field for display: 311206 gives 31/12/06, untested; a shorter
// field gives what exists around the slashes ("" gives //).
std::string RenderDate(std::string_view field);

} // namespace qrv
