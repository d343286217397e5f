// The rejected detail records as reports and exports give them: read back
// from the rows of ListView1, and written as CSV.
#pragma once

#include "runs/ports.h"

#include <cstdint>
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

// The CSV columns of a rejected record, the same in every export.
inline constexpr std::string_view kRejectedCsvColumns[] = {
    "media_file", "line", "account", "effective_date", "sign", "amount", "reason_code"};

// RFC 4180 lines, CR LF ended: the header, and one record of the media file
// `mediaFile` (UTF-8) with its field texts decoded to UTF-8.
std::string RejectedCsvHeader();
std::string RejectedCsvLine(std::string_view mediaFile, const RejectedRecord& record);

} // namespace qrv
