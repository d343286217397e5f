// Loaded into qrv-check with LD_PRELOAD, this makes file calls fail as a
// carrier may make them fail:
//   QRV_FAIL_FSYNC=FOLDER         fsync of a file in FOLDER fails with EIO, as
//                                 on a stick that takes writes and then loses them
//   QRV_FAIL_FSYNC_FOLDER=FOLDER  fsync of FOLDER itself fails with EIO
//   QRV_FAIL_FCHMOD=ERROR         fchmod fails with ENOSYS, EOPNOTSUPP or EPERM,
//                                 as on FAT through FUSE
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The path the descriptor was opened by; an unnamed file's is its folder's
// followed by "/#inode (deleted)".
std::string PathOf(int fd) {
    char link[32];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char path[PATH_MAX];
    const ssize_t size = ::readlink(link, path, sizeof path);
    return size > 0 ? std::string(path, static_cast<std::size_t>(size)) : std::string();
}

bool Named(const char* variable, const std::string& folder) {
    const char* value = std::getenv(variable);
    return value != nullptr && folder == value;
}

bool FsyncFails(int fd) {
    const std::string path = PathOf(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return false;
    if (S_ISDIR(info.st_mode))
        return Named("QRV_FAIL_FSYNC_FOLDER", path);
    return Named("QRV_FAIL_FSYNC", path.substr(0, path.rfind('/')));
}

int ErrorNamed(const char* name) {
    if (std::strcmp(name, "EOPNOTSUPP") == 0)
        return EOPNOTSUPP;
    if (std::strcmp(name, "EPERM") == 0)
        return EPERM;
    return ENOSYS;
}

template <typename Function> Function Real(const char* symbol) {
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, symbol));
}

} // namespace

extern "C" int fsync(int fd) {
    if (FsyncFails(fd)) {
        errno = EIO;
        return -1;
    }
    return Real<int (*)(int)>("fsync")(fd);
}

extern "C" int fchmod(int fd, mode_t mode) {
    if (const char* error = std::getenv("QRV_FAIL_FCHMOD")) {
        errno = ErrorNamed(error);
        return -1;
    }
    return Real<int (*)(int, mode_t)>("fchmod")(fd, mode);
}
