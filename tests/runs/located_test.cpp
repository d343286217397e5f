// Where a run says its findings, rejected records and stops are.
#include "runs/rejected_record.h"
#include "tests/runs/run_session.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace qrv::test {
namespace {

using ::testing::ElementsAre;

class Located : public BothFormats {
  protected:
    // The columns of control field `field` in this format.
    std::pair<int, int> controlColumns(std::size_t field) const {
        const FieldSpan span = FormatTable(format()).controlLayout[field];
        return {span.start, span.start + span.length - 1};
    }
};

TEST_P(Located, TotalsMismatchesGiveBothTotalsAndTheirDifference) {
    run(media(
        {control(3, 10000000), detail({.amount = amount(10000000)}), detail({.amount = amount(1000)})}));

    ASSERT_THAT(session.window.listErr(),
                ElementsAre("CTL.REC total record not equal total record of detail",
                            "CTL.REC total amount not equal total amount of detail"));
    const Location& records = session.window.listErrPlaces()[0];
    EXPECT_EQ(records.field, "TotalRecord");
    EXPECT_EQ(std::pair(records.first, records.last), controlColumns(control::TotalRecord));
    EXPECT_EQ(records.found, "00003");
    EXPECT_EQ(records.expected, "the details count 2, the control record says 3 (1 less)");
    const Location& amounts = session.window.listErrPlaces()[1];
    EXPECT_EQ(amounts.field, "TotalAmount");
    EXPECT_EQ(std::pair(amounts.first, amounts.last), controlColumns(control::TotalAmount));
    EXPECT_EQ(amounts.expected,
              "the details add up to 100,010.00, the control record says 100,000.00 (10.00 more)");
    EXPECT_EQ(amounts.hint, "The control record's TotalAmount (columns " + std::to_string(amounts.first) +
                                "\u2013" + std::to_string(amounts.last) +
                                " of line 1) and the detail records must agree.");
}

TEST_P(Located, ControlFindingsNameTheirField) {
    run(media({control({.status = "X", .effectiveDate = "310299"}), detail()}));

    ASSERT_EQ(session.window.listErrPlaces().size(), 2u);
    const Location& status = session.window.listErrPlaces()[0];
    EXPECT_EQ(status.field, "Status");
    EXPECT_EQ(std::pair(status.first, status.last), controlColumns(control::Status));
    EXPECT_EQ(status.found, "X");
    EXPECT_EQ(status.expected, "A");
    const Location& date = session.window.listErrPlaces()[1];
    EXPECT_EQ(date.field, "EffectiveDate");
    EXPECT_EQ(date.expected, "a date DDMMYY of 2000\u20132099");
}

TEST_P(Located, ARunErrorSaysItsColumnsBesideTheMessage) {
    const RunResult result = run(media({control(2, 0), detail(), detail({.sign = " "})}));

    ASSERT_TRUE(result.error && result.error->where);
    const Location& where = *result.error->where;
    EXPECT_EQ(where.field, "Sign");
    EXPECT_EQ(where.first, 17);
    EXPECT_EQ(where.last, 17);
    EXPECT_EQ(where.found, " ");
    EXPECT_EQ(where.hint, "Columns 17\u201317 (Sign) of line 3 must hold a number.");
    ASSERT_EQ(session.user.messages().size(), 1u);
    EXPECT_EQ(session.user.messages()[0].text, result.error->message);
    EXPECT_EQ(session.user.messages()[0].details, "columns 17\u201317 Sign \" \": a number");
}

TEST_P(Located, AControlFieldThatStopsTheRunIsLocatedInTheControlRecord) {
    const RunResult result = run(media({control({.totalRecord = "  X  "}), detail()}));

    ASSERT_TRUE(result.error && result.error->where);
    EXPECT_EQ(result.error->where->field, "TotalRecord");
    EXPECT_EQ(std::pair(result.error->where->first, result.error->where->last),
              controlColumns(control::TotalRecord));
}

TEST_P(Located, ARunErrorAtNoFieldIsNotLocated) {
    const RunResult result = run(dir.path().string() + "/missing.txt");
    ASSERT_TRUE(result.error);
    EXPECT_FALSE(result.error->where);
    EXPECT_EQ(session.user.messages()[0].details, "");
}

// The rows of ListView1 hold what the checks read: located from the row
// alone, they agree with the checks of the line.
TEST_P(Located, RowsAreLocatedFromWhatTheyHold) {
    const RunResult result = run(media({control(3, 0), detail({.account = "1234567890"}),
                                        detail({.effectiveDate = "010124"}), detail({.account = "12345"})}));

    ASSERT_EQ(session.window.rows().size(), 3u);
    const RowLocator locate(FormatTable(format()), *result.controlLine);
    const Location digit = locate(session.window.rows()[0]);
    EXPECT_EQ(digit.field, "AccountNo");
    EXPECT_EQ(digit.expected, "check digit 6");
    const Location date = locate(session.window.rows()[1]);
    EXPECT_EQ(date.field, "EffectiveDate");
    EXPECT_EQ(std::pair(date.first, date.last), std::pair(11, 16));
    EXPECT_EQ(date.found, "010124");
    EXPECT_EQ(date.expected, "the control record's date 311206");
    const Location shortAccount = locate(session.window.rows()[2]);
    EXPECT_EQ(shortAccount.expected, "ten digits");
    EXPECT_EQ(shortAccount.found, "12345     ");
}

INSTANTIATE_TEST_SUITE_P(BothFormats, Located, ::testing::ValuesIn(kBothFormats), FormatName);

} // namespace
} // namespace qrv::test
