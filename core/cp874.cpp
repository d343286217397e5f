#include "core/cp874.h"

#include <array>
#include <iconv.h>

namespace qrv {

namespace {

// One UTF-8 text per byte value, filled once through glibc's converter.
std::array<std::string, 256> BuildTable() {
    std::array<std::string, 256> table;
    iconv_t converter = iconv_open("UTF-8", "CP874");
    for (int b = 0; b < 256; ++b) {
        char in = static_cast<char>(b);
        char out[8];
        char* inPtr = &in;
        char* outPtr = out;
        std::size_t inLeft = 1;
        std::size_t outLeft = sizeof out;
        const bool converted =
            converter != reinterpret_cast<iconv_t>(-1) &&
            iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
        if (converted)
            table[b].assign(out, outPtr);
        else
            table[b] = b < 0x80 ? std::string(1, in) : "\xEF\xBF\xBD";
    }
    if (converter != reinterpret_cast<iconv_t>(-1))
        iconv_close(converter);
    return table;
}

} // namespace

std::string Cp874ToUtf8(std::string_view bytes) {
    static const std::array<std::string, 256> table = BuildTable();
    std::string text;
    text.reserve(bytes.size() * 3);
    for (unsigned char b : bytes)
        text += table[b];
    return text;
}

} // namespace qrv
