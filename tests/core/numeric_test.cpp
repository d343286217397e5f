#include "core/digit_sums.h"
#include "core/display.h"
#include "core/numeric.h"
#include "core/text.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qrv;

namespace {

struct NumericCase {
    const char* text;
    bool numeric;
};

void PrintTo(const NumericCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class IsNumericTextTest : public testing::TestWithParam<NumericCase> {};

TEST_P(IsNumericTextTest, AcceptsExactlyTheDocumentedTexts) {
    EXPECT_EQ(IsNumericText(GetParam().text), GetParam().numeric) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, IsNumericTextTest,
    testing::Values(NumericCase{"0", true}, NumericCase{"012345", true}, NumericCase{"  42  ", true},
                    NumericCase{"+7", true}, NumericCase{"-7", true}, NumericCase{"1,234", true},
                    NumericCase{"1,2,3", true}, NumericCase{"12.50", true}, NumericCase{".5", true},
                    NumericCase{"5.", true}, NumericCase{" -1,234.5 ", true}, NumericCase{"", false},
                    NumericCase{"     ", false}, NumericCase{"-", false}, NumericCase{".", false},
                    NumericCase{"+.", false}, NumericCase{"1 2", false}, NumericCase{"- 1", false},
                    NumericCase{",1", false}, NumericCase{"1,", false}, NumericCase{"1,,2", false},
                    NumericCase{"1.2.3", false}, NumericCase{"1.2,3", false}, NumericCase{"\t1", false},
                    NumericCase{"1e5", false}, NumericCase{"0x10", false}, NumericCase{"A", false},
                    NumericCase{"\xa1", false}));

TEST(SingleCharacter, IsNumericExactlyForTheTenDigits) {
    for (int c = 0; c < 256; ++c) {
        const char text[] = {static_cast<char>(c)};
        EXPECT_EQ(IsNumericText(std::string_view(text, 1)), c >= '0' && c <= '9') << c;
    }
}

TEST(Conversions, EveryNumericTextConverts) {
    for (const char* text : {"0", "  42  ", "+7", "-7", "1,234", "12.50", ".5", "5.", " -1,234.5 "}) {
        EXPECT_NO_THROW(ToInt16(text)) << text;
        EXPECT_NO_THROW(ToInt32(text)) << text;
        EXPECT_NO_THROW(ToCurrency(text)) << text;
        EXPECT_NO_THROW(ToCents(text)) << text;
    }
}

TEST(Conversions, ReadTheValue) {
    EXPECT_EQ(ToInt16(" 00125 "), 125);
    EXPECT_EQ(ToInt32("-1,234"), -1234);
    EXPECT_EQ(ToCurrency("123456789"), 1234567890000);
    EXPECT_EQ(ToCurrency("1.23456"), 12346);
    EXPECT_EQ(ToCents("123456.78"), 12345678);
    EXPECT_EQ(ToCents("-.5"), -50);
    EXPECT_EQ(ToCents("1,000.25"), 100025);
}

TEST(Conversions, IntegersRoundHalfToEven) {
    EXPECT_EQ(ToInt16("2.5"), 2);
    EXPECT_EQ(ToInt16("3.5"), 4);
    EXPECT_EQ(ToInt16("2.51"), 3);
    EXPECT_EQ(ToInt16("-2.5"), -2);
    EXPECT_EQ(ToInt16("2.4999"), 2);
}

TEST(Conversions, FailureCarriesTheText) {
    try {
        ToInt16(" x1");
        FAIL() << "no exception";
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.kind(), ConversionError::Kind::NotANumber);
        EXPECT_EQ(e.text(), " x1");
        EXPECT_TRUE(e.field().empty());
    }
}

TEST(Conversions, OverflowIsAConversionError) {
    const auto kindOf = [](auto convert) {
        try {
            convert();
        } catch (const ConversionError& e) {
            return e.kind();
        }
        return ConversionError::Kind::NotANumber;
    };
    EXPECT_EQ(ToInt16("32767"), 32767);
    EXPECT_EQ(ToInt16("-32768"), -32768);
    EXPECT_EQ(kindOf([] { ToInt16("32768"); }), ConversionError::Kind::Overflow);
    EXPECT_EQ(kindOf([] { ToInt16("32767.5"); }), ConversionError::Kind::Overflow);
    EXPECT_EQ(kindOf([] { ToInt32("2147483648"); }), ConversionError::Kind::Overflow);
    EXPECT_EQ(kindOf([] { ToInt32("99999999999999999999999999"); }), ConversionError::Kind::Overflow);
    EXPECT_EQ(kindOf([] { ToCurrency("922337203685478"); }), ConversionError::Kind::Overflow);
    EXPECT_EQ(kindOf([] { ToCents("92233720368547758.08"); }), ConversionError::Kind::Overflow);
    EXPECT_THROW(ToInt32(""), ConversionError);
    EXPECT_THROW(ToCents("  "), ConversionError);
}

TEST(Conversions, InFieldTagsOnlyUntaggedErrors) {
    try {
        InField("Outer", [] { return InField("Sign", [] { return ToInt16(" "); }); });
        FAIL() << "no exception";
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.field(), "Sign");
    }
}

