// The covering letter to the bank: its 26 lines, built from the control
// record of the summary file and the hash total as the result window shows it.
#pragma once

#include "core/fields.h"
#include "runs/format.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

inline constexpr std::size_t kLetterLineCount = 26;

// k + 1 blanks; nothing for a negative k.
std::string MakeSpaces(std::int16_t k);

// "Dec 07, 2026": English month abbreviations whatever the locale.
std::string FormatLetterDate(std::chrono::year_month_day date);

// Today's date on the local clock.
std::chrono::year_month_day Today();

// The letter's lines, without line ends. The control fields go in as code
// page 874 bytes exactly as cut; `hashValue` as the result window shows it.
std::vector<std::string> BuildLetter(const Fields& control, std::string_view hashValue,
                                     std::chrono::year_month_day today);

// The letter file's content: every line followed by CR LF.
std::string LetterFileBytes(const std::vector<std::string>& lines);

// The letter file's bytes for the summary file at `summaryPath`, its first
// line split by the control layout of `format`. An empty summary file gives an empty letter.
// Throws FileError when the summary file cannot be opened or read.
std::string LetterForSummary(const std::string& summaryPath, std::string_view hashValue, Format format,
                             std::chrono::year_month_day today);

} // namespace qrv
