// Printing the covering letter from the letter file: A4 portrait, the letter
// font, 47 lines a page.
#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <cstdint>
#include <stdexcept>
#include <string>

class QPainter;
class QPrinter;

namespace qrv {

inline constexpr int kPrintLinesPerPage = 47;
inline constexpr double kPrintTopMm = 15.0;
inline constexpr double kPrintLeftMm = 23.0;
inline constexpr const char* kLetterFontFamily = "AngsanaUPC";
inline constexpr int kLetterFontPoints = 16;

// The printer (or output file) refused the document; `printer` names it.
class PrintError : public std::runtime_error {
  public:
    PrintError(const QString& printer, const QString& reason);
    const QString& printer() const { return printer_; }
    const QString& reason() const { return reason_; }

  private:
    QString printer_;
    QString reason_;
};

// Millimetres as the page layout's unit, the paper size and the orientation.
void SetPrinterPage(QPrinter& printer, QPageSize::PageSizeId paper, QPageLayout::Orientation orientation);

void SetPrinterFont(QPainter& painter, const QString& family, std::int16_t points, bool bold, bool italic,
                    bool underline);

// Distance between two printed lines, in device pixels: the font's line
// height, but never so much that the 47th line of a page would end below the
// printable area (the Thai fonts of Linux are far taller than the compact
// face the page was laid out for).
double PrintLineAdvance(const QPrinter& printer, const QPainter& painter);

// Prints the letter file (code page 874 text) `copies` times, each copy from
// the top of a new page, 47 lines a page, and ends the document. A font too
// wide for the longest line is condensed until that line fits the page. Returns the
// number of pages printed; an empty letter prints nothing. Throws FileError
// when the letter file cannot be read and PrintError when the printer fails.
int PrintReport(QPrinter& printer, const std::string& letterPath, std::int16_t copies);

// Ends the document so that it goes to the printer. Throws PrintError.
void EndPrint(QPainter& painter, const QPrinter& printer);

} // namespace qrv
