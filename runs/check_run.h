// One check run over a media file, common to both formats; the format's row
// of the table in format.cpp supplies what differs.
#pragma once

#include "core/fields.h"
#include "core/location.h"
#include "runs/ports.h"
#include "runs/record_observer.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

enum class RunOutcome {
    Finished,        // reached the end of the media file
    WrongFormat,     // the first line failed the format gate
    ControlRejected, // a control record check failed
    RunError,        // stopped by the run's error trap
};

struct RunError {
    std::int64_t line = 0; // the media file line being processed; 0 before the first
    std::string message;   // what the user was told (UTF-8)
    // The run read the whole media file, and then its summary file could not
    // be written; `line` is the last line.
    bool summaryUnwritten = false;
    // The field the run stopped at, when a conversion of one stopped it.
    std::optional<Location> where{};
};

struct RunResult {
    RunOutcome outcome = RunOutcome::RunError;
    bool findings = false;   // "Please check data input file." was shown
    std::string summaryPath; // the summary file this run wrote; empty when none
    // Why the summary file is beside the media file, since the folder the rule
    // names refused it (Label1 names it there); empty when it is not.
    std::string summaryMovedBecause;
    std::optional<RunError> error;
    // The media file's first line, once it was read: when the run finished,
    // the summary file's first line. The covering letter restates it.
    std::optional<std::string> controlLine;
    std::int32_t hashTotal = 0; // set when the run finished
};

// What differs between the two formats; runs/format.cpp holds both, side by side.
struct RunFormat {
    std::string_view caption; // as the menu names it: "Format 100 M"
    std::string_view name;    // as qrv-check names it: "100M"
    FieldLayout controlLayout;
    FieldLayout detailLayout;
    std::span<const std::string_view> applyCodes; // those the control record check accepts
    bool (*passesFormatGate)(std::string_view trimmedTermPayment);
    std::vector<Column> columns;
    bool columnsBeforeOpen;         // 10 M touches the window before it opens the file
    std::size_t detailWholeLength;  // characters of Amount before the implied decimals
    std::size_t controlWholeLength; // characters of TotalAmount before the implied decimals
    bool narrowCounters;            // line number and row position overflow at 32 bits
};

// Whether the run has a covering letter: only a run that reached the end of
// its media file wrote the summary file the letter stands for.
inline bool LetterAvailable(const RunResult& result) {
    return result.outcome == RunOutcome::Finished;
}

// `observer`, when given, is told of the control record and of every detail
// record as the run reads them.
RunResult RunCheck(const RunFormat& format, const std::string& mediaPath, ResultWindow& window,
                   UserPort& user, RecordObserver* observer = nullptr);

} // namespace qrv
