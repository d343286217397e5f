// Files that are not code page 874 text, told from their first bytes.
#include "core/foreign_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace qrv {
namespace {

struct Head {
    const char* name;
    std::string bytes;
    std::optional<ForeignText> expected;
};

// A 100 M control line's beginning, then "บริษัท" in each encoding.
const std::string kDigits = "1012345";
const std::string kThaiCp874 = "\xBA\xC3\xD4\xC9\xD1\xB7";
const std::string kThaiUtf8 = "\xE0\xB8\x9A\xE0\xB8\xA3\xE0\xB8\xB4\xE0\xB8\xA9\xE0\xB8\xB1\xE0\xB8\x97";

std::string Utf16Le(const std::string& ascii) {
    std::string out;
    for (char c : ascii)
        out += std::string{c, '\0'};
    return out;
}

const Head kHeads[] = {
    {"Cp874WithCrLf", kDigits + kThaiCp874 + "\r\n" + kDigits + "\r\n", std::nullopt},
    {"Cp874WithLfAlone", kDigits + kThaiCp874 + "\n", std::nullopt},
    {"OneLineWithoutEnd", kDigits + kThaiCp874, std::nullopt},
    {"Empty", "", std::nullopt},
    // "เธ" and a Thai consonant: code page 874 text that begins like a UTF-8 lead.
    {"Cp874ThatLooksLikeAUtf8Start", "\xE0\xB8\xA1\xD2\r\n", std::nullopt},
    {"AsciiOnly", kDigits + "\r\n", std::nullopt},
    {"Utf8Thai", kDigits + kThaiUtf8 + "\r\n", ForeignText::Utf8},
    {"Utf8ThaiCutInItsLastCharacter", kDigits + kThaiUtf8.substr(0, 16), ForeignText::Utf8},
    {"Utf8ByteOrderMark", "\xEF\xBB\xBF" + kDigits + "\r\n", ForeignText::Utf8ByteOrderMark},
    {"Utf8ByteOrderMarkBeforeThai", "\xEF\xBB\xBF" + kThaiUtf8, ForeignText::Utf8ByteOrderMark},
    {"Utf16LittleEndianMark", "\xFF\xFE" + Utf16Le(kDigits), ForeignText::Utf16},
    {"Utf16BigEndianMark",
     std::string("\xFE\xFF\0"
                 "1",
                 4),
     ForeignText::Utf16},
    {"Utf16WithoutMark", Utf16Le(kDigits + "\r\n"), ForeignText::Utf16},
    {"CrLineEnds", kDigits + "\r" + kDigits + "\r", ForeignText::CrLineEnds},
};

class ForeignTextOfHead : public testing::TestWithParam<Head> {};

TEST_P(ForeignTextOfHead, IsTold) {
    EXPECT_EQ(ForeignTextOf(GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Heads, ForeignTextOfHead, testing::ValuesIn(kHeads),
                         [](const testing::TestParamInfo<Head>& head) {
                             return std::string(head.param.name);
                         });

} // namespace
} // namespace qrv
