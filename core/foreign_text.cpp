#include "core/foreign_text.h"

#include "core/text.h"

#include <algorithm>

namespace qrv {

namespace {

bool IsUtf16(std::string_view head) {
    if (head.starts_with("\xFF\xFE") || head.starts_with("\xFE\xFF"))
        return true;
    // Digits and blanks, most of a media file, are a NUL and a byte in UTF-16;
    // Thai is 0E and a byte, so at least a quarter of one side is asked for.
    std::size_t nuls[2] = {0, 0};
    for (std::size_t i = 0; i < head.size(); ++i)
        if (head[i] == '\0')
            ++nuls[i % 2];
    const std::size_t pairs = head.size() / 2;
    return pairs > 0 && std::max(nuls[0], nuls[1]) * 4 >= pairs;
}

// A UTF-8 sequence begun at `at` that the end of `head` cuts short.
bool CutAtEnd(std::string_view head, std::size_t at) {
    const auto lead = static_cast<unsigned char>(head[at]);
    const std::size_t needed = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (lead < 0xC2 || lead > 0xF4 || head.size() - at >= needed)
        return false;
    return std::all_of(head.begin() + static_cast<std::ptrdiff_t>(at) + 1, head.end(),
                       [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; });
}

// Valid UTF-8 throughout, with at least one character of the Thai block
// (U+0E00 to U+0E7F: E0 B8 xx, E0 B9 xx). Code page 874 Thai is almost never
// valid UTF-8, since its letters are lone bytes of A1 and above.
bool IsThaiUtf8(std::string_view head) {
    bool thai = false;
    for (std::size_t at = 0; at < head.size();) {
        const std::size_t length = Utf8SequenceAt(head, at);
        if (length == 0)
            return thai && CutAtEnd(head, at);
        thai =
            thai || (length == 3 && head[at] == '\xE0' && (head[at + 1] == '\xB8' || head[at + 1] == '\xB9'));
        at += length;
    }
    return thai;
}

} // namespace

std::optional<ForeignText> ForeignTextOf(std::string_view head) {
    if (head.starts_with("\xEF\xBB\xBF"))
        return ForeignText::Utf8ByteOrderMark;
    if (IsUtf16(head))
        return ForeignText::Utf16;
    if (IsThaiUtf8(head))
        return ForeignText::Utf8;
    if (head.find('\r') != std::string_view::npos && head.find('\n') == std::string_view::npos)
        return ForeignText::CrLineEnds;
    return std::nullopt;
}

std::string_view ForeignTextHint(ForeignText text) {
    switch (text) {
    case ForeignText::Utf8:
        return "the file is UTF-8 text, not code page 874";
    case ForeignText::Utf8ByteOrderMark:
        return "the file begins with a UTF-8 byte-order mark, which code page 874 text has not";
    case ForeignText::Utf16:
        return "the file is UTF-16 text, not code page 874";
    case ForeignText::CrLineEnds:
        return "the file's lines end in CR alone, not CR LF, so it reads as one line";
    }
    return {};
}

} // namespace qrv
