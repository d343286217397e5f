#include "ui/application.h"

#include "ui/dialogs.h"
#include "ui/thai_text.h"
#include "version.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace qrv::gui {

QIcon AppIcon() {
    QSvgRenderer renderer(QStringLiteral(":/qrv-edit.svg"));
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void SetUpApplication() {
    QApplication::setApplicationName(QStringLiteral("qrv-edit"));
    // No display name: the window system would add it to every title.
    QApplication::setApplicationVersion(QString::fromLatin1(kVersion.data(), kVersion.size()));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
    QApplication::setWindowIcon(AppIcon());
    InstallThaiFontSubstitutions();
}

} // namespace qrv::gui
