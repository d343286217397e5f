// qrv-edit, the desktop program.
#include "ui/MDIForm1.h"
#include "ui/thai_text.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    qrv::gui::InstallThaiFontSubstitutions();
    qrv::gui::MDIForm1 window;
    window.showMaximized();
    return QApplication::exec();
}
