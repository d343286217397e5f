#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qrv {

// Reads a file one line at a time through a fixed buffer. LF or CR LF ends a
// line and is not part of it; a terminator after the last line adds no empty
// line; every other byte (NUL, a lone CR, bytes above 127) stays as read.
class LineReader {
  public:
    // Throws FileError when the file cannot be opened.
    explicit LineReader(const std::string& path);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The next line; false at the end of the file. The view stays valid until
    // the next call.
    bool next(std::string_view& line);
    // The next line into `line`; false at the end of the file.
    bool next(std::string& line);

  private:
    bool fill();
    std::string_view gatherLineAcrossFills();

    std::string path_;
    int fd_ = -1;
    std::vector<char> buffer_;
    std::string longLine_; // a line that does not lie wholly inside one fill of the buffer
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
};

} // namespace qrv
