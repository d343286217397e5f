// screenshot FORMAT MEDIA PNG: checks MEDIA in FORMAT (10M or 100M) as a
// clerk would (menu, chooser, "Edit Data", every message box answered OK) and
// saves a picture of the main window as PNG (scripts/screenshot-result.sh).
#include "runs/format.h"
#include "tests/ui/recording_dialogs.h"
#include "ui/MDIForm1.h"
#include "ui/application.h"
#include "ui/frmSelFile.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::optional<qrv::Format> format = argc == 4 ? qrv::FormatFromName(argv[1]) : std::nullopt;
    if (!format) {
        std::fprintf(stderr, "usage: screenshot 10M|100M MEDIA PNG\n");
        return 2;
    }
    qrv::gui::SetUpApplication();
    qrv::test::RecordingDialogs dialogs;
    qrv::gui::MDIForm1 window;
    // No window manager maximizes the window under a bare X server.
    window.setGeometry(window.screen()->availableGeometry());
    window.show();
    window.findChild<QAction*>(*format == qrv::Format::M10 ? "KVT_10m" : "KVT_100m")->trigger();
    qrv::gui::frmSelFile* chooser = window.selFile();
    chooser->txtfile()->setText(QString::fromLocal8Bit(argv[2]));
    chooser->editData()->click();
    QApplication::processEvents();
    if (!window.findResultWindow()) {
        std::fprintf(stderr, "screenshot: the check of %s left no result window\n", argv[2]);
        return 1;
    }
    if (!window.grab().save(QString::fromLocal8Bit(argv[3]))) {
        std::fprintf(stderr, "screenshot: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
