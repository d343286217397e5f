// Where the covering letter's file lives while its window is open.
#pragma once

#include <string>

namespace qrv::gui {

// outputyyyy.txt in the user's runtime folder or, where there is none, in
// the private folder qrv-edit of the user's cache, made with mode 0700; on
// Windows in qrv-edit of the user's local application data.
// Throws FileError when that folder cannot be made or is not private to this user.
std::string LetterFilePath();

// Marks the letter file at `path` as shown by this program while it lives, so
// that another qrv-edit starting meanwhile leaves it alone. Marks nothing
// when the file cannot be opened.
class LetterFileInUse {
  public:
    explicit LetterFileInUse(const std::string& path);
    ~LetterFileInUse();
    LetterFileInUse(const LetterFileInUse&) = delete;
    LetterFileInUse& operator=(const LetterFileInUse&) = delete;

  private:
    int fd_;
};

// Removes the letter file that a killed qrv-edit left behind, unless another
// qrv-edit shows it. Never fails: a file that cannot be removed stays.
void RemoveLeftoverLetterFile();

} // namespace qrv::gui
