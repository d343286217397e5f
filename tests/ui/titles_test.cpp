// The titles the window system is given, read back from the X server: the
// windows and messages carry their own titles, with nothing added. Runs
// under Xvfb (see CMakeLists.txt), where the offscreen platform's titles
// would not show what a window manager shows.
#include "tests/support/media_lines.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/window_parts.h"
#include "ui/FrmEdit.h"
#include "ui/MDIForm1.h"
#include "ui/application.h"
#include "ui/frmSelFile.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace qrv;
using namespace qrv::gui;
using namespace qrv::test;

namespace {

// _NET_WM_NAME of the window, as xprop prints it: _NET_WM_NAME(UTF8_STRING) = "title".
QString XTitle(const QWidget& window) {
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-id"), QString::number(window.winId()), QStringLiteral("_NET_WM_NAME")});
    if (!xprop.waitForFinished(10000))
        return QStringLiteral("<xprop did not answer>");
    const QString line = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
    const qsizetype quote = line.indexOf(u'"');
    return quote < 0 ? line : line.mid(quote + 1).chopped(1);
}

} // namespace

class TitlesTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;

    // Presses Edit Data with `path`; the message box it raises is read and closed.
    QString messageTitleAfterEditData(MDIForm1& main, const QString& path) {
        Txtfile(*SelFile(main))->setText(path);
        QString title = QStringLiteral("<no message box>");
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            title = XTitle(*box);
            box->done(QMessageBox::Ok);
        });
        poll.start(50);
        EditData(*SelFile(main))->click();
        return title;
    }

  private slots:
    void initTestCase() {
        if (QGuiApplication::platformName() != QStringLiteral("xcb"))
            QSKIP("needs an X server: run through xvfb-run with QT_QPA_PLATFORM=xcb");
        QStandardPaths::setTestModeEnabled(true);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir_.path()));
        SetUpApplication();
    }

    void titlesAreTheProgramsOwn() {
        MDIForm1 main;
        main.showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QCOMPARE(XTitle(main), QStringLiteral("QRV Edit Data"));

        main.findChild<QAction*>(QStringLiteral("KVT_100m"))->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(SelFile(main)));
        QCOMPARE(XTitle(*SelFile(main)), QStringLiteral("Choose file"));
        QCOMPARE(messageTitleAfterEditData(main, QString()), QStringLiteral("KVT Edit Program"));

        const QString path = dir_.filePath(QStringLiteral("in.txt"));
        WriteBytes(QFile::encodeName(path).toStdString(), JoinLines({ControlLine(Format::M10, {})}));
        QCOMPARE(messageTitleAfterEditData(main, path), QStringLiteral("Warning"));

        WriteBytes(QFile::encodeName(path).toStdString(),
                   JoinLines({ControlLine(Format::M100, {.totalRecord = "00000"})}));
        main.findChild<QAction*>(QStringLiteral("KVT_100m"))->trigger();
        messageTitleAfterEditData(main, path);
        QVERIFY(main.findResultWindow());
        QTRY_COMPARE(XTitle(main), QStringLiteral("QRV Edit Data - [From Edit Data]"));
    }
};

QTEST_MAIN(TitlesTest)
#include "titles_test.moc"
