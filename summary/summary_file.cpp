#include "summary/summary_file.h"

#include "core/file_error.h"
#include "core/line_reader.h"
#include "core/text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qrv {

namespace {

// Lines are gathered and written in blocks of this size.
constexpr std::size_t kBufferSize = 1 << 18;

mode_t CreationMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Puts the finished file `from` in the place of the regular file `to` and
// removes the earlier file; false when `to` is no regular file or the file
// system cannot exchange names. A plain rename over an existing file makes
// ext4 write the whole new file out before it returns; exchanging the names
// is just as atomic for readers of `to` and does not wait for the disk.
bool ReplaceByExchange(const std::string& from, const std::string& to) {
    struct stat existing {};
    if (::lstat(to.c_str(), &existing) != 0 || !S_ISREG(existing.st_mode))
        return false;
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_EXCHANGE) != 0)
        return false;
    ::unlink(from.c_str());
    return true;
}

} // namespace

std::string SummaryFilePath(std::string_view mediaPath, std::string_view companyCode) {
    if (mediaPath.starts_with('/')) {
        const std::size_t slash = mediaPath.rfind('/');
        return std::string(mediaPath.substr(0, slash + 1)) + std::string(companyCode);
    }
    return std::string(Trim(FirstCharacters(mediaPath, 3))) + std::string(companyCode);
}

SummaryWriter::SummaryWriter(std::string path)
    : path_(std::move(path)), tempPath_(path_ + ".XXXXXX"), buffer_(kBufferSize) {
    fd_ = ::mkstemp(tempPath_.data());
    if (fd_ < 0)
        FileError::FromErrno("create the summary file", path_);
    ::fchmod(fd_, CreationMode());
}

SummaryWriter::~SummaryWriter() {
    if (fd_ >= 0) {
        ::close(fd_);
        ::unlink(tempPath_.c_str());
    }
}

void SummaryWriter::writeLine(std::string_view line) {
    const std::size_t size = line.size() + 2;
    if (buffer_.size() - used_ < size) {
        flush();
        if (buffer_.size() < size)
            buffer_.resize(size);
    }
    char* at = buffer_.data() + used_;
    std::memcpy(at, line.data(), line.size());
    at[line.size()] = '\r';
    at[line.size() + 1] = '\n';
    used_ += size;
}

void SummaryWriter::flush() {
    std::size_t done = 0;
    while (done < used_) {
        const ssize_t wrote = ::write(fd_, buffer_.data() + done, used_ - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote < 0)
            FileError::FromErrno("write the summary file", path_);
        done += static_cast<std::size_t>(wrote);
    }
    used_ = 0;
}

void SummaryWriter::commit() {
    flush();
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(tempPath_.c_str());
        errno = error;
        FileError::FromErrno("write the summary file", path_);
    }
    if (!ReplaceByExchange(tempPath_, path_) && std::rename(tempPath_.c_str(), path_.c_str()) != 0) {
        const int error = errno;
        ::unlink(tempPath_.c_str());
        errno = error;
        FileError::FromErrno("replace the summary file", path_);
    }
}

std::optional<std::string> ReadSummaryControlLine(const std::string& path) {
    try {
        LineReader reader(path);
        std::string line;
        if (!reader.next(line))
            return std::nullopt;
        return line;
    } catch (const FileError& e) {
        throw FileError("open the summary file", path, e.reason());
    }
}

} // namespace qrv
