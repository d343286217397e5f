// Portable mode: a file named `portable` beside the running program keeps
// what the program writes for itself (its settings, its journal, the letter
// files) in the program's own folder, on a stick or a shared folder, instead
// of the user's profile. Without the marker nothing changes.
#pragma once

#include <optional>
#include <string>

namespace qrv {

// The folder of the program file `program`, with its separator, when a
// regular file named `portable` lies there and the folder takes new files;
// nothing otherwise, also for a program path without a folder.
std::optional<std::string> PortableFolderOf(const std::string& program);

// The same for the running program.
std::optional<std::string> PortableFolder();

} // namespace qrv
