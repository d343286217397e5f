// Writing a file that appears whole or not at all.
#pragma once

#include <string>
#include <string_view>

namespace qrv::cli {

// Creates or replaces `path` with exactly `bytes`: they go to a temporary
// file in the same folder, which is then renamed over `path`. A failure
// leaves any earlier file as it was and no temporary file behind. The file
// keeps the permission bits of the one it replaces; a new one gets 0666 less
// the umask. Throws FileError, whose action is `action`, naming `path`.
void ReplaceFile(const std::string& path, std::string_view bytes, const std::string& action);

} // namespace qrv::cli
