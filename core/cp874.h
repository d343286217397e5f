#pragma once

#include <string>
#include <string_view>

namespace qrv {

// Media-file text (Windows code page 874) as UTF-8, for showing it. A byte the
// code page leaves undefined becomes U+FFFD.
std::string Cp874ToUtf8(std::string_view bytes);

} // namespace qrv
