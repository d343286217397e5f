// Line splitting and the "Format 100 M" layouts.
#pragma once

#include "engine/fields.h"

namespace qrv {

inline constexpr FieldSpan kControlLayout100MSpans[] = {
    {1, 8}, {9, 1}, {10, 6}, {16, 30}, {46, 1}, {47, 1}, {48, 6}, {54, 5}, {59, 11}, {70, 1}, {71, 8}};
inline constexpr FieldSpan kDetailLayout100MSpans[] = {{1, 10}, {11, 6}, {17, 1}, {18, 11}, {29, 50}};

inline constexpr FieldLayout kControlLayout100M{kControlLayout100MSpans};
inline constexpr FieldLayout kDetailLayout100M{kDetailLayout100MSpans};

// Cuts `line` by `layout`: never trims, never fails. A field the line ends
// inside is shorter, one it ends before is empty; bytes past the layout's
// last field belong to no field. The layout has at most Fields::kMaxCount entries.
Fields SplitRecord(std::string_view line, FieldLayout layout);

} // namespace qrv
