#include "files/line_reader.h"

#include <cstring>

namespace qrv {

namespace {

constexpr std::size_t kBufferSize = 1 << 18;
constexpr std::string_view kOpen = "open the input file";
constexpr std::string_view kRead = "read the input file";

// A line without its terminator: LF, or CR LF.
std::string_view WithoutCarriageReturn(std::string_view line) {
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    return line;
}

std::string_view Checked(std::string_view line) {
    if (line.size() > kMaxLineLength)
        throw LineTooLong();
    return line;
}

} // namespace

LineTooLong::LineTooLong()
    : std::runtime_error("the line is longer than 65,536 bytes; this is not a media file") {}

LineReader::LineReader(const std::string& path)
    : path_(path), fd_(OpenRegularFile({kOpen, path_})), buffer_(kBufferSize) {}

bool LineReader::fill() {
    end_ = ReadUpTo(fd_.get(), buffer_.data(), buffer_.size(), {kRead, path_});
    begin_ = 0;
    atEnd_ = end_ == 0;
    return !atEnd_;
}

bool LineReader::next(std::string_view& line) {
    if (begin_ == end_ && (atEnd_ || !fill()))
        return false;
    const char* start = buffer_.data() + begin_;
    const auto* newline = static_cast<const char*>(std::memchr(start, '\n', end_ - begin_));
    if (!newline) {
        line = Checked(gatherLineAcrossFills());
        return true;
    }
    line = Checked(WithoutCarriageReturn(std::string_view(start, static_cast<std::size_t>(newline - start))));
    begin_ = static_cast<std::size_t>(newline - buffer_.data()) + 1;
    return true;
}

// Room for the CR of a CR LF, which does not count towards the line.
void LineReader::appendToLongLine(const char* bytes, std::size_t size) {
    if (longLine_.size() + size > kMaxLineLength + 1)
        throw LineTooLong();
    longLine_.append(bytes, size);
}

// The rest of the buffer starts a line that ends in a later fill, or at the
// end of the file without a terminator (a CR before that end stays).
std::string_view LineReader::gatherLineAcrossFills() {
    longLine_.clear();
    appendToLongLine(buffer_.data() + begin_, end_ - begin_);
    begin_ = end_;
    while (fill()) {
        const auto* newline = static_cast<const char*>(std::memchr(buffer_.data(), '\n', end_));
        if (newline) {
            appendToLongLine(buffer_.data(), static_cast<std::size_t>(newline - buffer_.data()));
            begin_ = static_cast<std::size_t>(newline - buffer_.data()) + 1;
            return WithoutCarriageReturn(longLine_);
        }
        appendToLongLine(buffer_.data(), end_);
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
