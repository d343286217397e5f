// Where the journal is: the same file for both programs.
#pragma once

#include <string>
#include <string_view>

namespace qrv {

// The application name the desktop program gives Qt, which names its data folder.
inline constexpr std::string_view kApplicationName = "qrv-edit";
inline constexpr std::string_view kJournalFileName = "journal.sqlite";

// The desktop program's data folder as Qt's AppDataLocation names it, found
// without Qt: $XDG_DATA_HOME, or ~/.local/share, then the application's
// name; on Windows %APPDATA% with forward slashes. Empty when the
// environment names no home.
std::string DataFolder();
// DataFolder() and kJournalFileName.
std::string DefaultJournalPath();

} // namespace qrv
