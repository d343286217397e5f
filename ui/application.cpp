#include "ui/application.h"

#include "ui/accessibility.h"
#include "ui/dialogs.h"
#include "ui/thai_text.h"
#include "version.h"

#include <QPainter>
#include <QPixmap>
#ifndef _WIN32
#include <QSvgRenderer>
#endif
#include <cstdio>
#include <exception>
#include <new>

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
    InstallReadOnlyFieldAccessibility();
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        tell(kOutOfMemory);
    } catch (const std::exception& e) {
        tell(e.what());
    }
    return true;
}

void Application::tell(const char* text) {
    // A failure while the box about the last one is open, or in the box
    // itself, goes to standard error alone.
    if (!telling_) {
        telling_ = true;
        try {
            MessageBox::show(activeWindow(), QString::fromUtf8(text), AppTitle(), QMessageBox::Critical,
                             QMessageBox::Ok);
            telling_ = false;
            return;
        } catch (const std::exception&) {
        }
        telling_ = false;
    }
    std::fputs("qrv-edit: ", stderr);
    std::fputs(text, stderr);
    std::fputs("\n", stderr);
}

} // namespace qrv::gui