TEST(Text, TrimRemovesSpacesOnly) {
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(Trim("    "), "");
    EXPECT_EQ(Trim("\ta\t"), "\ta\t");
    EXPECT_EQ(UpperCase("ma\xa1z"), "MA\xa1Z");
}

struct FormatCase {
    const char* text;
    const char* shown;
};

TEST(Formatting, GroupedWholeUnits) {
    for (const FormatCase& c :
         {FormatCase{"00125", "125"}, FormatCase{"12345", "12,345"}, FormatCase{"00000", ""},
          FormatCase{"123456789", "123,456,789"}, FormatCase{"-1234", "-1,234"}, FormatCase{"0.4", ""},
          FormatCase{"2.5", "2"}, FormatCase{"999.5", "1,000"}})
        EXPECT_EQ(FormatGroupedWhole(ToCurrency(c.text)), c.shown) << c.text;
}

TEST(Formatting, TwoDecimals) {
    EXPECT_EQ(FormatCents(123456780), "1,234,567.80");
    EXPECT_EQ(FormatCents(0), "0.00");
    EXPECT_EQ(FormatCents(5), "0.05");
    EXPECT_EQ(FormatCents(-123450), "-1,234.50");
    EXPECT_EQ(FormatCents(-7), "-0.07");
    // Beyond 64 bits: 2^64 hundredths.
    EXPECT_EQ(FormatCents(WideCents{1} << 64), "184,467,440,737,095,516.16");
}

TEST(DecimalText, HasNoGrouping) {
    EXPECT_EQ(DecimalText(123456780), "1234567.80");
    EXPECT_EQ(DecimalText(-7), "-0.07");
    EXPECT_EQ(DecimalText(WideCents{1} << 64), "184467440737095516.16");
}

TEST(Amounts, ImpliedDecimalsTakeTheLeadingCharactersAndTheLastTwo) {
    EXPECT_EQ(AmountCents("00012345678", 9), 12345678);
    EXPECT_EQ(AmountCents("000123456", 7), 123456);
    EXPECT_EQ(AmountCents("0012345678", 8), 12345678);
    EXPECT_EQ(AmountCents("5", 9), 550); // a short field lends its characters twice
    // Unusual fields take the general rule: the first nine characters, ".", the last two.
    EXPECT_EQ(AmountCents("0000001500 ", 9), 15000);
    EXPECT_EQ(AmountCents(" 00001234 ", 8), 12340);
    EXPECT_THROW(AmountCents("000000001 X", 9), ConversionError);
    EXPECT_THROW(AmountCents("0000001 500", 9), ConversionError);
}

TEST(Amounts, PlainDigitsGiveTheValueOfTheDecimalText) {
    for (const char* field : {"00012345678", "00000000001", "99999999999", "00000000010", "12345678901",
                              "00000000335", "00000001005", "000123456", "999999999"}) {
        const std::string text(field);
        const std::size_t whole = text.size() - 2;
        EXPECT_EQ(AmountCents(text, whole), ToCents(text.substr(0, whole) + "." + text.substr(whole)))
            << field;
    }
}

TEST(AllDigits, EveryPositionOfEveryLengthIsTested) {
    for (std::size_t length = 0; length <= 19; ++length) {
        EXPECT_TRUE(AllDigits(std::string(length, '7'))) << length;
        for (std::size_t at = 0; at < length; ++at)
            for (const char c : {'/', ':', ' ', '\0', '\xb0', '\xb5', '\xf9', 'A'}) {
                std::string text(length, '0');
                text[at] = c;
                EXPECT_FALSE(AllDigits(text)) << length << " " << at << " " << static_cast<int>(c);
            }
    }
}

} // namespace
