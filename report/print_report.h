// Printing the covering letter: A4 portrait, the letter font, 47 lines a page.
#pragma once

#include "report/print_error.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <string_view>

class QPrinter;

namespace qrv {

inline constexpr int kPrintLinesPerPage = 47;
inline constexpr double kPrintTopMm = 15.0;
inline constexpr double kPrintLeftMm = 23.0;
inline constexpr const char* kLetterFontFamily = "AngsanaUPC";
inline constexpr int kLetterFontPoints = 16;

struct PrintResult {
    int pages = 0;
    QString destination; // the printer's name, or the full path of its output file
    int job = 0;         // the CUPS job made of the letter; 0 for a file
    // Why the CUPS queue holds the job instead of printing it (paused, or
    // stopped by an error); nothing when it prints.
    std::optional<QString> held;
};

// Prints the letter (the letter file's bytes: code page 874 text, lines
// ending in CR LF) `copies` times, each copy from the top of a new page, 47
// lines a page, and ends the document: every page, whatever page range or
// odd or even pages the print dialog set on the printer. A font too wide for
// the longest line is narrowed until that line fits the page. An empty letter
// prints nothing.
// For a CUPS printer it asks CUPS first whether the printer accepts jobs and
// afterwards whether it made a job of the letter. Throws PrintError when the
// printer, CUPS or the output file fails.
PrintResult PrintReport(QPrinter& printer, std::string_view letter, std::int16_t copies);

} // namespace qrv
