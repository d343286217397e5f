// The two media file layouts, and the one place that says what differs
// between them.
#pragma once

#include "runs/check_run.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace qrv {

enum class Format { M10, M100 };

inline constexpr std::array<Format, 2> kFormats = {Format::M10, Format::M100};

// The format's layouts, control record checks and result columns.
const RunFormat& FormatTable(Format format);

// "Format 10 M" or "Format 100 M", as the menu names it.
std::string_view FormatCaption(Format format);
// "10M" or "100M", as qrv-check names it.
std::string_view FormatName(Format format);
// The format a FormatName names, in any letter case; nothing for any other text.
std::optional<Format> FormatFromName(std::string_view name);

// The check run of `format`: CheckFile10M or CheckFile100M.
RunResult CheckFile(Format format, const std::string& mediaPath, ResultWindow& window, UserPort& user);

} // namespace qrv
