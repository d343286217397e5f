// The desktop program and the journal of checks: the same file as qrv-check,
// each run and letter event recorded, the repeat advised in the status bar,
// the summary's digest in Label1's tooltip, the history window, and a
// journal that cannot be written costing the check nothing.
#include "journal/digest.h"
#include "journal/history.h"
#include "journal/journal.h"
#include "journal/journal_path.h"
#include "journal/run_entry.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/recording_dialogs.h"
#include "tests/ui/window_parts.h"
#include "ui/application.h"
#include "ui/check_journal.h"
#include "ui/frmAdvisories.h"
#include "ui/frmHistory.h"
#include "ui/frmSendData.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>
#include <algorithm>
#include <memory>

namespace qrv::gui {

using namespace qrv::test;

class JournalWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<test::RecordingDialogs> dialogs_;
    std::unique_ptr<MDIForm1> main_;

    QString native(const QString& name) const { return QDir::toNativeSeparators(dir_->filePath(name)); }

    QString sample(const QString& name) {
        const QString path = native(name);
        test::WriteBytes(QFile::encodeName(path).toStdString(),
                         test::ReadBytes(std::filesystem::path(QRV_SAMPLES_DIR) / name.toStdString()));
        return path;
    }

    FrmEdit* check(Format format, const QString& path) {
        main_->findChild<QAction*>(format == Format::M10 ? "KVT_10m" : "KVT_100m")->trigger();
        Txtfile(*SelFile(*main_))->setText(path);
        EditData(*SelFile(*main_))->click();
        return main_->findResultWindow();
    }

    std::vector<PastRun> journaled() const { return Journal(DesktopJournalPath()).history(""); }

    void startMain() {
        main_ = std::make_unique<MDIForm1>();
        main_->showMaximized();
    }

