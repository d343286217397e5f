// "Format 100 M": its layouts, its control record checks and its check run.
#pragma once

#include "runs/check_run.h"

namespace qrv {

inline constexpr FieldSpan kControlLayout100MSpans[] = {
    {1, 8}, {9, 1}, {10, 6}, {16, 30}, {46, 1}, {47, 1}, {48, 6}, {54, 5}, {59, 11}, {70, 1}, {71, 8}};
inline constexpr FieldSpan kDetailLayout100MSpans[] = {{1, 10}, {11, 6}, {17, 1}, {18, 11}, {29, 50}};

inline constexpr FieldLayout kControlLayout100M{kControlLayout100MSpans};
inline constexpr FieldLayout kDetailLayout100M{kDetailLayout100MSpans};

// Appends a ListErr line per failed check; true when any failed.
bool CheckControlRecord100M(const Fields& control, ResultWindow& window);

const RunFormat& RunFormat100M();

RunResult CheckFile100M(const std::string& mediaPath, ResultWindow& window, UserPort& user);

} // namespace qrv
