#include "report/print_report.h"

#include "core/cp874.h"
#include "report/print_queue.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrintEngine>
#include <QPrinter>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace qrv {

namespace {

QString FailureReason(const QPrinter& printer, const char* whenPrinter) {
    return printer.outputFileName().isEmpty() ? QString::fromLatin1(whenPrinter)
                                              : QStringLiteral("the output file cannot be written");
}

double DevicePixelsPerMm(const QPrinter& printer) {
    return printer.resolution() / 25.4;
}

// Where `printer` prints: the full path of its output file, else its name.
QString PrintDestination(const QPrinter& printer) {
    return printer.outputFileName().isEmpty() ? printer.printerName()
                                              : QFileInfo(printer.outputFileName()).absoluteFilePath();
}

// Millimetres as the page layout's unit, the paper size and the orientation.
void SetPrinterPage(QPrinter& printer, QPageSize::PageSizeId paper, QPageLayout::Orientation orientation) {
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    layout.setPageSize(QPageSize(paper));
    layout.setOrientation(orientation);
    printer.setPageLayout(layout);
}

void SetPrinterFont(QPainter& painter, const QString& family, std::int16_t points, bool bold, bool italic,
                    bool underline) {
    QFont font(family, points, bold ? QFont::Bold : QFont::Normal, italic);
    font.setUnderline(underline);
    painter.setFont(font);
}

// Distance between two printed lines, in device pixels: the font's line
// height, but never so much that the 47th line of a page would end below the
// printable area (the Thai fonts of Linux are far taller than the compact
// face the page was laid out for).
double PrintLineAdvance(const QPrinter& printer, const QPainter& painter) {
    const QFontMetricsF metrics(painter.font(), &printer);
    const double printable = printer.pageRect(QPrinter::DevicePixel).height();
    const double fitting =
        (printable - kPrintTopMm * DevicePixelsPerMm(printer) - metrics.height()) / (kPrintLinesPerPage - 1);
    return std::min(metrics.lineSpacing(), fitting);
}

// Ends the document so that it goes to the printer. Throws PrintError when
// Qt reports the end, or the printer, as failed.
void EndPrint(QPainter& painter, const QPrinter& printer) {
    const bool ended = painter.end();
    if (!ended || printer.printerState() == QPrinter::Error)
        throw PrintError(PrintDestination(printer),
                         FailureReason(printer, "the printer did not accept the document"));
    if (printer.printerState() == QPrinter::Aborted)
        throw PrintError(PrintDestination(printer), QStringLiteral("the printout was cancelled"));
}

// LF or CR LF ends a line; a line end after the last line adds no empty line.
std::vector<QString> LetterLines(std::string_view letter) {
    std::vector<QString> lines;
    for (std::string_view rest = letter; !rest.empty();) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (end != std::string_view::npos && line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(QString::fromStdString(Cp874ToUtf8(line)));
    }
    return lines;
}

// Where the next line goes, and the page break rule: after the 47th line of
// a page and after each copy the next line starts a new page. The break is
// only taken when a line follows, so the document never ends on a blank page.
class PageCursor {
  public:
    // Lines are drawn `width` times their font's width, from the left margin.
    PageCursor(QPrinter& printer, QPainter& painter, double width)
        : printer_(printer), painter_(painter), top_(kPrintTopMm * DevicePixelsPerMm(printer)),
          advance_(PrintLineAdvance(printer, painter)),
          ascent_(QFontMetricsF(painter.font(), &printer).ascent()), y_(top_) {
        painter_.setTransform(
            QTransform::fromTranslate(kPrintLeftMm * DevicePixelsPerMm(printer), 0).scale(width, 1));
    }

    void printLine(const QString& text) {
        if (breakPending_)
            startPage();
        painter_.drawText(QPointF(0, y_ + ascent_), text);
        y_ += advance_;
        if (++counter_ > kPrintLinesPerPage)
            newPage();
    }

    void newPage() {
        breakPending_ = true;
        y_ = top_;
        counter_ = 1;
    }

