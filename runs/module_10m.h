// "Format 10 M": its control record checks and its check run, by the
// format's row of the table in format.cpp.
#pragma once

#include "runs/check_run.h"

namespace qrv {

// Appends a ListErr line per failed check; true when any failed.
bool CheckControlRecord10M(const Fields& control, ResultWindow& window);

RunResult CheckFile10M(const std::string& mediaPath, ResultWindow& window, UserPort& user);

} // namespace qrv
