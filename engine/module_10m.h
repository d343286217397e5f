// "Format 10 M": its control record checks and its check run.
#pragma once

#include "engine/check_run.h"

namespace qrv {

// Appends a ListErr line per failed check; true when any failed. The line
// itself is not read.
bool CheckControlRecord10M(const Fields& control, std::string_view line, ResultWindow& window);

RunResult CheckFile10M(const std::string& mediaPath, ResultWindow& window, UserPort& user);

} // namespace qrv
