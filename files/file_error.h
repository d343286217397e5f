#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace qrv {

// A file that could not be opened, created, read or written: `action` says
// what was tried ("open the input file"), `reason` what the system answered.
class FileError : public std::runtime_error {
  public:
    FileError(std::string action, std::string path, std::string reason, int systemError = 0);
    // Throws a FileError whose reason is the system's text for errno.
    [[noreturn]] static void FromErrno(std::string_view action, std::string_view path);

    const std::string& action() const { return action_; }
    const std::string& path() const { return path_; }
    const std::string& reason() const { return reason_; }
    // The errno the system answered; 0 when the refusal was the program's own.
    int systemError() const { return systemError_; }
    // Whether the folder refused a new file: access denied or read-only.
    bool refusedNewFile() const;

  private:
    std::string action_;
    std::string path_;
    std::string reason_;
    int systemError_;
};

// The system's own words for errno `error`, without a closing full stop:
// "No such file or directory"; on Windows the text Windows gives the nearest
// Windows error, "The system cannot find the file specified".
std::string SystemErrorText(int error);

} // namespace qrv
