#include "ui/program_settings.h"

#include "files/portable_folder.h"

#include <QStandardPaths>
#include <QString>
#include <optional>

namespace qrv::gui {

namespace {

std::optional<QString> PortableSettingsFolder() {
    if (const std::optional<std::string> folder = PortableFolder())
        return QString::fromStdString(*folder);
    return std::nullopt;
}

} // namespace

QSettings ProgramSettings() {
    if (const std::optional<QString> folder = PortableSettingsFolder())
        return QSettings(*folder + QStringLiteral("qrv-edit.ini"), QSettings::IniFormat);
    // The native format named, as the default format is Qt's file dialog's.
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("qrv-edit"),
                     QStringLiteral("qrv-edit"));
}

void KeepQtSettingsWithProgram() {
    std::optional<QString> folder = PortableSettingsFolder();
#ifdef _WIN32
    if (!folder)
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                 QStringLiteral("/qrv-edit");
#endif
    if (!folder)
        return; // elsewhere Qt's own INI file is already the user's to keep
    // Qt's dialog asks for QSettings(UserScope, "QtProject"), which takes
    // the default format and that format's folder.
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, *folder);
}

} // namespace qrv::gui
