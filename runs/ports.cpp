#include "runs/ports.h"

namespace qrv {

std::string_view LabelName(Label label) {
    static constexpr std::string_view kNames[kLabelCount] = {
        "Label1",   "HashValue",    "Term_p",       "Com_code", "Com_name", "App_code", "status",
        "Eff_date", "Total_record", "Total_amount", "Media",    "Label24",  "Label26"};
    return kNames[static_cast<std::size_t>(label)];
}

} // namespace qrv
