#include "core/cp874.h"

#include <array>

namespace qrv {

namespace {

constexpr char16_t kUndefined = 0xFFFD;

// Bytes 0x80-0xFF of code page 874; 0x00-0x7F are ASCII. A table of our own
// rather than the system's converter, so that every platform decodes alike:
// Windows' converter turns the undefined bytes into control characters.
// clang-format off
constexpr std::array<char16_t, 128> kHighHalf = {
    // 0x80-0x8F: the euro sign and the ellipsis, the rest undefined
    0x20AC, kUndefined, kUndefined, kUndefined, kUndefined, 0x2026, kUndefined, kUndefined,
    kUndefined, kUndefined, kUndefined, kUndefined, kUndefined, kUndefined, kUndefined, kUndefined,
    // 0x90-0x9F: curly quotes, bullet and dashes
    kUndefined, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    kUndefined, kUndefined, kUndefined, kUndefined, kUndefined, kUndefined, kUndefined, kUndefined,
    // 0xA0-0xDA: no-break space, then the Thai block from U+0E01 in order
    0x00A0, 0x0E01, 0x0E02, 0x0E03, 0x0E04, 0x0E05, 0x0E06, 0x0E07,
    0x0E08, 0x0E09, 0x0E0A, 0x0E0B, 0x0E0C, 0x0E0D, 0x0E0E, 0x0E0F,
    0x0E10, 0x0E11, 0x0E12, 0x0E13, 0x0E14, 0x0E15, 0x0E16, 0x0E17,
    0x0E18, 0x0E19, 0x0E1A, 0x0E1B, 0x0E1C, 0x0E1D, 0x0E1E, 0x0E1F,
    0x0E20, 0x0E21, 0x0E22, 0x0E23, 0x0E24, 0x0E25, 0x0E26, 0x0E27,
    0x0E28, 0x0E29, 0x0E2A, 0x0E2B, 0x0E2C, 0x0E2D, 0x0E2E, 0x0E2F,
    0x0E30, 0x0E31, 0x0E32, 0x0E33, 0x0E34, 0x0E35, 0x0E36, 0x0E37,
    0x0E38, 0x0E39, 0x0E3A,
    // 0xDB-0xDE: undefined
    kUndefined, kUndefined, kUndefined, kUndefined,
    // 0xDF-0xFB: the baht sign to U+0E5B
    0x0E3F,
    0x0E40, 0x0E41, 0x0E42, 0x0E43, 0x0E44, 0x0E45, 0x0E46, 0x0E47,
    0x0E48, 0x0E49, 0x0E4A, 0x0E4B, 0x0E4C, 0x0E4D, 0x0E4E, 0x0E4F,
    0x0E50, 0x0E51, 0x0E52, 0x0E53, 0x0E54, 0x0E55, 0x0E56, 0x0E57,
    0x0E58, 0x0E59, 0x0E5A, 0x0E5B,
    // 0xFC-0xFF: undefined
    kUndefined, kUndefined, kUndefined, kUndefined,
};
// clang-format on

// Every entry is at least U+0080 and inside the BMP: two or three UTF-8 bytes.
void AppendUtf8(std::string& text, char16_t c) {
    if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
    } else {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    }
    text += static_cast<char>(0x80 | (c & 0x3F));
}

} // namespace

std::string Cp874ToUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() * 3);
    for (unsigned char b : bytes) {
        if (b < 0x80)
            text += static_cast<char>(b);
        else
            AppendUtf8(text, kHighHalf[b - 0x80]);
    }
    return text;
}

} // namespace qrv
