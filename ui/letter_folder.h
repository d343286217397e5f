// Where the covering letter's file lives while its window is open.
#pragma once

#include <string>
#include <string_view>

namespace qrv::gui {

// outputyyyy.txt in the user's runtime folder or, where there is none, in
// the private folder qrv-edit of the user's cache, made with mode 0700; on
// Windows in qrv-edit of the user's local application data.
// Throws FileError when that folder cannot be made or is not private to this user.
std::string LetterFilePath();

// The letter file of one covering letter window. Two copies of the program
// share its name: each puts its own file there, and each removes only the
// file it put there, so neither deletes the other's letter.
class LetterFile {
  public:
    // Puts a file holding `bytes` (mode 0600) at LetterFilePath() in one
    // step, in place of any earlier one. Throws FileError.
    explicit LetterFile(std::string_view bytes);
    // Removes the file as remove() does, saying nothing of a failure.
    ~LetterFile();
    LetterFile(const LetterFile&) = delete;
    LetterFile& operator=(const LetterFile&) = delete;

    // Deletes the file, unless another copy of the program has put its own
    // letter there since; a second call does nothing. Throws FileError.
    void remove();

    const std::string& path() const { return path_; }

  private:
    std::string path_;
    // The file this window put there, locked shared (on Windows: held open,
    // shared for reading and deleting only) while it lives, so that a
    // starting program leaves it alone.
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
};

// Removes the letter file that a killed qrv-edit left behind, unless another
// qrv-edit shows it. Never fails: a file that cannot be removed stays.
void RemoveLeftoverLetterFile();

} // namespace qrv::gui
