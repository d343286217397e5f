#include "report/letter.h"
#include "report/letter_file.h"
#include "runs/module_100m.h"
#include "tests/report/pdf_tools.h"
#include "tests/report/thai_control_line.h"
#include "tests/ui/recording_dialogs.h"
#include "ui/frmSendData.h"
#include "ui/letter_folder.h"
#include "ui/thai_text.h"

#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace qrv::gui {

class SendDataWindowTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    std::unique_ptr<test::RecordingDialogs> dialogs_;
    std::string summary_;

    static std::string FileBytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("<missing>");
    }
    static QString LetterPath() { return QString::fromStdString(LetterFilePath()); }

    std::unique_ptr<frmSendData> open() {
        return std::unique_ptr<frmSendData>(frmSendData::Form_Load(summary_, "654321", Format::M100));
    }

    // What the window said besides "No printer is set up" when printing.
    QList<MessageBoxShown> stopMessages() const {
        QList<MessageBoxShown> stops;
        for (const MessageBoxShown& shown : dialogs_->messages())
            if (shown.icon == QMessageBox::Critical)
                stops << shown;
        return stops;
    }

    void expectOneStopMessage(const QStringList& mentions) {
        const auto shown = stopMessages();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QStringLiteral("QRV Edit Data"));
        QCOMPARE(shown[0].icon, QMessageBox::Critical);
        QCOMPARE(shown[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        for (const QString& mention : mentions)
            QVERIFY2(shown[0].text.contains(mention), qPrintable(shown[0].text));
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QVERIFY(QDir(dir_.path()).mkdir(QStringLiteral("run")));
        QFile::setPermissions(dir_.filePath("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", dir_.filePath(QStringLiteral("run")).toLocal8Bit());
        InstallThaiFontSubstitutions();
        summary_ = dir_.filePath(QStringLiteral("012345")).toStdString();
        WriteLetterFile(summary_, test::ThaiControlLine() + "\r\n");
    }
    void init() { dialogs_ = std::make_unique<test::RecordingDialogs>(); }
    void cleanup() { dialogs_.reset(); }

    void loadShowsTheLetterFile() {
        const auto window = open();
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("Report Send Data"));
        QCOMPARE(window->palette().color(QPalette::Window), QColor(224, 224, 224));
        const std::string expected = LetterForSummary(summary_, "654321", Format::M100, Today());
        QCOMPARE(FileBytes(LetterPath()), expected);

        auto* text = window->findChild<QPlainTextEdit*>(QStringLiteral("RichTextBox1"));
        QVERIFY(text);
        QVERIFY(text->isReadOnly());
        QCOMPARE(text->font().family(), QStringLiteral("AngsanaUPC"));
        QCOMPARE(text->font().pointSize(), 16);
        QStringList lines;
        for (const std::string& line :
             BuildLetter(SplitRecord(test::ThaiControlLine(), kControlLayout100M), "654321", Today()))
            lines << FromMedia(line);
        QCOMPARE(text->toPlainText(), lines.join(u'\n'));
        QVERIFY(text->toPlainText().contains(QStringLiteral("บริษัท ทดสอบ จำกัด")));

        auto* save = window->findChild<QPushButton*>(QStringLiteral("cmdSave"));
        auto* print = window->findChild<QPushButton*>(QStringLiteral("cmdPrint"));
        QVERIFY(save && print);
        QCOMPARE(save->text(), QStringLiteral("&Save"));
        QCOMPARE(print->text(), QStringLiteral("&Print"));
        QCOMPARE(save->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(save->font().pointSize(), 12);
        QVERIFY(window->findChild<QWidget*>(QStringLiteral("Frame1")));
    }

    void focusMovesFromTheTextToSaveToPrint() {
        const auto window = open();
        window->show();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        auto* text = window->findChild<QPlainTextEdit*>(QStringLiteral("RichTextBox1"));
        text->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdSave"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdPrint"));
    }

    // Another qrv-edit starting while the letter is shown leaves its file alone.
    void shownLetterFileOutlivesAnotherStart() {
        auto window = open();
        RemoveLeftoverLetterFile();
        QVERIFY(QFile::exists(LetterPath()));
        window.reset();
        RemoveLeftoverLetterFile();
        QVERIFY(!QFile::exists(LetterPath()));
    }

    void closingDeletesTheLetterFile() {
        auto window = open();
        QVERIFY(QFile::exists(LetterPath()));
        window->close();
        QVERIFY(!QFile::exists(LetterPath()));
        window.reset();
        QVERIFY(dialogs_->messages().isEmpty());
        const auto again = open();
        QVERIFY(QFile::exists(LetterPath()));
    }

    void saveAppendsTxtOnlyWhenMissing_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::newRow("no extension") << "letter"
                                      << "letter.txt";
        QTest::newRow("already .txt") << "kept.txt"
                                      << "kept.txt";
        QTest::newRow("upper case .TXT") << "UPPER.TXT"
                                         << "UPPER.TXT";
        QTest::newRow("other extension") << "memo.doc"
                                         << "memo.doc.txt";
    }
    void saveAppendsTxtOnlyWhenMissing() {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        const auto window = open();
        QSignalSpy said(window.get(), &frmSendData::saved);
        dialogs_->chooseNext(dir_.filePath(chosen));
        window->cmdSave_Click();
        QCOMPARE(FileBytes(dir_.filePath(written)), FileBytes(LetterPath()));
        QCOMPARE(said.size(), 1);
        QCOMPARE(said[0][0].toString(), dir_.filePath(written));
        QVERIFY(!QFile::exists(dir_.filePath(written + ".txt")));
        QVERIFY(dialogs_->messages().isEmpty());
    }

    void cancelledSaveWritesNothingAndSaysNothing() {
        const auto window = open();
        const auto before = QDir(dir_.path()).entryList();
        dialogs_->chooseNext(QString());
        window->cmdSave_Click();
        QCOMPARE(QDir(dir_.path()).entryList(), before);
        QVERIFY(dialogs_->messages().isEmpty());
    }

    void unwritableSaveNamesThePathAndTheReason() {
        const auto window = open();
        const QString path = dir_.filePath(QStringLiteral("no-such-folder/letter"));
        dialogs_->chooseNext(path);
        window->cmdSave_Click();
        expectOneStopMessage({path + ".txt", QStringLiteral("No such file or directory")});
    }

    void missingSummaryFileGivesAMessageAndNoWindow() {
        const std::string missing = dir_.filePath(QStringLiteral("999999")).toStdString();
        QVERIFY(frmSendData::Form_Load(missing, "1", Format::M100) == nullptr);
        expectOneStopMessage({QString::fromStdString(missing), QStringLiteral("No such file or directory")});
        QVERIFY(!QFile::exists(LetterPath()));
    }

    void emptySummaryFileGivesAnEmptyLetter() {
        const std::string empty = dir_.filePath(QStringLiteral("000000")).toStdString();
        WriteLetterFile(empty, "");
        const std::unique_ptr<frmSendData> window(frmSendData::Form_Load(empty, "0", Format::M10));
        QVERIFY(window);
        QCOMPARE(window->findChild<QPlainTextEdit*>(QStringLiteral("RichTextBox1"))->toPlainText(),
                 QString());
        QCOMPARE(FileBytes(LetterPath()), std::string());
    }

    void plantedLinkAtTheLetterFileIsRefused() {
        const QString victim = dir_.filePath(QStringLiteral("victim"));
        WriteLetterFile(victim.toStdString(), "keep");
        QVERIFY(QFile::link(victim, LetterPath()));
        QVERIFY(frmSendData::Form_Load(summary_, "1", Format::M100) == nullptr);
        expectOneStopMessage({LetterPath()});
        QCOMPARE(FileBytes(victim), std::string("keep"));
        QFile::remove(LetterPath());
    }

    void printWithTheDialogAnswered() {
        const auto window = open();
        const QString pdf = dir_.filePath(QStringLiteral("printed.pdf"));
        bool asked = false;
        dialogs_->printNext([&](QPrintDialog& dialog) {
            asked = true;
            [&] {
                QVERIFY(!dialog.testOption(QAbstractPrintDialog::PrintPageRange));
                QVERIFY(QApplication::overrideCursor());
                QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
            }();
            dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
            dialog.printer()->setOutputFileName(pdf);
            return QDialog::Accepted;
        });
        window->cmdPrint_Click();
        QVERIFY(asked);
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(test::PdfPageCount(pdf), 1);
        QVERIFY(test::PdfText(pdf).contains(QStringLiteral("654321")));
        QVERIFY(stopMessages().isEmpty());
    }

    void cancelledPrintPrintsNothingAndSaysNothing() {
        const auto window = open();
        QSignalSpy said(window.get(), &frmSendData::printed);
        const QString pdf = dir_.filePath(QStringLiteral("cancelled.pdf"));
        dialogs_->printNext([&](QPrintDialog& dialog) {
            dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
            dialog.printer()->setOutputFileName(pdf);
            return QDialog::Rejected;
        });
        window->cmdPrint_Click();
        QVERIFY(!QFile::exists(pdf));
        QVERIFY(said.isEmpty());
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(stopMessages().isEmpty());
    }

    // The command-line checker writes the very bytes the window builds.
    void qrvCheckLetterIsTheWindowsLetter() {
        QTemporaryDir work;
        const QString media = work.filePath(QStringLiteral("in.txt"));
        QVERIFY(QFile::copy(QStringLiteral(QRV_SAMPLES_DIR "/100m-thai-name.txt"), media));
        const QString letter = work.filePath(QStringLiteral("letter.txt"));
        QProcess check;
        check.start(QStringLiteral(QRV_CHECK_PATH),
                    {"--format", "100M", "--json", "--letter", letter, media});
        QVERIFY(check.waitForFinished(60000));
        QCOMPARE(check.exitCode(), 0);
        const QJsonObject labels =
            QJsonDocument::fromJson(check.readAllStandardOutput())["window"]["labels"].toObject();
        const std::string summary = labels["Label1"].toString().toStdString();
        const std::string hash = labels["HashValue"].toString().toStdString();
        QVERIFY(!hash.empty());

        const std::unique_ptr<frmSendData> window(frmSendData::Form_Load(summary, hash, Format::M100));
        QVERIFY(window);
        QCOMPARE(FileBytes(letter), FileBytes(LetterPath()));
        QVERIFY(FileBytes(letter).find("HASH TOTAL      : " + hash + "\r\n") != std::string::npos);
    }

    void printerErrorNamesThePrinter() {
        const auto window = open();
        const QString pdf = dir_.filePath(QStringLiteral("no-such-folder/out.pdf"));
        dialogs_->printNext([&](QPrintDialog& dialog) {
            dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
            dialog.printer()->setOutputFileName(pdf);
            return QDialog::Accepted;
        });
        window->cmdPrint_Click();
        QVERIFY(!QApplication::overrideCursor());
        expectOneStopMessage({pdf});
    }
};

} // namespace qrv::gui

QTEST_MAIN(qrv::gui::SendDataWindowTest)
#include "send_data_test.moc"
