// qrv-edit, the desktop program.
//
// `qrv-edit --check-and-grab 10m|100m MEDIA PNG` checks MEDIA as a clerk
// would (menu, chooser, "Edit Data", every message box answered OK) and saves
// a picture of the main window as PNG; scripts/screenshot-result.sh uses it.
#include "ui/FrmEdit.h"
#include "ui/MDIForm1.h"
#include "ui/dialogs.h"
#include "ui/frmSelFile.h"
#include "ui/thai_text.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <cstdio>

namespace {

int CheckAndGrab(qrv::gui::MDIForm1& window, const QString& format, const QString& media,
                 const QString& png) {
    const QString menuItem = format == "10m" ? "KVT_10m" : format == "100m" ? "KVT_100m" : QString();
    if (menuItem.isEmpty()) {
        std::fprintf(stderr, "qrv-edit: the format is 10m or 100m, not \"%s\"\n", qPrintable(format));
        return 2;
    }
    // No window manager maximizes the window under a bare X server.
    window.setGeometry(window.screen()->availableGeometry());
    window.show();
    window.findChild<QAction*>(menuItem)->trigger();
    qrv::gui::frmSelFile* chooser = window.selFile();
    chooser->txtfile()->setText(media);
    qrv::gui::MessageBox::setNextAnswer(QMessageBox::Ok);
    chooser->editData()->click();
    QApplication::processEvents();
    if (!window.findResultWindow()) {
        std::fprintf(stderr, "qrv-edit: the check of %s left no result window\n", qPrintable(media));
        return 1;
    }
    if (!window.grab().save(png)) {
        std::fprintf(stderr, "qrv-edit: cannot write %s\n", qPrintable(png));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    qrv::gui::InstallThaiFontSubstitutions();
    qrv::gui::MDIForm1 window;
    const QStringList args = QApplication::arguments();
    if (args.size() == 5 && args[1] == "--check-and-grab")
        return CheckAndGrab(window, args[2], args[3], args[4]);
    window.showMaximized();
    return QApplication::exec();
}
