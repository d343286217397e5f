#pragma once

#include "files/files.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

// A media line holds 78 characters; a line this much longer means that the
// file is something else, and reading it whole could exhaust memory.
inline constexpr std::size_t kMaxLineLength = 65536;

class LineTooLong : public std::runtime_error {
  public:
    LineTooLong();
};

// Reads a regular file one line at a time through a fixed buffer. LF or CR LF
// ends a line and is not part of it; a terminator after the last line adds
// no empty line; every other byte (NUL, a lone CR, bytes above 127) stays as
// read.
class LineReader {
  public:
    // Throws FileError when the file cannot be opened or is no regular file.
    explicit LineReader(const std::string& path);

    // The next line; false at the end of the file. The view stays valid until
    // the next call. Throws LineTooLong for a line of more than
    // kMaxLineLength bytes, and FileError.
    bool next(std::string_view& line);
    // The next line into `line`; false at the end of the file.
    bool next(std::string& line);

  private:
    bool fill();
    std::string_view gatherLineAcrossFills();
    void appendToLongLine(const char* bytes, std::size_t size);

    std::string path_;
    FileDescriptor fd_;
    std::vector<char> buffer_;
    std::string longLine_; // a line that does not lie wholly inside one fill of the buffer
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
};

} // namespace qrv
