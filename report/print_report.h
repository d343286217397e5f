// Printing the covering letter: A4 portrait, the letter font, 47 lines a page.
#pragma once

#include "report/print_error.h"

#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <cstdint>
#include <optional>
#include <string_view>

class QPainter;
class QPrinter;

namespace qrv {

inline constexpr int kPrintLinesPerPage = 47;
inline constexpr double kPrintTopMm = 15.0;
inline constexpr double kPrintLeftMm = 23.0;
inline constexpr const char* kLetterFontFamily = "AngsanaUPC";
inline constexpr int kLetterFontPoints = 16;

// Millimetres as the page layout's unit, the paper size and the orientation.
void SetPrinterPage(QPrinter& printer, QPageSize::PageSizeId paper, QPageLayout::Orientation orientation);

void SetPrinterFont(QPainter& painter, const QString& family, std::int16_t points, bool bold, bool italic,
                    bool underline);

// Distance between two printed lines, in device pixels: the font's line
// height, but never so much that the 47th line of a page would end below the
// printable area (the Thai fonts of Linux are far taller than the compact
// face the page was laid out for).
double PrintLineAdvance(const QPrinter& printer, const QPainter& painter);

struct PrintResult {
    int pages = 0;
    QString destination; // PrintDestination of the printer
    int job = 0;         // the CUPS job made of the letter; 0 for a file
    // Why the CUPS queue holds the job instead of printing it (paused, or
    // stopped by an error); nothing when it prints.
    std::optional<QString> held;
};

// Prints the letter (the letter file's bytes: code page 874 text, lines
// ending in CR LF) `copies` times, each copy from the top of a new page, 47
// lines a page, and ends the document. A font too wide for the longest line
// is condensed until that line fits the page. An empty letter prints nothing.
// For a CUPS printer it asks CUPS first whether the printer accepts jobs and
// afterwards whether it made a job of the letter. Throws PrintError when the
// printer, CUPS or the output file fails.
PrintResult PrintReport(QPrinter& printer, std::string_view letter, std::int16_t copies);

// Ends the document so that it goes to the printer. Throws PrintError when
// Qt reports the end, or the printer, as failed.
void EndPrint(QPainter& painter, const QPrinter& printer);

// Where `printer` prints: the full path of its output file, else its name.
QString PrintDestination(const QPrinter& printer);

} // namespace qrv
