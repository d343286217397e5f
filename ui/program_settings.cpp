#include "ui/program_settings.h"

#include "files/portable_folder.h"

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
    return QSettings(QStringLiteral("qrv-edit"), QStringLiteral("qrv-edit"));
}

} // namespace qrv::gui
