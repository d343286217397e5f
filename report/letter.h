// The covering letter to the bank: its 26 lines, built from the control
// record a check run wrote into its summary file and the run's hash total.
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

// The letter file's bytes for a run: its control line, as the run wrote it
// into the summary file, split by the control layout of `format`, and its
// hash total.
std::string LetterForRun(std::string_view controlLine, std::int32_t hashTotal, Format format,
                         std::chrono::year_month_day today);

// The name the letter goes by in a print queue: "Covering letter 012345 15/01/24".
std::string LetterTitle(std::string_view controlLine, Format format);

} // namespace qrv
