// The letter printed through a real print server: the private cupsd of
// scripts/cups-test-env.sh, whose queue writes each job to a PDF file.
#include "report/letter.h"
#include "report/print_queue.h"
#include "report/print_report.h"
#include "tests/report/pdf_tools.h"
#include "tests/report/print_button.h"
#include "tests/report/thai_control_line.h"
#include "ui/frmSendData.h"
#include "ui/thai_text.h"

#include <QPainter>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>
#include <cups/cups.h>
#include <functional>
#include <memory>
#include <optional>

namespace qrv {

class CupsPrintTest : public QObject {
    Q_OBJECT

  private:
    test::RecordingDialogs dialogs_;
    QTemporaryDir dir_;
    QString server_;
    QString queue_;
    QString output_;
    std::unique_ptr<gui::frmSendData> window_;
    std::unique_ptr<QSignalSpy> printed_;
    std::unique_ptr<QSignalSpy> failed_;

    // Runs a CUPS command against the private server; its output, none when it failed.
    std::optional<QString> cups(const QString& program, const QStringList& arguments) const {
        QProcess process;
        process.start(program, QStringList{QStringLiteral("-h"), server_} + arguments);
        if (!process.waitForFinished(30000) || process.exitCode() != 0) {
            qWarning("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
            return std::nullopt;
        }
        return QString::fromLocal8Bit(process.readAllStandardOutput());
    }

    std::optional<QString> jobHistory() const {
        return cups(QStringLiteral("lpstat"),
                    {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o"), queue_});
    }

    QString newestJobTitle() const {
        cups_job_t* jobs = nullptr;
        const int count =
            cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue_.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
        QString title;
        int newest = 0;
        for (int i = 0; i < count; ++i)
            if (jobs[i].id > newest) {
                newest = jobs[i].id;
                title = QString::fromUtf8(jobs[i].title);
            }
        cupsFreeJobs(count, jobs);
        return title;
    }

    bool queueIdle() const {
        const std::optional<QString> jobs = cups(QStringLiteral("lpstat"), {QStringLiteral("-o"), queue_});
        return jobs && jobs->trimmed().isEmpty();
    }

    // The queue has no job left to do and has written its file.
    bool printedOut() const { return queueIdle() && QFileInfo(output_).size() > 0; }

    std::unique_ptr<gui::frmSendData> letterWindow() const {
        return std::unique_ptr<gui::frmSendData>(
            gui::frmSendData::Form_Load({Format::M100, QString(), test::ThaiControlLine(), 654321}));
    }

    // Prints through a letter window that stays open until the test ends, so
    // that it can watch its job; `printed` records what it reports printed.
    // `alsoChoose` makes further choices in the dialog.
    test::PrintButtonOutcome printTo(const QString& queue, int copies = 1,
                                     const std::function<void(QPrinter&)>& alsoChoose = {}) {
        window_ = letterWindow();
        if (!window_)
            return {};
        printed_ = std::make_unique<QSignalSpy>(window_.get(), &gui::frmSendData::printed);
        failed_ = std::make_unique<QSignalSpy>(window_.get(), &gui::frmSendData::printFailed);
        return test::PressPrint(dialogs_, *window_, [&](QPrinter& printer) {
            printer.setPrinterName(queue);
            printer.setCopyCount(copies);
            if (alsoChoose)
                alsoChoose(printer);
        });
    }

    QList<gui::MessageBoxShown> messages() const { return dialogs_.messages(); }

    void expectOneStopMessage(const QStringList& mentions) {
        const auto& shown = dialogs_.messages();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].icon, QMessageBox::Critical);
        QCOMPARE(shown[0].title, QStringLiteral("QRV Edit Data"));
        for (const QString& mention : mentions)
            QVERIFY2(shown[0].text.contains(mention), qPrintable(shown[0].text));
    }

  private slots:
    void initTestCase() {
        server_ = qEnvironmentVariable("CUPS_SERVER");
        queue_ = qEnvironmentVariable("QRV_CUPS_QUEUE");
        output_ = qEnvironmentVariable("QRV_CUPS_OUTPUT");
        if (queue_.isEmpty())
            QSKIP("no private print server: run through scripts/cups-test-env.sh");
        QVERIFY2(!QPrinterInfo::printerInfo(queue_).isNull(), qPrintable(server_));
        QVERIFY(dir_.isValid());
        QVERIFY(QDir(dir_.path()).mkdir(QStringLiteral("run")));
        QFile::setPermissions(dir_.filePath("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", dir_.filePath(QStringLiteral("run")).toLocal8Bit());
        gui::InstallThaiFontSubstitutions();
    }
    void init() {
        dialogs_.clear();
        QFile::remove(output_);
    }
    void cleanup() {
        printed_.reset();
        failed_.reset();
        window_.reset();
        cups(QStringLiteral("cancel"), {QStringLiteral("-a"), queue_});
        cups(QStringLiteral("cupsaccept"), {queue_});
        cups(QStringLiteral("cupsenable"), {queue_});
    }

    void letterComesOutOnOneA4Page() {
        const test::PrintButtonOutcome outcome = printTo(queue_);
        QVERIFY(outcome.dialogShown);
        QVERIFY2(messages().isEmpty(), qPrintable(messages().value(0).text));
        QCOMPARE(outcome.sentTo, QStringList{queue_});
        QTRY_COMPARE_WITH_TIMEOUT(printed_->size(), 1, 10000);
        QCOMPARE(printed_->at(0).at(0).toString(), queue_);
        QTRY_VERIFY_WITH_TIMEOUT(printedOut(), 30000);
        QCOMPARE(newestJobTitle(), QStringLiteral("Covering letter 012345 31/12/06"));
        QCOMPARE(test::PdfPageCount(output_), 1);
        QVERIFY(test::RunTool(QStringLiteral("pdfinfo"), {output_}).contains(QStringLiteral("(A4)")));
        const std::string letter = LetterForRun(test::ThaiControlLine(), 654321, Format::M100, Today());
        QCOMPARE(test::ComparableLines(test::PdfText(output_)),
                 test::ComparableLines(gui::FromMedia(letter)));
        QVERIFY(test::PdfText(output_).contains(QStringLiteral("ทดสอบ")));
    }

    void twoCopiesGiveTwoPages() {
        const test::PrintButtonOutcome outcome = printTo(queue_, 2);
        QVERIFY(messages().isEmpty());
        QCOMPARE(outcome.sentTo, QStringList{queue_});
        QTRY_VERIFY_WITH_TIMEOUT(printedOut(), 30000);
        QCOMPARE(test::PdfPageCount(output_), 2);
        QCOMPARE(test::ComparableLines(test::PdfText(output_, 2)),
                 test::ComparableLines(test::PdfText(output_, 1)));
    }

    // A page range chosen in the dialog, which Qt's CUPS dialog offers
    // although the window switches it off and hands to CUPS as a job option:
    // every page of every copy is printed all the same. (This print server
    // prints every page of a job whatever its page-set, odd or even.)
    void everyPageOfEveryCopyWhateverRangeTheDialogSet_data() {
        QTest::addColumn<QStringList>("cupsOptions");
        QTest::addColumn<int>("copies");
        QTest::newRow("pages from 1 to 1, two copies") << QStringList{"page-ranges", "1"} << 2;
        QTest::newRow("pages from 2 to 2, one copy") << QStringList{"page-ranges", "2"} << 1;
    }
    void everyPageOfEveryCopyWhateverRangeTheDialogSet() {
        QFETCH(QStringList, cupsOptions);
        QFETCH(int, copies);
        const test::PrintButtonOutcome outcome = printTo(queue_, copies, [&](QPrinter& printer) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(1, 1);
            constexpr auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);
            printer.printEngine()->setProperty(
                kCupsOptions, printer.printEngine()->property(kCupsOptions).toStringList() + cupsOptions);
        });
        QVERIFY2(messages().isEmpty(), qPrintable(messages().value(0).text));
        QCOMPARE(outcome.sentTo, QStringList{queue_});
        QTRY_VERIFY_WITH_TIMEOUT(printedOut(), 30000);
        QCOMPARE(test::PdfPageCount(output_), copies);
    }

