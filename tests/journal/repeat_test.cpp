// The two advisories the journal gives: a file checked before, and another
// file of the same company and effective date.
#include "journal/journal.h"
#include "journal/run_entry.h"
#include "tests/support/media_lines.h"
#include "tests/support/null_ports.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

RunEntry Entry(std::string media, std::string summary, std::string code = "065432",
               std::string date = "15/01/24") {
    RunEntry run;
    run.checkedAt = "2026-11-25T10:42:07+07:00";
    run.mediaPath = "/pay/" + media + ".txt";
    run.mediaSha256 = std::move(media);
    run.summarySha256 = std::move(summary);
    run.companyCode = std::move(code);
    run.effectiveDate = std::move(date);
    return run;
}

struct RepeatCase {
    const char* name;
    std::vector<RunEntry> earlier;
    std::vector<LetterEntry> lettersOfLast; // of the last earlier run
    RunEntry now;
    std::vector<std::string> messages;
};

LetterEntry Printed(std::string state) {
    return {LetterEvent::Printed, "t", "", "", "HP-2", "7", std::move(state)};
}
LetterEntry Saved() {
    return {LetterEvent::Saved, "t", "/pay/letter.txt", "ff"};
}
LetterEntry Closed() {
    return {LetterEvent::Closed, "t"};
}

const RepeatCase kCases[] = {
    {"first_of_its_kind", {}, {}, Entry("m1", "s1"), {}},
    {"same_media_bytes_no_letter",
     {Entry("m1", "s1")},
     {},
     Entry("m1", "s9"),
     {"This file was checked on 2026-11-25 10:42."}},
    {"same_summary_bytes",
     {Entry("m1", "s1")},
     {},
     Entry("m2", "s1"),
     {"This file was checked on 2026-11-25 10:42."}},
    {"printed_counts_over_saved_and_closed",
     {Entry("m1", "s1")},
     {Closed(), Printed("printed"), Saved()},
     Entry("m1", "s1"),
     {"This file was checked on 2026-11-25 10:42 and its letter printed on HP-2 (printed)."}},
    {"saved_over_closed",
     {Entry("m1", "s1")},
     {Saved(), Closed()},
     Entry("m1", "s1"),
     {"This file was checked on 2026-11-25 10:42 and its letter saved as /pay/letter.txt."}},
    {"closed_unsaved",
     {Entry("m1", "s1")},
     {Closed()},
     Entry("m1", "s1"),
     {"This file was checked on 2026-11-25 10:42 and its letter closed unsaved and unprinted."}},
    {"newest_earlier_run_is_told",
     {Entry("m1", "s1"), Entry("m1", "s1")},
     {Printed("stopped")},
     Entry("m1", "s1"),
     {"This file was checked on 2026-11-25 10:42 and its letter printed on HP-2 (stopped)."}},
    {"other_file_same_company_and_date",
     {Entry("m1", "s1")},
     {},
     Entry("m2", "s2"),
     {"Another file of company 065432 for the effective date 15/01/24 was checked on 2026-11-25 10:42: "
      "/pay/m1.txt."}},
    {"other_date", {Entry("m1", "s1")}, {}, Entry("m2", "s2", "065432", "16/01/24"), {}},
    {"other_company", {Entry("m1", "s1")}, {}, Entry("m2", "s2", "999999"), {}},
    {"no_company_code", {Entry("m1", "s1", "", "")}, {}, Entry("m2", "s2", "", ""), {}},
    {"unread_file_matches_nothing", {Entry("", "", "1")}, {}, Entry("", "", "2"), {}},
};

class Repeats : public ::testing::TestWithParam<RepeatCase> {};

TEST_P(Repeats, AreAdvised) {
    const RepeatCase& c = GetParam();
    test::TempDir dir;
    Journal journal((dir.path() / "j.sqlite").string());
    std::int64_t last = 0;
    for (const RunEntry& run : c.earlier)
        last = journal.recordRun(run);
    for (const LetterEntry& letter : c.lettersOfLast)
        journal.recordLetter(last, letter);
    std::vector<std::string> messages;
    for (const Advisory& advisory : RepeatAdvisories(journal, c.now))
        messages.push_back(std::string(CodeName(advisory.code)) + ": " + advisory.message);
    std::vector<std::string> expected;
    for (const std::string& message : c.messages)
        expected.push_back(
            std::string(message.starts_with("This") ? "already_checked: " : "same_company_date: ") + message);
    EXPECT_EQ(messages, expected);
}

INSTANTIATE_TEST_SUITE_P(Journal, Repeats, ::testing::ValuesIn(kCases),
                         [](const auto& row) { return std::string(row.param.name); });

// The entry of a run of a file of one record of `satang` (in the current
// folder, which takes its summary file too): its effective date is as the
// result window shows it, 31/12/06.
RunEntry EntryOfOneRecordFile(const test::TempDir& dir, const std::string& name, std::int64_t satang) {
    dir.write(
        name,
        test::JoinLines(
            {test::ControlLine(Format::M100, {.totalRecord = test::RecordCount(1),
                                              .totalAmount = test::ControlAmount(Format::M100, satang)}),
             test::DetailLine(Format::M100, {.amount = test::DetailAmount(Format::M100, satang)})}));
    NullWindow shown;
    JournalWindow window(shown);
    SilentUser user;
    const RunResult result = CheckFile(Format::M100, name, window, user);
    return EntryOfRun("qrv-check", Format::M100, name, result, window, 0);
}

TEST(RepeatAdvisory, NamesTheEffectiveDate) {
    test::TempDir dir;
    const test::CurrentFolder inside(dir.path());
    Journal journal((dir.path() / "j.sqlite").string());
    journal.recordRun(EntryOfOneRecordFile(dir, "jan.txt", 100));
    const std::vector<Advisory> advisories =
        RepeatAdvisories(journal, EntryOfOneRecordFile(dir, "feb.txt", 200));
    ASSERT_EQ(advisories.size(), 1u);
    EXPECT_EQ(advisories[0].code, AdvisoryCode::SameCompanyDate);
    EXPECT_EQ(advisories[0].date, "2006-12-31");
}

} // namespace
} // namespace qrv
