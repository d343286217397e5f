// What both platforms share; the rest is in files_posix.cpp and files_windows.cpp.
#include "files/files.h"

#include "files/file_error.h"

#include <utility>

namespace qrv {

FileDescriptor::FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
        FileDescriptor earlier(std::exchange(fd_, std::exchange(other.fd_, -1)));
    }
    return *this;
}

void PendingFile::fail(std::string_view verb) const {
    FileError::FromErrno(std::string(verb) + " " + name_, path_);
}

void PendingFile::write(std::string_view bytes) {
    const std::string action = "write " + name_;
    WriteAll(fd_.get(), bytes, {action, path_});
}

void PendingFile::closeFile() {
    const std::string action = "write " + name_;
    fd_.close({action, path_});
}

void WriteFileAtomically(const std::string& path, std::string_view bytes, std::string name) {
    PendingFile file(path, std::move(name));
    file.write(bytes);
    file.commit();
}

} // namespace qrv
