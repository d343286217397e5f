// Runs that reach the end of the media file: what the result window holds and
// what the user is shown.
#include "tests/runs/run_session.h"

namespace qrv::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class FinishedRun : public BothFormats {};

// Two accepted records (the hash total's worked example) around two rejected ones.
TEST_P(FinishedRun, FillsLabelsRowsAndTotals) {
    const std::string path = media({
        control(4, 1384567),
        detail({.amount = amount(150000)}),
        detail({.account = "1234567890", .amount = amount(150000)}),
        detail({.account = "4102345677", .amount = amount(1234567)}),
        detail({.sign = "0", .amount = amount(500)}),
    });

    const RunResult result = run(path);

    EXPECT_EQ(result.outcome, RunOutcome::Finished);
    EXPECT_TRUE(result.findings);
    EXPECT_EQ(result.summaryPath, summaryPath());
    const RecordingWindow& w = session.window;
    EXPECT_EQ(w.label(Label::SummaryPath), summaryPath());
    EXPECT_EQ(w.label(Label::TermPayment), "M");
    EXPECT_EQ(w.label(Label::CompanyCode), "012345");
    EXPECT_EQ(w.label(Label::CompanyName), "ACME PAYROLL SERVICES         ");
    EXPECT_EQ(w.label(Label::ApplyCode), "C");
    EXPECT_EQ(w.label(Label::Status), "A");
    EXPECT_EQ(w.label(Label::EffectiveDate), "31/12/06");
    EXPECT_EQ(w.label(Label::TotalRecord), "4");
    EXPECT_EQ(w.label(Label::TotalAmount), "13,845.67");
    EXPECT_EQ(w.label(Label::MediaType), "D");
    EXPECT_EQ(w.label(Label::HashTotal), "19016");
    EXPECT_EQ(w.label(Label::DetailCount), "4");
    EXPECT_EQ(w.label(Label::DetailAmount), "13,845.67");
    EXPECT_THAT(w.listErr(), IsEmpty());
    EXPECT_THAT(
        w.rows(),
        ElementsAre(ErrorRow{"2", "1234567890", "31/12/06", "1", amount(150000), "Check digit error"},
                    ErrorRow{"4", "1234567896", "31/12/06", "0", amount(500), "Invalid sign amount"}));
    EXPECT_TRUE(w.shown());
    EXPECT_TRUE(LetterAvailable(result));
    EXPECT_THAT(session.user.messages(), ElementsAre(HeldMessage{std::string(kPleaseCheck), "QRV Edit Data",
                                                                 Icon::None, Buttons::Ok}));
    EXPECT_THAT(session.user.busyCalls(), ElementsAre(true, false));
}

TEST_P(FinishedRun, CleanFileShowsNoMessage) {
    const RunResult result = run(media({control(1, 150000), detail({.amount = amount(150000)})}));

    EXPECT_EQ(result.outcome, RunOutcome::Finished);
    EXPECT_FALSE(result.findings);
    EXPECT_THAT(session.user.messages(), IsEmpty());
    EXPECT_THAT(session.window.rows(), IsEmpty());
    EXPECT_TRUE(session.window.shown());
    EXPECT_THAT(session.log,
                ElementsAre("setBusyPointer true", "create", "setColumns", "setLabel Label1",
                            "setLabel Term_p", "setLabel Com_code", "setLabel Com_name", "setLabel App_code",
                            "setLabel status", "setLabel Eff_date", "setLabel Total_record",
                            "setLabel Total_amount", "setLabel Media", "setLabel HashValue",
                            "setLabel Label24", "setLabel Label26", "show", "setBusyPointer false"));
}

TEST_P(FinishedRun, FindingsAreListedBeforeOneMessageAndTheWindowShows) {
    run(media({control(2, 100), detail({.account = "1234567890"})}));

    EXPECT_EQ(session.user.messages().size(), 1u);
    const std::vector<std::string> tail(session.log.end() - 6, session.log.end());
    EXPECT_THAT(tail,
                ElementsAre("setLabel Label26", "appendListErr", "appendListErr",
                            "messageBox Please check data input file.", "show", "setBusyPointer false"));
}

