// On Windows the letter file lives in the user's local application data
// (C:\Users\ann\AppData\Local\qrv-edit), which Windows opens to that user
// alone; the root of C:, where it once lived, is closed to standard users.
#include "ui/letter_folder.h"

#include "core/file_error.h"

#include <QDir>
#include <QStandardPaths>

namespace qrv::gui {

std::string LetterFilePath() {
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/qrv-edit");
    if (!QDir().mkpath(folder))
        throw FileError("create the folder", QDir::toNativeSeparators(folder).toStdString(),
                        "it cannot be made");
    return QDir::toNativeSeparators(folder + QStringLiteral("/outputyyyy.txt")).toStdString();
}

} // namespace qrv::gui
