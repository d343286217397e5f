// The run on screen, as far as its covering letter needs it.
#pragma once

#include "advisories/advisory.h"
#include "runs/format.h"

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace qrv::gui {

// Kept from a run that reached the end of its media file, so that the letter
// restates that run's own figures and never a file someone may have replaced since.
struct CheckedRun {
    Format format = Format::M10;
    QString mediaFile;
    std::string controlLine; // as the run wrote it into its summary file
    std::int32_t hashTotal = 0;
    std::int64_t rejected = 0;   // detail records the run rejected
    bool totalsDisagree = false; // the details' totals differ from the control record's
    std::vector<Advisory> advisories{};
};

// "letter-012345-150124.txt": the company code and effective date of the control record.
QString LetterFileName(const CheckedRun& run);
// Why the file behind the letter does not reconcile, and what its advisories
// say; empty when there is nothing to say.
QString LetterWarning(const CheckedRun& run);

} // namespace qrv::gui
