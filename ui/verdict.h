// The one line the status bar shows after a run: can the file go to the bank?
#pragma once

#include "runs/check_run.h"
#include "runs/format.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace qrv::gui {

// What a run put into the result window, counted as it went.
struct RunCounts {
    std::int64_t rejected = 0;   // rows added to ListView1
    std::int64_t messages = 0;   // lines added to ListErr
    QString records;             // Label24, the detail records counted
    std::int64_t advisories = 0; // found beside the checks, never in the window's lists
};

// What the media file looks like, where that tells the clerk what went wrong.
struct FileLook {
    std::optional<Format> format;    // the format whose gate alone its first line passes
    std::optional<ForeignText> text; // what it is instead of code page 874 text
};

// The look of a Wrong Format run names the format the file seems to be in;
// a count of advisories follows the rest: "..., 3 advisories".
QString Verdict(const QString& mediaFile, Format format, const RunResult& result, const RunCounts& counts,
                const FileLook& look = {});

} // namespace qrv::gui
