// The desktop program's windows, driven as a clerk drives them: menu,
// chooser, "Edit Data", result window, exit question.
#include "files/file_error.h"
#include "runs/format.h"
#include "tests/support/media_lines.h"
#include "tests/support/refusing_folder.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/recording_dialogs.h"
#include "tests/ui/window_parts.h"
#include "ui/FrmEdit.h"
#include "ui/MDIForm1.h"
#include "ui/application.h"
#include "ui/dimmed_text.h"
#include "ui/elided_line_edit.h"
#include "ui/error_table_model.h"
#include "ui/frmSelFile.h"
#include "ui/frmSendData.h"
#include "ui/letter_folder.h"
#include "ui/local_names.h"
#include "ui/program_settings.h"
#include "ui/record_view.h"
#include "ui/thai_text.h"
#include "ui/twips.h"
#include "version.h"

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTreeView>
#include <QtTest>
#include <cerrno>
#include <memory>
#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace qrv;
using namespace qrv::gui;
using namespace qrv::test;

Q_DECLARE_METATYPE(qrv::Format)

namespace {

const QString kThaiCompanyText = QStringLiteral("บริษัท");
const std::string kThaiCompany = ToCp874(u"บริษัท");
const std::string kEffectiveDate = "150124";

// The control record of these tests: a Thai company name, effective 15/01/24.
Control ThaiControl() {
    return {.companyName = kThaiCompany, .effectiveDate = kEffectiveDate, .mediaType = "1"};
}

Control Totals(const char* totalRecord) {
    Control fields = ThaiControl();
    fields.totalRecord = totalRecord;
    return fields;
}

// Apply code (unchanged when empty) and status.
Control Rejected(const char* applyCode, const char* status) {
    Control fields = ThaiControl();
    if (*applyCode)
        fields.applyCode = applyCode;
    fields.status = status;
    return fields;
}

// A detail record of `satang` for `account`, dated like the control record.
std::string Record(Format format, const char* account, std::int64_t satang) {
    return DetailLine(
        format,
        {.account = account, .effectiveDate = kEffectiveDate, .amount = DetailAmount(format, satang)});
}

QStringList ListErrLines(const FrmEdit& window) {
    QStringList lines;
    for (int i = 0; i < ListErr(window)->count(); ++i)
        lines << ListErr(window)->item(i)->text();
    return lines;
}

QStringList CellsOf(const FrmEdit& window, int column) {
    QStringList cells;
    const auto* model = ErrorRows(window);
    for (int row = 0; row < model->rowCount(); ++row)
        cells << model->index(row, column).data().toString();
    return cells;
}

} // namespace

class WindowsTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<RecordingDialogs> dialogs_;
    std::unique_ptr<MDIForm1> main_;
    std::unique_ptr<QTemporaryDir> dir_;

    QString native(const QString& name) const { return QDir::toNativeSeparators(dir_->filePath(name)); }

    // A media file in dir_, named as the clerk sees it.
    QString media(const QString& name, const std::vector<std::string>& lines) {
        const QString path = native(name);
        WriteBytes(QFile::encodeName(path).toStdString(), JoinLines(lines));
        return path;
    }

    // Where a run puts the summary file of a media file in dir_: beside it,
    // or on Windows, in the root of its drive.
    QString summaryPath() const {
#ifdef _WIN32
        return native(QString()).left(3) + "012345";
#else
        return dir_->filePath("012345");
#endif
    }

    void chooseFormat(Format format) {
        main_->findChild<QAction*>(format == Format::M10 ? "KVT_10m" : "KVT_100m")->trigger();
    }

    // Menu, path, "Edit Data"; the run's message box, if any, answered OK.
    FrmEdit* check(Format format, const QString& path) {
        chooseFormat(format);
        Txtfile(*SelFile(*main_))->setText(path);
        EditData(*SelFile(*main_))->click();
        return main_->findResultWindow();
    }

    // Another child window takes the focus, then the result window gets it back.
    void reactivate(FrmEdit& window) {
        auto* other = MdiArea(*main_)->addSubWindow(new QWidget);
        other->setAttribute(Qt::WA_DeleteOnClose);
        other->show();
        MdiArea(*main_)->setActiveSubWindow(other);
        MdiArea(*main_)->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window.parentWidget()));
        other->close();
    }

  private slots:
    void initTestCase() {
        // Settings go to a folder of their own, not the user's.
        QStandardPaths::setTestModeEnabled(true);
        SetUpApplication();
    }

    void init() {
        StartWithoutJournal();
        dir_ = std::make_unique<QTemporaryDir>();
        // The letter file's folder, private to this test run; no print server answers.
        qputenv("CUPS_SERVER", QFile::encodeName(dir_->filePath("no-server.sock")));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir_->path()));
        dialogs_ = std::make_unique<RecordingDialogs>();
        main_ = std::make_unique<MDIForm1>();
        main_->showMaximized();
    }

    void cleanup() {
        main_.reset();
        dialogs_.reset();
        dir_.reset();
    }

    void menuSetsFormatAndShowsChooser() {
        const QList<QAction*> items = main_->findChild<QMenu*>("start_menu")->actions();
        QStringList names;
        for (const QAction* item : items)
            names << item->objectName() + "=" + (item->isSeparator() ? "-" : item->text());
        // "&" marks the letter that Alt picks.
        QCOMPARE(names, (QStringList{"KVT_10m=Format &10 M", "KVT_100m=Format 1&00 M", "mnuSep01=-",
                                     "KVT_exit=E&xit"}));
        QCOMPARE(main_->findChild<QMenu*>("start_menu")->title(), "&start");
        QCOMPARE(main_->windowTitle(), "QRV Edit Data");
        QCOMPARE(main_->filetype, Format::M10);

        const auto checked = [&](const char* name) {
            return main_->findChild<QAction*>(name)->isChecked();
        };
        QVERIFY(checked("KVT_10m") && !checked("KVT_100m"));
        chooseFormat(Format::M100);
        QCOMPARE(main_->filetype, Format::M100);
        QVERIFY(!checked("KVT_10m") && checked("KVT_100m"));
        QCOMPARE(FormatLine(*SelFile(*main_))->text(), "Format 100 M");
        chooseFormat(Format::M10);
        QCOMPARE(main_->filetype, Format::M10);
        QVERIFY(checked("KVT_10m") && !checked("KVT_100m"));
        frmSelFile* chooser = SelFile(*main_);
        QVERIFY(chooser && chooser->isVisible() && chooser->isWindow());
        QCOMPARE(FormatLine(*chooser)->text(), "Format 10 M");
        QCOMPARE(chooser->windowTitle(), "Choose file");
        // A tool window of the main window stays above it.
        QCOMPARE(chooser->windowType(), Qt::Tool);
        QCOMPARE(chooser->parentWidget(), main_.get());
        QCOMPARE(EditData(*chooser)->text(), "&Edit Data");
        QCOMPARE(Cmdbrowse(*chooser)->text(), "&Browse...");
        QVERIFY(EditData(*chooser)->isDefault());
        QVERIFY(!main_->findResultWindow());
    }

    void helpMenuAboutNamesVersionAndLibraries() {
        QStringList titles;
        for (const QAction* action : main_->menuBar()->actions())
            titles << action->text();
        QCOMPARE(titles, (QStringList{"&start", "E&dit", "&Help", "ภาษา / Language"}));
        main_->findChild<QAction*>("about")->trigger();
        QCOMPARE(dialogs_->messages().size(), 1);
        const auto& shown = dialogs_->messages().first();
        QCOMPARE(shown.title, "About QRV Edit Data");
        QCOMPARE(shown.text.section('\n', 0, 0), "QRV Edit Data " + QString::fromLatin1(kVersion));
        QVERIFY(shown.text.contains("Qt " + QString::fromLatin1(qVersion())));
        QVERIFY(shown.text.contains("Lesser General Public License version 3"));
    }

    void windowsCarryTheProgramsIcon() {
        QCOMPARE(QGuiApplication::desktopFileName(), "io.github.qrvedit.QrvEdit");
        chooseFormat(Format::M10);
        for (const QWidget* window : QList<QWidget*>{main_.get(), SelFile(*main_)}) {
            const QImage small = window->windowIcon().pixmap(16, 16).toImage();
            QCOMPARE(small.size(), QSize(16, 16));
            // Drawn, not blank: its middle is opaque.
            QVERIFY(qAlpha(small.pixel(8, 8)) > 0);
        }
    }

    void chooserOpensOnTheCommandLinesFile() {
        main_->openChooser(Format::M100, "/data/jan.txt");
        QCOMPARE(main_->filetype, Format::M100);
        QVERIFY(SelFile(*main_)->isVisible());
        QCOMPARE(Txtfile(*SelFile(*main_))->text(), QDir::toNativeSeparators("/data/jan.txt"));
    }

    void checkFillsResultWindow_data() {
        QTest::addColumn<Format>("format");
        QTest::addColumn<QList<int>>("widthsTwips");
        QTest::addColumn<QList<int>>("alignments");
        const int l = Qt::AlignLeft, c = Qt::AlignHCenter, r = Qt::AlignRight;
        QTest::newRow("100 M") << Format::M100 << QList<int>{600, 2000, 1500, 600, 3000, 5000}
                               << QList<int>{l, l, l, l, l, l};
        QTest::newRow("10 M") << Format::M10 << QList<int>{600, 2000, 1500, 600, 2000, 5000}
                              << QList<int>{l, c, c, c, r, l};
    }

    void checkFillsResultWindow() {
        QFETCH(Format, format);
        QFETCH(QList<int>, widthsTwips);
        QFETCH(QList<int>, alignments);
        // Records 1 and 4 are accepted, 2 and 3 rejected; the control totals match.
        Control control = Totals("00004");
        control.totalAmount = ControlAmount(format, 150000 + 1234567);
        const QString path =
            media("in.txt", {ControlLine(format, control), Record(format, "1234567896", 150000),
                             Record(format, "1234567890", 12345), Record(format, "12345678X6", 5),
                             Record(format, "4102345677", 1234567)});
        FrmEdit* window = check(format, path);
        QVERIFY(window);

        QVERIFY(!SelFile(*main_)->isVisible());
        QCOMPARE(Txtfile(*SelFile(*main_))->text(), path);
        // The result window, and the advisories window: the pay date is past.
        QCOMPARE(MdiArea(*main_)->subWindowList().size(), 2);
        QVERIFY(window->parentWidget()->isMaximized());
        QCOMPARE(window->windowTitle(), "From Edit Data");

        const auto label = [&](Label which) {
            return ValueField(*window, which)->text();
        };
        QCOMPARE(label(Label::SummaryPath), summaryPath());
        QCOMPARE(label(Label::CompanyName), kThaiCompanyText + QString(24, ' '));
        QCOMPARE(label(Label::CompanyCode), "012345");
        QCOMPARE(label(Label::TermPayment), "M");
        QCOMPARE(label(Label::EffectiveDate), "15/01/24");
        QCOMPARE(label(Label::TotalRecord), "4");
        QCOMPARE(label(Label::TotalAmount), "13,845.67");
        QCOMPARE(label(Label::DetailCount), "4");
        QCOMPARE(label(Label::DetailAmount), "13,845.67");
        // Account weights 216 and 160; amount weights 31 and 77 in both formats.
        QCOMPARE(label(Label::HashTotal), "19016"); // 216 * 31 + 160 * 77
        QCOMPARE(ValueField(*window, Label::TotalAmount)->alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignRight);

        QVERIFY(ListErrLines(*window).isEmpty());
        QCOMPARE(CellsOf(*window, 0), (QStringList{"2", "3"}));
        QCOMPARE(CellsOf(*window, 1), (QStringList{"1234567890", "12345678X6"}));
        QCOMPARE(CellsOf(*window, 2), (QStringList{"15/01/24", "15/01/24"}));
        QCOMPARE(CellsOf(*window, 5), (QStringList{"Check digit error", "ACCOUNT is not numeric"}));

        const auto* model = ErrorRows(*window);
        const QHeaderView* header = ListView1(*window)->header();
        QCOMPARE(model->columnCount(), 6);
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(header->sectionSize(i), TwipsToPixels(*window, widthsTwips[i]));
            const auto alignment =
                model->headerData(i, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>();
            QCOMPARE(int(alignment & Qt::AlignHorizontal_Mask), alignments[i]);
            const auto cell = model->index(0, i).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
            QCOMPARE(int(cell & Qt::AlignHorizontal_Mask), alignments[i]);
        }
        QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), "Account NO.");

        QCOMPARE(dialogs_->messageTexts(), QStringList{"Please check data input file."});
        // A status tip, as the menu shows, covers the verdict only while it shows.
        main_->statusBar()->showMessage("tip");
        main_->statusBar()->clearMessage();
        QVERIFY(VerdictLine(*main_)->isVisible());
        QCOMPARE(VerdictLine(*main_)->text(),
                 QString("in.txt (%1): 4 records, 2 rejected, no control messages. Summary: %2, 1 advisory")
                     .arg(format == Format::M10 ? "Format 10 M" : "Format 100 M", summaryPath()));
        QVERIFY(PrintSendData(*window)->isEnabled());
        QVERIFY(!QApplication::overrideCursor());
    }

    // Every fixed label and group by its name, with its caption to the blank.
    void captionsCarryTheirNames() {
        FrmEdit& window = main_->openResultWindow();
        for (const LabelCaption& caption : kLabelCaptions) {
            const auto* label = window.findChild<QLabel*>(QString::fromLatin1(caption.name));
            QVERIFY2(label, caption.name.data());
            QCOMPARE(label->text(), QString::fromLatin1(caption.text));
        }
        QCOMPARE(window.findChild<QLabel*>("Label27")->text(), "Detail Record Error");
        const QList<std::pair<QString, QString>> frames{
            {"Frame1", "Output File"}, {"Frame2", "Control Record"}, {"Frame3", "Detail Summary"}};
        for (const auto& [name, title] : frames)
            QCOMPARE(window.findChild<QGroupBox*>(name)->title(), title);
        const QStringList values{"Label1",       "HashValue", "Term_p",   "Com_code", "Com_name",
                                 "App_code",     "status",    "Eff_date", "Media",    "Total_record",
                                 "Total_amount", "Label24",   "Label26"};
        for (const QString& name : values)
            QVERIFY2(window.findChild<QLineEdit*>(name), qPrintable(name));
    }

    // A long summary path keeps its file name in view; its text stays whole.
    void longSummaryPathIsElidedInTheMiddle() {
        FrmEdit& window = main_->openResultWindow();
        const QString path = "/home/clerk/" + QString("payroll/").repeated(20) + "012345";
        window.setLabel(Label::SummaryPath, QFile::encodeName(path).toStdString());
        const auto* field = qobject_cast<const ElidedLineEdit*>(ValueField(window, Label::SummaryPath));
        QVERIFY(field);
        QCOMPARE(field->text(), path);
        QCOMPARE(field->toolTip(), path);
        const QString shown = field->shownText();
        QVERIFY2(shown.startsWith("/home/") && shown.endsWith("/012345") && shown.contains(QChar(0x2026)),
                 qPrintable(shown));
        window.setLabel(Label::SummaryPath, "/tmp/012345");
        QCOMPARE(field->shownText(), "/tmp/012345");
    }

    void thaiTextShowsInThaiFaces() {
        FrmEdit& window = main_->openResultWindow();
        main_->findChild<QAction*>("KVT_10m")->trigger();
        const QList<QWidget*> widgets{ValueField(window, Label::CompanyName),
                                      ValueField(window, Label::SummaryPath),
                                      PrintSendData(window),
                                      ListView1(window),
                                      ListErr(window),
                                      Txtfile(*SelFile(*main_))};
        for (const QWidget* widget : widgets) {
            const QString family = QFontInfo(widget->font()).family();
            QVERIFY2(QFontDatabase::writingSystems(family).contains(QFontDatabase::Thai),
                     qPrintable(widget->objectName() + ": " + family));
        }
        QCOMPARE(PrintSendData(window)->text(), QStringLiteral("พิมพ์ใบนำส่งข้อมูล"));
        // 0xDB is left undefined by code page 874; 0xA0 is the no-break space.
        QCOMPARE(FromMedia("\xdb\xa0\x80"), QStringLiteral("\uFFFD\u00A0\u20AC"));
    }

    void emptyPathAsksForFile() {
        chooseFormat(Format::M100);
        EditData(*SelFile(*main_))->click();
        QCOMPARE(dialogs_->messages().size(), 1);
        const auto& shown = dialogs_->messages().first();
        QCOMPARE(shown.text, "Please select input file ");
        QCOMPARE(shown.title, "KVT Edit Program");
        QCOMPARE(shown.icon, QMessageBox::Critical);
        QCOMPARE(shown.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(SelFile(*main_)->isVisible());
        QVERIFY(!main_->findResultWindow());
    }

    // The box's text stays as it was; where the run stopped goes beside it.
    void runErrorSaysWhereBesideTheText() {
        check(Format::M10, media("letters.txt", {ControlLine(Format::M10, Totals("0000A"))}));
        QCOMPARE(dialogs_->messages().size(), 1);
        const auto& shown = dialogs_->messages().first();
        QCOMPARE(shown.text,
                 "The check stopped at line 1: in the TotalRecord field, \"0000A\" is not a number.");
        QCOMPARE(shown.details, "columns 55–59 TotalRecord \"0000A\": a number");
    }

    void wrongFormatClosesWindow() {
        const QString path = media(
            "in.txt", {ControlLine(Format::M100, Totals("00001")), Record(Format::M100, "1234567896", 0)});
        QVERIFY(check(Format::M100, path));
        QVERIFY(dialogs_->messages().isEmpty());
        // The same file in 10 M: position 10 is a digit of the company code.
        QVERIFY(!check(Format::M10, path));
        QCOMPARE(dialogs_->messages().size(), 1);
        QCOMPARE(dialogs_->messages().first().text, "Wrong Format");
        QCOMPARE(dialogs_->messages().first().title, "Warning");
        QCOMPARE(dialogs_->messages().first().icon, QMessageBox::Critical);
        QVERIFY(MdiArea(*main_)->subWindowList().isEmpty());
        QVERIFY(!QApplication::overrideCursor());
    }

    // After the run, the status bar says what the file looks like: the
    // format of its first line, and text that is not code page 874.
    void verdictSaysWhatTheFileLooksLike_data() {
        QTest::addColumn<Format>("format");
        QTest::addColumn<QString>("companyName");
        QTest::addColumn<QString>("lineEnd");
        QTest::addColumn<QString>("verdictEnd");
        QTest::newRow("100 M file checked as 10 M") << Format::M10 << "ACME"
                                                    << "\r\n"
                                                    << ": Wrong Format; this looks like a Format 100 M file";
        QTest::newRow("Thai in UTF-8") << Format::M100 << QStringLiteral("บริษัท") << "\r\n"
                                       << "; the file is UTF-8 text, not code page 874, 1 advisory";
        QTest::newRow("CR line ends")
            << Format::M100 << "ACME"
            << "\r"
            << "; the file's lines end in CR alone, not CR LF, so it reads as one line, 1 advisory";
    }

    void verdictSaysWhatTheFileLooksLike() {
        QFETCH(Format, format);
        QFETCH(QString, companyName);
        QFETCH(QString, lineEnd);
        QFETCH(QString, verdictEnd);
        Control control = Totals("00001");
        control.companyName = companyName.toStdString();
        const std::string bytes = ControlLine(Format::M100, control) + lineEnd.toStdString() +
                                  Record(Format::M100, "1234567896", 0) + lineEnd.toStdString();
        const QString path = native("in.txt");
        WriteBytes(QFile::encodeName(path).toStdString(), bytes);
        check(format, path);
        QVERIFY2(VerdictLine(*main_)->text().endsWith(verdictEnd), qPrintable(VerdictLine(*main_)->text()));
    }

    // Enter pressed twice before the first press is handled checks the file once.
    void twoQuickEntersRunOneCheck() {
        const QString path = media(
            "in.txt", {ControlLine(Format::M100, Totals("00001")), Record(Format::M100, "1234567896", 0)});
        chooseFormat(Format::M100);
        frmSelFile* chooser = SelFile(*main_);
        Txtfile(*chooser)->setText(path);
        QSignalSpy runs(chooser, &frmSelFile::checkRequested);
        for (int press = 0; press < 2; ++press)
            QCoreApplication::postEvent(Txtfile(*chooser),
                                        new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));
        QCoreApplication::sendPostedEvents();
        QCOMPARE(runs.count(), 1);
        QVERIFY(main_->findResultWindow());
    }

    // F1 opens the help page, from the main window and from the chooser.
    void f1OpensTheHelpPage() {
        QApplication::setActiveWindow(main_.get());
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));
        QTest::keyClick(main_->windowHandle(), Qt::Key_F1);
        auto* page = main_->findChild<QDialog*>("helpPage");
        QVERIFY(page && page->isVisible());
        delete page;
        chooseFormat(Format::M10);
        QApplication::setActiveWindow(SelFile(*main_));
        QVERIFY(QTest::qWaitForWindowActive(SelFile(*main_)));
        QTest::keyClick(SelFile(*main_)->windowHandle(), Qt::Key_F1);
        QVERIFY(main_->findChild<QDialog*>("helpPage"));
    }

    // Within a window, no two controls and no two items of a menu answer
    // the same Alt key: the main window's menu bar answers in its child
    // windows and in the chooser, a tool window of it. A caption's Alt key
    // reaches the control it names.
    void altKeysDoNotClash() {
        const QString path = media(
            "in.txt", {ControlLine(Format::M100, Totals("00001")), Record(Format::M100, "1234567896", 0)});
        FrmEdit* result = check(Format::M100, path);
        QVERIFY(result);
        PrintSendData(*result)->click();
        QVERIFY(main_->findCoveringLetter());
        chooseFormat(Format::M100);
        main_->findChild<QAction*>("howToCheck")->trigger();
        const QWidget* help = main_->findChild<QDialog*>("helpPage");
        QVERIFY(help);
        main_->findChild<QAction*>("AdvisorySettings")->trigger();
        const QWidget* settings = main_->findChild<QDialog*>("AdvisorySettings");
        QVERIFY(settings);
        QStringList clashes;
        const auto findClashes = [&](const QString& window, const QList<QPair<QString, QString>>& keys) {
            QMultiMap<QKeySequence, QString> owners;
            for (const auto& [text, owner] : keys)
                if (const QKeySequence key = QKeySequence::mnemonic(text); !key.isEmpty())
                    owners.insert(key, owner);
            for (const QKeySequence& key : owners.uniqueKeys())
                if (owners.count(key) > 1)
                    clashes << window + ": " + key.toString() + " " +
                                   QStringList(owners.values(key)).join('/');
        };
        QList<QPair<QString, QString>> menuBar;
        for (const QAction* menu : main_->menuBar()->actions())
            menuBar.append({menu->text(), menu->text()});
        for (const QWidget* window :
             QList<const QWidget*>{SelFile(*main_), result, main_->findCoveringLetter(), help, settings}) {
            QList<QPair<QString, QString>> keys =
                window == help || window == settings ? QList<QPair<QString, QString>>() : menuBar;
            for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
                keys.append({button->text(), button->objectName()});
            for (const QLabel* label : window->findChildren<QLabel*>())
                if (label->buddy())
                    keys.append({label->text(), label->objectName()});
                else if (!QKeySequence::mnemonic(label->text()).isEmpty())
                    clashes << window->objectName() + ": " + label->text() + " reaches no control";
            for (const QGroupBox* group : window->findChildren<QGroupBox*>())
                keys.append({group->title(), group->objectName()});
            findClashes(window->objectName(), keys);
        }
        QList<const QWidget*> menus{ListView1(*result)};
        for (const QMenu* menu : main_->findChildren<QMenu*>())
            menus.append(menu);
        for (const QWidget* menu : menus) {
            QList<QPair<QString, QString>> keys;
            for (const QAction* item : menu->actions())
                keys.append({item->text(), item->objectName()});
            findClashes(menu->objectName(), keys);
        }
        QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(QStringLiteral("; "))));
    }

    void unfinishedRunKeepsPrintDisabled_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("message");
        QTest::newRow("control record rejected") << "rejected.txt"
                                                 << "Please check data input file.";
        QTest::newRow("run error") << "letters.txt"
                                   << "";
        QTest::newRow("missing file") << "missing.txt"
                                      << "";
    }

    void unfinishedRunKeepsPrintDisabled() {
        QFETCH(QString, fileName);
        QFETCH(QString, message);
        const QString good = media(
            "good.txt", {ControlLine(Format::M10, Totals("00001")), Record(Format::M10, "1234567896", 0)});
        media("rejected.txt", {ControlLine(Format::M10, Rejected("", "X"))});
        media("letters.txt", {ControlLine(Format::M10, Totals("0000A"))});

        FrmEdit* window = check(Format::M10, good);
        QVERIFY(window && PrintSendData(*window)->isEnabled());

        dialogs_->clear();
        QCOMPARE(check(Format::M10, dir_->filePath(fileName)), window);
        QCOMPARE(dialogs_->messages().size(), 1);
        if (!message.isEmpty())
            QCOMPARE(dialogs_->messages().first().text, message);
        else
            QCOMPARE(dialogs_->messages().first().icon, QMessageBox::Critical);
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(!PrintSendData(*window)->isEnabled());
        reactivate(*window);
        QVERIFY(!PrintSendData(*window)->isEnabled());

        QCOMPARE(check(Format::M10, good), window);
        reactivate(*window);
        QVERIFY(PrintSendData(*window)->isEnabled());
    }

    void controlErrorsListed() {
        const QString path = media("in.txt", {ControlLine(Format::M100, Rejected("A", "X"))});
        FrmEdit* window = check(Format::M100, path);
        QVERIFY(window);
        QCOMPARE(ListErrLines(*window),
                 (QStringList{"CTL.REC APPLY CODE ERROR", "CLT.REC STATUS is not equal 'A'"}));
        QVERIFY(!PrintSendData(*window)->isEnabled());
        QVERIFY(ValueField(*window, Label::HashTotal)->text().isEmpty());
    }

    void secondRunRowsComeFirst() {
        const QString first = media(
            "first.txt", {ControlLine(Format::M100, Totals("00009")), Record(Format::M100, "1234567890", 1),
                          Record(Format::M100, "1234567896", 0), Record(Format::M100, "1234567891", 2)});
        const QString second =
            media("second.txt", {ControlLine(Format::M10, Totals("00002")),
                                 Record(Format::M10, "1234567892", 3), Record(Format::M10, "1234567893", 4)});
        FrmEdit* window = check(Format::M100, first);
        QVERIFY(window);
        QAbstractItemModelTester tester(ErrorRows(*window),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);

        QCOMPARE(check(Format::M10, second), window);
        QCOMPARE(CellsOf(*window, 0), (QStringList{"1", "2", "1", "3"}));
        QCOMPARE(CellsOf(*window, 1), (QStringList{"1234567892", "1234567893", "1234567890", "1234567891"}));
        QCOMPARE(ListErrLines(*window), QStringList{"CTL.REC total record not equal total record of detail"});
        QCOMPARE(ValueField(*window, Label::DetailCount)->text(), "2");
        const auto alignment =
            ErrorRows(*window)->index(3, 4).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
        QCOMPARE(alignment & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    }

    // A new run shows only its own values; the lists keep the earlier run's
    // entries, dimmed and named.
    void newRunShowsOnlyItsOwnValues() {
        Control mismatch = Totals("00002");
        mismatch.companyCode = "111111";
        const QString first = media(
            "first.txt", {ControlLine(Format::M100, mismatch), Record(Format::M100, "1234567890", 100)});
        const QString second = media("second.txt", {ControlLine(Format::M100, Rejected("", "X"))});
        const QString third = media("third.txt", {ControlLine(Format::M100, Totals("00001")),
                                                  Record(Format::M100, "1234567891", 100)});
        FrmEdit* window = check(Format::M100, first);
        QVERIFY(window);
        QCOMPARE(ValueField(*window, Label::DetailCount)->text(), "1");

        QCOMPARE(check(Format::M100, second), window);
        for (const Label label : {Label::HashTotal, Label::DetailCount, Label::DetailAmount}) {
            QVERIFY2(ValueField(*window, label)->text().isEmpty(), LabelName(label).data());
        }
        QCOMPARE(ValueField(*window, Label::SummaryPath)->text(), summaryPath());
        const QColor dimmed = DimmedText(window->palette());
        const QStringList errors = ListErrLines(*window);
        QCOMPARE(errors, (QStringList{"CTL.REC total record not equal total record of detail",
                                      "CLT.REC STATUS is not equal 'A'"}));
        QListWidgetItem* earlierLine = ListErr(*window)->item(0);
        QCOMPARE(earlierLine->foreground().color(), dimmed);
        QVERIFY(earlierLine->toolTip().contains(first));
        QVERIFY(earlierLine->toolTip().contains(QDate::currentDate().toString("yyyy-MM-dd")));
        QVERIFY(!ListErr(*window)->item(1)->toolTip().contains(first));
        QCOMPARE(ListErr(*window)->item(1)->foreground().style(), Qt::NoBrush);
        const QModelIndex earlierRow = ErrorRows(*window)->index(0, 5);
        QCOMPARE(earlierRow.data(Qt::ForegroundRole).value<QColor>(), dimmed);
        QVERIFY(earlierRow.data(Qt::ToolTipRole).toString().contains(first));

        QCOMPARE(check(Format::M100, third), window);
        QCOMPARE(CellsOf(*window, 1), (QStringList{"1234567891", "1234567890"}));
        const auto* model = ErrorRows(*window);
        QVERIFY(!model->index(0, 1).data(Qt::ForegroundRole).isValid());
        QVERIFY(!model->index(0, 1).data(Qt::ToolTipRole).toString().contains(first));
        QVERIFY(model->index(1, 1).data(Qt::ToolTipRole).toString().contains(first));
        QVERIFY(ListErr(*window)->item(1)->toolTip().contains(second));
    }

    // A rejected row and a control record message say where they failed and
    // how to mend it when hovered; choosing the row says where in the status bar.
    void locatedRowsAndMessagesSayWhere() {
        const QString path = media("located.txt", {ControlLine(Format::M100, Totals("00003")),
                                                   Record(Format::M100, "1234567890", 100),
                                                   Record(Format::M100, "1234567891", 100)});
        FrmEdit* window = check(Format::M100, path);
        QVERIFY(window);
        QCOMPARE(
            ListErr(*window)->item(0)->toolTip(),
            "columns 54–58 TotalRecord \"00003\": the details count 2, the control record says 3 (1 less)\n"
            "The control record's TotalRecord (columns 54–58 of line 1) and the detail records must agree.");
        const auto* model = ErrorRows(*window);
        QCOMPARE(model->index(0, 3).data(Qt::ToolTipRole).toString(),
                 "columns 1–10 AccountNo \"1234567890\": check digit 6\n"
                 "Columns 1–10 (AccountNo) of this record must hold check digit 6.");
        ListView1(*window)->setCurrentIndex(model->index(1, 2));
        QCOMPARE(main_->statusBar()->currentMessage(),
                 "columns 1–10 AccountNo \"1234567891\": check digit 6");
        ListErr(*window)->setCurrentRow(0);
        QCOMPARE(
            main_->statusBar()->currentMessage(),
            "columns 54–58 TotalRecord \"00003\": the details count 2, the control record says 3 (1 less)");
    }

    // "Show record" opens the row's line of the media file under a ruler,
    // with the failing columns marked and the hint below; a file that is
    // gone since says so.
    void showRecordOpensTheRowsLine() {
        const std::string record = Record(Format::M100, "1234567890", 100);
        const QString path = media("shown.txt", {ControlLine(Format::M100, Totals("00001")), record});
        FrmEdit* window = check(Format::M100, path);
        QVERIFY(window);
        QTreeView* rows = ListView1(*window);
        rows->setCurrentIndex(ErrorRows(*window)->index(0, 0));
        rows->findChild<QAction*>("showRecord")->trigger();
        auto* view = window->findChild<RecordView*>("RecordView");
        QVERIFY(view);
        const QStringList lines = view->findChild<QPlainTextEdit*>("recordText")->toPlainText().split(u'\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY2(lines[0].startsWith("1........10........20"), qPrintable(lines[0]));
        QCOMPARE(lines[1], FromMedia(record));
        QCOMPARE(lines[2], "^^^^^^^^^^");
        QCOMPARE(view->findChild<QLabel*>("recordHint")->text(),
                 "Columns 1–10 (AccountNo) of this record must hold check digit 6.");
        view->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        QVERIFY(QFile::remove(path));
        dialogs_->clear();
        QApplication::setActiveWindow(main_.get());
        rows->setFocus();
        QTest::keyClick(rows, Qt::Key_Return);
        QVERIFY(!window->findChild<RecordView*>("RecordView"));
        QCOMPARE(dialogs_->messages().size(), 1);
        QVERIFY2(dialogs_->messages().first().text.startsWith("Cannot"),
                 qPrintable(dialogs_->messages().first().text));
    }

    // "Please check data input file." opens over the rows it asks about.
    void rowsAreShownBeforeTheClosingMessage() {
        const QString path =
            media("in.txt", {ControlLine(Format::M10, Totals("00002")), Record(Format::M10, "1234567890", 1),
                             Record(Format::M10, "1234567891", 2)});
        QStringList seen;
        dialogs_->watchMessages([&](const MessageBoxShown& shown) {
            const FrmEdit* window = main_->findResultWindow();
            seen << shown.text + ": " + QString::number(window ? ErrorRows(*window)->rowCount() : -1);
        });
        QVERIFY(check(Format::M10, path));
        QCOMPARE(seen, QStringList{"Please check data input file.: 2"});
    }

    // A right-aligned amount (10 M) stops short of the reason beside it.
    void amountsKeepClearOfTheNextColumn() {
        const Detail detail{.account = "1234567890", .effectiveDate = kEffectiveDate, .amount = "888888888"};
        const QString path =
            media("in.txt", {ControlLine(Format::M10, Totals("00001")), DetailLine(Format::M10, detail)});
        FrmEdit* window = check(Format::M10, path);
        QVERIFY(window);
        QTreeView* view = ListView1(*window);
        QApplication::processEvents();
        const QRect cell = view->visualRect(ErrorRows(*window)->index(0, 4));
        const QImage picture = view->viewport()->grab().toImage();
        const QRgb background = picture.pixel(cell.right() - 1, cell.top() + 1);
        for (int x = cell.right() - 5; x <= cell.right(); ++x)
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                QVERIFY2(picture.pixel(x, y) == background, qPrintable(QString("x=%1 y=%2").arg(x).arg(y)));
        bool drawn = false; // the amount is there, left of the gap
        for (int x = cell.left(); x < cell.right() - 5 && !drawn; ++x)
            drawn = picture.pixel(x, cell.center().y()) != background;
        QVERIFY(drawn);
    }

    void chooserKeepsPath() {
        chooseFormat(Format::M10);
        frmSelFile* chooser = SelFile(*main_);
        Txtfile(*chooser)->setText("typed.txt");
        dialogs_->chooseNext("");
        chooser->cmdbrowse_Click();
        QCOMPARE(Txtfile(*chooser)->text(), "typed.txt");
        QCOMPARE(dialogs_->fileDialogs().last().filter, "All Files (*);;Text Files (*.txt)");
        dialogs_->chooseNext("/data/jan.txt");
        chooser->cmdbrowse_Click();
        QCOMPARE(Txtfile(*chooser)->text(), QDir::toNativeSeparators("/data/jan.txt"));

        const QString path = media("in.txt", {ControlLine(Format::M100, Totals("00000"))});
        QVERIFY(check(Format::M100, path));
        chooseFormat(Format::M10);
        QCOMPARE(SelFile(*main_), chooser);
        QVERIFY(chooser->isVisible());
        QCOMPARE(Txtfile(*chooser)->text(), path);

        chooser->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        chooseFormat(Format::M10);
        QVERIFY(SelFile(*main_));
        QVERIFY(Txtfile(*SelFile(*main_))->text().isEmpty());
    }

    // Alt+S, the format's letter, the path typed into the box that has the
    // focus, Enter: a whole check without the mouse.
    void keyboardOnlyCheck() {
        const QString path = media(
            "in.txt", {ControlLine(Format::M100, Totals("00001")), Record(Format::M100, "1234567896", 100)});
        QApplication::setActiveWindow(main_.get());
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));
        QTest::keyClick(main_.get(), Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_0);
        QVERIFY(SelFile(*main_) && SelFile(*main_)->isVisible());
        QCOMPARE(main_->filetype, Format::M100);
        QTRY_COMPARE(QApplication::focusWidget(), Txtfile(*SelFile(*main_)));
        QTest::keyClicks(QApplication::focusWidget(), path);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        FrmEdit* window = main_->findResultWindow();
        QVERIFY(window);
        QCOMPARE(ValueField(*window, Label::DetailCount)->text(), "1");
        QVERIFY(!SelFile(*main_)->isVisible());
    }

    // A month end without the mouse: the menu, Browse... cancelled, Enter,
    // the letter, Save under the name it suggests, Ctrl+F4, exit.
    void keyboardOnlyMonthEnd() {
        const QString path =
            media("in.txt", {ControlLine(Format::M100, Totals("00002")),
                             Record(Format::M100, "1234567896", 100), Record(Format::M100, "1234567890", 5)});
        QApplication::setActiveWindow(main_.get());
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));
        const auto key = [](Qt::Key pressed, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            // Through the window system, as a key press comes, so that shortcuts answer.
            QWidget* target = QApplication::activePopupWidget();
            target = target ? target : QApplication::activeWindow();
            QTest::keyClick(target->windowHandle(), pressed, modifiers);
        };
        key(Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        key(Qt::Key_0);
        frmSelFile* chooser = SelFile(*main_);
        QTRY_COMPARE(QApplication::focusWidget(), Txtfile(*chooser));
        key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Cmdbrowse(*chooser));
        key(Qt::Key_Return);
        QCOMPARE(dialogs_->fileDialogs().size(), 1);
        QTRY_COMPARE(QApplication::focusWidget(), Txtfile(*chooser));
        QTest::keyClicks(QApplication::focusWidget(), path);
        key(Qt::Key_Return);
        FrmEdit* result = main_->findResultWindow();
        QVERIFY(result);
        QCOMPARE(dialogs_->messageTexts(), QStringList{"Please check data input file."});

        QApplication::setActiveWindow(main_.get());
        for (int tab = 0; tab < 10 && QApplication::focusWidget() != PrintSendData(*result); ++tab)
            key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), PrintSendData(*result));
        key(Qt::Key_Return);
        frmSendData* letter = main_->findCoveringLetter();
        QVERIFY(letter);
        QCOMPARE(letter->findChild<QLabel*>("warningLine")->text(),
                 "This file has 1 rejected record and its totals do not agree with the control record; "
                 "1 advisory.");
        const QString saved = dir_->filePath("letter-012345-150124.txt");
        dialogs_->chooseNext(saved);
        QTRY_VERIFY(letter->isAncestorOf(QApplication::focusWidget()));
        auto* save = letter->findChild<QPushButton*>("cmdSave");
        for (int tab = 0; tab < 5 && QApplication::focusWidget() != save; ++tab)
            key(Qt::Key_Tab);
        key(Qt::Key_Return);
        QCOMPARE(dialogs_->fileDialogs().last().name, "letter-012345-150124.txt");
        QCOMPARE(dialogs_->fileDialogs().last().folder, dir_->path());
        QVERIFY(QFile::exists(saved));

        QApplication::setActiveWindow(main_.get());
        key(Qt::Key_F4, Qt::ControlModifier);
        QVERIFY(!main_->findCoveringLetter());
        key(Qt::Key_F4, Qt::ControlModifier);
        QVERIFY(!main_->findResultWindow());
        key(Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        key(Qt::Key_X);
        QCOMPARE(dialogs_->messageTexts().last(), "Do you want to exit?");
        QVERIFY(!main_->isVisible());
    }

    // Escape closes the chooser; Enter on a focused button presses it.
    void chooserKeys() {
        chooseFormat(Format::M10);
        frmSelFile* chooser = SelFile(*main_);
        QTRY_COMPARE(QApplication::focusWidget(), Txtfile(*chooser));
        Cmdbrowse(*chooser)->setFocus();
        QTest::keyClick(Cmdbrowse(*chooser), Qt::Key_Return);
        QCOMPARE(dialogs_->fileDialogs().size(), 1);
        QTest::keyClick(Txtfile(*chooser), Qt::Key_Escape);
        QVERIFY(!chooser->isVisible());
    }

    // The result window names its file; a summary path never written is dimmed.
    void resultWindowNamesItsFileAndUnwrittenSummary() {
        const QString path = media("rejected.txt", {ControlLine(Format::M10, Rejected("", "X"))});
        FrmEdit* window = check(Format::M10, path);
        QVERIFY(window);
        QCOMPARE(window->findChild<QLabel*>("mediaLine")->text(), "rejected.txt (Format 10 M)");
        const QLineEdit* summary = ValueField(*window, Label::SummaryPath);
        QCOMPARE(summary->text(), summaryPath());
        QCOMPARE(summary->toolTip(), "not written");
        QCOMPARE(summary->palette().color(QPalette::Text),
                 window->palette().color(QPalette::Disabled, QPalette::Text));

        const QString good = media(
            "good.txt", {ControlLine(Format::M10, Totals("00001")), Record(Format::M10, "1234567896", 0)});
        QVERIFY(check(Format::M10, good));
        // Its last line, the summary file's digest, is the journal window test's.
        QCOMPARE(summary->toolTip().section(QStringLiteral("\nSHA-256: "), 0, 0), summaryPath());
        QCOMPARE(summary->palette().color(QPalette::Text), window->palette().color(QPalette::Text));
    }

    // Where the drive's root refuses the summary file (ro/ of ro/pay/in.txt),
    // Label1 names where it went instead, and its tooltip and the status bar say why.
    void summaryBesideTheMediaFileSaysWhy() {
        const RefusingFolder root(dir_->filePath("ro").toStdString());
        if (!root.unavailable().empty())
            QSKIP(qPrintable(QString::fromStdString(root.unavailable())));
        media("ro/pay/in.txt",
              {ControlLine(Format::M10, Totals("00001")), Record(Format::M10, "1234567896", 0)});
        const CurrentFolder inDir(dir_->path().toStdString());
        FrmEdit* window = check(Format::M10, "ro/pay/in.txt");
        QVERIFY(window);

        const QString because = "ro/ cannot be written; the summary is beside the media file";
        const QLineEdit* summary = ValueField(*window, Label::SummaryPath);
        QCOMPARE(summary->text(), "ro/pay/012345");
        QCOMPARE(summary->toolTip().section(QStringLiteral("\nSHA-256: "), 0, 0),
                 "ro/pay/012345\n" + because);
        QCOMPARE(VerdictLine(*main_)->text(),
                 "in.txt (Format 10 M): 1 records, none rejected, totals agree. Summary: ro/pay/012345 (" +
                     because + "), 1 advisory");
        QVERIFY(QFile::exists(dir_->filePath("ro/pay/012345")));
    }

    // Ctrl+A, Ctrl+C, the right-click menu's export, a header click, NO.
    // widening, and "Clear earlier checks" from the menu.
    void rowsTheClerkHandsOn() {
        const QString first = media("first.txt", {ControlLine(Format::M100, Totals("00003")),
                                                  Record(Format::M100, "1234567890", 1),
                                                  Record(Format::M100, "1234567891", 2)});
        FrmEdit* window = check(Format::M100, first);
        QVERIFY(window);
        QTreeView* rows = ListView1(*window);
        QApplication::setActiveWindow(main_.get());
        rows->setFocus();
        QTest::keyClick(rows, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(rows, Qt::Key_C, Qt::ControlModifier);
        const QStringList copied = QGuiApplication::clipboard()->text().split(u'\n');
        QCOMPARE(copied.size(), 4);
        QVERIFY(copied[0].startsWith("NO.\tAccount NO.\t"));
        QVERIFY(copied[2].startsWith("2\t1234567891\t"));
        // Each row ends in where it failed, as qrv-check --csv says it.
        QVERIFY(copied[0].endsWith("\tReason\tField\tColumns\tFound\tExpected\tHint"));
        QVERIFY2(copied[2].endsWith("\tCheck digit error\tAccountNo\t1–10\t1234567891\tcheck digit 6\t"
                                    "Columns 1–10 (AccountNo) of this record must hold check digit 6."),
                 qPrintable(copied[2]));
        QVERIFY(QGuiApplication::clipboard()->mimeData()->html().contains("<td>2</td>"));
        QCOMPARE(main_->statusBar()->currentMessage(), "2 rows copied");

        QStringList menu;
        for (const QAction* action : rows->actions())
            menu << action->text();
        QCOMPARE(menu,
                 (QStringList{"&Show record", "&Copy", "&Export rejected rows...", "C&lear earlier checks"}));
        QCOMPARE(rows->contextMenuPolicy(), Qt::ActionsContextMenu);
        const QString csv = dir_->filePath("out.csv");
        dialogs_->chooseNext(csv);
        rows->findChild<QAction*>("exportRows")->trigger();
        QCOMPARE(dialogs_->fileDialogs().last().name, "rejected-first.xlsx");
        QVERIFY(dialogs_->fileDialogs().last().filter.startsWith("Excel workbook (*.xlsx);;"));
        QFile exported(csv);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        const QByteArray csvText = exported.readAll();
        QCOMPARE(csvText.count("\r\n"), 3);
        QVERIFY2(csvText.contains(",AccountNo,1–10,1234567891,check digit 6,"
                                  "Columns 1–10 (AccountNo) of this record must hold check digit 6.\r\n"),
                 csvText.constData());
        QCOMPARE(main_->statusBar()->currentMessage(),
                 "Rejected rows exported to " + QDir::toNativeSeparators(csv));
        const QString workbook = dir_->filePath("out.xlsx");
        dialogs_->chooseNext(workbook);
        rows->findChild<QAction*>("exportRows")->trigger();
        QFile exportedWorkbook(workbook);
        QVERIFY(exportedWorkbook.open(QIODevice::ReadOnly));
        QVERIFY(exportedWorkbook.read(2) == "PK"); // a zip, as every .xlsx is

        QHeaderView* header = rows->header();
        const auto clickHeader = [&](int section) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(section) + 5, header->height() / 2));
        };
        clickHeader(1);
        clickHeader(1);
        QCOMPARE(CellsOf(*window, 1), (QStringList{"1234567891", "1234567890"}));
        clickHeader(0);
        QCOMPARE(CellsOf(*window, 1), (QStringList{"1234567890", "1234567891"}));

        window->insertRows(1, [] {
            RejectedRows many;
            many.append(ErrorRow{"1234567", "1", "", "", "", ""});
            return many;
        }());
        QVERIFY(header->sectionSize(0) >= static_cast<QAbstractItemView*>(rows)->sizeHintForColumn(0));

        const QString second = media("second.txt", {ControlLine(Format::M100, Rejected("", "X"))});
        QVERIFY(check(Format::M100, second));
        QCOMPARE(ListErr(*window)->count(), 2);
        main_->findChild<QAction*>("clearEarlierChecks")->trigger();
        QCOMPARE(ErrorRows(*window)->rowCount(), 0);
        QCOMPARE(ListErrLines(*window), QStringList{"CLT.REC STATUS is not equal 'A'"});
    }

    // The suggested export name is of the run the rows are of: after a run
    // without rows the earlier run's, once the rows mix runs the current one's.
    void exportNameComesFromTheRowsRun() {
        const QString first = media(
            "first.txt", {ControlLine(Format::M100, Totals("00002")), Record(Format::M100, "1234567890", 1)});
        const QString second = media("second.txt", {ControlLine(Format::M100, Rejected("", "X"))});
        FrmEdit* window = check(Format::M100, first);
        QVERIFY(window);
        QVERIFY(check(Format::M100, second));
        QAction* exportRows = ListView1(*window)->findChild<QAction*>("exportRows");
        exportRows->trigger();
        QCOMPARE(dialogs_->fileDialogs().last().name, "rejected-first.xlsx");
        QVERIFY(check(Format::M100, media("third.txt", {ControlLine(Format::M100, Totals("00002")),
                                                        Record(Format::M100, "1234567891", 1)})));
        exportRows->trigger();
        QCOMPARE(dialogs_->fileDialogs().last().name, "rejected-third.xlsx");
    }

    // After "Clear earlier checks" the rows left are in the order the
    // header's sort arrow shows.
    void clearedRowsKeepTheSortShown() {
        const auto rowsOf = [&](const QString& name) {
            return media(name,
                         {ControlLine(Format::M100, Totals("00003")), Record(Format::M100, "1234567890", 1),
                          Record(Format::M100, "1234567891", 2)});
        };
        FrmEdit* window = check(Format::M100, rowsOf("first.txt"));
        QVERIFY(window);
        QVERIFY(check(Format::M100, rowsOf("second.txt")));
        ListView1(*window)->sortByColumn(1, Qt::DescendingOrder);
        window->clearEarlierRuns();
        const QHeaderView* header = ListView1(*window)->header();
        QCOMPARE(header->sortIndicatorSection(), 1);
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
        QCOMPARE(CellsOf(*window, 1), (QStringList{"1234567891", "1234567890"}));
    }

    // After every run the keys act on what it found at once: its rows, the
    // first one current, else the letter button, else the messages; the same
    // in a window that earlier runs filled.
    void focusAfterEveryRun() {
        const QString rows =
            media("rows.txt", {ControlLine(Format::M100, Totals("00002")),
                               Record(Format::M100, "1234567890", 1), Record(Format::M100, "1234567891", 2)});
        const QString clean = media("clean.txt", {ControlLine(Format::M100, Totals("00001")),
                                                  Record(Format::M100, "1234567896", 100)});
        const QString rejected = media("rejected.txt", {ControlLine(Format::M100, Rejected("", "X"))});
        const QList<std::pair<QString, QString>> runs{{rows, "ListView1"},   {clean, "PrintSendData"},
                                                      {rejected, "ListErr"}, {rows, "ListView1"},
                                                      {rows, "ListView1"},   {clean, "PrintSendData"}};
        for (const auto& [path, focused] : runs) {
            FrmEdit* window = check(Format::M100, path);
            QVERIFY(window);
            QApplication::setActiveWindow(main_.get());
            QTRY_VERIFY(QApplication::focusWidget());
            QCOMPARE(QApplication::focusWidget()->objectName(), focused);
        }
        // Ctrl+A and Ctrl+C, pressed on what has the focus, copy every row at once.
        FrmEdit* window = check(Format::M100, rows);
        QApplication::setActiveWindow(main_.get());
        QTRY_COMPARE(QApplication::focusWidget(), ListView1(*window));
        QCOMPARE(ListView1(*window)->currentIndex().row(), 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text().count(u'\n'), ErrorRows(*window)->rowCount() + 1);
    }

    // The rows of a run go to a temporary file in TMPDIR. Where it cannot be
    // made, the run stops with a message that says so and no summary file.
    void temporaryFileThatCannotBeMadeStopsTheRun() {
#ifdef _WIN32
        QSKIP("Windows takes its temporary folder from TMP, not TMPDIR");
#else
        const QByteArray earlier = qgetenv("TMPDIR");
        const QString missing = dir_->filePath("no such folder");
        qputenv("TMPDIR", QFile::encodeName(missing));
        std::vector<std::string> lines{ControlLine(Format::M100, ThaiControl())};
        lines.insert(lines.end(), 5000, std::string()); // blank lines: rejected records
        const QString path = media("many.txt", lines);
        check(Format::M100, path);
        earlier.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", earlier);
        QCOMPARE(dialogs_->messageTexts(),
                 QStringList{"Cannot write the temporary file of rejected rows in \"" + missing +
                             "\": " + QString::fromStdString(SystemErrorText(ENOENT)) + "."});
        QVERIFY(!QFile::exists(summaryPath()));
#endif
    }

    // A file dropped on the path box replaces its text, and picks the format
    // whose gate alone its first line passes.
    void droppedFilePicksItsFormat() {
        const QString path = media(
            "in.txt", {ControlLine(Format::M100, Totals("00001")), Record(Format::M100, "1234567896", 0)});
        chooseFormat(Format::M10);
        QLineEdit* box = Txtfile(*SelFile(*main_));
        box->setText("typed");
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        data.setText(QUrl::fromLocalFile(path).toString());
        QDragEnterEvent enter({5, 5}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box, &drop);
        QCOMPARE(box->text(), path);
        QCOMPARE(main_->filetype, Format::M100);
#ifndef _WIN32
        // A FIFO is never waited on: the menu's format stays.
        const QString fifo = dir_->filePath("fifo");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QCOMPARE(FormatOfFile(QFile::encodeName(fifo).toStdString()), std::nullopt);
#endif
    }

    // A dropped file whose first line both formats' gates pass keeps the
    // format the menu chose, whichever it is.
    void droppedFileOfEitherFormatKeepsTheMenusFormat() {
        Control control = Totals("00001");
        control.companyCode = "M12345"; // at position 10, the 10 M term payment
        const QString path = media("in.txt", {ControlLine(Format::M100, control)});
        for (const Format menu : kFormats) {
            chooseFormat(menu);
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(path)});
            QDragEnterEvent enter({5, 5}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(SelFile(*main_), &enter);
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(SelFile(*main_), &drop);
            QCOMPARE(Txtfile(*SelFile(*main_))->text(), QDir::toNativeSeparators(path));
            QCOMPARE(main_->filetype, menu);
        }
    }

    // A file named in code page 874 bytes, no UTF-8, opens however the clerk
    // names it: dropped, on the command line, or chosen in Qt's own dialog,
    // which gives its name with U+FFFD in place of the bytes.
    void fileNamedInCodePage874Opens_data() {
        QTest::addColumn<QString>("how");
        for (const char* how : {"dropped", "command line", "dialog"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }

    void fileNamedInCodePage874Opens() {
#ifdef _WIN32
        QSKIP("Windows names are UTF-16");
#else
        QFETCH(QString, how);
        const QByteArray folder = QFile::encodeName(dir_->path()) + '/';
        const QByteArray bytes = folder + QByteArray::fromStdString(ToCp874(u"กข")) + ".txt";
        WriteBytes(bytes.toStdString(), JoinLines({ControlLine(Format::M100, Totals("00001")),
                                                   Record(Format::M100, "1234567896", 0)}));
        chooseFormat(Format::M100);
        if (how == "dropped") {
            QMimeData data;
            data.setUrls({QUrl::fromEncoded("file://" + bytes.toPercentEncoding("/"))});
            QDragEnterEvent enter({5, 5}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(SelFile(*main_), &enter);
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(SelFile(*main_), &drop);
        } else if (how == "command line") {
            main_->openChooser(Format::M100, LocalNameFromBytes(bytes));
        } else {
            dialogs_->chooseNext(QFile::decodeName(bytes));
            SelFile(*main_)->cmdbrowse_Click();
        }
        EditData(*SelFile(*main_))->click();
        QCOMPARE(dialogs_->messageTexts().join('|'), QString());
        QVERIFY(main_->findResultWindow());
        QCOMPARE(ValueField(*main_->findResultWindow(), Label::DetailCount)->text(), "1");
        QCOMPARE(LocalNameBytes(Txtfile(*SelFile(*main_))->text()), bytes);
#endif
    }

    // Label1 ends with the company code, shown as Com_code shows it: decoded
    // from code page 874, not as part of a file name.
    void summaryPathShowsAThaiCompanyCode() {
        Control control = ThaiControl();
        control.companyCode = ToCp874(u"กขฃ") + "456";
        FrmEdit* window = check(Format::M100, media("in.txt", {ControlLine(Format::M100, control)}));
        QVERIFY(window);
        QVERIFY(ValueField(*window, Label::SummaryPath)->text().endsWith(QStringLiteral("กขฃ456")));
        QCOMPARE(ValueField(*window, Label::CompanyCode)->text(), QStringLiteral("กขฃ456"));
    }

    void helpPageShipsWithTheProgram() {
        main_->findChild<QAction*>("howToCheck")->trigger();
        auto* page = main_->findChild<QDialog*>("helpPage");
        QVERIFY(page && page->isVisible());
        const QString text = page->findChild<QTextBrowser*>("helpText")->toPlainText();
        for (const char* topic : {"Edit Data", "Wrong Format", "summary file", "covering letter",
                                  // NO. is not the line; the rule of where the summary goes; totals messages
                                  "its line in the file minus one", "root folder of the media file's drive",
                                  "the summary file was written all the same"})
            QVERIFY2(text.contains(QString::fromLatin1(topic)), topic);
        QVERIFY(text.contains("Grey rows and messages are from earlier checks"));
    }

    // Browse... opens where the typed path points, else where the clerk
    // last browsed to, in this session or an earlier one, else in Documents.
    void browseOpensInAKnownFolder() {
        ProgramSettings().clear();
        chooseFormat(Format::M10);
        frmSelFile* chooser = SelFile(*main_);
        Txtfile(*chooser)->setText(dir_->filePath("typed.txt"));
        chooser->cmdbrowse_Click();
        QCOMPARE(dialogs_->fileDialogs().last().folder, dir_->path());

        QTemporaryDir other;
        dialogs_->chooseNext(other.filePath("jan.txt"));
        Txtfile(*chooser)->setText("no-such-folder/x.txt");
        chooser->cmdbrowse_Click();
        // No such folder, and none browsed to yet: not the working folder,
        // which a Start-menu entry makes the program's own.
        QCOMPARE(dialogs_->fileDialogs().last().folder,
                 QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));

        main_ = std::make_unique<MDIForm1>(); // a later session
        chooseFormat(Format::M10);
        Txtfile(*SelFile(*main_))->clear();
        SelFile(*main_)->cmdbrowse_Click();
        QCOMPARE(dialogs_->fileDialogs().last().folder, other.path());
    }

    void droppedFileOpensTheChooser_data() {
        QTest::addColumn<bool>("onChooser");
        QTest::newRow("main window") << false;
        QTest::newRow("chooser") << true;
    }

    void droppedFileOpensTheChooser() {
        QFETCH(bool, onChooser);
        chooseFormat(Format::M100);
        SelFile(*main_)->hide();
        QWidget* target = onChooser ? static_cast<QWidget*>(SelFile(*main_)) : main_.get();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile("/data/feb.txt")});
        QDragEnterEvent enter({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        QVERIFY(SelFile(*main_)->isVisible());
        QCOMPARE(Txtfile(*SelFile(*main_))->text(), QDir::toNativeSeparators("/data/feb.txt"));
        QCOMPARE(main_->filetype, Format::M100);

        QMimeData text;
        text.setText("not a file");
        QDragEnterEvent refused({10, 10}, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
        refused.setAccepted(false);
        QApplication::sendEvent(target, &refused);
        QVERIFY(!refused.isAccepted());
    }

    void exitQuestion_data() {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::newRow("Cancel") << QMessageBox::Cancel;
        QTest::newRow("OK") << QMessageBox::Ok;
    }

    void exitQuestion() {
        QFETCH(QMessageBox::StandardButton, answer);
        const QString path = media(
            "in.txt", {ControlLine(Format::M10, Totals("00001")), Record(Format::M10, "1234567896", 100)});
        FrmEdit* result = check(Format::M10, path);
        QVERIFY(result);
        PrintSendData(*result)->click();
        QVERIFY(main_->findCoveringLetter());
        const QString letterPath = QString::fromStdString(LetterFilePath());
        chooseFormat(Format::M10);
        dialogs_->clear();
        dialogs_->answerNext(answer);
        main_->findChild<QAction*>("KVT_exit")->trigger();

        QCOMPARE(dialogs_->messages().size(), 1);
        const auto& shown = dialogs_->messages().first();
        QCOMPARE(shown.text, "Do you want to exit?");
        QCOMPARE(shown.title, "QRV Edit Data");
        QCOMPARE(shown.icon, QMessageBox::NoIcon);
        QCOMPARE(shown.buttons, QMessageBox::Ok | QMessageBox::Cancel);
        const bool ok = answer == QMessageBox::Ok;
        // The result window, the letter, and the advisories of the past pay date.
        QCOMPARE(MdiArea(*main_)->subWindowList().size(), ok ? 0 : 3);
        QCOMPARE(QFile::exists(letterPath), !ok);
        QCOMPARE(main_->isVisible(), !ok);
        QCOMPARE(bool(SelFile(*main_) && SelFile(*main_)->isVisible()), !ok);
    }

    // "พิมพ์ใบนำส่งข้อมูล" opens the letter once: a second click brings it
    // forward without rebuilding it, and closing the program removes the letter file.
    void coveringLetterFromResultWindow() {
        const QString path = media("in.txt", {ControlLine(Format::M100, Totals("00001")),
                                              Record(Format::M100, "1234567896", 150000)});
        FrmEdit* result = check(Format::M100, path);
        QVERIFY(result);
        // The letter keeps the layout of the run, whatever the menu says now.
        chooseFormat(Format::M10);
        reactivate(*result);
        QVERIFY(PrintSendData(*result)->isEnabled());
        PrintSendData(*result)->click();
        frmSendData* letter = main_->findCoveringLetter();
        QVERIFY(letter);
        QVERIFY(letter->parentWidget()->isMaximized());
        const auto* text = letter->findChild<QPlainTextEdit*>("RichTextBox1");
        QVERIFY(text->toPlainText().contains("COMPANY CODE    : 012345\n"));
        QVERIFY(text->toPlainText().contains("EFFECTIVE DATE  : 15/01/24\n"));
        QVERIFY(text->toPlainText().contains("TOTAL RECORD    : 00001\n"));
        QVERIFY(text->toPlainText().contains("HASH TOTAL      : " +
                                             ValueField(*result, Label::HashTotal)->text()));
        const QString letterPath = QString::fromStdString(LetterFilePath());
        QVERIFY(QFile::exists(letterPath));

        // The letter fills its window, with Save and Print below it, and
        // needs no horizontal scroll bar at 1280 pixels.
        main_->showNormal();
        main_->resize(1280, 900);
        QApplication::processEvents();
        auto* view = letter->findChild<QPlainTextEdit*>("RichTextBox1");
        auto* save = letter->findChild<QPushButton*>("cmdSave");
        QVERIFY(view->width() > letter->width() * 9 / 10);
        QVERIFY(save->geometry().top() > view->geometry().bottom());
        QCOMPARE(view->horizontalScrollBar()->maximum(), 0);
        // Save opens in the media file's folder and says where the letter went.
        dialogs_->chooseNext(dir_->filePath("letter"));
        save->click();
        QCOMPARE(dialogs_->fileDialogs().last().folder, dir_->path());
        QCOMPARE(main_->statusBar()->currentMessage(), "Letter saved to " + native("letter.txt"));
        const QString pdf = dir_->filePath("letter.pdf");
        dialogs_->printNext([&](QPrintDialog& dialog) {
            dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
            dialog.printer()->setOutputFileName(pdf);
            return QDialog::Accepted;
        });
        letter->findChild<QPushButton*>("cmdPrint")->click();
        QCOMPARE(main_->statusBar()->currentMessage(), "Letter printed to " + QDir::toNativeSeparators(pdf));

        QFile changed(letterPath);
#ifdef _WIN32
        // The window holds its letter file against writers.
        QVERIFY(!changed.open(QIODevice::WriteOnly));
#else
        QVERIFY(changed.open(QIODevice::WriteOnly) && changed.write("kept") == 4);
        changed.close();
#endif
        MdiArea(*main_)->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(result->parentWidget()));
        PrintSendData(*result)->click();
        QCOMPARE(main_->findCoveringLetter(), letter);
        QCOMPARE(MdiArea(*main_)->activeSubWindow()->widget(), letter);
#ifndef _WIN32
        QFile kept(letterPath);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("kept"));
#endif

        main_->close();
        QVERIFY(!QFile::exists(letterPath));
    }

    // Two files of one company: the letter always restates the run on screen,
    // whatever has since become of the summary file, and a new run closes the
    // letter of the one before.
    void letterBelongsToTheRunOnScreen() {
        const auto company = [&](const char* name) {
            Control control = Totals("00001");
            control.companyName = name;
            return media(QString::fromLatin1(name).right(4) + ".txt",
                         {ControlLine(Format::M100, control), Record(Format::M100, "1234567896", 100)});
        };
        const QString a = company("COMPANY AAAA");
        const QString b = company("COMPANY BBBB");
        const auto letterText = [&] {
            frmSendData* letter = main_->findCoveringLetter();
            return letter ? letter->findChild<QPlainTextEdit*>("RichTextBox1")->toPlainText() : QString();
        };
        FrmEdit* result = check(Format::M100, a);
        const QString summary = ValueField(*result, Label::SummaryPath)->text();
        WriteBytes(QFile::encodeName(summary).toStdString(),
                   ControlLine(Format::M100, {.companyName = "COMPANY BBBB"}) + "\r\n");
        PrintSendData(*result)->click();
        QVERIFY(letterText().contains("COMPANY AAAA"));
        const QString letterPath = QString::fromStdString(LetterFilePath());

        result = check(Format::M100, b);
        QVERIFY(!main_->findCoveringLetter());
        QVERIFY(!QFile::exists(letterPath));
        PrintSendData(*result)->click();
        QVERIFY(letterText().contains("COMPANY BBBB"));

        // A failed print takes back the earlier "printed" line.
        const auto print = [&](const QString& pdf) {
            dialogs_->printNext([&](QPrintDialog& dialog) {
                dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
                dialog.printer()->setOutputFileName(pdf);
                return QDialog::Accepted;
            });
            main_->findCoveringLetter()->cmdPrint_Click();
        };
        print(dir_->filePath("letter.pdf"));
        QVERIFY(main_->statusBar()->currentMessage().startsWith("Letter printed to "));
        print(dir_->filePath("no-such-folder/letter.pdf"));
        QCOMPARE(main_->statusBar()->currentMessage(), QString());
    }
};

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