    int pages() const { return pages_; }

  private:
    void startPage() {
        if (!printer_.newPage())
            throw PrintError(PrintDestination(printer_),
                             FailureReason(printer_, "the printer refused a new page"));
        breakPending_ = false;
        ++pages_;
    }

    QPrinter& printer_;
    QPainter& painter_;
    double top_;
    double advance_;
    double ascent_;
    double y_;
    int counter_ = 1;
    int pages_ = 1;
    bool breakPending_ = false;
};

// The installed Thai faces are much wider at 16 point than the compact face
// the letter's blank counts were made for, so its right-hand column would run
// off the paper. Such a font is narrowed, keeping its height, until the
// widest line fits between the left margin and the printable area's edge: the
// width factor, in whole hundredths, that the lines are drawn at.
double WidthToFit(const QPainter& painter, const QPrinter& printer, const std::vector<QString>& lines) {
    const QFontMetricsF metrics(painter.font(), &printer);
    double widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    const double room =
        printer.pageRect(QPrinter::DevicePixel).width() - kPrintLeftMm * DevicePixelsPerMm(printer);
    if (widest <= room)
        return 1;
    return std::max(1.0, std::floor(100 * room / widest)) / 100;
}

// Where Qt keeps the options it hands to CUPS with a job: names and values in turn.
constexpr auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// Every page of every copy: Qt's CUPS print dialog offers a page range even
// where it is switched off, and hands it, as its odd or even pages, to the
// print server, which would print only those pages of the copies.
void PrintEveryPage(QPrinter& printer) {
    printer.setPrintRange(QPrinter::AllPages);
    printer.setPageRanges({});
    const QStringList options = printer.printEngine()->property(kCupsOptions).toStringList();
    QStringList kept;
    for (qsizetype i = 0; i + 1 < options.size(); i += 2)
        if (options[i] != QLatin1String("page-ranges") && options[i] != QLatin1String("page-set"))
            kept << options[i] << options[i + 1];
    if (kept.size() != options.size())
        printer.printEngine()->setProperty(kCupsOptions, kept);
}

} // namespace

PrintResult PrintReport(QPrinter& printer, std::string_view letter, std::int16_t copies) {
    const std::vector<QString> lines = LetterLines(letter);
    SetPrinterPage(printer, QPageSize::A4, QPageLayout::Portrait);
    // The copies are ours to print: a copy count chosen in the print dialog
    // must not multiply them.
    printer.setCopyCount(1);
    PrintEveryPage(printer);
    if (lines.empty() || copies < 1)
        return {0, PrintDestination(printer), 0, std::nullopt};

    const std::optional<PrintQueue> queue = PrintQueue::Of(printer);
    const QueueAdmission admission = queue ? queue->admit() : QueueAdmission{};
    QPainter painter;
    if (!painter.begin(&printer))
        throw PrintError(PrintDestination(printer), FailureReason(printer, "the printer cannot be opened"));
    SetPrinterFont(painter, kLetterFontFamily, kLetterFontPoints, false, false, false);
    // Narrowed by the painter rather than by a condensed font: with a
    // condensed font, Qt's DirectWrite engine on Windows shrinks the glyphs'
    // advances but not the glyphs it hands to the PDF writer, which then
    // overlap. A transform narrows both alike in every engine.
    const double width = WidthToFit(painter, printer, lines);
    if (PrintLineAdvance(printer, painter) <= 0) {
        painter.end();
        throw PrintError(PrintDestination(printer), "the printable area is too small for 47 lines a page");
    }
    PageCursor cursor(printer, painter, width);
    for (int copy = 0; copy < copies; ++copy) {
        for (const QString& line : lines)
            cursor.printLine(line);
        cursor.newPage();
    }
    EndPrint(painter, printer);
    const int job = queue ? queue->requireJobSince(admission.newestJob) : 0;
    return {cursor.pages(), PrintDestination(printer), job, admission.stopped};
}

} // namespace qrv
