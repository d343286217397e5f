// "Format 10 M": its layouts, its control record checks and its check run.
#pragma once

#include "runs/check_run.h"

namespace qrv {

inline constexpr FieldSpan kControlLayout10MSpans[] = {{1, 9},  {10, 1}, {11, 6},  {17, 30}, {47, 1}, {48, 1},
                                                       {49, 6}, {55, 5}, {60, 10}, {70, 1},  {71, 8}};
inline constexpr FieldSpan kDetailLayout10MSpans[] = {{1, 10}, {11, 6}, {17, 1}, {18, 9}, {27, 52}};

inline constexpr FieldLayout kControlLayout10M{kControlLayout10MSpans};
inline constexpr FieldLayout kDetailLayout10M{kDetailLayout10MSpans};

// Appends a ListErr line per failed check; true when any failed.
bool CheckControlRecord10M(const Fields& control, ResultWindow& window);

const RunFormat& RunFormat10M();

RunResult CheckFile10M(const std::string& mediaPath, ResultWindow& window, UserPort& user);

} // namespace qrv
