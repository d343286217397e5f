// Media files saved by the wrong editor setting: text that is not code page
// 874 with CR LF line ends, told from the first bytes of the file.
#pragma once

#include <optional>
#include <string_view>

namespace qrv {

enum class ForeignText {
    Utf8,              // Thai written as three-byte UTF-8 sequences
    Utf8ByteOrderMark, // begins with EF BB BF
    Utf16,             // begins with a UTF-16 byte-order mark, or every other byte is NUL
    CrLineEnds,        // lines end in CR alone, so the whole file reads as one line
};

// How many bytes of a file's beginning ForeignTextOf needs.
inline constexpr std::size_t kForeignTextSample = 4096;

// What `head`, the beginning of a file, is instead of code page 874 text;
// nothing when it may well be that. A head cut inside a UTF-8 sequence still
// counts as UTF-8.
std::optional<ForeignText> ForeignTextOf(std::string_view head);

// The hint the user reads: "the file is UTF-8 text, not code page 874".
std::string_view ForeignTextHint(ForeignText text);

} // namespace qrv
