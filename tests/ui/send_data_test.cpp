#include "files/file_error.h"
#include "report/letter.h"
#include "runs/format.h"
#include "tests/report/pdf_tools.h"
#include "tests/report/thai_control_line.h"
#include "tests/support/temp_dir.h"
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
#include <cerrno>
#include <memory>

namespace qrv::gui {

class SendDataWindowTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    std::unique_ptr<test::RecordingDialogs> dialogs_;

    static std::string FileBytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("<missing>");
    }
    static QString LetterPath() { return QString::fromStdString(LetterFilePath()); }

    CheckedRun run(const std::string& controlLine = test::ThaiControlLine()) const {
        return {Format::M100, dir_.filePath(QStringLiteral("in.txt")), controlLine, 654321};
    }

    std::unique_ptr<frmSendData> open(const std::string& controlLine = test::ThaiControlLine()) {
        return std::unique_ptr<frmSendData>(frmSendData::Form_Load(run(controlLine)));
    }

    static QString PrintToPdf(test::RecordingDialogs& dialogs, frmSendData& window, const QString& pdf) {
        dialogs.printNext([&](QPrintDialog& dialog) {
            dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
            dialog.printer()->setOutputFileName(pdf);
            return QDialog::Accepted;
        });
        window.cmdPrint_Click();
        return test::PdfText(pdf);
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
    }
    void init() { dialogs_ = std::make_unique<test::RecordingDialogs>(); }
    void cleanup() { dialogs_.reset(); }

    void loadShowsTheLetterFile() {
        const auto window = open();
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("Report Send Data"));
        QCOMPARE(window->palette().color(QPalette::Window), QColor(224, 224, 224));
        const std::string expected = LetterForRun(test::ThaiControlLine(), 654321, Format::M100, Today());
        QCOMPARE(FileBytes(LetterPath()), expected);

        auto* text = window->findChild<QPlainTextEdit*>(QStringLiteral("RichTextBox1"));
        QVERIFY(text);
        QVERIFY(text->isReadOnly());
        QCOMPARE(text->font().family(), QStringLiteral("AngsanaUPC"));
        QCOMPARE(text->font().pointSize(), 16);
        QStringList lines;
        for (const std::string& line :
             BuildLetter(SplitRecord(test::ThaiControlLine(), FormatTable(Format::M100).controlLayout),
                         "654321", Today()))
            lines << FromMedia(line);
        QCOMPARE(text->toPlainText(), lines.join(u'\n'));
        QVERIFY(text->toPlainText().contains(QStringLiteral("บริษัท ทดสอบ จำกัด")));

        auto* save = window->findChild<QPushButton*>(QStringLiteral("cmdSave"));
        auto* print = window->findChild<QPushButton*>(QStringLiteral("cmdPrint"));
        QVERIFY(save && print);
        QCOMPARE(save->text(), QStringLiteral("Sa&ve"));
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
        expectOneStopMessage({path + ".txt", QString::fromStdString(SystemErrorText(ENOENT))});
    }

    // The dialog asked about the name the user typed; the one with ".txt"
    // added is asked about here, and No goes back to the dialog.
    void saveAsksBeforeReplacingTheNameWithTxtAdded() {
        const QString notes = dir_.filePath(QStringLiteral("notes.txt"));
        test::WriteBytes(notes.toStdString(), "mine");
        const auto window = open();
        dialogs_->chooseNext(dir_.filePath(QStringLiteral("notes")));
        dialogs_->answerNext(QMessageBox::No);
        window->cmdSave_Click();
        QCOMPARE(FileBytes(notes), std::string("mine"));
        QCOMPARE(dialogs_->fileDialogs().size(), 2);
        const MessageBoxShown& asked = dialogs_->messages().at(0);
        QCOMPARE(asked.text, QStringLiteral("notes.txt already exists. Do you want to replace it?"));
        QCOMPARE(asked.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(asked.defaultButton, QMessageBox::No);

        dialogs_->chooseNext(dir_.filePath(QStringLiteral("notes")));
        dialogs_->answerNext(QMessageBox::Yes);
        window->cmdSave_Click();
        QCOMPARE(FileBytes(notes), FileBytes(LetterPath()));
    }

    // A name chosen with ".txt" is the name the dialog asked about: replacing
    // that file is not asked again.
    void chosenTxtNameIsAskedAboutOnlyByTheDialog() {
        const QString notes = dir_.filePath(QStringLiteral("notes.txt"));
        test::WriteBytes(notes.toStdString(), "mine");
        const auto window = open();
        dialogs_->chooseNext(notes);
        window->cmdSave_Click();
        QVERIFY(dialogs_->messages().isEmpty());
        QCOMPARE(dialogs_->fileDialogs().size(), 1);
        QCOMPARE(FileBytes(notes), FileBytes(LetterPath()));
    }

    // Two copies of the program: each shows, prints and removes its own letter.
    void twoWindowsKeepTheirOwnLetters() {
        const std::string nameA = test::ControlLine(Format::M100, {.companyName = "COMPANY AAAA"});
        const std::string nameB = test::ControlLine(Format::M100, {.companyName = "COMPANY BBBB"});
        auto first = open(nameA);
        auto second = open(nameB);
        QVERIFY(FileBytes(LetterPath()).find("COMPANY BBBB") != std::string::npos);
        QVERIFY(PrintToPdf(*dialogs_, *first, dir_.filePath(QStringLiteral("a1.pdf")))
                    .contains(QStringLiteral("COMPANY AAAA")));
        second->close();
        second.reset();
        QVERIFY(PrintToPdf(*dialogs_, *first, dir_.filePath(QStringLiteral("a2.pdf")))
                    .contains(QStringLiteral("COMPANY AAAA")));
        QVERIFY(stopMessages().isEmpty());
        const auto third = open(nameB);
        first->close();
        QVERIFY(FileBytes(LetterPath()).find("COMPANY BBBB") != std::string::npos);
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
        const std::string hash = labels["HashValue"].toString().toStdString();
        QVERIFY(!hash.empty());
        const std::string bytes = FileBytes(media);
        const CheckedRun checked{Format::M100, media, bytes.substr(0, bytes.find("\r\n")), std::stoi(hash)};

        const std::unique_ptr<frmSendData> window(frmSendData::Form_Load(checked));
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
