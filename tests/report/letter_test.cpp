#include "report/letter.h"
#include "runs/format.h"
#include "tests/report/thai_control_line.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

using namespace std::chrono;
using test::ThaiCompanyName;
using test::ThaiControlLine;

constexpr year_month_day kDay = 2026y / December / 7;

std::string Blanks(int n) {
    return std::string(static_cast<std::size_t>(n), ' ');
}

TEST(MakeSpaces, GivesOneBlankMoreThanAskedAndNoneForANegativeCount) {
    const struct {
        std::int16_t k;
        std::size_t blanks;
    } cases[] = {{60, 61}, {0, 1}, {-1, 0}, {-32768, 0}, {100, 101}};
    for (const auto& c : cases)
        EXPECT_EQ(MakeSpaces(c.k), Blanks(static_cast<int>(c.blanks))) << c.k;
}

TEST(FormatLetterDate, UsesEnglishMonthsAndTwoDigitDays) {
    EXPECT_EQ(FormatLetterDate(kDay), "Dec 07, 2026");
    EXPECT_EQ(FormatLetterDate(2027y / January / 1), "Jan 01, 2027");
    EXPECT_EQ(FormatLetterDate(2024y / February / 29), "Feb 29, 2024");
    EXPECT_EQ(FormatLetterDate(2026y / August / 31), "Aug 31, 2026");
}

TEST(Letter, LetterOfA100MControlLineWithAThaiCompanyName) {
    const std::string name = ThaiCompanyName();
    const std::string letter = LetterForRun(ThaiControlLine(), 123456, Format::M100, kDay);
    const std::string expected =
        "\r\n" + Blanks(61) + "Date :Dec 07, 2026\r\n" + Blanks(2) + "Dear MANAGER\r\n" + "\r\n" +
        Blanks(21) + "THE VALMORA BANK PUBLIC COMPANY LIMITED\r\n" + "\r\n" + Blanks(51) +
        "We Would like to transfer salary, Wage and overtime to our \r\n" + Blanks(2) +
        "account and all detail below this paragraph\r\n" + "\r\n" + Blanks(61) +
        "COMPANY CODE    : 012345\r\n" + "\r\n" + Blanks(61) + "COMPANY NAME    : " + name + "\r\n" + "\r\n" +
        Blanks(61) + "EFFECTIVE DATE  : 31/12/06\r\n" + "\r\n" + Blanks(61) + "TOTAL RECORD    : 00003\r\n" +
        "\r\n" + Blanks(61) + "TOTAL AMOUNT    : 00000123456\r\n" + "\r\n" + Blanks(61) +
        "HASH TOTAL      : 123456\r\n" + "\r\n" + Blanks(101) + "Yours truly,\r\n" + "\r\n" + "\r\n" +
        Blanks(91) + std::string(20, '_') + "\r\n" + Blanks(91) + "Authorized Signature\r\n";
    EXPECT_EQ(letter, expected);
}

TEST(Letter, LetterOfA10MControlLine) {
    // The 10 M control record: fields 1 to 8 one position further right, a
    // ten-digit total amount.
    const std::string line = test::ControlLine(test::Format::M10, {.termPayment = "H",
                                                                   .companyCode = "654321",
                                                                   .companyName = "ACME CO LTD",
                                                                   .applyCode = "1",
                                                                   .effectiveDate = "010127",
                                                                   .totalRecord = "12345",
                                                                   .totalAmount = "0000009999"});
    const std::vector<std::string> lines =
        BuildLetter(SplitRecord(line, FormatTable(Format::M10).controlLayout), "7", kDay);
    ASSERT_EQ(lines.size(), kLetterLineCount);
    EXPECT_EQ(lines[9], Blanks(61) + "COMPANY CODE    : 654321");
    EXPECT_EQ(lines[11], Blanks(61) + "COMPANY NAME    : ACME CO LTD" + Blanks(19));
    EXPECT_EQ(lines[13], Blanks(61) + "EFFECTIVE DATE  : 01/01/27");
    EXPECT_EQ(lines[15], Blanks(61) + "TOTAL RECORD    : 12345");
    EXPECT_EQ(lines[17], Blanks(61) + "TOTAL AMOUNT    : 0000009999");
    EXPECT_EQ(lines[19], Blanks(61) + "HASH TOTAL      : 7");
}

// A summary file cut short inside the effective date: the letter takes the
// field's last two characters as the year ("01012" gives 01/01/12, where the
// result window shows 01/01/2).
TEST(Letter, ShortEffectiveDateEndsWithItsLastTwoCharacters) {
    const std::string line = test::ControlLine(Format::M100, {.effectiveDate = "010120"}).substr(0, 52);
    const std::vector<std::string> lines =
        BuildLetter(SplitRecord(line, FormatTable(Format::M100).controlLayout), "7", kDay);
    EXPECT_EQ(lines[13], Blanks(61) + "EFFECTIVE DATE  : 01/01/12");
}

TEST(Letter, ControlLineIsSplitByTheLayoutOfTheFormatGiven) {
    const std::string letter = LetterForRun(ThaiControlLine(), 99, Format::M10, kDay);
    const std::string name10M = ThaiCompanyName().substr(1) + "C";
    for (const std::string& line :
         {"COMPANY CODE    : 12345" + ThaiCompanyName().substr(0, 1), "COMPANY NAME    : " + name10M,
          std::string("EFFECTIVE DATE  : 11/20/60"), std::string("TOTAL RECORD    : 00030"),
          std::string("TOTAL AMOUNT    : 0000123456")})
        EXPECT_NE(letter.find(Blanks(61) + line + "\r\n"), std::string::npos) << line;
}

TEST(Letter, TitleNamesTheCompanyAndTheEffectiveDate) {
    EXPECT_EQ(LetterTitle(ThaiControlLine(), Format::M100), "Covering letter 012345 31/12/06");
}

} // namespace
} // namespace qrv
