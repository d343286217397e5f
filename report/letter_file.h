// Where the covering letter lives while its window is open, and writing it.
#pragma once

#include "runs/format.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace qrv {

// The one fixed per-user letter file: "C:\outputyyyy.txt" on Windows;
// elsewhere outputyyyy.txt in $XDG_RUNTIME_DIR, or, without one, in the
// private folder qrv-edit of the user's cache ($XDG_CACHE_HOME or ~/.cache),
// which is created with mode 0700. Throws FileError when that folder cannot
// be made or is not a private folder of this user.
std::string LetterFilePath();

// Creates or replaces the file at `path` with `bytes` (mode 0600). A
// symbolic link at `path` is refused, not followed. Throws FileError.
void WriteLetterFile(const std::string& path, std::string_view bytes);

// Builds the letter for the summary file (see LetterForSummary) and writes it
// to `path` as WriteLetterFile does; nothing is written when the summary file
// cannot be read. The covering letter window and qrv-check share this call.
void WriteLetterForSummary(const std::string& path, const std::string& summaryPath,
                           std::string_view hashValue, Format format, std::chrono::year_month_day today);

// The user's own copy of the letter ("Save"): creates or replaces `path`
// with `bytes` (mode 0666 less the umask). Throws FileError naming the path and the reason.
void SaveLetterAs(const std::string& path, std::string_view bytes);

// The whole content of the letter file. Throws FileError.
std::string ReadLetterFile(const std::string& path);

// Deletes the letter file; one that is already gone is no error.
void RemoveLetterFile(const std::string& path);

} // namespace qrv