// One record per reason, none accepted: record numbers run 1..7, the totals
// cover nothing, and the summary file holds the control line alone.
TEST_P(FinishedRun, AllRecordsRejectedListsEachReason) {
    const std::vector<Detail> details = {
        {.account = "12345 7896"},   {.account = "0000000000"}, {.account = "1234567890"},
        {.account = "4651234569"},   {.amount = "0000ABC0000"}, {.sign = "0"},
        {.effectiveDate = "010107"},
    };
    const std::vector<std::string> reasons = {
        "ACCOUNT is not numeric", "Invalid Account",     "Check digit error",      "ACCOUNT not SAV or CUR",
        "AMOUNT is not Numeric",  "Invalid sign amount", "EFF.DATE NOT EQ CLT R.",
    };
    std::vector<std::string> lines = {control(7, 0)};
    for (const Detail& d : details)
        lines.push_back(detail(d));

    run(media(lines));

    const RecordingWindow& w = session.window;
    ASSERT_EQ(w.rows().size(), details.size());
    for (std::size_t i = 0; i < details.size(); ++i) {
        SCOPED_TRACE(reasons[i]);
        const ErrorRow& row = w.rows()[i];
        const std::string& line = lines[i + 1];
        const std::string amountField = format() == Format::M100 ? line.substr(17, 11) : line.substr(17, 9);
        EXPECT_EQ(row, (ErrorRow{std::to_string(i + 1), line.substr(0, 10),
                                 line.substr(10, 2) + "/" + line.substr(12, 2) + "/" + line.substr(14, 2),
                                 line.substr(16, 1), amountField, reasons[i]}));
    }
    EXPECT_EQ(w.label(Label::DetailCount), "7");
    EXPECT_EQ(w.label(Label::DetailAmount), "0.00");
    EXPECT_EQ(w.label(Label::HashTotal), "0");
    EXPECT_THAT(w.listErr(), IsEmpty());
    EXPECT_EQ(ReadBytes(summaryPath()), lines[0] + "\r\n");
}

struct TotalsCase {
    const char* name;
    std::vector<std::int64_t> accepted; // satang of each accepted detail
    int rejected;                       // rejected details after them
    int totalRecord;
    std::int64_t totalAmount;
    std::vector<std::string> listErr;
    std::string label26;
};

const std::string kRecordMismatch = "CTL.REC total record not equal total record of detail";
const std::string kAmountMismatch = "CTL.REC total amount not equal total amount of detail";

const TotalsCase kTotalsCases[] = {
    {"balanced", {150000, 1234567}, 0, 2, 1384567, {}, "13,845.67"},
    {"rejected records count but add no amount", {150000}, 2, 3, 150000, {}, "1,500.00"},
    {"record count differs", {150000, 100}, 0, 3, 150100, {kRecordMismatch}, "1,501.00"},
    {"amount differs by one satang", {150000, 100}, 0, 2, 150101, {kAmountMismatch}, "1,501.00"},
    {"0.10 and 0.20 make exactly 0.30", {10, 20}, 0, 2, 30, {}, "0.30"},
    {"both differ", {10}, 0, 2, 30, {kRecordMismatch, kAmountMismatch}, "0.10"},
    {"no detail lines and zero totals", {}, 0, 0, 0, {}, "0.00"},
    {"no detail lines but one announced", {}, 0, 1, 0, {kRecordMismatch}, "0.00"},
    {"large amounts", {99999999, 99999999}, 0, 2, 199999998, {}, "1,999,999.98"},
    {"a thousand times 100.01 is exactly 100,010.00",
     std::vector<std::int64_t>(1000, 10001),
     0,
     1000,
     10001000,
     {},
     "100,010.00"},
    {"a thousand times 100.01 is not 100,010.01",
     std::vector<std::int64_t>(1000, 10001),
     0,
     1000,
     10001001,
     {kAmountMismatch},
     "100,010.00"},
};

