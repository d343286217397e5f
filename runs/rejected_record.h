// The rejected detail records as reports and exports give them: read back
// from the rows of ListView1, and written as CSV.
#pragma once

#include "core/detail_check.h"
#include "core/location.h"
#include "runs/check_run.h"
#include "runs/ports.h"

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace qrv {

// Views into the row it was read from, which must outlive it; field texts
// are code page 874 bytes as they stand in the media file.
struct RejectedRecord {
    std::int64_t line = 0; // in the media file, where the control record is line 1
    std::string_view account;
    std::string effectiveDate; // the row shows it rendered; this is the field
    std::string_view sign;
    std::string_view amount;
    std::string_view reason;     // as the window shows it
    std::string_view reasonCode; // stable, for scripts: kRejectReasons
};

RejectedRecord ReadRejectedRow(const ErrorRow& row);

// Where the rows of one run's ListView1 failed, worked out from a row when
// it is asked for, so that the run itself spends nothing on it: a row holds
// every field the detail checks read, as cut.
class RowLocator {
  public:
    // `controlLine` is the run's first line (RunResult::controlLine).
    RowLocator(const RunFormat& format, std::string controlLine);
    RowLocator(const RowLocator&) = delete;
    RowLocator& operator=(const RowLocator&) = delete;

    Location operator()(const ErrorRow& row) const;

  private:
    FieldLayout layout_;
    std::string controlLine_;
    DetailRules rules_; // views into controlLine_
};

// The CSV columns of a rejected record, the same in every export.
inline constexpr std::string_view kRejectedCsvColumns[] = {
    "media_file",  "line",  "account", "effective_date", "sign",     "amount",
    "reason_code", "field", "columns", "found",          "expected", "hint"};

// One CSV line of `fields`, each quoted when it holds a separator, a
// quotation mark or a line end; it ends in CR LF.
std::string CsvLine(std::initializer_list<std::string_view> fields);
std::string CsvLine(std::span<const std::string> fields);
// RFC 4180 lines, CR LF ended: the header, and one record of the media file
// `mediaFile` (UTF-8) with its field texts decoded to UTF-8, where it failed
// last (empty cells for a Location{}).
std::string RejectedCsvHeader();
std::string RejectedCsvLine(std::string_view mediaFile, const RejectedRecord& record, const Location& where);

} // namespace qrv
