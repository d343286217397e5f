#include "ui/letter_folder.h"

#include "core/file_error.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace qrv::gui {

namespace {

constexpr const char* kLetterFileName = "outputyyyy.txt";

std::string Local(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// The folder must be a real folder of this user that nobody else can enter,
// so that no one can plant or swap the letter file in it.
void RequirePrivateFolder(const std::string& folder) {
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0)
        FileError::FromErrno("use the letter folder", folder);
    if (!S_ISDIR(info.st_mode) || info.st_uid != ::getuid())
        throw FileError("use the letter folder", folder, "it is not a folder owned by this user");
    if ((info.st_mode & 077) != 0 && ::chmod(folder.c_str(), 0700) != 0)
        FileError::FromErrno("make the letter folder private", folder);
}

std::string PrivateCacheFolder() {
    // Qt takes a relative XDG_CACHE_HOME as it is; it should be ignored.
    QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (!QDir::isAbsolutePath(cache))
        cache = QDir::homePath() + QStringLiteral("/.cache");
    if (!QDir().mkpath(cache))
        throw FileError("create the folder", Local(cache), "it cannot be made");
    const std::string folder = Local(cache) + "/qrv-edit";
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        FileError::FromErrno("create the folder", folder);
    RequirePrivateFolder(folder);
    return folder;
}

} // namespace

// Qt answers a runtime folder only when it is owned by this user and closed
// to others, but takes a relative XDG_RUNTIME_DIR as it is.
std::string LetterFilePath() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const std::string folder = QDir::isAbsolutePath(runtime) ? Local(runtime) : PrivateCacheFolder();
    return folder + "/" + kLetterFileName;
}

} // namespace qrv::gui
