#include "files/file_error.h"

#include <cerrno>

namespace qrv {

FileError::FileError(std::string action, std::string path, std::string reason, int systemError)
    : std::runtime_error("Cannot " + action + " \"" + path + "\": " + reason), action_(std::move(action)),
      path_(std::move(path)), reason_(std::move(reason)), systemError_(systemError) {}

void FileError::FromErrno(std::string_view action, std::string_view path) {
    const int error = errno;
    throw FileError(std::string(action), std::string(path), SystemErrorText(error), error);
}

// Windows' ERROR_ACCESS_DENIED and ERROR_WRITE_PROTECT arrive as EACCES and EROFS.
bool FileError::refusedNewFile() const {
    return systemError_ == EACCES || systemError_ == EPERM || systemError_ == EROFS;
}

} // namespace qrv
