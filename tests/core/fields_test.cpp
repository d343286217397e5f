#include "core/display.h"
#include "core/fields.h"
#include "core/numeric.h"
#include "runs/format.h"

#include <gtest/gtest.h>

#include <string>

using namespace qrv;

namespace {

// Characters 1..78 are "ABC...": each field shows where it was cut.
std::string NumberedLine(std::size_t length) {
    std::string line;
    for (std::size_t i = 0; i < length; ++i)
        line += static_cast<char>('!' + i % 90);
    return line;
}

std::string_view Cut(const std::string& line, int start, int length) {
    return std::string_view(line).substr(start - 1, length);
}

TEST(SplitRecord, ShortLongAndEmptyLines) {
    const std::string line28 = NumberedLine(28);
    const Fields f28 = SplitRecord(line28, FormatTable(Format::M100).detailLayout);
    EXPECT_EQ(f28[detail::Amount], Cut(line28, 18, 11));
    EXPECT_EQ(f28[detail::Spare], "");

    const std::string line20 = NumberedLine(20);
    EXPECT_EQ(SplitRecord(line20, FormatTable(Format::M100).detailLayout)[detail::Amount],
              Cut(line20, 18, 3));

    const Fields empty = SplitRecord("", FormatTable(Format::M10).controlLayout);
    ASSERT_EQ(empty.size(), 11u);
    for (std::size_t i = 0; i < empty.size(); ++i)
        EXPECT_EQ(empty[i], "");

    const std::string longLine = NumberedLine(120);
    const std::string first78 = longLine.substr(0, 78);
    const Fields a = SplitRecord(longLine, FormatTable(Format::M100).controlLayout);
    const Fields b = SplitRecord(first78, FormatTable(Format::M100).controlLayout);
    for (std::size_t i = 0; i < a.size(); ++i)
        EXPECT_EQ(a[i], b[i]);
}

TEST(SplitRecord, KeepsBlanksAndBytesAsTheyAre) {
    const std::string line = std::string(8, ' ') + "M012345\xba\xc3\xd4\xc9\xd1\xb7";
    const Fields f = SplitRecord(line, FormatTable(Format::M100).controlLayout);
    EXPECT_EQ(f[control::Filler], "        ");
    EXPECT_EQ(f[control::CompanyName], "\xba\xc3\xd4\xc9\xd1\xb7");
}

TEST(FormatAmount, ShowsImpliedDecimals) {
    EXPECT_EQ(FormatAmount("00012345678", 2), "123,456.78");
    EXPECT_EQ(FormatAmount("00000000005", 2), ".05");
    EXPECT_EQ(FormatAmount("12345678901", 2), "123,456,789.01");
    EXPECT_EQ(FormatAmount("0012345678", 2), "123,456.78");
    EXPECT_EQ(FormatAmount("0000000000", 2), ".00");
    EXPECT_EQ(FormatAmount("000000001AB", 2), "1.AB"); // the decimals are shown, not read
}

TEST(FormatAmount, FailsWithoutAWholePartThatConverts) {
    EXPECT_THROW(FormatAmount("05", 2), ConversionError);
    EXPECT_THROW(FormatAmount("", 2), ConversionError);
    EXPECT_THROW(FormatAmount("         05", 2), ConversionError);
    EXPECT_THROW(FormatAmount("0000X000005", 2), ConversionError);
}

TEST(RenderDate, PutsSlashesBetweenThePieces) {
    EXPECT_EQ(RenderDate("311206"), "31/12/06");
    EXPECT_EQ(RenderDate("3112"), "31/12/");
    EXPECT_EQ(RenderDate("3"), "3//");
    EXPECT_EQ(RenderDate(""), "//");
}

TEST(DateField, UndoesRenderDate) {
    for (const std::string field : {"311206", "31120", "3112", "311", "31", "3", "", "3/1/06", "//////"})
        EXPECT_EQ(DateField(RenderDate(field)), field) << '"' << field << '"';
}

} // namespace