    // Closed before the print server has said more of its job, the letter
    // was still sent: that is settled before the window says it closes.
    void letterClosedWhileItsJobIsWatchedWasSent() {
        window_ = letterWindow();
        QVERIFY(window_);
        QStringList heard;
        connect(
            window_.get(), &gui::frmSendData::printSettled, this,
            [&](const QString& printer, int job, const QString& state) {
                heard << QStringLiteral("%1 %2 %3").arg(printer).arg(job > 0 ? "job" : "no job").arg(state);
            });
        connect(window_.get(), &gui::frmSendData::closing, this, [&] { heard << QStringLiteral("closing"); });
        const test::PrintButtonOutcome outcome =
            test::PressPrint(dialogs_, *window_, [&](QPrinter& printer) { printer.setPrinterName(queue_); });
        QCOMPARE(outcome.sentTo, QStringList{queue_});
        window_->close();
        QCOMPARE(heard, (QStringList{queue_ + QStringLiteral(" job sent"), QStringLiteral("closing")}));
    }

    // A paused queue takes the job and keeps it: that is sent, not printed.
    void pausedQueueIsWarnedOfAndNotCalledPrinted() {
        QVERIFY(cups(QStringLiteral("cupsdisable"),
                     {QStringLiteral("-r"), QStringLiteral("paused for the test"), queue_}));
        const test::PrintButtonOutcome outcome = printTo(queue_);
        QCOMPARE(outcome.sentTo, QStringList{queue_});
        QCOMPARE(messages().size(), 1);
        QCOMPARE(messages()[0].icon, QMessageBox::Warning);
        QVERIFY2(messages()[0].text.contains(QStringLiteral("paused for the test")),
                 qPrintable(messages()[0].text));
        QTest::qWait(1000);
        QVERIFY(printed_->isEmpty());
    }

