#include "core/dates.h"
#include "core/detail_check.h"
#include "core/digit_sums.h"
#include "core/display.h"
#include "core/numeric.h"
#include "runs/format.h"
#include "tests/support/media_lines.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace qrv;

namespace {

TEST(CheckAccountDigit, WeightsAndModulusTen) {
    struct Case {
        const char* account;
        bool valid;
    };
    for (const Case& c : {Case{"1234567896", true}, Case{"1234567890", false}, Case{"0000000050", true},
                          Case{"0000000040", false}, Case{"0000000000", true}, Case{"4102345677", true},
                          Case{"4651234569", true}, Case{"5020012346", true}, Case{"2134567896", false},
                          Case{"123456789X", false}, Case{"123456789 ", false}})
        EXPECT_EQ(CheckAccountDigit(c.account), c.valid) << c.account;
}

TEST(CheckAccountDigit, NonDigitAmongTheFirstNineIsAConversionFailure) {
    EXPECT_THROW(CheckAccountDigit("12 4567896"), ConversionError);
}

struct DateCase {
    const char* date;
    bool valid;
};

void PrintTo(const DateCase& c, std::ostream* os) {
    *os << '"' << c.date << '"';
}

class CheckDateTest : public testing::TestWithParam<DateCase> {};

TEST_P(CheckDateTest, NamesACalendarDayOf2000To2099) {
    EXPECT_EQ(CheckDate(GetParam().date), GetParam().valid) << GetParam().date;
}

INSTANTIATE_TEST_SUITE_P(
    Dates, CheckDateTest,
    testing::Values(DateCase{"290200", true}, DateCase{"290201", false}, DateCase{"290204", true},
                    DateCase{"280207", true}, DateCase{"290207", false}, DateCase{"290208", true},
                    DateCase{"311206", true}, DateCase{"310406", false}, DateCase{"300206", false},
                    DateCase{"001206", false}, DateCase{"320106", false}, DateCase{"011306", false},
                    DateCase{"010006", false}, DateCase{"010100", true}, DateCase{"311299", true},
                    DateCase{" 51206", true}, DateCase{"0112", true}, DateCase{"A11306", false}));

// The day CheckDate accepts, in ISO 8601; nothing for a text it refuses or
// cannot read.
TEST(IsoDate, NamesTheDayCheckDateAccepts) {
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"150124", "2024-01-15"}, {"290200", "2000-02-29"}, {"311299", "2099-12-31"},
        {" 51206", "2006-12-05"}, {"310406", std::nullopt}, {"290201", std::nullopt},
        {"0112A6", std::nullopt}, {"", std::nullopt}};
    for (const auto& [date, iso] : cases)
        EXPECT_EQ(IsoDate(date), iso) << '"' << date << '"';
}

TEST(CheckDate, PiecesThatAreNotNumbersFailTheRun) {
    for (const char* date : {"0112A6", "01A206", "A10106", "01  06", "0101  ", "", "  0106"})
        EXPECT_THROW(CheckDate(date), ConversionError) << '"' << date << '"';
}

// A 100 M control record and detail record that pass every check.
const std::string kControl = test::ControlLine(test::Format::M100, {.companyName = std::string(30, 'N'),
                                                                    .totalRecord = "00001",
                                                                    .totalAmount = "00000150000",
                                                                    .mediaType = "1"});

std::string Record(std::string account, std::string date = "311206", std::string sign = "1",
                   std::string amount = "00000150000") {
    return test::DetailLine(test::Format::M100,
                            {.account = account, .effectiveDate = date, .sign = sign, .amount = amount});
}

std::string Reason(const std::string& line, const std::string& controlLine = kControl) {
    const DetailRules rules(SplitRecord(controlLine, FormatTable(Format::M100).controlLayout));
    return std::string(CheckDetailRecord(SplitRecord(line, FormatTable(Format::M100).detailLayout), rules));
}

TEST(CheckDetailRecord, AcceptsAGoodRecord) {
    EXPECT_EQ(Reason(Record("1234567896")), "");
}

