#include "ui/application.h"

#include "ui/dialogs.h"
#include "ui/thai_text.h"
#include "version.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#ifndef _WIN32
#include <QSvgRenderer>
#endif

namespace qrv::gui {

namespace {
constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
} // namespace

#ifdef _WIN32
// Windows has no Qt Svg: the build renders the drawing at each size.
QIcon AppIcon() {
    QIcon icon;
    for (const int size : kIconSizes)
        icon.addFile(QStringLiteral(":/icons/qrv-edit-%1.png").arg(size));
    return icon;
}
#else
QIcon AppIcon() {
    QSvgRenderer renderer(QStringLiteral(":/qrv-edit.svg"));
    QIcon icon;
    for (const int size : kIconSizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
#endif

void SetUpApplication() {
    QApplication::setApplicationName(QStringLiteral("qrv-edit"));
    // No display name: the window system would add it to every title.
    QApplication::setApplicationVersion(QString::fromLatin1(kVersion));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
    QApplication::setWindowIcon(AppIcon());
    InstallThaiFontSubstitutions();
}

} // namespace qrv::gui
