// The local time as the journal writes and shows it.
#pragma once

#include <string>
#include <string_view>

namespace qrv {

// Now, ISO 8601 with the offset from UTC: "2026-11-25T10:42:07+07:00".
std::string LocalTimestamp();
// Now, for a file name: "20261125-104207".
std::string CompactLocalTime();
// A LocalTimestamp() as a clerk reads it, to the minute: "2026-11-25 10:42".
std::string ShownTime(std::string_view timestamp);

} // namespace qrv