  private slots:
    void initTestCase() { SetUpApplication(); }

    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
#ifndef _WIN32
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir_->filePath("data")));
#endif
        qputenv("CUPS_SERVER", QFile::encodeName(dir_->filePath("no-server.sock")));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir_->path()));
        // Windows' data folder is the user's own: each test starts a new journal there.
        for (const char* part : {"", "-wal", "-shm"})
            QFile::remove(QString::fromStdString(DesktopJournalPath() + part));
        dialogs_ = std::make_unique<test::RecordingDialogs>();
        startMain();
    }

    void cleanup() {
        main_.reset();
        dialogs_.reset();
        dir_.reset();
    }

    // qrv-check --journal finds, without Qt, the file the desktop program writes.
    void journalIsTheFileQrvCheckFinds() {
        QCOMPARE(QString::fromStdString(DesktopJournalPath()), QString::fromStdString(DefaultJournalPath()));
#ifndef _WIN32
        const QByteArray home = qgetenv("HOME");
        qunsetenv("XDG_DATA_HOME");
        qputenv("HOME", QFile::encodeName(dir_->path()));
        const std::string desktop = DesktopJournalPath();
        const std::string command = DefaultJournalPath();
        qputenv("HOME", home);
        QCOMPARE(QString::fromStdString(desktop), QString::fromStdString(command));
        QCOMPARE(QString::fromStdString(desktop), dir_->filePath(".local/share/qrv-edit/journal.sqlite"));
#endif
    }

    void repeatedCheckIsAdvisedWithTheSummarysDigest() {
        const QString media = sample("10m-rejected.txt");
        check(Format::M10, media);
        QVERIFY2(!main_->statusBar()->currentMessage().contains("checked on"),
                 qPrintable(main_->statusBar()->currentMessage()));
        FrmEdit* window = check(Format::M10, media);
        const frmAdvisories* advisories = main_->findAdvisories();
        QVERIFY(advisories);
        const auto* list = advisories->findChild<QTreeWidget*>("advisoryList");
        QVERIFY(list && list->topLevelItemCount() > 0);
        const QString last = list->topLevelItem(list->topLevelItemCount() - 1)->text(0);
        QVERIFY2(last.startsWith("This file was checked on "), qPrintable(last));
        const std::vector<PastRun> runs = journaled();
        QCOMPARE(runs.size(), std::size_t{2});
        // The run's own advisories, and now the journal's.
        QCOMPARE(runs[0].run.advisories, runs[1].run.advisories + 1);
        QCOMPARE(QString::fromStdString(runs[0].run.program).section(' ', 0, 0), QStringLiteral("qrv-edit"));
        const std::string summary = test::ReadBytes(test::Utf8Path(runs[0].run.summaryPath));
        QVERIFY2(ValueField(*window, Label::SummaryPath)
                     ->toolTip()
                     .endsWith("\nSHA-256: " + QString::fromStdString(Sha256(summary))),
                 qPrintable(ValueField(*window, Label::SummaryPath)->toolTip()));
    }

    void historyListsNewestFirstFiltersAndExports() {
        check(Format::M10, sample("10m-rejected.txt"));
        check(Format::M100, sample("100m-rejected.txt"));
        main_->findChild<QAction*>("historyOfChecks")->trigger();
        auto* history = main_->findChild<frmHistory*>("frmHistory");
        QVERIFY(history);
        auto* view = test::Part<QTreeView>(*history, "lvwHistory");
        QCOMPARE(view->model()->rowCount(), 2);
        const int mediaColumn = 4;
        QCOMPARE(view->model()->headerData(mediaColumn, Qt::Horizontal).toString(),
                 QStringLiteral("Media file"));
        QVERIFY(view->model()->index(0, mediaColumn).data().toString().endsWith("100m-rejected.txt"));
        test::Part<QLineEdit>(*history, "txtFilter")->setText("10M-REJ");
        QCOMPARE(view->model()->rowCount(), 1);
        test::Part<QLineEdit>(*history, "txtFilter")->setText("no such file");
        QCOMPARE(view->model()->rowCount(), 0);
        test::Part<QLineEdit>(*history, "txtFilter")->clear();
        const QString csv = native("history.csv");
        dialogs_->chooseNext(csv);
        test::Part<QPushButton>(*history, "cmdExport")->click();
        const std::vector<std::string> lines =
            test::SplitCrLfLines(test::ReadBytes(test::Utf8Path(csv.toStdString())));
        QCOMPARE(lines.size(), std::size_t{3});
        QVERIFY(lines[0].starts_with("Checked,Company code,Company name,"));
        QVERIFY(lines[1].find("100m-rejected.txt") != std::string::npos);
    }

    void letterEventsAreJournaled() {
        const QString media = sample("100m-clean.txt");
        check(Format::M100, media);
        PrintSendData(*main_->findResultWindow())->click();
        const QString saved = native("letter.txt");
        dialogs_->chooseNext(saved);
        main_->findCoveringLetter()->cmdSave_Click();
        const QString pdf = native("letter.pdf");
        dialogs_->printNext([&](QPrintDialog& dialog) {
            dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
            dialog.printer()->setOutputFileName(pdf);
            return QDialog::Accepted;
        });
        main_->findCoveringLetter()->cmdPrint_Click();
        main_->findCoveringLetter()->close();
        check(Format::M100, media);
        PrintSendData(*main_->findResultWindow())->click();
        main_->findCoveringLetter()->close();

        const std::vector<PastRun> runs = journaled();
        QCOMPARE(runs.size(), std::size_t{2});
        QCOMPARE(runs[0].letters.size(), std::size_t{1});
        QCOMPARE(runs[0].letters[0].event, LetterEvent::Closed);
        const std::vector<LetterEntry>& letters = runs[1].letters;
        QCOMPARE(letters.size(), std::size_t{2});
        QCOMPARE(letters[0].event, LetterEvent::Saved);
        QCOMPARE(QString::fromStdString(letters[0].path), saved);
        QCOMPARE(letters[0].sha256, Sha256(test::ReadBytes(test::Utf8Path(saved.toStdString()))));
        QCOMPARE(letters[1].event, LetterEvent::Printed);
        // As the printer names its file, whose separators on Windows are Qt's.
        QCOMPARE(QDir::fromNativeSeparators(QString::fromStdString(letters[1].printer)),
                 QDir::fromNativeSeparators(pdf));
        QCOMPARE(letters[1].state, std::string("printed"));

        // The history of checks tells each letter's fate in the journal's words.
        main_->findChild<QAction*>("historyOfChecks")->trigger();
        const auto* history =
            test::Part<QTreeView>(*main_->findChild<frmHistory*>("frmHistory"), "lvwHistory");
        const std::span<const std::string_view> columns = HistoryColumns();
        const auto letterColumn =
            static_cast<int>(std::find(columns.begin(), columns.end(), "Letter") - columns.begin());
        for (int row = 0; row < 2; ++row)
            QCOMPARE(history->model()->index(row, letterColumn).data().toString(),
                     QString::fromStdString(LetterFate(runs[static_cast<std::size_t>(row)])));
    }

#ifndef _WIN32
    void unwritableJournalCostsTheCheckNothing() {
        QFile blocker(dir_->filePath("not-a-folder"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        qputenv("XDG_DATA_HOME", QFile::encodeName(blocker.fileName()));
        startMain();
        FrmEdit* window = check(Format::M10, sample("10m-rejected.txt"));
        QVERIFY(window);
        QVERIFY(!ValueField(*window, Label::CompanyCode)->text().isEmpty());
        QVERIFY2(main_->statusBar()->currentMessage().startsWith("The journal of checks was not written: "),
                 qPrintable(main_->statusBar()->currentMessage()));
    }
#endif
};

} // namespace qrv::gui

QTEST_MAIN(qrv::gui::JournalWindowTest)
#include "journal_window_test.moc"
