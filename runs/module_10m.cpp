#include "runs/module_10m.h"

#include "runs/control_check.h"
#include "runs/format.h"

namespace qrv {

bool CheckControlRecord10M(const Fields& control, ResultWindow& window) {
    return CheckControlRecord(control, FormatTable(Format::M10).applyCodes, window);
}

RunResult CheckFile10M(const std::string& mediaPath, ResultWindow& window, UserPort& user) {
    return CheckFile(Format::M10, mediaPath, window, user);
}

} // namespace qrv
