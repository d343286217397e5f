// What both platforms share; the rest is in files_posix.cpp and files_windows.cpp.
#include "files/files.h"

#include "files/file_error.h"

#include <utility>

namespace qrv {

namespace {

#ifdef _WIN32
constexpr std::string_view kFolderEnds = "\\/:";
constexpr std::string_view kNetworkSeparators = "\\/";
#else
constexpr std::string_view kFolderEnds = "/";
// Only Windows reads such a path as a share; here it is a name like any other,
// given the share's root all the same, so that both systems name one summary file.
constexpr std::string_view kNetworkSeparators = "\\";
#endif

} // namespace

std::string_view FolderPart(std::string_view path) {
    const std::size_t end = path.find_last_of(kFolderEnds);
    return end == std::string_view::npos ? std::string_view() : path.substr(0, end + 1);
}

std::optional<std::string> NetworkShareRoot(std::string_view path) {
    const auto separatorAt = [&](std::size_t at) {
        return at < path.size() && kNetworkSeparators.find(path[at]) != std::string_view::npos;
    };
    if (!separatorAt(0) || !separatorAt(1))
        return std::nullopt;
    const std::size_t server = path.find_first_of("\\/", 2);
    const std::size_t share =
        server == std::string_view::npos ? server : path.find_first_of("\\/", server + 1);
    if (share == std::string_view::npos)
        return std::string(path) + '\\';
    return std::string(path.substr(0, share + 1));
}

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

void WriteFileAtomically(const std::string& path, const Bytes& bytes, std::string name) {
    PendingFile file(path, std::move(name));
    bytes.writeTo([&](std::string_view piece) { file.write(piece); });
    file.commit();
}

} // namespace qrv
