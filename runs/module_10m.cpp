#include "runs/module_10m.h"

#include "runs/control_check.h"

namespace qrv {

bool CheckControlRecord10M(const Fields& control, ResultWindow& window) {
    static constexpr std::string_view kApplyCodes[] = {"D", "I", "P", "Z", "C", "S", "G", "X",
                                                       "1", "T", "E", "W", "6", "0", "4"};
    return CheckControlRecord(control, kApplyCodes, window);
}

const RunFormat& RunFormat10M() {
    static const RunFormat format{
        .controlLayout = kControlLayout10M,
        .detailLayout = kDetailLayout10M,
        .checkControlRecord = CheckControlRecord10M,
        .passesFormatGate =
            [](std::string_view termPayment) {
                return termPayment == "M" || termPayment == "H" || termPayment == "W";
            },
        .columns = {{"NO.", 600, Alignment::Left},
                    {"Account NO.", 2000, Alignment::Center},
                    {"Effective Date", 1500, Alignment::Center},
                    {"Sign", 600, Alignment::Center},
                    {"Amount", 2000, Alignment::Right},
                    {"Reason", 5000, Alignment::Left}},
        .columnsBeforeOpen = true,
        .detailWholeLength = 7,
        .controlWholeLength = 8,
        .narrowCounters = false,
    };
    return format;
}

RunResult CheckFile10M(const std::string& mediaPath, ResultWindow& window, UserPort& user) {
    return RunCheck(RunFormat10M(), mediaPath, window, user);
}

} // namespace qrv