    // A queue whose device cannot be written: CUPS stops the job or the
    // queue once it has the job, and the window says so.
    void jobThatCupsStopsIsReported() {
        const QString broken = QStringLiteral("QRV-Broken");
        QVERIFY(cups(QStringLiteral("lpadmin"),
                     {QStringLiteral("-p"), broken, QStringLiteral("-v"),
                      QStringLiteral("file:///no-such-folder/out.pdf"), QStringLiteral("-P"),
                      QStringLiteral("/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd"),
                      QStringLiteral("-E")}));
        const test::PrintButtonOutcome outcome = printTo(broken);
        QCOMPARE(outcome.sentTo, QStringList{broken});
        QTRY_COMPARE_WITH_TIMEOUT(failed_->size(), 1, 10000);
        expectOneStopMessage({QStringLiteral("\"") + broken + QStringLiteral("\""),
                              QStringLiteral("the printer stopped the letter")});
        QVERIFY(printed_->isEmpty());
        cups(QStringLiteral("cancel"), {QStringLiteral("-a"), broken});
        cups(QStringLiteral("lpadmin"), {QStringLiteral("-x"), broken});
    }

    void rejectingQueueGivesTheStopMessage() {
        const std::optional<QString> before = jobHistory();
        QVERIFY(before);
        QVERIFY(cups(QStringLiteral("cupsreject"),
                     {QStringLiteral("-r"), QStringLiteral("closed for the test"), queue_}));
        const test::PrintButtonOutcome outcome = printTo(queue_);
        expectOneStopMessage(
            {queue_, QStringLiteral("does not accept jobs"), QStringLiteral("closed for the test")});
        QVERIFY(outcome.printedTo.isEmpty());
        QCOMPARE(jobHistory(), before);
    }

