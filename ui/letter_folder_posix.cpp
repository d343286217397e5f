#include "ui/letter_folder.h"

#include "files/file_error.h"
#include "files/files.h"

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

// Holds the letter folder locked, so that two copies of the program never
// replace or remove the letter file at the same moment.
class FolderLock {
  public:
    explicit FolderLock(const std::string& letterPath)
        : fd_(::open(letterPath.substr(0, letterPath.rfind('/')).c_str(),
                     O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ >= 0)
            ::flock(fd_, LOCK_EX);
    }
    ~FolderLock() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

  private:
    int fd_;
};

// Whether `path` still names the file open as `fd`.
bool Names(const std::string& path, int fd) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
           opened.st_ino == named.st_ino;
}

} // namespace

// Qt answers a runtime folder only when it is owned by this user and closed
// to others, but takes a relative XDG_RUNTIME_DIR as it is.
std::string LetterFilePath() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const std::string folder = QDir::isAbsolutePath(runtime) ? Local(runtime) : PrivateCacheFolder();
    return folder + "/" + kLetterFileName;
}

// A new file each time, not the old one rewritten, so that a window that
// shows an earlier letter still holds its own file and can tell it apart.
LetterFile::LetterFile(std::string_view bytes) : path_(LetterFilePath()) {
    const FolderLock lock(path_);
    WriteFileAtomically(path_, bytes, "the letter file");
    fd_ = ::open(path_.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd_ < 0)
        FileError::FromErrno("open the letter file", path_);
    // Any number of windows may hold a shared lock; a starting program that
    // cannot take it exclusively knows the file is in use.
    ::flock(fd_, LOCK_SH);
    if (::fchmod(fd_, 0600) != 0)
        FileError::FromErrno("make the letter file private", path_);
}

LetterFile::~LetterFile() {
    try {
        remove();
    } catch (const FileError&) {
        // Nothing can be said while the window goes away; its close says it.
    }
}

void LetterFile::remove() {
    if (fd_ < 0)
        return;
    const FolderLock lock(path_);
    const bool ours = Names(path_, fd_);
    ::close(fd_);
    fd_ = -1;
    if (ours && ::unlink(path_.c_str()) != 0 && errno != ENOENT)
        FileError::FromErrno("delete the letter file", path_);
}

void RemoveLeftoverLetterFile() {
    std::string path;
    try {
        path = LetterFilePath();
    } catch (const FileError&) {
        return; // the letter window will say why when it is opened
    }
    const FolderLock lock(path);
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && Names(path, fd))
        ::unlink(path.c_str());
    ::close(fd);
}

} // namespace qrv::gui
