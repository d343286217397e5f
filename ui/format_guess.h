// The format a media file shows in its first line, for a file that comes
// without one (dropped, or named on the command line alone).
#pragma once

#include "runs/format.h"

#include <QString>
#include <optional>
#include <string_view>

namespace qrv::gui {

// The format whose gate alone passes `controlLine`; nothing when both or neither do.
std::optional<Format> FormatOfControlLine(std::string_view controlLine);
// FormatOfControlLine of the file's first line; nothing when it cannot be read.
std::optional<Format> FormatOfFile(const QString& path);

} // namespace qrv::gui
