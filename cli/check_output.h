// What qrv-check shows of one checked media file: the outcome of the check,
// the result window as the run left it and the message boxes it showed.
#pragma once

#include "advisories/advisory.h"
#include "journal/journal.h"
#include "runs/check_run.h"
#include "runs/format.h"
#include "runs/held_ports.h"
#include "runs/row_spool.h"

#include <ostream>
#include <string_view>

namespace qrv::cli {

// Where qrv-check recorded a run.
struct JournalRecord {
    std::string path;                  // the journal's
    std::optional<std::int64_t> runId; // nothing when the journal could not be written
};

struct CheckOutput {
    std::string_view mediaPath; // as given
    Format format;
    const RunResult& result;
    const HeldWindow& window; // reported only when it exists
    const RowSpool& rows;
    const std::vector<HeldMessage>& messages;
    // The media file, as given, whose summary file this run replaced; empty when none.
    std::string_view summaryReplaces = {};
    // What the media file is instead of code page 874 text; nothing when it may well be that.
    std::optional<ForeignText> foreignText = {};
    // The run's advisories; none when they were left out or the run did not read the whole file.
    const std::vector<Advisory>* advisories = nullptr;
    // The run as the journal keeps it, digests included, whether or not it was recorded.
    const RunEntry* entry = nullptr;
    // Only with --journal.
    std::optional<JournalRecord> journal = {};
};

// 0: finished without a finding; 1: findings, or the control record was
// rejected; 2: the file is not of the format, or the run stopped. `strict`
// makes advisories alone 1 too.
int ExitStatus(const RunResult& result);
int ExitStatus(const CheckOutput& output, bool strict);

// Text as qrv-check shows it, so that neither a media file nor a file name
// can send the terminal a command: UTF-8 as it is, but control characters
// (C0, DEL and C1) and every byte that is no part of UTF-8 written as \xHH
// (ESC as \x1B, a lone 0x9B as \x9B). Paths are the file system's bytes.
std::string EscapeControls(std::string_view text);

// Label1 as qrv-check shows it: its folder part as a file name, the company
// code it ends with decoded from code page 874, as Com_code shows it.
// `escapeCode` escapes the code's control characters too, for text that is
// not JSON.
std::string ShownSummaryPath(const HeldWindow& window, bool escapeCode);

enum class JsonLayout {
    Indented, // the object over several lines, indented by two
    Line,     // the object on one line, for JSON Lines
};

void WriteJsonOutput(std::ostream& out, const CheckOutput& output, JsonLayout layout);
void WriteTextOutput(std::ostream& out, const CheckOutput& output);
// The rejected records as CSV lines, without the header.
void WriteCsvRows(std::ostream& out, const CheckOutput& output);

} // namespace qrv::cli
