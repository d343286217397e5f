#include "runs/ports.h"

#include <algorithm>
#include <iterator>

namespace qrv {

std::string_view LabelName(Label label) {
    static constexpr std::string_view kNames[kLabelCount] = {
        "Label1",   "HashValue",    "Term_p",       "Com_code", "Com_name", "App_code", "status",
        "Eff_date", "Total_record", "Total_amount", "Media",    "Label24",  "Label26"};
    return kNames[static_cast<std::size_t>(label)];
}

const LabelCaption& CaptionOf(Label label) {
    return *std::find_if(std::begin(kLabelCaptions), std::end(kLabelCaptions),
                         [&](const LabelCaption& caption) { return caption.value == label; });
}

} // namespace qrv
