#include "ui/letter_folder.h"

#include "core/file_error.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
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

// A shared lock on the file: any number of windows may show it, and a
// starting program that cannot take it exclusively knows it is in use.
LetterFileInUse::LetterFileInUse(const std::string& path)
    : fd_(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC)) {
    if (fd_ >= 0)
        ::flock(fd_, LOCK_SH);
}

LetterFileInUse::~LetterFileInUse() {
    if (fd_ >= 0)
        ::close(fd_);
}

void RemoveLeftoverLetterFile() {
    std::string path;
    try {
        path = LetterFilePath();
    } catch (const FileError&) {
        return; // the letter window will say why when it is opened
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat opened {};
    struct stat named {};
    // Only the file that was locked is removed, not one put in its place meanwhile.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 &&
        ::lstat(path.c_str(), &named) == 0 && opened.st_dev == named.st_dev && opened.st_ino == named.st_ino)
        ::unlink(path.c_str());
    ::close(fd);
}

} // namespace qrv::gui
