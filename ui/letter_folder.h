// Where the covering letter's file lives while its window is open.
#pragma once

#include <string>

namespace qrv::gui {

// outputyyyy.txt in the user's runtime folder or, where there is none, in
// the private folder qrv-edit of the user's cache, made with mode 0700.
// Throws FileError when that folder cannot be made or is not private to this user.
std::string LetterFilePath();

} // namespace qrv::gui
