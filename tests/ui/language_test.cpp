// The windows in Thai and back, live: every text a person reads follows the
// language, nothing of the letter does, and the choice is kept.
#include "runs/ports.h"
#include "tests/report/pdf_tools.h"
#include "tests/ui/recording_dialogs.h"
#include "tests/ui/window_parts.h"
#include "ui/FrmEdit.h"
#include "ui/MDIForm1.h"
#include "ui/advisory_settings.h"
#include "ui/application.h"
#include "ui/frmSelFile.h"
#include "ui/frmSendData.h"
#include "ui/language.h"
#include "ui/letter_folder.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>
#include <algorithm>
#include <memory>

using namespace qrv;
using namespace qrv::gui;
using namespace qrv::test;

namespace {

// What stays in Latin letters under Thai: names (the program's among them,
// as the history of checks names the program of a run), the formats' names, the
// language menu's way back, the result window's field captions (the run's
// own, as the bank names the fields), and words Thai offices write so.
QStringList KeptLatin() {
    QStringList kept{QStringLiteral("QRV Edit Data"),
                     QStringLiteral("Format 100 M"),
                     QStringLiteral("Format 10 M"),
                     QStringLiteral("100M"), // as the journal names the formats
                     QStringLiteral("10M"),
                     QStringLiteral("Language"),
                     QStringLiteral("English"),
                     QStringLiteral("GNU Lesser General Public License"),
                     QStringLiteral("Core, Gui, Widgets, PrintSupport, Svg"),
                     QStringLiteral("Core, Gui, Widgets, PrintSupport"), // on Windows
                     QStringLiteral("Qt"),
                     QStringLiteral("qrv-edit"),
                     QStringLiteral("SHA-256"),
                     QStringLiteral("Hash Total"),
                     QStringLiteral("Excel"),
                     QStringLiteral("CSV"),
                     QStringLiteral("PDF"),
                     QStringLiteral("Unicode"),
                     QStringLiteral("Enter"),
                     QStringLiteral("NO."),
                     QStringLiteral("A4"),
                     QStringLiteral("D:\\pay\\jan.txt"),
                     QStringLiteral("D:\\012345"),
                     QStringLiteral("*.xlsx"),
                     QStringLiteral("*.csv"),
                     QStringLiteral("*.TXT"),
                     QStringLiteral("*.txt")};
    for (const LabelCaption& caption : kLabelCaptions)
        kept << QString::fromLatin1(caption.text);
    return kept;
}

// The Latin words of `text` once the kept texts, `also` (the files' names),
// drive names such as C:\, files' SHA-256 digests, the Latin mnemonics of
// Thai captions, "(X)", and the file layer's words on a file it cannot use,
// 'Cannot open the input file "...": reason', are taken out.
QString LatinLeft(QString text, const QStringList& also) {
    text.remove(u'&');
    QStringList kept = KeptLatin() + also;
    // The longest first: "Format 100 M" before "Format 10 M".
    std::sort(kept.begin(), kept.end(),
              [](const QString& a, const QString& b) { return a.size() > b.size(); });
    for (const QString& each : kept)
        text.remove(each);
    text.remove(QRegularExpression(
        QStringLiteral("\\([A-Z]\\)|\\b[A-Z]:\\\\|\\b[0-9a-f]{64}\\b|Cannot [a-z ]+ \"[^\"]*\": [^\\n]*")));
    QStringList words;
    for (const auto& match : QRegularExpression(QStringLiteral("[A-Za-z]+")).globalMatch(text))
        words << match.captured();
    return words.join(u' ');
}

// The control record's messages, the rejected rows, and the hint below a
// record's line: the run's own texts.
bool IsRunsText(const QWidget& widget) {
    for (const QWidget* part = &widget; part; part = part->parentWidget())
        if (part->objectName() == QStringLiteral("ListErr") ||
            part->objectName() == QStringLiteral("ListView1") ||
            part->objectName() == QStringLiteral("recordHint"))
            return true;
    return false;
}

// The cells of `view`; none of a file dialog's list, whose names are the clerk's files.
void AddCells(const QAbstractItemView& view, QStringList& texts) {
    const QAbstractItemModel* model = view.model();
    if (!model || qobject_cast<const QFileSystemModel*>(model))
        return;
    for (int row = 0; row < model->rowCount(view.rootIndex()); ++row)
        for (int column = 0; column < model->columnCount(view.rootIndex()); ++column)
            texts << model->index(row, column, view.rootIndex()).data().toString();
}

void AddActions(const QList<QAction*>& actions, QStringList& texts) {
    for (const QAction* action : actions) {
        if (action->isSeparator() || !action->isVisible())
            continue;
        texts << action->text();
        if (action->menu())
            AddActions(action->menu()->actions(), texts);
    }
}

// Every text `top` and the windows within it show of their own: titles,
// captions, buttons, group titles, headers, lists, menus and context menus,
// help pages. Not what a run put there: its values, its messages (ListErr),
// its rows and their headers (ListView1), a record's hint, the letter.
QStringList VisibleTexts(const QWidget& top) {
    QStringList texts{top.windowTitle()};
    for (const QWidget* widget : top.findChildren<QWidget*>()) {
        if (!widget->isVisible() || IsRunsText(*widget))
            continue;
        if (widget->isWindow() || qobject_cast<const FrmEdit*>(widget) ||
            qobject_cast<const frmSendData*>(widget))
            texts << widget->windowTitle();
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            texts << label->text();
        else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            texts << button->text();
        else if (const auto* group = qobject_cast<const QGroupBox*>(widget))
            texts << group->title();
        else if (const auto* page = qobject_cast<const QTextBrowser*>(widget))
            texts << page->toPlainText();
        else if (const auto* header = qobject_cast<const QHeaderView*>(widget); header && header->model())
            for (int i = 0; i < header->count(); ++i)
                texts << header->model()->headerData(i, header->orientation()).toString();
        else if (const auto* view = qobject_cast<const QAbstractItemView*>(widget))
            AddCells(*view, texts);
        AddActions(widget->actions(), texts);
    }
    texts.removeAll(QString());
    return texts;
}

} // namespace

class LanguageTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    std::unique_ptr<RecordingDialogs> dialogs_;
    std::unique_ptr<MDIForm1> main_;

    QString sample(const QString& name) {
        const QString media = dir_.filePath(name);
        QFile::remove(media);
        return QFile::copy(QRV_SAMPLES_DIR "/" + name, media) ? media : QString();
    }

    FrmEdit* check(const QString& name, Format format = Format::M100) {
        main_->openChooser(format, sample(name));
        EditData(*SelFile(*main_))->click();
        QApplication::processEvents();
        return main_->findResultWindow();
    }

    frmSendData* openLetter() {
        FrmEdit* result = check(QStringLiteral("100m-thai-name.txt"));
        if (!result)
            return nullptr;
        PrintSendData(*result)->click();
        QApplication::processEvents();
        return main_->findCoveringLetter();
    }

    // The files' names and folders, the home folder among them, and a
    // sample's company name as the history of checks shows it: they stay as they are.
    QStringList fileNames() const {
        return {dir_.path(),
                QDir::home().dirName(),
                QStringLiteral("SAMPLE REJECTS LIMITED"),
                QDir::toNativeSeparators(dir_.path()),
                QStringLiteral("100m-rejected.txt"),
                QStringLiteral("100m-thai-name.txt"),
                QStringLiteral("100m-bad-control.txt"),
                QStringLiteral("wrong-format.txt"),
                QStringLiteral("kept.txt"),
                QStringLiteral("letter.txt"),
                QStringLiteral("no-holidays.txt")};
    }

    // Every Latin word left in `texts`, each with the text it is in.
    QStringList latinIn(const QStringList& texts) const {
        QStringList left;
        for (const QString& text : texts)
            if (const QString latin = LatinLeft(text, fileNames()); !latin.isEmpty())
                left << latin + QStringLiteral("  in: ") + text;
        return left;
    }

    // Each message box as it would open: its text, title, details and buttons.
    QStringList messageTexts() const {
        QStringList texts;
        for (const MessageBoxShown& shown : dialogs_->messages()) {
            texts << shown.text << shown.title << shown.details;
            const QMessageBox box(shown.icon, shown.title, shown.text, shown.buttons);
            for (const QAbstractButton* button : box.buttons())
                texts << button->text();
        }
        texts.removeAll(QString());
        return texts;
    }

    static QString PrintedText(RecordingDialogs& dialogs, frmSendData& letter, const QString& pdf) {
        dialogs.printNext([&](QPrintDialog& dialog) {
            dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
            dialog.printer()->setOutputFileName(pdf);
            return QDialog::Accepted;
        });
        letter.cmdPrint_Click();
        return PdfText(pdf);
    }

    static QByteArray FileBytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           dir_.filePath(QStringLiteral("settings")));
        QVERIFY(QDir(dir_.path()).mkdir(QStringLiteral("run")));
        QFile::setPermissions(dir_.filePath("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir_.filePath(QStringLiteral("run"))));
        qputenv("CUPS_SERVER", QFile::encodeName(dir_.filePath(QStringLiteral("no-server.sock"))));
        SetUpApplication();
    }

    void init() {
        StartWithoutJournal();
        UseLanguage(Language::English);
        dialogs_ = std::make_unique<RecordingDialogs>();
        main_ = std::make_unique<MDIForm1>();
        main_->showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
    }

    void cleanup() {
        main_.reset();
        dialogs_.reset();
        UseLanguage(Language::English);
        SaveAdvisoryOptions({});
    }

    void trigger(const char* action) {
        main_->findChild<QAction*>(QString::fromLatin1(action))->trigger();
        QApplication::processEvents();
    }

    // Thai and back in one session: every window changes at once, and
    // English is exactly as it was.
    void liveSwitchRetranslatesEveryWindowAndBack() {
        QVERIFY(check(QStringLiteral("100m-rejected.txt")));
        QVERIFY(openLetter());
        main_->findChild<QAction*>(QStringLiteral("howToCheck"))->trigger();
        main_->openChooser(Format::M100, QString());
        trigger("historyOfChecks");
        trigger("AdvisorySettings");
        const QStringList english = VisibleTexts(*main_);
        const QString verdict = VerdictLine(*main_)->text();

        main_->findChild<QAction*>(QStringLiteral("thai"))->trigger();
        QApplication::processEvents();
        const QStringList thai = VisibleTexts(*main_);
        QCOMPARE(thai.size(), english.size());
        QCOMPARE(EditData(*SelFile(*main_))->text(), QStringLiteral("ตรวจข้อมูล (&E)"));
        QCOMPARE(main_->findResultWindow()->windowTitle(), QStringLiteral("ผลการตรวจข้อมูล"));
        QCOMPARE(main_->findCoveringLetter()->windowTitle(), QStringLiteral("ใบนำส่งข้อมูล"));
        QCOMPARE(main_->findChild<QDialog*>(QStringLiteral("helpPage"))->windowTitle(),
                 QStringLiteral("วิธีตรวจไฟล์"));
        QVERIFY(VerdictLine(*main_)->text() != verdict);
        for (int i = 0; i < english.size(); ++i)
            if (LatinLeft(english[i], fileNames()).isEmpty())
                continue; // a name, or a caption that stays
            else
                QVERIFY2(thai[i] != english[i], qPrintable(english[i]));

        main_->findChild<QAction*>(QStringLiteral("english"))->trigger();
        QApplication::processEvents();
        QCOMPARE(VisibleTexts(*main_), english);
        QCOMPARE(VerdictLine(*main_)->text(), verdict);
    }

    // Under Thai, every window and message box a check and its letter
    // open: nothing but the kept texts is left in Latin letters.
    void nothingLeftInEnglishUnderThai() {
        // Switched live once the chooser exists; the rest opens in Thai.
        main_->openChooser(Format::M100, QString());
        UseLanguage(Language::Thai);
        EditData(*SelFile(*main_))->click(); // "Please select input file"
        QStringList texts;
        FrmEdit* rejected = check(QStringLiteral("100m-rejected.txt"));
        QVERIFY(rejected);
        ListView1(*rejected)->setCurrentIndex(ErrorRows(*rejected)->index(0, 0));
        rejected->findChild<QAction*>(QStringLiteral("showRecord"))->trigger();
        QApplication::processEvents();
        texts << VisibleTexts(*main_);
        QVERIFY(check(QStringLiteral("100m-bad-control.txt")));
        texts << VisibleTexts(*main_);
        check(QStringLiteral("wrong-format.txt"), Format::M10); // no result window: "Wrong Format"
        texts << VisibleTexts(*main_);
        frmSendData* letter = openLetter();
        QVERIFY(letter);
        main_->findChild<QAction*>(QStringLiteral("howToCheck"))->trigger();
        main_->about_Click();
        texts << VisibleTexts(*main_);
        // Save over a file that exists: the question, answered No.
        const QString existing = dir_.filePath(QStringLiteral("kept.txt"));
        QFile(existing).open(QIODevice::WriteOnly);
        dialogs_->chooseNext(dir_.filePath(QStringLiteral("kept")));
        dialogs_->answerNext(QMessageBox::No);
        letter->cmdSave_Click();
        dialogs_->answerNext(QMessageBox::Cancel);
        main_->close();
        texts << messageTexts();
        QVERIFY2(dialogs_->messages().size() == 7, qPrintable(dialogs_->messageTexts().join(u'\n')));

        QFileDialog files(main_.get(), QString(), dir_.path(), QStringLiteral("*.txt"));
        files.setOption(QFileDialog::DontUseNativeDialog);
        files.show();
        QApplication::processEvents();
        texts << VisibleTexts(files);
#ifndef _WIN32
        // Windows draws its own print dialog, in its own language.
        QPrinter printer;
        QPrintDialog print(&printer, main_.get());
        print.show();
        QApplication::processEvents();
        texts << VisibleTexts(print);
#endif

        const QStringList left = latinIn(texts);
        QVERIFY2(left.isEmpty(), qPrintable(left.join(u'\n')));
    }

    // Under Thai, the history of checks with a run and its letter's fate,
    // the advisory settings with the holiday note, and the advisories window
    // with its problems line: nothing but the kept texts is left in Latin letters.
    void historySettingsAndAdvisoriesLeaveNothingInEnglish() {
        UseLanguage(Language::Thai);
        SaveAdvisoryOptions({.holidayFile = dir_.filePath(QStringLiteral("no-holidays.txt"))});
        frmSendData* letter = openLetter();
        QVERIFY(letter);
        dialogs_->chooseNext(dir_.filePath(QStringLiteral("letter")));
        letter->cmdSave_Click();
        trigger("historyOfChecks");
        trigger("AdvisorySettings");
        const auto* history = Part<QTreeView>(*main_, QStringLiteral("lvwHistory"));
        QCOMPARE(history->model()->rowCount(), 1);
        QVERIFY(Part<QLabel>(*main_, QStringLiteral("holidayNote"))->isVisible());
        QVERIFY(Part<QLabel>(*main_, QStringLiteral("advisoryProblems"))->isVisible());

        const QStringList texts = VisibleTexts(*main_);
        // The letter's fate, whatever separators the path was saved with.
        QVERIFY2(std::any_of(texts.begin(), texts.end(),
                             [](const QString& text) {
                                 return text.startsWith(QStringLiteral("บันทึกใบนำส่งไว้ที่ ")) &&
                                        text.endsWith(QStringLiteral("letter.txt"));
                             }),
                 qPrintable(texts.join(u'\n')));
        const QStringList left = latinIn(texts);
        QVERIFY2(left.isEmpty(), qPrintable(left.join(u'\n')));
    }

    // The letter is the bank's document: its file, its Save and its print
    // are the same in both languages, and the window shows the same text.
    void letterIsTheSameInBothLanguages() {
        frmSendData* english = openLetter();
        QVERIFY(english);
        const QString letterFile = QString::fromStdString(LetterFilePath());
        const QByteArray file = FileBytes(letterFile);
        const QString shown =
            english->findChild<QPlainTextEdit*>(QStringLiteral("RichTextBox1"))->toPlainText();
        dialogs_->chooseNext(dir_.filePath(QStringLiteral("english.txt")));
        english->cmdSave_Click();
        const QString printed =
            PrintedText(*dialogs_, *english, dir_.filePath(QStringLiteral("english.pdf")));
        QVERIFY(!printed.isEmpty());

        UseLanguage(Language::Thai);
        QCOMPARE(FileBytes(letterFile), file);
        QCOMPARE(english->findChild<QPlainTextEdit*>(QStringLiteral("RichTextBox1"))->toPlainText(), shown);
        english->parentWidget()->close();
        frmSendData* thai = openLetter();
        QVERIFY(thai);
        QCOMPARE(FileBytes(letterFile), file);
        QCOMPARE(thai->findChild<QPlainTextEdit*>(QStringLiteral("RichTextBox1"))->toPlainText(), shown);
        dialogs_->chooseNext(dir_.filePath(QStringLiteral("thai.txt")));
        thai->cmdSave_Click();
        QCOMPARE(FileBytes(dir_.filePath(QStringLiteral("thai.txt"))),
                 FileBytes(dir_.filePath(QStringLiteral("english.txt"))));
        QCOMPARE(PrintedText(*dialogs_, *thai, dir_.filePath(QStringLiteral("thai.pdf"))), printed);
    }

    // The menu's choice is kept with the program's settings; none kept is English.
    void choiceIsKeptWithTheSettings() {
        QSettings(QStringLiteral("qrv-edit"), QStringLiteral("qrv-edit")).clear();
        QCOMPARE(SavedLanguage(), Language::English);
        auto* thai = main_->findChild<QAction*>(QStringLiteral("thai"));
        auto* english = main_->findChild<QAction*>(QStringLiteral("english"));
        QVERIFY(english->isChecked());
        thai->trigger();
        QCOMPARE(CurrentLanguage(), Language::Thai);
        QCOMPARE(SavedLanguage(), Language::Thai);
        QVERIFY(thai->isChecked());
        english->trigger();
        QCOMPARE(SavedLanguage(), Language::English);
        QVERIFY(english->isChecked());
    }
};

QTEST_MAIN(LanguageTest)
#include "language_test.moc"
