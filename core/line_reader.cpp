#include "core/line_reader.h"

#include "core/file_error.h"

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

namespace {

// A line without its terminator: LF, or CR LF.
std::string_view WithoutCarriageReturn(std::string_view line) {
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    return line;
}

} // namespace

bool LineReader::next(std::string_view& line) {
    if (begin_ == end_ && (atEnd_ || !fill()))
        return false;
    const char* start = buffer_.data() + begin_;
    const auto* newline = static_cast<const char*>(std::memchr(start, '\n', end_ - begin_));
    if (!newline) {
        line = gatherLineAcrossFills();
        return true;
    }
    line = WithoutCarriageReturn(std::string_view(start, static_cast<std::size_t>(newline - start)));
    begin_ = static_cast<std::size_t>(newline - buffer_.data()) + 1;
    return true;
}

// The rest of the buffer starts a line that ends in a later fill, or at the
// end of the file without a terminator (a CR before that end stays).
std::string_view LineReader::gatherLineAcrossFills() {
    longLine_.assign(buffer_.data() + begin_, end_ - begin_);
    begin_ = end_;
    while (fill()) {
        const auto* newline = static_cast<const char*>(std::memchr(buffer_.data(), '\n', end_));
        if (newline) {
            longLine_.append(buffer_.data(), static_cast<std::size_t>(newline - buffer_.data()));
            begin_ = static_cast<std::size_t>(newline - buffer_.data()) + 1;
            return WithoutCarriageReturn(longLine_);
        }
        longLine_.append(buffer_.data(), end_);
        begin_ = end_;
    }
    return longLine_;
}

bool LineReader::next(std::string& line) {
    std::string_view view;
    const bool any = next(view);
    line.assign(view);
    return any;
}

} // namespace qrv
