#include "report/letter.h"
#include "report/print_report.h"
#include "tests/report/pdf_tools.h"
#include "tests/report/print_button.h"
#include "tests/report/thai_control_line.h"
#include "ui/thai_text.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace qrv {

using namespace std::chrono;

class PrintReportTest : public QObject {
    Q_OBJECT

  private:
    test::RecordingDialogs dialogs_;
    QTemporaryDir dir_;
    int files_ = 0;

    QString nextPdf() { return dir_.filePath(QStringLiteral("out%1.pdf").arg(++files_)); }

    static std::string NumberedLines(int count) {
        std::string bytes;
        for (int i = 1; i <= count; ++i)
            bytes += "line " + std::to_string(i) + "\r\n";
        return bytes;
    }

    static void ToPdf(QPrinter& printer, const QString& pdf) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
    }

    static std::string ThaiLetter() {
        return LetterForRun(test::ThaiControlLine(), 654321, Format::M100, 2026y / December / 7);
    }

    std::unique_ptr<gui::frmSendData> letterWindow() {
        return std::unique_ptr<gui::frmSendData>(gui::frmSendData::Form_Load(
            {Format::M100, dir_.filePath(QStringLiteral("in.txt")), test::ThaiControlLine(), 654321}));
    }

    QStringList shownTexts() const {
        QStringList texts;
        for (const gui::MessageBoxShown& shown : dialogs_.messages())
            texts << shown.text;
        return texts;
    }

    // Word boxes in points from the page's top left corner.
    struct WordBox {
        QString text;
        QRectF box;
    };
    static QList<WordBox> WordBoxes(const QString& pdf) {
        const QString html = test::RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, "-"});
        const QRegularExpression word(
            QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                           "yMax=\"([\\d.]+)\">([^<]*)</word>"));
        QList<WordBox> boxes;
        for (auto it = word.globalMatch(html); it.hasNext();) {
            const auto m = it.next();
            boxes.append(
                {m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                       QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
        }
        return boxes;
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        gui::InstallThaiFontSubstitutions();
        // The letter file of the window tests goes to a private folder, and no
        // print server answers, as on a machine with no printer set up.
        QVERIFY(QDir(dir_.path()).mkdir(QStringLiteral("run")));
        QFile::setPermissions(dir_.filePath("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", dir_.filePath(QStringLiteral("run")).toLocal8Bit());
        qputenv("CUPS_SERVER", dir_.filePath(QStringLiteral("no-server.sock")).toLocal8Bit());
    }
    void init() { dialogs_.clear(); }

    void pageCounts_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("copies");
        QTest::addColumn<int>("pages");
        QTest::newRow("26-line letter") << 26 << 1 << 1;
        QTest::newRow("47 lines fill one page") << 47 << 1 << 1;
        QTest::newRow("48th line on a second page") << 48 << 1 << 2;
        QTest::newRow("2 copies, each from a new page") << 26 << 2 << 2;
        QTest::newRow("2 copies of 48 lines") << 48 << 2 << 4;
        QTest::newRow("94 lines, exactly two pages") << 94 << 1 << 2;
    }
    void pageCounts() {
        QFETCH(int, lines);
        QFETCH(int, copies);
        QFETCH(int, pages);
        QPrinter printer(QPrinter::HighResolution);
        const QString pdf = nextPdf();
        ToPdf(printer, pdf);
        QCOMPARE(PrintReport(printer, NumberedLines(lines), static_cast<std::int16_t>(copies)).pages, pages);
        QCOMPARE(test::PdfPageCount(pdf), pages);
    }

    void lineAfterThe47thStartsTheNextPage() {
        QPrinter printer(QPrinter::HighResolution);
        const QString pdf = nextPdf();
        ToPdf(printer, pdf);
        PrintReport(printer, NumberedLines(48), 1);
        const QStringList first = test::ComparableLines(test::PdfText(pdf, 1));
        QCOMPARE(first.size(), 47);
        QCOMPARE(first.last(), QStringLiteral("line 47"));
        QCOMPARE(test::ComparableLines(test::PdfText(pdf, 2)), QStringList{QStringLiteral("line 48")});
    }

    void secondCopyStartsAtTheTopOfItsPage() {
        QPrinter printer(QPrinter::HighResolution);
        const QString pdf = nextPdf();
        ToPdf(printer, pdf);
        PrintReport(printer, NumberedLines(3), 2);
        const QStringList expected{QStringLiteral("line 1"), QStringLiteral("line 2"),
                                   QStringLiteral("line 3")};
        QCOMPARE(test::ComparableLines(test::PdfText(pdf, 1)), expected);
        QCOMPARE(test::ComparableLines(test::PdfText(pdf, 2)), expected);
    }

    void emptyLetterPrintsNothing() {
        QPrinter printer(QPrinter::HighResolution);
        const QString pdf = nextPdf();
        ToPdf(printer, pdf);
        QCOMPARE(PrintReport(printer, "", 1).pages, 0);
        QVERIFY(!QFile::exists(pdf));
    }

    void thaiLetterReadsBackInOrder() {
        const std::string letter = ThaiLetter();
        QPrinter printer(QPrinter::HighResolution);
        const QString pdf = nextPdf();
        ToPdf(printer, pdf);
        QCOMPARE(PrintReport(printer, letter, 1).pages, 1);
        QCOMPARE(test::ComparableLines(test::PdfText(pdf)), test::ComparableLines(gui::FromMedia(letter)));
        QVERIFY(test::PdfText(pdf).contains(QStringLiteral("ทดสอบ")));
    }

    void embeddedFontHasThaiGlyphs() {
        QPrinter printer(QPrinter::HighResolution);
        const QString pdf = nextPdf();
        ToPdf(printer, pdf);
        PrintReport(printer, ThaiLetter(), 1);
        const QString family = QFontInfo(QFont(kLetterFontFamily, kLetterFontPoints)).family();
        QVERIFY2(QFontDatabase::writingSystems(family).contains(QFontDatabase::Thai), qPrintable(family));
        const QStringList fonts = test::RunTool(QStringLiteral("pdffonts"), {pdf}).split(u'\n');
        const auto embedded = std::find_if(fonts.begin(), fonts.end(), [&](const QString& row) {
            return row.contains(QString(family).remove(u' ')) && row.contains(QStringLiteral(" yes "));
        });
        QVERIFY2(embedded != fonts.end(), qPrintable(fonts.join(u'\n')));
    }

    void linesStayOnThePrintableArea() {
        QPrinter printer(QPrinter::HighResolution);
        const QString pdf = nextPdf();
        ToPdf(printer, pdf);
        PrintReport(printer, NumberedLines(47), 1);
        const QRectF printable = printer.pageRect(QPrinter::Point);
        const double mm = 72 / 25.4;
        // The advance is the font's line height, or less where 47 of those would not fit.
        const double lineHeight =
            QFontMetricsF(QFont(QString::fromLatin1(kLetterFontFamily), kLetterFontPoints)).lineSpacing();
        double previousTop = 0;
        int count = 0;
        for (const WordBox& word : WordBoxes(pdf)) {
            if (word.text != QStringLiteral("line"))
                continue;
            if (count++ == 0) {
                QVERIFY(qAbs(word.box.top() - (printable.top() + kPrintTopMm * mm)) < 2 * mm);
            }
            QVERIFY(qAbs(word.box.left() - (printable.left() + kPrintLeftMm * mm)) < 1 * mm);
            QVERIFY(word.box.top() > previousTop);
            QVERIFY(count == 1 || word.box.top() - previousTop <= lineHeight + 0.5);
            QVERIFY(word.box.bottom() <= printable.bottom() + 0.5);
            previousTop = word.box.top();
        }
        QCOMPARE(count, 47);
    }

    void widestLetterLineStaysOnThePage() {
        QPrinter printer(QPrinter::HighResolution);
        const QString pdf = nextPdf();
        ToPdf(printer, pdf);
        PrintReport(printer, ThaiLetter(), 1);
        const QRectF printable = printer.pageRect(QPrinter::Point);
        const QList<WordBox> words = WordBoxes(pdf);
        QVERIFY(std::any_of(words.begin(), words.end(), [](const WordBox& w) { return w.text == "654321"; }));
        // By its edges: a lone Thai mark comes back as a box of no width, which
        // QRectF::contains() never finds inside anything.
        for (const WordBox& word : words)
            QVERIFY2(word.box.left() >= printable.left() && word.box.right() <= printable.right() &&
                         word.box.top() >= printable.top() && word.box.bottom() <= printable.bottom(),
                     qPrintable(word.text));
    }

    void pageSetUpIsA4PortraitInMillimetres() {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageOrientation(QPageLayout::Landscape);
        printer.setPageSize(QPageSize(QPageSize::Letter));
        ToPdf(printer, nextPdf());
        PrintReport(printer, NumberedLines(1), 1);
        QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::A4);
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Portrait);
        QCOMPARE(printer.pageLayout().units(), QPageLayout::Millimeter);
    }

    void unwritableOutputIsReportedWithItsName() {
        QPrinter printer(QPrinter::HighResolution);
        const QString pdf = dir_.filePath(QStringLiteral("no-such-folder/out.pdf"));
        ToPdf(printer, pdf);
        try {
            PrintReport(printer, NumberedLines(2), 1);
            QFAIL("no error");
        } catch (const PrintError& e) {
            QCOMPARE(e.printer(), pdf);
            QVERIFY(!e.reason().isEmpty());
        }
    }

    void destinationIsThePdfsFullPath() {
        QPrinter printer(QPrinter::HighResolution);
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir_.path());
        ToPdf(printer, QStringLiteral("relative.pdf"));
        const PrintResult result = PrintReport(printer, NumberedLines(1), 1);
        QDir::setCurrent(previous);
        QCOMPARE(result.destination, dir_.filePath(QStringLiteral("relative.pdf")));
        QCOMPARE(test::PdfPageCount(result.destination), 1);
    }

    void printButtonPrintsTheDialogsCopies_data() {
        QTest::addColumn<int>("copies");
        QTest::newRow("1 copy") << 1;
        QTest::newRow("2 copies") << 2;
        QTest::newRow("3 copies") << 3;
    }
    void printButtonPrintsTheDialogsCopies() {
        QFETCH(int, copies);
        const auto window = letterWindow();
        QVERIFY(window);
        const QString pdf = nextPdf();
        const test::PrintButtonOutcome outcome = test::PressPrint(dialogs_, *window, [&](QPrinter& printer) {
            ToPdf(printer, pdf);
            printer.setCopyCount(copies);
        });
        QVERIFY(outcome.dialogShown);
        QCOMPARE(test::PdfPageCount(pdf), copies);
        QCOMPARE(test::ComparableLines(test::PdfText(pdf, copies)),
                 test::ComparableLines(test::PdfText(pdf, 1)));
        QCOMPARE(outcome.printedTo, QStringList{pdf});
    }

    // Where no print server runs, that is what the user is told, not that no
    // printer is set up nor the system's name of the failed connection, and
    // the PDF file offered is named like the letter. Windows has no print
    // server, and its print dialog offers no PDF file: the user is pointed at Save.
    void missingPrinterIsToldBeforeTheDialogOpens() {
#ifdef _WIN32
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("Windows has a printer here");
        const QRegularExpression notice(
            QStringLiteral("^No printer is set up in Windows: the letter can be kept with \"Save\""));
#else
        const QRegularExpression notice(QStringLiteral(
            "^No print service is running on this computer: the letter can be printed to a PDF file\\.$"));
#endif
        qputenv("CUPS_SERVER", dir_.filePath(QStringLiteral("no-server.sock")).toLocal8Bit());
        const auto restore = qScopeGuard([] { qunsetenv("CUPS_SERVER"); });
        const auto window = letterWindow();
        QVERIFY(window);
        const QString pdf = nextPdf();
        QStringList shownBeforeTheDialog;
        QString offered;
        const test::PrintButtonOutcome outcome = test::PressPrint(dialogs_, *window, [&](QPrinter& printer) {
            shownBeforeTheDialog = shownTexts();
            offered = printer.outputFileName();
            ToPdf(printer, pdf);
        });
#ifndef _WIN32
        // Named like the letter, beside the media file.
        QCOMPARE(offered, dir_.filePath(QStringLiteral("letter-012345-311206.pdf")));
#endif
        QCOMPARE(shownBeforeTheDialog.size(), 1);
        QVERIFY2(notice.match(shownBeforeTheDialog[0]).hasMatch(), qPrintable(shownBeforeTheDialog[0]));
        const gui::MessageBoxShown& shown = dialogs_.messages().at(0);
        QCOMPARE(shown.title, QStringLiteral("QRV Edit Data"));
        QCOMPARE(shown.icon, QMessageBox::Information);
        QCOMPARE(dialogs_.messages().size(), 1);
        QCOMPARE(test::PdfPageCount(pdf), 1);
        QCOMPARE(outcome.printedTo, QStringList{pdf});
    }

    void failedPrintIsNotReportedAsPrinted() {
        const auto window = letterWindow();
        QVERIFY(window);
        const QString pdf = dir_.filePath(QStringLiteral("no-such-folder/out.pdf"));
        const test::PrintButtonOutcome outcome =
            test::PressPrint(dialogs_, *window, [&](QPrinter& printer) { ToPdf(printer, pdf); });
        QVERIFY(outcome.printedTo.isEmpty());
        QCOMPARE(dialogs_.messages().last().icon, QMessageBox::Critical);
        QVERIFY(dialogs_.messages().last().text.contains(pdf));
    }
};

} // namespace qrv

QTEST_MAIN(qrv::PrintReportTest)
#include "print_test.moc"
