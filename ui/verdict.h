// The one line the status bar shows after a run: can the file go to the bank?
#pragma once

#include "runs/check_run.h"
#include "runs/format.h"

#include <QString>
#include <cstdint>

namespace qrv::gui {

// What a run put into the result window, counted as it went.
struct RunCounts {
    std::int64_t rejected = 0; // rows added to ListView1
    std::int64_t messages = 0; // lines added to ListErr
    QString records;           // Label24, the detail records counted
};

QString Verdict(const QString& mediaFile, Format format, const RunResult& result, const RunCounts& counts);

} // namespace qrv::gui
