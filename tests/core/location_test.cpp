#include "core/detail_check.h"
#include "core/location.h"
#include "core/numeric.h"
#include "runs/format.h"
#include "tests/support/media_lines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace qrv;

namespace {

std::string ControlWithApplyCode(test::Format format, const char* applyCode) {
    return test::ControlLine(format, {.applyCode = applyCode, .effectiveDate = "150124"});
}

struct Checked {
    std::string reason;
    Location where;
};

// The reason a detail line gets, and where it is located.
Checked Check(test::Format format, const std::string& line, const std::string& control) {
    const RunFormat& table = FormatTable(format);
    const DetailRules rules(SplitRecord(control, table.controlLayout));
    const Fields fields = SplitRecord(line, table.detailLayout);
    const std::string reason(CheckDetailRecord(fields, rules));
    if (reason.empty())
        return {};
    return {reason, LocateRejection(reason, fields, rules, table.detailLayout)};
}

// The field of the detail layout that holds column `column` (from 1).
std::string_view FieldAt(test::Format format, int column) {
    const FieldLayout layout = FormatTable(format).detailLayout;
    for (std::size_t i = 0; i < layout.size(); ++i)
        if (column >= layout[i].start && column < layout[i].start + layout[i].length)
            return kDetailFieldNames[i];
    return {};
}

// One byte of a good record changed: whenever the record is then rejected,
// the location names the field of that byte and its columns hold it.
TEST(LocateRejection, NamesTheFieldAndColumnsOfASeededFault) {
    const std::string bytes = std::string("0123456789 .,+-aAxX") + '\xa1' + '\0';
    std::mt19937 random(20240115); // fixed: the same mutations on every run
    for (const test::Format format : {test::Format::M100, test::Format::M10}) {
        const int readColumns = format == test::Format::M100 ? 28 : 26; // AccountNo to Amount
        const std::vector<std::pair<test::Detail, const char*>> goods = {
            {{.account = "1234567896", .effectiveDate = "150124", .sign = "1"}, "C"},
            {{.account = "4102345677", .effectiveDate = "150124", .sign = "0"}, "D"},
            {{.account = "4002000000",
              .effectiveDate = "150124",
              .sign = "7",
              .amount = test::DetailAmount(format, 987654)},
             "S"}};
        int rejected = 0;
        for (int mutation = 0; mutation < 600; ++mutation) {
            const auto& [detail, applyCode] = goods[mutation % goods.size()];
            const std::string control = ControlWithApplyCode(format, applyCode);
            std::string line = test::DetailLine(format, detail);
            ASSERT_EQ(Check(format, line, control).reason, "") << line;
            const int column = static_cast<int>(random() % readColumns) + 1;
            line[column - 1] = bytes[random() % bytes.size()];
            Checked checked;
            try {
                checked = Check(format, line, control);
            } catch (const ConversionError&) { // a sign that is not a number stops the run
                continue;
            }
            if (checked.reason.empty())
                continue;
            ++rejected;
            EXPECT_EQ(checked.where.field, FieldAt(format, column)) << line << " " << checked.reason;
            EXPECT_LE(checked.where.first, column) << line;
            EXPECT_GE(checked.where.last, column) << line;
        }
        EXPECT_GT(rejected, 300);
    }
}

// What each rule says it wants, and of which field.
TEST(LocateRejection, SaysWhatTheRuleWants) {
    struct Case {
        test::Detail detail;
        const char* applyCode;
        const char* field;
        int first, last;
        const char* found;
        const char* expected;
    };
    const Case cases[] = {
        {{.account = "123456789X"}, "C", "AccountNo", 1, 10, "123456789X", "ten digits"},
        {{.account = "0000000000"},
         "C",
         "AccountNo",
         1,
         10,
         "0000000000",
         "an account other than 0000000000"},
        {{.account = "1234567890"}, "C", "AccountNo", 1, 10, "1234567890", "check digit 6"},
        {{.account = "4651234569"},
         "C",
         "AccountNo",
         1,
         10,
         "4651234569",
         "a savings or current account type, as the rule reads it"},
        {{.account = "1234567896", .amount = "0000000X000"},
         "C",
         "Amount",
         18,
         28,
         "0000000X000",
         "a number"},
        {{.account = "1234567896", .sign = "0"},
         "C",
         "Sign",
         17,
         17,
         "0",
         "a sign other than 0, as apply code \"C\" asks"},
        {{.account = "1234567896", .sign = "1"},
         "d",
         "Sign",
         17,
         17,
         "1",
         "the sign 0, as apply code \"D\" asks"},
        {{.account = "1234567896", .sign = "1"},
         "B",
         "Sign",
         17,
         17,
         "1",
         "a sign apply code \"B\" takes, but it takes none"},
        {{.account = "1234567896", .effectiveDate = "311207"},
         "C",
         "EffectiveDate",
         11,
         16,
         "311207",
         "the control record's date 150124"},
    };
    for (const Case& c : cases) {
        const std::string line = test::DetailLine(test::Format::M100, c.detail);
        const Checked checked =
            Check(test::Format::M100, line, ControlWithApplyCode(test::Format::M100, c.applyCode));
        EXPECT_EQ(checked.where.field, c.field) << line;
        EXPECT_EQ(checked.where.first, c.first) << line;
        EXPECT_EQ(checked.where.last, c.last) << line;
        EXPECT_EQ(checked.where.found, c.found) << line;
        EXPECT_EQ(checked.where.expected, c.expected) << line;
    }
}

TEST(LocateRejection, HintNamesTheColumnsAndWhatTheyMustHold) {
    const Checked checked =
        Check(test::Format::M10, test::DetailLine(test::Format::M10, {.account = "1234567890"}),
              ControlWithApplyCode(test::Format::M10, "C"));
    EXPECT_EQ(checked.where.hint, "Columns 1\u201310 (AccountNo) of this record must hold check digit 6.");
}

// A line that ends inside a field holds only what it has of it; one that
// ends before a field gives the layout's columns.
TEST(LocateField, ColumnsOfTheLineAsRead) {
    const FieldLayout layout = FormatTable(Format::M100).detailLayout;
    const Location inside =
        LocateField(SplitRecord("12345", layout), layout, kDetailFieldNames, detail::AccountNo);
    EXPECT_EQ(inside.first, 1);
    EXPECT_EQ(inside.last, 5);
    const Location before =
        LocateField(SplitRecord("12345", layout), layout, kDetailFieldNames, detail::Amount);
    EXPECT_EQ(before.first, 18);
    EXPECT_EQ(before.last, 28);
    EXPECT_EQ(before.found, "");
}

TEST(LocationLine, ColumnsFieldFoundAndExpected) {
    const Location where{.field = "AccountNo", .first = 12, .last = 21, .expected = "ten digits"};
    EXPECT_EQ(LocationLine(where, "123456789X"), "columns 12\u201321 AccountNo \"123456789X\": ten digits");
}

} // namespace
