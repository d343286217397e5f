// The windows on a small or strongly scaled screen: every control can still
// be reached. Runs once per screen (tests/ui/CMakeLists.txt), on an offscreen
// screen of the size QRV_SCREEN names, at the scale QT_SCALE_FACTOR gives.
#include "tests/support/media_lines.h"
#include "tests/ui/recording_dialogs.h"
#include "tests/ui/window_parts.h"
#include "ui/FrmEdit.h"
#include "ui/MDIForm1.h"
#include "ui/application.h"
#include "ui/error_table_model.h"
#include "ui/frmSelFile.h"
#include "ui/frmSendData.h"
#include "ui/language.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTreeView>
#include <QtTest>
#include <memory>

using namespace qrv;
using namespace qrv::gui;
using namespace qrv::test;

namespace {

// `widget`'s rectangle in the coordinates of `ancestor`.
QRect RectIn(const QWidget& widget, const QWidget& ancestor) {
    return QRect(widget.mapTo(&ancestor, QPoint(0, 0)), widget.size());
}

} // namespace

class ScalingTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    std::unique_ptr<test::RecordingDialogs> dialogs_;
    std::unique_ptr<MDIForm1> main_;

    // The screen's available area as the windows measure it.
    static QRect ScreenArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }

    // True when `widget` shows wholly inside the main window, within the
    // part of the screen the window may use.
    bool whollyVisible(const QWidget& widget) const {
        const QRect global(widget.mapToGlobal(QPoint(0, 0)), widget.size());
        return RectIn(widget, *MdiArea(*main_)).intersected(MdiArea(*main_)->viewport()->geometry()) ==
                   RectIn(widget, *MdiArea(*main_)) &&
               ScreenArea().contains(global);
    }

    // A check in 100 M of `media`, a file in dir_.
    FrmEdit* check(const QString& media) {
        main_->openChooser(Format::M100, media);
        EditData(*SelFile(*main_))->click();
        QApplication::processEvents();
        return main_->findResultWindow();
    }

    FrmEdit* checkSample(const QString& name) {
        const QString media = dir_.filePath(name);
        QFile::remove(media);
        if (!QFile::copy(QRV_SAMPLES_DIR "/" + name, media))
            return nullptr;
        return check(media);
    }

    FrmEdit* checkRejectedSample() { return checkSample("100m-rejected.txt"); }

    QString writeMedia(const QString& name, const std::vector<std::string>& lines) {
        const QString path = dir_.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(QByteArray::fromStdString(JoinLines(lines)));
        return path;
    }

    // True when `widget` is in view as the window shows it, before any scrolling.
    bool inViewAsShown(const FrmEdit& result, const QWidget& widget) const {
        const QScrollArea* scroll = ScrollArea(result);
        // A logical pixel either way: fractional scales round the viewport.
        const QRect viewport = scroll->viewport()->rect().adjusted(-1, -1, 1, 1);
        return viewport.contains(RectIn(widget, *scroll->viewport())) && whollyVisible(widget);
    }

    // The control record's values and every message show as the window
    // opens, once its layouts have settled.
    void verifyControlRecordInView(const FrmEdit& result) {
        for (auto* field : Part<QGroupBox>(result, "Frame2")->findChildren<QLineEdit*>())
            QTRY_VERIFY2(inViewAsShown(result, *field), qPrintable(field->objectName()));
        QListWidget* messages = ListErr(result);
        QTRY_VERIFY(inViewAsShown(result, *messages));
        for (int i = 0; i < messages->count(); ++i)
            QTRY_VERIFY2(messages->viewport()->rect().contains(messages->visualItemRect(messages->item(i))),
                         qPrintable(messages->item(i)->text()));
    }

    void verifyCaptionsWhole(const QWidget& window) {
        for (const QWidget* widget : window.findChildren<QWidget*>()) {
            if (!widget->isVisible())
                continue;
            QString text;
            QSize needed;
            if (const auto* label = qobject_cast<const QLabel*>(widget); label && !label->wordWrap()) {
                text = label->text();
                needed = label->minimumSizeHint();
            } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
                text = button->text();
                needed = button->sizeHint();
            } else if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
                text = group->title();
                needed = group->minimumSizeHint();
            }
            if (text.isEmpty())
                continue;
            const QString name = widget->objectName() + QStringLiteral(": ") + text;
            QVERIFY2(widget->width() >= needed.width() && widget->height() >= needed.height(),
                     qPrintable(name));
            const QFontMetrics metrics(widget->font());
            const QRect glyphs = metrics.tightBoundingRect(QString(text).remove(u'&'));
            QVERIFY2(-glyphs.top() <= metrics.ascent() && glyphs.bottom() <= metrics.descent(),
                     qPrintable(name));
        }
    }

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        SetUpApplication();
        QVERIFY(dir_.isValid());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir_.path()));
        qputenv("CUPS_SERVER", QFile::encodeName(dir_.filePath("no-server.sock")));
        // The screen this run is meant for, in device pixels.
        const QScreen* screen = QGuiApplication::primaryScreen();
        const QSize pixels = screen->size() * screen->devicePixelRatio();
        const QStringList expected = QString::fromLocal8Bit(qgetenv("QRV_SCREEN")).split(u'x');
        QVERIFY(qAbs(pixels.width() - expected.value(0).toInt()) <= 1);
        QVERIFY(qAbs(pixels.height() - expected.value(1).toInt()) <= 1);
        QCOMPARE(screen->devicePixelRatio(), qgetenv("QT_SCALE_FACTOR").toDouble());
        if (qgetenv("QRV_LANGUAGE") == "th")
            UseLanguage(Language::Thai);
    }

    void init() {
        StartWithoutJournal();
        dialogs_ = std::make_unique<test::RecordingDialogs>();
        main_ = std::make_unique<MDIForm1>();
        main_->showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
    }

    void cleanup() {
        main_.reset();
        dialogs_.reset();
    }

    // Each control above the rows can be scrolled into sight, and the
    // keyboard brings the last rejected row into sight.
    void resultWindowReachesEveryControlAndTheLastRow() {
        FrmEdit* result = checkRejectedSample();
        QVERIFY(result);
        QTRY_COMPARE(ErrorRows(*result)->rowCount(), 8);
        QApplication::processEvents();
        QScrollArea* scroll = ScrollArea(*result);
        for (QWidget* control : scroll->widget()->findChildren<QWidget*>()) {
            if (control->objectName().isEmpty() || !control->isVisibleTo(result))
                continue;
            // The whole control: ensureWidgetVisible() shows a line edit's cursor only.
            const QRect area = RectIn(*control, *scroll->widget());
            const QPoint halfSize((area.width() + 1) / 2, (area.height() + 1) / 2);
            const QPoint middle = area.topLeft() + halfSize;
            scroll->ensureVisible(middle.x(), middle.y(), halfSize.x(), halfSize.y());
            QApplication::processEvents();
            const QRect seen = RectIn(*control, *scroll->viewport());
            // A logical pixel either way: fractional scales round the viewport.
            const QRect viewport = scroll->viewport()->rect().adjusted(-1, -1, 1, 1);
            if (seen.height() <= scroll->viewport()->height() && seen.width() <= scroll->viewport()->width())
                QVERIFY2(viewport.contains(seen), qPrintable(control->objectName()));
            else
                QVERIFY2(scroll->viewport()->rect().intersects(seen), qPrintable(control->objectName()));
        }

        QTreeView* list = ListView1(*result);
        scroll->verticalScrollBar()->setValue(0);
        QApplication::setActiveWindow(main_.get());
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));
        list->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), list);
        QTest::keyClick(list, Qt::Key_End, Qt::ControlModifier);
        const QModelIndex last = ErrorRows(*result)->index(7, 0);
        QCOMPARE(list->currentIndex().row(), 7);
        QApplication::processEvents();
        const QRect row = list->visualRect(last);
        QVERIFY(list->viewport()->rect().contains(row));
        QVERIFY(whollyVisible(*list->viewport()));
        QVERIFY(whollyVisible(*scroll->viewport()));
    }

    // Eight rejected rows, and both totals messages: the most messages a run
    // with rows gives.
    FrmEdit* checkRowsAndTotalsMessages() {
        std::vector<std::string> lines{ControlLine(
            Format::M100, {.totalRecord = "00009", .totalAmount = ControlAmount(Format::M100, 100)})};
        for (int row = 0; row < 8; ++row)
            lines.push_back(DetailLine(Format::M100, {.account = "1234567890",
                                                      .effectiveDate = "311206",
                                                      .amount = DetailAmount(Format::M100, 1)}));
        return check(writeMedia("rows.txt", lines));
    }

    // The rows table takes the height the rest leaves: on every screen and
    // scale served, at least eight rows show without scrolling the window.
    void rowsTableShowsEightRowsAtOnce() {
        FrmEdit* result = checkRowsAndTotalsMessages();
        QVERIFY(result);
        QTRY_COMPARE(ErrorRows(*result)->rowCount(), 8);
        QTreeView* list = ListView1(*result);
        QTRY_VERIFY(whollyVisible(*list));
        for (int row = 0; row < 8; ++row)
            QVERIFY2(list->viewport()->rect().contains(list->visualRect(ErrorRows(*result)->index(row, 0))),
                     qPrintable(QString::number(row)));
    }

    // Above the eight rows, the control record's values and its messages.
    void controlRecordInViewAboveTheRows() {
#ifdef _WIN32
        if (ScreenArea().height() < 720)
            QSKIP("Wine's stand-ins for the design's fonts make the control record and eight rows taller "
                  "than this screen");
#endif
        FrmEdit* result = checkRowsAndTotalsMessages();
        QVERIFY(result);
        QTRY_COMPARE(ErrorRows(*result)->rowCount(), 8);
        QCOMPARE(ListErr(*result)->count(), 2);
        verifyControlRecordInView(*result);
    }

    // A rejected control record: its six messages and its values show
    // without scrolling, the empty rows table giving up its height.
    void controlMessagesInView() {
        FrmEdit* result = checkSample("100m-bad-control.txt");
        QVERIFY(result);
        QCOMPARE(ListErr(*result)->count(), 6);
        verifyControlRecordInView(*result);
    }

    // The most control messages the window shows: a run's four, then the
    // sample's six.
    void tenMessagesInView() {
        if (ScreenArea().height() < 720)
            QSKIP("ten messages are promised on screens of 720 logical pixels and more");
        const QString four = writeMedia(
            "four.txt", {ControlLine(Format::M100,
                                     {.filler = "X", .termPayment = "X", .applyCode = "A", .status = "N"})});
        QVERIFY(check(four));
        FrmEdit* result = checkSample("100m-bad-control.txt");
        QVERIFY(result);
        QCOMPARE(ListErr(*result)->count(), 10);
        verifyControlRecordInView(*result);
    }

    // The letter window's buttons show whole, at their natural size.
    void letterWindowButtonsAreWhole() {
        FrmEdit* result = checkRejectedSample();
        QVERIFY(result);
        PrintSendData(*result)->click();
        frmSendData* letter = main_->findCoveringLetter();
        QVERIFY(letter);
        QApplication::processEvents();
        for (const char* name : {"cmdSave", "cmdPrint"}) {
            const auto* button = letter->findChild<QPushButton*>(name);
            QVERIFY(button);
            QVERIFY2(whollyVisible(*button), name);
            QVERIFY2(button->width() >= button->sizeHint().width() &&
                         button->height() >= button->sizeHint().height(),
                     name);
        }
    }

    // Every caption of the windows shows whole: its control is as large as
    // its text asks, and the line its font gives holds the text's glyphs,
    // the Thai marks above and below the letters included.
    void captionsAreWhole() {
        FrmEdit* result = checkRejectedSample();
        QVERIFY(result);
        QApplication::processEvents();
        verifyCaptionsWhole(*result);
        PrintSendData(*result)->click();
        frmSendData* letter = main_->findCoveringLetter();
        QVERIFY(letter);
        QApplication::processEvents();
        verifyCaptionsWhole(*letter);
        main_->openChooser(Format::M100, QString());
        QApplication::processEvents();
        verifyCaptionsWhole(*SelFile(*main_));
        for (const char* action : {"historyOfChecks", "AdvisorySettings"})
            main_->findChild<QAction*>(action)->trigger();
        QApplication::processEvents();
        for (const char* window : {"frmHistory", "AdvisorySettings"})
            verifyCaptionsWhole(*Part<QWidget>(*main_, window));
    }

    // The help page reads without scrolling on a screen of 1366x768 at 1x.
    void helpPageFitsTheScreen() {
        if (ScreenArea().height() < 700)
            QSKIP("a screen smaller than 1366x768 at 1x may scroll the help page");
        main_->findChild<QAction*>("howToCheck")->trigger();
        auto* page = main_->findChild<QDialog*>("helpPage");
        QVERIFY(page && QTest::qWaitForWindowExposed(page));
        auto* text = page->findChild<QTextBrowser*>("helpText");
        QApplication::processEvents();
        QVERIFY(ScreenArea().contains(page->frameGeometry()));
        QCOMPARE(text->verticalScrollBar()->maximum(), 0);
        QVERIFY(text->document()->size().height() <= text->viewport()->height());
    }
};

QTEST_MAIN(ScalingTest)
#include "scaling_test.moc"
