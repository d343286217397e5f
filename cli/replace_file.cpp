#include "cli/replace_file.h"

#include "core/file_error.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qrv::cli {

namespace {

mode_t ModeFor(const std::string& path) {
    struct stat earlier {};
    if (::stat(path.c_str(), &earlier) == 0 && S_ISREG(earlier.st_mode))
        return earlier.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

void ReplaceFile(const std::string& path, std::string_view bytes, const std::string& action) {
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        FileError::FromErrno(action, path);
    const bool done = WriteAll(fd, bytes) && ::fchmod(fd, ModeFor(path)) == 0 && ::fsync(fd) == 0;
    const int error = errno;
    if (::close(fd) != 0 || !done || ::rename(temp.c_str(), path.c_str()) != 0) {
        const int reported = done ? errno : error;
        ::unlink(temp.c_str());
        errno = reported;
        FileError::FromErrno(action, path);
    }
}

} // namespace qrv::cli