TEST_P(FinishedRun, ComparesTheControlTotals) {
    for (const TotalsCase& c : kTotalsCases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> lines = {control(c.totalRecord, c.totalAmount)};
        for (std::int64_t satang : c.accepted)
            lines.push_back(detail({.amount = amount(satang)}));
        for (int i = 0; i < c.rejected; ++i)
            lines.push_back(detail({.account = "1234567890", .amount = amount(777)}));
        Session s;

        const RunResult result = run(s, media(lines));

        EXPECT_EQ(result.outcome, RunOutcome::Finished);
        EXPECT_EQ(s.window.listErr(), c.listErr);
        EXPECT_EQ(s.window.label(Label::DetailCount), std::to_string(c.accepted.size() + c.rejected));
        EXPECT_EQ(s.window.label(Label::DetailAmount), c.label26);
        const bool findings = !c.listErr.empty() || c.rejected > 0;
        EXPECT_EQ(result.findings, findings);
        EXPECT_EQ(s.user.messages().size(), findings ? 1u : 0u);
    }
}

// Each record below hashes to S1 x S2 with S1 = 216 for 1234567896 and S2 =
// 585 (100 M, eleven nines) or 396 (10 M, nine nines); the total keeps only
// its last six digits: 9 x 126360 = 1137240 and 13 x 85536 = 1111968.
TEST_P(FinishedRun, HashTotalWrapsAtAMillion) {
    const bool m100 = format() == Format::M100;
    const std::string nines(m100 ? 11 : 9, '9');
    const int records = m100 ? 9 : 13;
    std::vector<std::string> lines = {control(records, 0)};
    for (int i = 0; i < records; ++i)
        lines.push_back(detail({.amount = nines}));

    run(media(lines));

    EXPECT_EQ(session.window.label(Label::HashTotal), m100 ? "137240" : "111968");
}

TEST_P(FinishedRun, ZeroTotalsDisplayAsThePatternShowsThem) {
    run(media({control(0, 0)}));

    EXPECT_EQ(session.window.label(Label::TotalRecord), "");
    EXPECT_EQ(session.window.label(Label::TotalAmount), ".00");
    EXPECT_EQ(session.window.label(Label::DetailCount), "0");
    EXPECT_EQ(session.window.label(Label::HashTotal), "0");
}

// The line terminators of the file change nothing: LF, CR LF, a mix, and a
// last line without one all read as the same lines.
TEST_P(FinishedRun, LineTerminatorsDoNotMatter) {
    const std::vector<std::string> lines = {control(2, 150100), detail({.amount = amount(150000)}),
                                            detail({.account = "4102345677", .amount = amount(100)})};
    const std::string crlf = JoinLines(lines, "\r\n");
    const std::string bytesOf[] = {crlf, JoinLines(lines, "\n"), crlf.substr(0, crlf.size() - 2),
                                   lines[0] + "\n" + lines[1] + "\r\n" + lines[2]};
    for (const std::string& bytes : bytesOf) {
        SCOPED_TRACE(::testing::PrintToString(bytes.substr(bytes.size() - 4)));
        Session s;

        const RunResult result = run(s, dir.write("jan.txt", bytes));

        EXPECT_FALSE(result.findings);
        EXPECT_EQ(s.window.label(Label::DetailCount), "2");
        EXPECT_EQ(s.window.label(Label::HashTotal), "7176");
        EXPECT_EQ(ReadBytes(summaryPath()), crlf);
    }
}

TEST_P(FinishedRun, TrailingEmptyLineIsARejectedDetail) {
    const std::vector<std::string> lines = {control(1, 150000), detail({.amount = amount(150000)})};

    const RunResult result = run(dir.write("jan.txt", JoinLines(lines) + "\r\n"));

    EXPECT_TRUE(result.findings);
    EXPECT_EQ(session.window.label(Label::DetailCount), "2");
    EXPECT_THAT(session.window.rows(),
                ElementsAre(ErrorRow{"2", "", "//", "", "", "ACCOUNT is not numeric"}));
    EXPECT_THAT(session.window.listErr(), ElementsAre(kRecordMismatch));
    EXPECT_EQ(session.user.messages().size(), 1u);
    EXPECT_EQ(ReadBytes(summaryPath()), JoinLines(lines));
}

