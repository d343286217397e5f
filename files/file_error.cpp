#include "files/file_error.h"

#include <cerrno>
#include <cstring>

namespace qrv {

FileError::FileError(std::string action, std::string path, std::string reason)
    : std::runtime_error("Cannot " + action + " \"" + path + "\": " + reason), action_(std::move(action)),
      path_(std::move(path)), reason_(std::move(reason)) {}

void FileError::FromErrno(std::string_view action, std::string_view path) {
    throw FileError(std::string(action), std::string(path), std::strerror(errno));
}

} // namespace qrv
