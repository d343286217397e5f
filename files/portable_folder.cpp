#include "files/portable_folder.h"

#include "files/file_error.h"
#include "files/files.h"

namespace qrv {

std::optional<std::string> PortableFolderOf(const std::string& program) {
    const std::string folder(FolderPart(program));
    if (folder.empty())
        return std::nullopt;
    const std::string marker = folder + "portable";
    try {
        OpenRegularFile({"look at", marker});
        // A marker on a read-only share or a locked-down Program Files folder
        // must not leave the program without anywhere to keep its settings.
        OpenUnnamedFile(folder, {"write in", folder});
    } catch (const FileError&) {
        return std::nullopt;
    }
    return folder;
}

std::optional<std::string> PortableFolder() {
    return PortableFolderOf(RunningProgramPath());
}

} // namespace qrv
