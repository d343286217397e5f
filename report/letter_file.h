// Saving the covering letter where the user asks.
#pragma once

#include <string>
#include <string_view>

namespace qrv {

// The user's own copy of the letter ("Save", qrv-check --letter): creates or
// replaces `path` with `bytes` in one step, keeping the permission bits of a
// file it replaces (a new one gets 0666 less the umask); a failure leaves any
// earlier file as it was. A device, a FIFO or a link to one is written into
// and left in place (see SaveFile). Throws FileError naming the path and the reason.
void SaveLetterAs(const std::string& path, std::string_view bytes);

} // namespace qrv