    void printerRemovedAfterTheDialogGivesTheStopMessage() {
        const QString gone = QStringLiteral("QRV-Gone");
        QVERIFY(cups(QStringLiteral("lpadmin"),
                     {QStringLiteral("-p"), gone, QStringLiteral("-v"), QStringLiteral("file:///dev/null"),
                      QStringLiteral("-P"),
                      QStringLiteral("/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd"),
                      QStringLiteral("-E")}));
        const auto window = letterWindow();
        QVERIFY(window);
        const test::PrintButtonOutcome outcome = test::PressPrint(dialogs_, *window, [&](QPrinter& printer) {
            printer.setPrinterName(gone);
            cups(QStringLiteral("lpadmin"), {QStringLiteral("-x"), gone});
        });
        expectOneStopMessage({QStringLiteral("\"") + gone + QStringLiteral("\""),
                              QStringLiteral("CUPS no longer has this printer")});
        QVERIFY(outcome.printedTo.isEmpty());
    }

    void printServerGoneAfterTheDialogGivesTheStopMessage() {
        const auto window = letterWindow();
        QVERIFY(window);
        const test::PrintButtonOutcome outcome = test::PressPrint(dialogs_, *window, [&](QPrinter& printer) {
            printer.setPrinterName(queue_);
            // As if cupsd stopped while the dialog was open.
            qputenv("CUPS_SERVER", dir_.filePath(QStringLiteral("stopped.sock")).toLocal8Bit());
            cupsSetServer(nullptr);
        });
        qputenv("CUPS_SERVER", server_.toLocal8Bit());
        cupsSetServer(nullptr);
        expectOneStopMessage(
            {QStringLiteral("\"") + queue_ + QStringLiteral("\""), QStringLiteral("CUPS does not answer")});
        QVERIFY(outcome.printedTo.isEmpty());
    }

    // A server that answers with no printers at all has none set up; it is
    // not taken for a server that does not answer.
    void serverWithoutPrintersHasNoPrinterSetUp() {
        // The queue's driver, kept where the server's own copy goes with the queue.
        const QString ppd = dir_.filePath(QStringLiteral("queue.ppd"));
        QVERIFY(QFile::copy(QFileInfo(server_).absolutePath() + QStringLiteral("/etc/ppd/") + queue_ +
                                QStringLiteral(".ppd"),
                            ppd));
        QVERIFY(cups(QStringLiteral("lpadmin"), {QStringLiteral("-x"), queue_}));
        const QString notice = NoPrinterNotice();
        QVERIFY(cups(QStringLiteral("lpadmin"), {QStringLiteral("-p"), queue_, QStringLiteral("-v"),
                                                 QUrl::fromLocalFile(output_).toString(),
                                                 QStringLiteral("-P"), ppd, QStringLiteral("-E")}));
        QCOMPARE(notice, QStringLiteral("No printer is set up: the letter can be printed to a PDF file."));
    }

    // Qt hands the document to CUPS and keeps CUPS' answer to itself.
    void documentRefusedAfterPaintingIsReported() {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPrinterName(queue_);
        const std::optional<PrintQueue> queue = PrintQueue::Of(printer);
        QVERIFY(queue);
        const int newest = queue->admit().newestJob;
        QPainter painter(&printer);
        painter.drawText(QPointF(100, 100), QStringLiteral("refused"));
        QVERIFY(cups(QStringLiteral("cupsreject"), {queue_}));
        QVERIFY(painter.end());
        try {
            queue->requireJobSince(newest);
            QFAIL("no error");
        } catch (const PrintError& e) {
            QCOMPARE(e.printer(), queue_);
            QVERIFY2(e.reason().startsWith(QStringLiteral("CUPS did not take the letter (")),
                     qPrintable(e.reason()));
        }
    }

    void documentThatNeverReachedCupsIsReported() {
        const PrintQueue queue(queue_);
        const int newest = queue.admit().newestJob;
        QVERIFY_THROWS_EXCEPTION(PrintError, queue.requireJobSince(newest));
    }
};

} // namespace qrv

QTEST_MAIN(qrv::CupsPrintTest)
#include "cups_print_test.moc"