// A window left open keeps the earlier run's rows below the new ones and its
// ListErr lines above the new ones; the labels show the new run.
TEST_P(FinishedRun, ReusedWindowStacksTheRuns) {
    const std::string first = dir.write("first.txt", JoinLines({
                                                         control(4, 150000),
                                                         detail({.account = "1234567890"}),
                                                         detail({.amount = amount(150000)}),
                                                         detail({.account = "0000000000"}),
                                                     }));
    Control second;
    second.companyCode = "054321";
    const std::string secondPath = dir.write("second.txt", JoinLines({
                                                               control(2, 999, second),
                                                               detail({.amount = amount(100)}),
                                                               detail({.sign = "0"}),
                                                           }));
    run(first);

    const RunResult result = run(secondPath);

    const RecordingWindow& w = session.window;
    EXPECT_EQ(result.summaryPath, SummaryFilePath(secondPath, "054321"));
    EXPECT_EQ(w.label(Label::SummaryPath), result.summaryPath);
    EXPECT_EQ(w.label(Label::CompanyCode), "054321");
    EXPECT_EQ(w.label(Label::DetailCount), "2");
    EXPECT_EQ(w.label(Label::DetailAmount), "1.00");
    EXPECT_THAT(w.listErr(), ElementsAre(kRecordMismatch, kAmountMismatch));
    ASSERT_EQ(w.rows().size(), 3u);
    EXPECT_EQ(w.rows()[0][0], "2");
    EXPECT_EQ(w.rows()[0][5], "Invalid sign amount");
    EXPECT_EQ(w.rows()[1][0], "1");
    EXPECT_EQ(w.rows()[1][5], "Check digit error");
    EXPECT_EQ(w.rows()[2][0], "3");
    EXPECT_EQ(w.rows()[2][5], "Invalid Account");
    EXPECT_EQ(session.user.messages().size(), 2u);
}

TEST_P(FinishedRun, WrongFormatClosesAReusedWindowAndTheNextRunStartsAfresh) {
    run(dir.write("first.txt", JoinLines({control(1, 0), detail({.account = "1234567890"})})));
    run(dir.write("wrong.txt", JoinLines({"", detail()})));
    EXPECT_FALSE(session.window.exists());

    run(dir.write("third.txt", JoinLines({control(1, 0), detail({.account = "0000000000"})})));

    EXPECT_THAT(session.window.rows(),
                ElementsAre(ErrorRow{"1", "0000000000", "31/12/06", "1", amount(0), "Invalid Account"}));
    EXPECT_THAT(session.window.listErr(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Both, FinishedRun, ::testing::ValuesIn(kBothFormats), FormatName);

TEST(Columns, FollowTheFormat) {
    const std::vector<HeldColumn> expected100M = {{"NO.", 600, Alignment::Left},
                                                  {"Account NO.", 2000, Alignment::Left},
                                                  {"Effective Date", 1500, Alignment::Left},
                                                  {"Sign", 600, Alignment::Left},
                                                  {"Amount", 3000, Alignment::Left},
                                                  {"Reason", 5000, Alignment::Left}};
    const std::vector<HeldColumn> expected10M = {{"NO.", 600, Alignment::Left},
                                                 {"Account NO.", 2000, Alignment::Center},
                                                 {"Effective Date", 1500, Alignment::Center},
                                                 {"Sign", 600, Alignment::Center},
                                                 {"Amount", 2000, Alignment::Right},
                                                 {"Reason", 5000, Alignment::Left}};
    TempDir dir;
    const std::string path100M = dir.write("a.txt", JoinLines({ControlLine(Format::M100, {})}));
    const std::string path10M = dir.write("b.txt", JoinLines({ControlLine(Format::M10, {})}));
    Session session;

    session.run(kFormat100M, path100M);
    EXPECT_EQ(session.window.columns(), expected100M);
    session.run(kFormat10M, path10M);
    EXPECT_EQ(session.window.columns(), expected10M);
    session.run(kFormat100M, path100M);
    EXPECT_EQ(session.window.columns(), expected100M);
}

} // namespace
} // namespace qrv::test
