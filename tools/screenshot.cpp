// screenshot 10M|100M MEDIA FOLDER: checks MEDIA as a clerk would (menu,
// path, "Edit Data", every message box answered OK, then the letter button)
// and saves pictures of each step in FOLDER: chooser.png, result-window.png
// and letter-window.png (scripts/screenshot-result.sh).
#include "runs/format.h"
#include "tests/ui/recording_dialogs.h"
#include "tests/ui/window_parts.h"
#include "ui/FrmEdit.h"
#include "ui/MDIForm1.h"
#include "ui/application.h"
#include "ui/frmSelFile.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <cstdio>

using namespace qrv::test;

namespace {

bool Save(QWidget& widget, const QDir& folder, const char* name) {
    QTest::qWait(200); // let the window system draw it
    if (widget.grab().save(folder.filePath(QString::fromLatin1(name))))
        return true;
    std::fprintf(stderr, "screenshot: cannot write %s\n",
                 qPrintable(folder.filePath(QString::fromLatin1(name))));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::optional<qrv::Format> format = argc == 4 ? qrv::FormatFromName(argv[1]) : std::nullopt;
    if (!format) {
        std::fprintf(stderr, "usage: screenshot 10M|100M MEDIA FOLDER\n");
        return 2;
    }
    qrv::gui::SetUpApplication();
    qrv::test::RecordingDialogs dialogs;
    const QDir folder(QString::fromLocal8Bit(argv[3]));
    qrv::gui::MDIForm1 window;
    // No window manager maximizes the window under a bare X server.
    window.setGeometry(window.screen()->availableGeometry());
    window.show();
    window.openChooser(*format, QString::fromLocal8Bit(argv[2]));
    qrv::gui::frmSelFile* chooser = SelFile(window);
    if (!Save(*chooser, folder, "chooser.png"))
        return 1;
    EditData(*chooser)->click();
    qrv::gui::FrmEdit* result = window.findResultWindow();
    if (!result) {
        std::fprintf(stderr, "screenshot: the check of %s left no result window\n", argv[2]);
        return 1;
    }
    if (!Save(window, folder, "result-window.png"))
        return 1;
    PrintSendData(*result)->click();
    if (!window.findCoveringLetter()) {
        std::fprintf(stderr, "screenshot: no covering letter for %s\n", argv[2]);
        return 1;
    }
    return Save(window, folder, "letter-window.png") ? 0 : 1;
}