TEST(CheckDetailRecord, FirstFailingReasonOnly) {
    struct Case {
        std::string line;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {Record("12345 7896"), "ACCOUNT is not numeric"},
        {Record("          "), "ACCOUNT is not numeric"},
        {"", "ACCOUNT is not numeric"},
        {Record(" 123456789"), "Invalid Account"},
        {Record("12345678.9"), "Invalid Account"},
        {Record("1,23456789"), "Invalid Account"},
        {Record("0000000000"), "Invalid Account"},
        {Record("1234567890"), "Check digit error"},
        {Record("1234567890", "311206", "1", "ABC"), "Check digit error"},
        {Record("4651234569"), "ACCOUNT not SAV or CUR"},
        {Record("4651234560"), "Check digit error"}, // fails the type too, which is tested after
        {Record("5020012346"), "ACCOUNT not SAV or CUR"},
        {Record("4102345677"), ""},
        {Record("1234567896", "311206", "1", "0000000X000"), "AMOUNT is not Numeric"},
        {Record("1234567896", "311206", "0"), "Invalid sign amount"},
        {Record("1234567896", "311207"), "EFF.DATE NOT EQ CLT R."},
        {Record("1234567896", " 11206"), "EFF.DATE NOT EQ CLT R."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Reason(c.line), c.reason) << c.line;
}

// Prefixes 401-460 and 468-469 pass whatever the fourth digit; 461-467 never;
// elsewhere the fourth digit must be 2 to 6. Every account has its check digit.
TEST(CheckDetailRecord, AccountTypeByPrefixAndFourthDigit) {
    struct Case {
        const char* account;
        const char* reason;
    };
    for (const Case& c :
         {Case{"4002000000", ""}, Case{"4001000007", "ACCOUNT not SAV or CUR"}, Case{"4010000002", ""},
          Case{"4609000003", ""}, Case{"4613000003", "ACCOUNT not SAV or CUR"},
          Case{"4674000004", "ACCOUNT not SAV or CUR"}, Case{"4680000000", ""}, Case{"4699000005", ""},
          Case{"4707000004", "ACCOUNT not SAV or CUR"}, Case{"4706000001", ""},
          Case{"1231000007", "ACCOUNT not SAV or CUR"}})
        EXPECT_EQ(Reason(Record(c.account)), c.reason) << c.account;
}

TEST(CheckDetailRecord, SignAgainstApplyCode) {
    const auto withApplyCode = [](std::string code) {
        std::string line = kControl;
        line.replace(45, 1, code);
        return line;
    };
    EXPECT_EQ(Reason(Record("1234567896", "311206", "0"), withApplyCode("d")), "");
    EXPECT_EQ(Reason(Record("1234567896", "311206", "0"), withApplyCode("C")), "Invalid sign amount");
    EXPECT_EQ(Reason(Record("1234567896", "311206", "9"), withApplyCode("C")), "");
    EXPECT_EQ(Reason(Record("1234567896", "311206", "1"), withApplyCode("D")), "Invalid sign amount");
    EXPECT_EQ(Reason(Record("1234567896", "311206", "1"), withApplyCode(" ")), "Invalid sign amount");
    EXPECT_EQ(Reason(Record("1234567896", "311206", "0"), kControl.substr(0, 40)), "Invalid sign amount");
}

TEST(CheckDetailRecord, SignThatIsNotANumberFailsTheRun) {
    try {
        Reason(Record("1234567896", "311206", " "));
        FAIL() << "no exception";
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.field(), "Sign");
        EXPECT_EQ(e.text(), " ");
    }
    // A record rejected earlier never reaches the sign.
    EXPECT_EQ(Reason(Record("1234567890", "311206", " ")), "Check digit error");
}

// The reason CheckDetailRecord gives, or "run error" when the sign stops the run.
std::string GeneralAnswer(const Fields& detail, const DetailRules& rules) {
    try {
        return std::string(CheckDetailRecord(detail, rules));
    } catch (const ConversionError&) {
        return "run error";
    }
}

// The cheap test of usual records may only ever accept what the general
// checks accept; every record one byte away from a good one, in both
// formats and under apply codes of either sign, must agree.
TEST(IsAcceptedPlainRecord, AcceptsExactlyWhatTheChecksAcceptAmongNearbyRecords) {
    const std::string bytes = std::string("0123456789 .,+-aAxX\t") + '\xa1' + '\0';
    for (const test::Format format : {test::Format::M100, test::Format::M10})
        for (const char* applyCode : {"C", "d", "B", " "}) {
            std::string control = kControl;
            control.replace(45, 1, applyCode);
            const Fields controlFields = SplitRecord(control, FormatTable(Format::M100).controlLayout);
            const DetailRules rules(controlFields);
            const bool format100M = format == test::Format::M100;
            const FieldLayout layout =
                format100M ? FormatTable(Format::M100).detailLayout : FormatTable(Format::M10).detailLayout;
            const std::size_t amountLength = format100M ? 11 : 9;
            const std::string good = test::DetailLine(format, {.amount = test::DetailAmount(format, 150000)});
            for (std::size_t at = 0; at < 17 + amountLength + 1; ++at)
                for (const char b : bytes) {
                    std::string line = good;
                    line[at] = b;
                    const Fields detail = SplitRecord(line, layout);
                    if (IsAcceptedPlainRecord(detail, rules, amountLength)) {
                        EXPECT_EQ(GeneralAnswer(detail, rules), "") << line << " apply code " << applyCode;
                    }
                }
            const Fields detail = SplitRecord(good, layout);
            EXPECT_EQ(IsAcceptedPlainRecord(detail, rules, amountLength), GeneralAnswer(detail, rules) == "")
                << applyCode;
        }
}

TEST(IsAcceptedPlainRecord, TakesTheUsualRecordAndLeavesTheRestToTheChecks) {
    const DetailRules rules(SplitRecord(kControl, FormatTable(Format::M100).controlLayout));
    const auto plain = [&](const std::string& line) {
        return IsAcceptedPlainRecord(SplitRecord(line, FormatTable(Format::M100).detailLayout), rules, 11);
    };
    EXPECT_TRUE(plain(Record("1234567896")));
    EXPECT_TRUE(plain(Record("4102345677")));
    // Accepted by the checks, but not of the usual shape.
    EXPECT_FALSE(plain(Record("1234567896", "311206", "1", "  150000.00")));
    EXPECT_EQ(Reason(Record("1234567896", "311206", "1", "  150000.00")), "");
    // Each rule of the checks, on a record of the usual shape.
    for (const std::string& line : {Record("0000000000"), Record("1234567890"), Record("4651234569"),
                                    Record("5020012346"), Record("1234567896", "311206", "0"),
                                    Record("1234567896", "311207"), Record("1234567896").substr(0, 27)})
        EXPECT_FALSE(plain(line)) << line;
    // A control record whose effective date is cut short.
    const DetailRules shortDate(SplitRecord(kControl.substr(0, 50), FormatTable(Format::M100).controlLayout));
    EXPECT_FALSE(IsAcceptedPlainRecord(
        SplitRecord(Record("1234567896"), FormatTable(Format::M100).detailLayout), shortDate, 11));
}

} // namespace
