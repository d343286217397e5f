// Where the program keeps what it remembers between sessions.
#pragma once

#include <QSettings>

namespace qrv::gui {

inline QSettings Settings() {
    return QSettings(QStringLiteral("qrv-edit"), QStringLiteral("qrv-edit"));
}

} // namespace qrv::gui
