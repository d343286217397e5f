// qrv-check and the journal of checks: written only when asked, the digests
// in its reports, --find-in-journal, and a journal that fails costs nothing.
#include "journal/digest.h"
#include "journal/journal.h"
#include "tests/cli/qrv_check_process.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sqlite3.h>

namespace qrv::test {
namespace {

using nlohmann::json;

// The environment's data folder, pointed into a test folder for the test's length.
class DataFolder {
  public:
    explicit DataFolder(const std::filesystem::path& folder) {
#ifdef _WIN32
        ::_putenv_s("APPDATA", folder.string().c_str());
#else
        ::setenv("XDG_DATA_HOME", folder.string().c_str(), 1);
#endif
    }
    ~DataFolder() {
#ifdef _WIN32
        ::_putenv_s("APPDATA", "");
#else
        ::unsetenv("XDG_DATA_HOME");
#endif
    }
    DataFolder(const DataFolder&) = delete;
    DataFolder& operator=(const DataFolder&) = delete;
};

TEST(Journal, IsWrittenOnlyWhenAskedAndThenInTheDesktopProgramsFolder) {
    TempDir dir;
    const DataFolder data(dir.path() / "data");
    const std::string media = CopySample(dir, "10m-clean.txt");
    ASSERT_EQ(RunQrvCheck({"--format", "10M", media}, dir.path()).exitStatus, 0);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "data"));
    const ProcessResult run = RunQrvCheck({"--json", "--journal", "--format", "10M", media}, dir.path());
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    const std::filesystem::path journal = dir.path() / "data" / "qrv-edit" / "journal.sqlite";
    EXPECT_TRUE(std::filesystem::exists(journal));
    EXPECT_EQ(json::parse(run.out).at("journal").at("run_id"), 1);
}

TEST(Journal, ReportsGiveTheDigestsAndTheRun) {
    TempDir dir;
    const std::string media = CopySample(dir, "100m-rejected.txt");
    const std::string journal = (dir.path() / "j.sqlite").string();
    const ProcessResult plain = RunQrvCheck({"--json", "--format", "100M", media}, dir.path());
    const json report = json::parse(plain.out);
    EXPECT_EQ(report.at("media_file_sha256"), Sha256(ReadBytes(media)));
    EXPECT_EQ(report.at("summary").at("sha256"),
              Sha256(ReadBytes(report.at("summary_file").get<std::string>())));
    EXPECT_TRUE(report.at("journal").is_null());

    for (const int id : {1, 2}) {
        const ProcessResult recorded =
            RunQrvCheck({"--json", "--journal=" + journal, "--format", "100M", media}, dir.path());
        EXPECT_EQ(recorded.exitStatus, plain.exitStatus) << recorded.err;
        const json again = json::parse(recorded.out);
        EXPECT_EQ(again.at("journal"), (json{{"run_id", id}, {"path", journal}}));
    }
    const ProcessResult text = RunQrvCheck({"--journal=" + journal, "--format", "100M", media}, dir.path());
    EXPECT_NE(text.out.find("\nMedia file SHA-256: " + Sha256(ReadBytes(media)) + "\n"), std::string::npos);
    EXPECT_NE(text.out.find("\nJournal: run 3 in " + journal + "\n"), std::string::npos) << text.out;
}

TEST(Journal, ThatCannotBeWrittenCostsTheCheckNothing) {
    TempDir dir;
    const std::string media = CopySample(dir, "100m-rejected.txt");
    const std::string blocker = dir.write("not-a-folder", "x");
    const std::string journal = blocker + "/j.sqlite";
    const ProcessResult plain = RunQrvCheck({"--json", "--format", "100M", media}, dir.path());
    const ProcessResult run =
        RunQrvCheck({"--json", "--journal=" + journal, "--format", "100M", media}, dir.path());
    EXPECT_EQ(run.exitStatus, plain.exitStatus);
    json report = json::parse(run.out);
    EXPECT_EQ(report.at("journal"), (json{{"run_id", nullptr}, {"path", journal}}));
    EXPECT_TRUE(run.err.starts_with("qrv-check: the journal " + journal + " could not be opened: "))
        << run.err;
    report.erase("journal");
    json expected = json::parse(plain.out);
    expected.erase("journal");
    EXPECT_EQ(report, expected);
}

// A journal whose damage shows only once its runs are read is set aside then,
// and that is said as well.
TEST(Journal, FoundDamagedAfterOpeningIsSetAsideAndSaid) {
    TempDir dir;
    const std::string media = CopySample(dir, "10m-clean.txt");
    const std::string journal = (dir.path() / "j.sqlite").string();
    {
        Journal earlier(journal);
        RunEntry run;
        for (int i = 0; i < 50; ++i) {
            run.mediaSha256 = "run " + std::to_string(i);
            earlier.recordRun(run);
        }
    }
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(journal.c_str(), &db), SQLITE_OK);
    sqlite3_exec(db, "PRAGMA wal_checkpoint(TRUNCATE)", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    // The first page, with the header and the tables' versions, stays whole.
    std::string bytes = ReadBytes(journal);
    for (std::size_t at = 4096; at < bytes.size(); ++at)
        bytes[at] = static_cast<char>(at * 7);
    WriteBytes(journal, bytes);

    const ProcessResult run = RunQrvCheck({"--journal=" + journal, "--format", "10M", media}, dir.path());
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_NE(run.err.find("qrv-check: The journal " + journal + " was damaged: it was set aside as "),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.out.find("\nJournal: run 1 in " + journal + "\n"), std::string::npos) << run.out;
}

TEST(FindInJournal, SaysWhenTheBytesWereCheckedAndAsWhat) {
    TempDir dir;
    const std::string media = CopySample(dir, "10m-rejected.txt");
    const std::string journal = (dir.path() / "j.sqlite").string();
    const ProcessResult checked =
        RunQrvCheck({"--json", "--journal=" + journal, "--format", "10M", media}, dir.path());
    const std::string summary = json::parse(checked.out).at("summary_file");

    const ProcessResult found = RunQrvCheck({"--find-in-journal", media, "--journal=" + journal}, dir.path());
    EXPECT_EQ(found.exitStatus, 0) << found.err;
    EXPECT_TRUE(found.out.starts_with(media + ": SHA-256 " + Sha256(ReadBytes(media)) + "\nChecked on "))
        << found.out;
    EXPECT_NE(found.out.find("(run 1): the media file " + media + ", format 10M, finished\n"),
              std::string::npos)
        << found.out;

    const ProcessResult bySummary =
        RunQrvCheck({"--find-in-journal", summary, "--journal=" + journal}, dir.path());
    EXPECT_EQ(bySummary.exitStatus, 0);
    EXPECT_NE(bySummary.out.find("the summary file " + summary + " of " + media), std::string::npos)
        << bySummary.out;

    const std::string other = dir.write("other.txt", "other bytes");
    const ProcessResult none = RunQrvCheck({"--find-in-journal", other, "--journal=" + journal}, dir.path());
    EXPECT_EQ(none.exitStatus, 1);
    EXPECT_NE(none.out.find("Not in the journal " + journal + "\n"), std::string::npos) << none.out;

    const ProcessResult missing =
        RunQrvCheck({"--find-in-journal", other + ".gone", "--journal=" + journal}, dir.path());
    EXPECT_EQ(missing.exitStatus, 2);
    EXPECT_TRUE(missing.err.starts_with("qrv-check: ")) << missing.err;
}

} // namespace
} // namespace qrv::test
