// The advisories in the desktop program: the window that opens on its own
// after a run, the comparison with an earlier file, the settings, the
// verdict's count and the letter's warning. What each advisory means is the
// advisories layer's to test; these hold the wiring.
#include "tests/support/media_lines.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/recording_dialogs.h"
#include "tests/ui/window_parts.h"
#include "ui/FrmEdit.h"
#include "ui/MDIForm1.h"
#include "ui/advisory_settings.h"
#include "ui/application.h"
#include "ui/frmAdvisories.h"
#include "ui/frmSendData.h"
#include "ui/language.h"

#include <QAction>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

using namespace qrv;
using namespace qrv::gui;
using namespace qrv::test;

namespace {

// A Thursday far enough ahead that no date advisory is due.
const std::string kPayDay = "150199";

// Accounts whose check digits pass.
const char* const kAnn = "1234567896";
const char* const kBen = "4102345677";
const char* const kCat = "3152000019";
const char* const kDan = "2345000123";

struct Credit {
    const char* account;
    std::int64_t satang;
};

std::vector<std::string> Lines(const std::string& companyCode, const std::vector<Credit>& credits) {
    std::int64_t total = 0;
    for (const Credit& credit : credits)
        total += credit.satang;
    std::vector<std::string> lines{
        ControlLine(Format::M100, {.companyCode = companyCode,
                                   .effectiveDate = kPayDay,
                                   .totalRecord = RecordCount(int(credits.size())),
                                   .totalAmount = ControlAmount(Format::M100, total)})};
    for (const Credit& credit : credits)
        lines.push_back(DetailLine(Format::M100, {.account = credit.account,
                                                  .effectiveDate = kPayDay,
                                                  .amount = DetailAmount(Format::M100, credit.satang)}));
    return lines;
}

QStringList Cells(const frmAdvisories& view, int column) {
    const auto* list = Part<QTreeWidget>(view, QStringLiteral("advisoryList"));
    QStringList cells;
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        cells << list->topLevelItem(row)->text(column);
    return cells;
}

// Every named control of the result window, where it is and how big.
QMap<QString, QRect> Geometry(const FrmEdit& window) {
    QMap<QString, QRect> rects;
    for (const QWidget* control : window.findChildren<QWidget*>())
        if (!control->objectName().isEmpty())
            rects[control->objectName()] = QRect(control->mapTo(&window, QPoint(0, 0)), control->size());
    return rects;
}

} // namespace

class AdvisoriesTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<RecordingDialogs> dialogs_;
    std::unique_ptr<MDIForm1> main_;
    std::unique_ptr<QTemporaryDir> dir_;

    QString media(const QString& name, const std::vector<std::string>& lines) {
        const QString path = dir_->filePath(name);
        WriteBytes(QFile::encodeName(path).toStdString(), JoinLines(lines));
        return path;
    }

    FrmEdit* check(const QString& path) {
        main_->openChooser(Format::M100, path);
        EditData(*SelFile(*main_))->click();
        QApplication::processEvents();
        return main_->findResultWindow();
    }

    void compareWith(const QString& earlier) {
        dialogs_->chooseNext(earlier);
        main_->findChild<QAction*>("CompareEarlier")->trigger();
        QApplication::processEvents();
    }

    // jan.txt, then feb.txt of the same company: Ben paid ten times as much,
    // Cat gone, Dan new.
    QString checkJanuaryThenFebruary() {
        const QString january =
            media("jan.txt", Lines("012345", {{kAnn, 100000}, {kBen, 50000}, {kCat, 70000}}));
        check(january);
        check(media("feb.txt", Lines("012345", {{kAnn, 100000}, {kBen, 500000}, {kDan, 70000}})));
        return january;
    }

    AdvisorySettingsDialog* openSettings() {
        main_->findChild<QAction*>("AdvisorySettings")->trigger();
        return main_->findChild<AdvisorySettingsDialog*>("AdvisorySettings");
    }

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        SetUpApplication();
    }

    void init() {
        StartWithoutJournal();
        // A file where the journal's folder would be: the journal's own
        // advisories are the journal tests' to show, these are the run's.
        const QString journalFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QDir().mkpath(QFileInfo(journalFolder).path());
        QFile(journalFolder).open(QIODevice::WriteOnly);
        QSettings(QStringLiteral("qrv-edit"), QStringLiteral("qrv-edit")).clear();
        dir_ = std::make_unique<QTemporaryDir>();
        qputenv("CUPS_SERVER", QFile::encodeName(dir_->filePath("no-server.sock")));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir_->path()));
        dialogs_ = std::make_unique<RecordingDialogs>();
        main_ = std::make_unique<MDIForm1>();
        main_->showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
    }

    void cleanup() {
        UseLanguage(Language::English);
        main_.reset();
        dialogs_.reset();
        dir_.reset();
    }

    // A file with an account twice: the window opens over the result
    // window, which keeps its place, its controls' places and the focus; a
    // file without advisories closes it again.
    void runOpensTheAdvisoriesWindow() {
        const QString clean = media("clean.txt", Lines("012345", {{kAnn, 100}, {kBen, 200}, {kCat, 300}}));
        const QString twice = media("twice.txt", Lines("012345", {{kAnn, 100}, {kBen, 200}, {kAnn, 300}}));
        FrmEdit* result = check(clean);
        QVERIFY(result);
        QVERIFY(!main_->findAdvisories());
        // Once the layouts have settled, which under Wine takes a few events more.
        QTest::qWait(100);
        const QMap<QString, QRect> before = Geometry(*result);

        QCOMPARE(check(twice), result);
        frmAdvisories* view = main_->findAdvisories();
        QVERIFY(view);
        QTRY_VERIFY(view->isVisible());
        QCOMPARE(Cells(*view, 1), QStringList{"2, 4"});
        QCOMPARE(Cells(*view, 2), QStringList{kAnn});
        QVERIFY(!Cells(*view, 0).first().isEmpty());
        QCOMPARE(Part<QLabel>(*view, "advisoryOrigin")->text(), "twice.txt (Format 100 M)");
        QVERIFY(!Part<QLabel>(*view, "advisoryProblems")->isVisibleTo(view));
        QCOMPARE(MdiArea(*main_)->activeSubWindow()->widget(), result);
        QCOMPARE(MdiArea(*main_)->subWindowList(QMdiArea::StackingOrder).last()->widget(), view);
        QVERIFY(result->isAncestorOf(QApplication::focusWidget()) || !QApplication::focusWidget());
        QTRY_COMPARE(Geometry(*result), before);
        // The summary's path between them is the platform's.
        const QString verdict = VerdictLine(*main_)->text();
        QVERIFY2(verdict.startsWith(
                     "twice.txt (Format 100 M): 3 records, none rejected, totals agree. Summary: ") &&
                     verdict.endsWith("012345, 1 advisory"),
                 qPrintable(verdict));

        check(clean);
        QTRY_VERIFY(!main_->findAdvisories());
        QVERIFY2(VerdictLine(*main_)->text().endsWith("012345"), qPrintable(VerdictLine(*main_)->text()));
    }

    // "Compare with earlier file..." offers the file checked before for the
    // company, and checks the file on screen again against the one chosen.
    void comparisonOffersTheCompanysEarlierFile() {
        const QString january = checkJanuaryThenFebruary();
        compareWith(january);
        QCOMPARE(dialogs_->fileDialogs().size(), 1);
        QCOMPARE(dialogs_->fileDialogs().first().folder, QFileInfo(january).absoluteFilePath());
        frmAdvisories* view = main_->findAdvisories();
        QVERIFY(view);
        // New, missing, changed, then the totals, which name no account.
        QCOMPARE(Cells(*view, 2), (QStringList{kDan, kCat, kBen, QString()}));
        QCOMPARE(Part<QLabel>(*view, "advisoryOrigin")->text(),
                 "feb.txt (Format 100 M), compared with jan.txt");
        QVERIFY2(VerdictLine(*main_)->text().startsWith("feb.txt (Format 100 M): 3 records, none rejected"),
                 qPrintable(VerdictLine(*main_)->text()));
        QVERIFY(VerdictLine(*main_)->text().endsWith(", 4 advisories"));
        QVERIFY(dialogs_->messages().isEmpty());
    }

    // Before any check, the file chosen is compared with by the next check.
    void comparisonBeforeAnyCheckWaitsForIt() {
        const QString january = media("jan.txt", Lines("012345", {{kAnn, 100000}}));
        compareWith(january);
        QVERIFY(main_->statusBar()->currentMessage().contains("the next check compares"));
        QVERIFY(!main_->findResultWindow());
        check(media("feb.txt", Lines("012345", {{kAnn, 100000}, {kBen, 100}})));
        frmAdvisories* view = main_->findAdvisories();
        QVERIFY(view);
        QCOMPARE(Cells(*view, 2), (QStringList{kBen, QString()}));
        // Only that one check.
        check(dir_->filePath("feb.txt"));
        QTRY_VERIFY(!main_->findAdvisories());
    }

    // An earlier file of another company is refused in the advisories
    // window; the check itself ran as ever, with no message box.
    void earlierFileOfAnotherCompanyIsRefused() {
        const QString other = media("other.txt", Lines("045678", {{kAnn, 100000}}));
        FrmEdit* result = check(media("feb.txt", Lines("012345", {{kAnn, 100000}})));
        compareWith(other);
        frmAdvisories* view = main_->findAdvisories();
        QVERIFY(view);
        const QLabel* problems = Part<QLabel>(*view, "advisoryProblems");
        QVERIFY(problems->isVisibleTo(view));
        QVERIFY2(problems->text().contains("045678"), qPrintable(problems->text()));
        QCOMPARE(ListErr(*result)->count(), 0);
        QVERIFY(PrintSendData(*result)->isEnabled());
        QVERIFY(dialogs_->messages().isEmpty());
    }

    // The advisories and the problems follow the language there and back,
    // and are the layers' own English words again.
    void advisoriesFollowTheLanguage() {
        check(media("twice.txt", Lines("012345", {{kAnn, 100}, {kBen, 200}, {kAnn, 300}})));
        compareWith(media("other.txt", Lines("045678", {{kAnn, 100000}})));
        frmAdvisories* view = main_->findAdvisories();
        QVERIFY(view);
        const QLabel* problems = Part<QLabel>(*view, "advisoryProblems");
        const QStringList english = Cells(*view, 0) << problems->text();
        QCOMPARE(english, (QStringList{"account 1234567896 is on lines 2 and 4",
                                       "the earlier file is company 045678, not 012345"}));

        UseLanguage(Language::Thai);
        QTRY_COMPARE(
            Cells(*view, 0) << problems->text(),
            (QStringList{"บัญชี 1234567896 ซ้ำกัน: บรรทัดที่ 2 และ 4", "ไฟล์ครั้งก่อนเป็นของบริษัท 045678 ไม่ใช่ 012345"}));
        UseLanguage(Language::English);
        QTRY_COMPARE(Cells(*view, 0) << problems->text(), english);
    }

    // The dialog's values are kept, shown again, and used by the next check:
    // a threshold of 1000% lets Ben's tenfold pay pass.
    void settingsAreKeptAndUsed() {
        AdvisorySettingsDialog* dialog = openSettings();
        QVERIFY(dialog);
        QCOMPARE(Part<QSpinBox>(*dialog, "thresholdPercent")->value(), 20);
        QCOMPARE(Part<QDoubleSpinBox>(*dialog, "thresholdMinimum")->value(), 1000.0);
        QCOMPARE(Part<QSpinBox>(*dialog, "leadDays")->value(), 2);
        Part<QSpinBox>(*dialog, "thresholdPercent")->setValue(1000);
        Part<QDoubleSpinBox>(*dialog, "thresholdMinimum")->setValue(12.34);
        Part<QSpinBox>(*dialog, "leadDays")->setValue(0);
        const QString missing = dir_->filePath("holidays.txt");
        Part<QLineEdit>(*dialog, "holidayFile")->setText(missing);
        QVERIFY(Part<QLabel>(*dialog, "holidayNote")->isVisibleTo(dialog));
        dialog->accept();
        QTRY_VERIFY(!main_->findChild<AdvisorySettingsDialog*>("AdvisorySettings"));

        const AdvisoryOptions kept = LoadAdvisoryOptions();
        QCOMPARE(kept.thresholdPercent, 1000);
        QCOMPARE(kept.thresholdMinimum, 1234);
        QCOMPARE(kept.leadDays, 0);
        QCOMPARE(kept.holidayFile, missing);
        dialog = openSettings();
        QCOMPARE(Part<QSpinBox>(*dialog, "thresholdPercent")->value(), 1000);
        QCOMPARE(Part<QLineEdit>(*dialog, "holidayFile")->text(), missing);
        dialog->reject();

        const QString january = checkJanuaryThenFebruary();
        compareWith(january);
        frmAdvisories* view = main_->findAdvisories();
        QVERIFY(view);
        QCOMPARE(Cells(*view, 2), (QStringList{kDan, kCat, QString()}));
        // The missing holiday list is said where the advisories are; the check ran.
        QVERIFY(Part<QLabel>(*view, "advisoryProblems")->isVisibleTo(view));
        QVERIFY(PrintSendData(*main_->findResultWindow())->isEnabled());
    }

    // The letter's warning line names the advisories of its run.
    void letterWarningNamesTheAdvisories() {
        FrmEdit* result =
            check(media("twice.txt", Lines("012345", {{kAnn, 100}, {kAnn, 100}, {kBen, 200}, {kBen, 300}})));
        QVERIFY(result);
        PrintSendData(*result)->click();
        frmSendData* letter = main_->findCoveringLetter();
        QVERIFY(letter);
        QCOMPARE(Part<QLabel>(*letter, "warningLine")->text(), "Advisories: 2 accounts appear twice.");
    }

    // The advisories go beneath the letter, whose Save and Print they would
    // cover, and come over the result window again when the letter closes.
    void advisoriesLeaveTheLetterUncovered() {
        FrmEdit* result = check(media("twice.txt", Lines("012345", {{kAnn, 100}, {kAnn, 100}})));
        QVERIFY(result);
        const auto topmost = [this] {
            return MdiArea(*main_)->subWindowList(QMdiArea::StackingOrder).last()->widget();
        };
        QCOMPARE(topmost(), main_->findAdvisories());
        PrintSendData(*result)->click();
        frmSendData* letter = main_->findCoveringLetter();
        QVERIFY(letter);
        QTRY_COMPARE(topmost(), letter);
        QCOMPARE(MdiArea(*main_)->activeSubWindow()->widget(), letter);
        letter->parentWidget()->close();
        QTRY_COMPARE(topmost(), main_->findAdvisories());
        QVERIFY(main_->findAdvisories()->isVisible());
        QCOMPARE(MdiArea(*main_)->activeSubWindow()->widget(), result);
    }
};

QTEST_MAIN(AdvisoriesTest)
#include "advisories_test.moc"
