#include "journal/digest.h"

#include "files/files.h"

#include <array>
#include <nettle/sha2.h>

namespace qrv {

namespace {

class Sha256Digest {
  public:
    Sha256Digest() { sha256_init(&context_); }
    void add(std::string_view bytes) {
        sha256_update(&context_, bytes.size(), reinterpret_cast<const std::uint8_t*>(bytes.data()));
    }
    std::string hex() {
        std::array<std::uint8_t, SHA256_DIGEST_SIZE> digest{};
        sha256_digest(&context_, digest.size(), digest.data());
        constexpr char kHex[] = "0123456789abcdef";
        std::string text;
        for (const std::uint8_t byte : digest) {
            text += kHex[byte >> 4];
            text += kHex[byte & 0xf];
        }
        return text;
    }

  private:
    sha256_ctx context_{};
};

} // namespace

std::string Sha256(std::string_view bytes) {
    Sha256Digest digest;
    digest.add(bytes);
    return digest.hex();
}

FileDigest DigestOfFile(const std::string& path) {
    const FileUse use{"read", path};
    const FileDescriptor file = OpenRegularFile(use);
    Sha256Digest digest;
    FileDigest result;
    std::array<char, 1 << 16> piece{};
    while (const std::size_t got = ReadUpTo(file.get(), piece.data(), piece.size(), use)) {
        digest.add(std::string_view(piece.data(), got));
        result.size += got;
    }
    result.sha256 = digest.hex();
    return result;
}

} // namespace qrv
