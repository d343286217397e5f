#include "runs/module_100m.h"

#include "runs/control_check.h"

namespace qrv {

bool CheckControlRecord100M(const Fields& control, ResultWindow& window) {
    static constexpr std::string_view kApplyCodes[] = {"D", "I", "P", "B", "Z", "C", "S", "G",
                                                       "X", "1", "T", "E", "W", "6", "0", "4"};
    return CheckControlRecord(control, kApplyCodes, window);
}

const RunFormat& RunFormat100M() {
    static const RunFormat format{
        .controlLayout = kControlLayout100M,
        .detailLayout = kDetailLayout100M,
        .checkControlRecord = CheckControlRecord100M,
        .passesFormatGate = [](std::string_view termPayment) { return !termPayment.empty(); },
        .columns = {{"NO.", 600, Alignment::Left},
                    {"Account NO.", 2000, Alignment::Left},
                    {"Effective Date", 1500, Alignment::Left},
                    {"Sign", 600, Alignment::Left},
                    {"Amount", 3000, Alignment::Left},
                    {"Reason", 5000, Alignment::Left}},
        .columnsBeforeOpen = false,
        .detailWholeLength = 9,
        .controlWholeLength = 9,
        .narrowCounters = true,
    };
    return format;
}

RunResult CheckFile100M(const std::string& mediaPath, ResultWindow& window, UserPort& user) {
    return RunCheck(RunFormat100M(), mediaPath, window, user);
}

} // namespace qrv
