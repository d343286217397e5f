// The two media file layouts. Everything that differs between them (caption,
// name, field layouts, apply codes, format gate, result columns and widths,
// and how the run counts) is one table in format.cpp.
#pragma once

#include "core/foreign_text.h"
#include "runs/check_run.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace qrv {

enum class Format { M10, M100 };

inline constexpr std::array<Format, 2> kFormats = {Format::M10, Format::M100};

// The format's row of that table.
const RunFormat& FormatTable(Format format);

// "Format 10 M" or "Format 100 M", as the menu names it.
std::string_view FormatCaption(Format format);
// "10M" or "100M", as qrv-check names it.
std::string_view FormatName(Format format);
// The format a FormatName names, in any letter case; nothing for any other text.
std::optional<Format> FormatFromName(std::string_view name);

// The format whose gate alone passes `controlLine`; nothing when both or neither do.
std::optional<Format> FormatOfControlLine(std::string_view controlLine);
// FormatOfControlLine of the media file's first line, for a file that comes
// without a format (dropped, or named on the command line alone); nothing
// when it cannot be read or is empty.
std::optional<Format> FormatOfFile(const std::string& mediaPath);
// ForeignTextOf the media file's beginning; nothing when it cannot be read.
std::optional<ForeignText> ForeignTextOfFile(const std::string& mediaPath);

// The summary file the check run of `mediaPath` in `format` would write,
// worked out from its control record: where the run would create it now,
// which may be beside the media file (CreateSummaryFile). Nothing when the
// file cannot be read or is empty, which the run then reports.
std::optional<std::string> SummaryPathOfRun(Format format, const std::string& mediaPath);

// The check run of `format`; `observer` as RunCheck takes it.
RunResult CheckFile(Format format, const std::string& mediaPath, ResultWindow& window, UserPort& user,
                    RecordObserver* observer = nullptr);

} // namespace qrv
