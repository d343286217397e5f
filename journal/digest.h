// SHA-256 digests, as lower-case hex, through Nettle.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qrv {

struct FileDigest {
    std::uint64_t size = 0;
    std::string sha256;
};

std::string Sha256(std::string_view bytes);
// The file's bytes, read in pieces; throws FileError when it cannot be read.
FileDigest DigestOfFile(const std::string& path);

} // namespace qrv
