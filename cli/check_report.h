// What one qrv-check run reports: the outcome of the check, the result
// window as the run left it and the message boxes it showed.
#pragma once

#include "cli/row_spool.h"
#include "runs/check_run.h"
#include "runs/format.h"
#include "runs/held_ports.h"

#include <ostream>
#include <string_view>

namespace qrv::cli {

struct CheckReport {
    std::string_view mediaPath; // as given
    Format format;
    const RunResult& result;
    const HeldWindow& window; // reported only when it exists
    const RowSpool& rows;
    const std::vector<HeldMessage>& messages;
};

// As the desktop program does, a run that stopped before the end of its file
// leaves PrintSendData disabled, whatever activation would do.
bool PrintEnabled(const CheckReport& report);

// "finished", "wrong_format", "control_rejected" or "run_error".
std::string_view OutcomeName(RunOutcome outcome);
// 0: finished without a finding; 1: findings, or the control record was
// rejected; 2: the file is not of the format, or the run stopped.
int ExitStatus(const RunResult& result);

// A summary path as text: the file system's own bytes when they are UTF-8,
// otherwise code page 874 (the company code in it comes from the media file).
std::string PathText(std::string_view path);

// UTF-8 text with its control characters (C0, DEL and C1) written as \xHH,
// so that no text from a media file reaches a terminal as a command.
std::string EscapeControls(std::string_view utf8);

enum class JsonLayout {
    Indented, // the object over several lines, indented by two
    Line,     // the object on one line, for JSON Lines
};

void WriteJsonReport(std::ostream& out, const CheckReport& report, JsonLayout layout);
void WriteTextReport(std::ostream& out, const CheckReport& report);
// The rejected records as CSV lines, without the header.
void WriteCsvRows(std::ostream& out, const CheckReport& report);

} // namespace qrv::cli
