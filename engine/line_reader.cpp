#include "engine/line_reader.h"

#include "engine/file_error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace qrv {

namespace {
constexpr std::size_t kBufferSize = 1 << 18;
}

LineReader::LineReader(const std::string& path) : path_(path), buffer_(kBufferSize) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        FileError::FromErrno("open the input file", path);
}

LineReader::~LineReader() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool LineReader::fill() {
    ssize_t got;
    do
        got = ::read(fd_, buffer_.data(), buffer_.size());
    while (got < 0 && errno == EINTR);
    if (got < 0)
        FileError::FromErrno("read the input file", path_);
    begin_ = 0;
    end_ = static_cast<std::size_t>(got);
    atEnd_ = got == 0;
    return !atEnd_;
}

bool LineReader::next(std::string& line) {
    line.clear();
    bool any = false;
    while (true) {
        if (begin_ == end_ && (atEnd_ || !fill()))
            return any;
        any = true;
        const char* start = buffer_.data() + begin_;
        const auto* newline = static_cast<const char*>(std::memchr(start, '\n', end_ - begin_));
        if (!newline) {
            line.append(start, end_ - begin_);
            begin_ = end_;
            continue;
        }
        line.append(start, newline);
        begin_ = static_cast<std::size_t>(newline - buffer_.data()) + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        return true;
    }
}

} // namespace qrv
