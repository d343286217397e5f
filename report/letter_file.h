// Writing, reading and removing the covering letter's files at given paths.
#pragma once

#include "runs/format.h"

#include <chrono>
#include <string>
#include <string_view>

namespace qrv {

// Creates or replaces the letter file at `path` with `bytes` (mode 0600). A
// symbolic link at `path` is refused, not followed. Throws FileError.
void WriteLetterFile(const std::string& path, std::string_view bytes);

// Builds the letter for the summary file (see LetterForSummary) and writes it
// to `path` as WriteLetterFile does; nothing is written when the summary file
// cannot be read. The covering letter window and qrv-check share this call.
void WriteLetterForSummary(const std::string& path, const std::string& summaryPath,
                           std::string_view hashValue, Format format, std::chrono::year_month_day today);

// The user's own copy of the letter ("Save"): creates or replaces `path`
// with `bytes` in one step, keeping the permission bits of a file it
// replaces (a new one gets 0666 less the umask); a failure leaves any earlier
// file as it was. A device, a FIFO or a link to one is written into and left
// in place (see SaveFile). Throws FileError naming the path and the reason.
void SaveLetterAs(const std::string& path, std::string_view bytes);

// The whole content of the letter file; a symbolic link is refused. Throws FileError.
std::string ReadLetterFile(const std::string& path);

// Deletes the letter file; one that is already gone is no error.
void RemoveLetterFile(const std::string& path);

} // namespace qrv
