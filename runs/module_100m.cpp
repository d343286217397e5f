#include "runs/module_100m.h"

#include "runs/control_check.h"
#include "runs/format.h"

namespace qrv {

bool CheckControlRecord100M(const Fields& control, ResultWindow& window) {
    return CheckControlRecord(control, FormatTable(Format::M100).applyCodes, window);
}

RunResult CheckFile100M(const std::string& mediaPath, ResultWindow& window, UserPort& user) {
    return CheckFile(Format::M100, mediaPath, window, user);
}

} // namespace qrv
