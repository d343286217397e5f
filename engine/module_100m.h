// "Format 100 M": its control record checks and its check run.
#pragma once

#include "engine/check_run.h"

namespace qrv {

// Appends a ListErr line per failed check; true when any failed. The line
// itself is not read.
bool CheckControlRecord100M(const Fields& control, std::string_view line, ResultWindow& window);

RunResult CheckFile100M(const std::string& mediaPath, ResultWindow& window, UserPort& user);

} // namespace qrv
