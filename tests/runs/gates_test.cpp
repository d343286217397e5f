// The two ways a run ends after the first line: the format gate ("Wrong
// Format") and a control record that fails its checks.
#include "tests/runs/run_session.h"

namespace qrv::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const HeldMessage kWrongFormat{"Wrong Format", "Warning", Icon::Stop, Buttons::Ok};

struct GateCase {
    const char* name;
    std::string firstLine;
};

void ExpectWrongFormat(const Session& s, const RunResult& result, const TempDir& dir) {
    EXPECT_EQ(result.outcome, RunOutcome::WrongFormat);
    EXPECT_TRUE(result.summaryPath.empty());
    EXPECT_FALSE(s.window.exists());
    EXPECT_THAT(s.user.messages(), ElementsAre(kWrongFormat));
    EXPECT_FALSE(LetterAvailable(result));
    ASSERT_GE(s.log.size(), 3u);
    EXPECT_THAT(std::vector<std::string>(s.log.end() - 3, s.log.end()),
                ElementsAre("messageBox Wrong Format", "close", "setBusyPointer false"));
    EXPECT_THAT(dir.names(), ElementsAre("jan.txt"));
}

TEST(FormatGate, Format100MWantsAnyCharacterInPosition9) {
    const GateCase cases[] = {
        {"blank term payment", ControlLine(Format::M100, {.termPayment = " "})},
        {"empty first line", ""},
        {"first line shorter than 9", "       "},
    };
    for (const GateCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        Session s;
        const RunResult result =
            s.run(kFormat100M, dir.write("jan.txt", JoinLines({c.firstLine, DetailLine(Format::M100, {})})));
        ExpectWrongFormat(s, result, dir);
    }
}

TEST(FormatGate, Format10MWantsExactlyMHOrW) {
    const GateCase cases[] = {
        {"blank term payment", ControlLine(Format::M10, {.termPayment = " "})},
        {"lower-case m", ControlLine(Format::M10, {.termPayment = "m"})},
        {"letter X", ControlLine(Format::M10, {.termPayment = "X"})},
        {"digit 5", ControlLine(Format::M10, {.termPayment = "5"})},
        {"empty first line", ""},
        {"a 100 M control line", ControlLine(Format::M100, {})},
    };
    for (const GateCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        Session s;
        const RunResult result =
            s.run(kFormat10M, dir.write("jan.txt", JoinLines({c.firstLine, DetailLine(Format::M10, {})})));
        ExpectWrongFormat(s, result, dir);
    }
}

// In 100 M any non-blank character passes the gate; the control checks then
// judge it, in either case.
TEST(FormatGate, Format100MLeavesTheTermPaymentToTheControlChecks) {
    const struct {
        const char* termPayment;
        RunOutcome outcome;
    } cases[] = {{"M", RunOutcome::Finished},
                 {"h", RunOutcome::Finished},
                 {"w", RunOutcome::Finished},
                 {"X", RunOutcome::ControlRejected},
                 {"5", RunOutcome::ControlRejected}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.termPayment);
        TempDir dir;
        Session s;
        const RunResult result = s.run(
            kFormat100M,
            dir.write("jan.txt", JoinLines({ControlLine(Format::M100, {.termPayment = c.termPayment})})));
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(s.window.label(Label::TermPayment), c.termPayment);
        if (c.outcome == RunOutcome::ControlRejected) {
            EXPECT_THAT(s.window.listErr(), ElementsAre("CTL.REC Term Payment ERROR"));
        }
    }
}

class ControlRejected : public BothFormats {};

TEST_P(ControlRejected, ShowsTheWindowWithPrintingDisabledAndWritesNoSummary) {
    Control fields;
    fields.filler = "X";
    fields.status = " ";
    const RunResult result = run(media({control(1, 100, fields), detail({.amount = amount(100)})}));

    EXPECT_EQ(result.outcome, RunOutcome::ControlRejected);
    EXPECT_TRUE(result.findings);
    EXPECT_TRUE(result.summaryPath.empty());
    const RecordingWindow& w = session.window;
    EXPECT_THAT(w.listErr(), ElementsAre("Not have a control line.", "CLT.REC STATUS is not equal 'A'"));
    EXPECT_EQ(w.label(Label::SummaryPath), summaryPath());
    EXPECT_EQ(w.label(Label::CompanyCode), "012345");
    EXPECT_EQ(w.label(Label::TotalRecord), "1");
    EXPECT_EQ(w.label(Label::TotalAmount), "1.00");
    EXPECT_EQ(w.label(Label::DetailCount), "");
    EXPECT_EQ(w.label(Label::HashTotal), "");
    EXPECT_THAT(w.rows(), IsEmpty());
    EXPECT_TRUE(w.shown());
    EXPECT_FALSE(LetterAvailable(result));
    EXPECT_THAT(session.user.messages(), ElementsAre(HeldMessage{std::string(kPleaseCheck), "QRV Edit Data",
                                                                 Icon::None, Buttons::Ok}));
    EXPECT_THAT(std::vector<std::string>(session.log.end() - 6, session.log.end()),
                ElementsAre("setLabel Media", "appendListErr", "appendListErr",
                            "messageBox Please check data input file.", "show", "setBusyPointer false"));
    EXPECT_FALSE(session.user.busy());
    EXPECT_THAT(dir.names(), ElementsAre("jan.txt"));
}

// The apply codes differ between the formats by "B" alone.
TEST_P(ControlRejected, ApplyCodeB) {
    Control fields;
    fields.applyCode = "B";
    fields.totalRecord = "00000";

    const RunResult result = run(media({control(fields)}));

    if (format() == Format::M100) {
        EXPECT_EQ(result.outcome, RunOutcome::Finished);
    } else {
        EXPECT_EQ(result.outcome, RunOutcome::ControlRejected);
        EXPECT_THAT(session.window.listErr(), ElementsAre("CTL.REC APPLY CODE ERROR"));
    }
}

TEST_P(ControlRejected, EveryFailedCheckIsListedInOrder) {
    Control fields;
    fields.filler = "HEADER";
    fields.applyCode = "A";
    fields.companyCode = "      ";
    fields.totalRecord = "00001";
    fields.totalAmount = format() == Format::M100 ? "0000000001X" : "000000001X";
    fields.status = "a";
    fields.effectiveDate = "290207";

    run(media({control(fields)}));

    EXPECT_THAT(session.window.listErr(),
                ElementsAre("Not have a control line.", "CTL.REC APPLY CODE ERROR",
                            "CLT.REC COMP-CODE is not Numeric", "CLT.REC TOTAL AMOUNT is not Numeric",
                            "CLT.REC INVALID EFFECTIVE DATE"));
    EXPECT_EQ(session.window.label(Label::TotalAmount), ".1X");
    EXPECT_EQ(session.user.messages().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Both, ControlRejected, ::testing::ValuesIn(kBothFormats), FormatName);

} // namespace
} // namespace qrv::test
