// The code page 874 table: its known points, and every byte against glibc.
#include "core/cp874.h"

#include <gtest/gtest.h>

#include <string>

#if defined(__GLIBC__)
#include <iconv.h>
#endif

namespace qrv {
namespace {

const std::string kReplacement = "\xEF\xBF\xBD";

TEST(Cp874, AsciiAndNulPassThrough) {
    const std::string ascii("A1 \0\x7F~", 6);
    EXPECT_EQ(Cp874ToUtf8(ascii), ascii);
}

TEST(Cp874, ThaiTextBecomesUtf8) {
    // "การ" then the baht sign and Thai digit nine.
    EXPECT_EQ(Cp874ToUtf8("\xA1\xD2\xC3\xDF\xF9"),
              "\xE0\xB8\x81\xE0\xB8\xB2\xE0\xB8\xA3\xE0\xB8\xBF\xE0\xB9\x99");
}

TEST(Cp874, PunctuationOutsideTheThaiBlock) {
    EXPECT_EQ(Cp874ToUtf8("\x80\x85\x91\x97\xA0"),
              "\xE2\x82\xAC\xE2\x80\xA6\xE2\x80\x98\xE2\x80\x94\xC2\xA0");
}

TEST(Cp874, UndefinedBytesBecomeReplacementCharacters) {
    EXPECT_EQ(Cp874ToUtf8("\x81\xDB\xDE\xFC\xFF"),
              kReplacement + kReplacement + kReplacement + kReplacement + kReplacement);
}

// The table against glibc's own CP874 converter, byte by byte: what glibc
// rejects must come out as U+FFFD.
TEST(Cp874, EveryByteMatchesGlibc) {
#if defined(__GLIBC__)
    iconv_t converter = iconv_open("UTF-8", "CP874");
    ASSERT_NE(converter, reinterpret_cast<iconv_t>(-1));
    for (int b = 0; b < 256; ++b) {
        char in = static_cast<char>(b);
        char out[8];
        char* inPtr = &in;
        char* outPtr = out;
        std::size_t inLeft = 1;
        std::size_t outLeft = sizeof out;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
        const bool converted =
            iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
        const std::string expected = converted ? std::string(out, outPtr) : kReplacement;
        EXPECT_EQ(Cp874ToUtf8(std::string(1, in)), expected) << "byte 0x" << std::hex << b;
    }
    iconv_close(converter);
#else
    GTEST_SKIP() << "glibc's iconv is the reference and exists only on Linux";
#endif
}

} // namespace
} // namespace qrv
