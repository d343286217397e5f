// The journal's file: what it keeps, its tables' versions, and each way it
// can fail without costing a check.
#include "core/fields.h"
#include "journal/digest.h"
#include "journal/journal.h"
#include "journal/journal_path.h"
#include "journal/run_entry.h"
#include "runs/format.h"
#include "tests/support/null_ports.h"
#include "tests/support/temp_dir.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <thread>

#ifndef _WIN32
#include <sys/mount.h>
#include <sys/stat.h>
#endif

namespace qrv {
namespace {

using test::TempDir;

RunEntry SampleRun(std::string mediaSha = "aa", std::string companyCode = "065432") {
    RunEntry run;
    run.checkedAt = "2026-11-25T10:42:07+07:00";
    run.program = "qrv-check 1.0.0";
    run.format = "10M";
    run.mediaPath = "/pay/jan.txt";
    run.mediaSize = 1234;
    run.mediaSha256 = std::move(mediaSha);
    run.summaryPath = "/pa065432";
    run.summarySha256 = "bb";
    run.summaryWrittenAt = run.checkedAt;
    run.companyCode = std::move(companyCode);
    run.companyName = "ACME";
    run.effectiveDate = "150124";
    run.controlRecords = "2";
    run.controlAmount = "1,000.00";
    run.detailRecords = "2";
    run.detailAmount = "1,000.00";
    run.hashTotal = "123456";
    run.controlMessages = 1;
    run.rejectedRecords = 2;
    run.advisories = 3;
    run.outcome = "finished";
    return run;
}

// A second connection to the file, as another program has it.
class RawDb {
  public:
    explicit RawDb(const std::string& path) { sqlite3_open(path.c_str(), &db_); }
    ~RawDb() { sqlite3_close(db_); }
    RawDb(const RawDb&) = delete;
    RawDb& operator=(const RawDb&) = delete;
    void exec(const std::string& sql) {
        char* error = nullptr;
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            const std::string message = error ? error : "?";
            sqlite3_free(error);
            throw std::runtime_error(message);
        }
    }
    std::string one(const std::string& sql) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr);
        std::string value;
        if (sqlite3_step(statement) == SQLITE_ROW)
            value = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        sqlite3_finalize(statement);
        return value;
    }

  private:
    sqlite3* db_ = nullptr;
};

TEST(Journal, KeepsRunsAndTheirLettersNewestFirst) {
    TempDir dir;
    const std::string path = (dir.path() / "j.sqlite").string();
    Journal journal(path);
    const std::int64_t first = journal.recordRun(SampleRun("aa"));
    const std::int64_t second = journal.recordRun(SampleRun("cc", "999999"));
    const LetterEntry saved{LetterEvent::Saved, "2026-11-25T10:45:00+07:00", "/pay/letter.txt", "dd"};
    const LetterEntry printed{
        LetterEvent::Printed, "2026-11-25T10:46:00+07:00", "", "", "HP-2", "17", "printed"};
    journal.recordLetter(first, saved);
    journal.recordLetter(first, printed);

    const std::vector<PastRun> all = journal.history("");
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].id, second);
    EXPECT_EQ(all[1].id, first);
    EXPECT_EQ(all[1].run, SampleRun("aa"));
    EXPECT_EQ(all[1].letters, (std::vector<LetterEntry>{saved, printed}));
    EXPECT_TRUE(all[0].letters.empty());
}

TEST(Journal, HistoryFiltersByCompanyCodeOrFileName) {
    TempDir dir;
    Journal journal((dir.path() / "j.sqlite").string());
    RunEntry other = SampleRun("cc", "777777");
    other.mediaPath = "/pay/FEB.txt";
    journal.recordRun(SampleRun("aa"));
    journal.recordRun(other);
    EXPECT_EQ(journal.history("0654").size(), 1u);
    ASSERT_EQ(journal.history("feb").size(), 1u);
    EXPECT_EQ(journal.history("feb")[0].run.companyCode, "777777");
    EXPECT_TRUE(journal.history("nothing like it").empty());
}

TEST(Journal, FindsRunsByEitherDigest) {
    TempDir dir;
    Journal journal((dir.path() / "j.sqlite").string());
    journal.recordRun(SampleRun("aa"));
    EXPECT_EQ(journal.runsWithDigest("aa").size(), 1u);
    EXPECT_EQ(journal.runsWithDigest("bb").size(), 1u); // the summary file's
    EXPECT_TRUE(journal.runsWithDigest("zz").empty());
    EXPECT_TRUE(journal.runsWithDigest("").empty());
}

// The first tables, as the first journals were written: no letters and no
// count of advisories.
constexpr const char* kVersion1 = R"(CREATE TABLE runs (
    id INTEGER PRIMARY KEY, checked_at TEXT NOT NULL, program TEXT NOT NULL, format TEXT NOT NULL,
    media_path TEXT NOT NULL, media_size INTEGER, media_sha256 TEXT NOT NULL, summary_path TEXT NOT NULL,
    summary_sha256 TEXT NOT NULL, summary_written_at TEXT NOT NULL, company_code TEXT NOT NULL,
    company_name TEXT NOT NULL, effective_date TEXT NOT NULL, control_records TEXT NOT NULL,
    control_amount TEXT NOT NULL, detail_records TEXT NOT NULL, detail_amount TEXT NOT NULL,
    hash_total TEXT NOT NULL, control_messages INTEGER NOT NULL, rejected_records INTEGER NOT NULL,
    outcome TEXT NOT NULL);
CREATE INDEX runs_media_sha256 ON runs (media_sha256);
CREATE INDEX runs_summary_sha256 ON runs (summary_sha256);
CREATE INDEX runs_company_date ON runs (company_code, effective_date);
INSERT INTO runs VALUES (1, '2026-01-02T09:00:00+07:00', 'qrv-edit 0.9.0', '100M', '/old.txt', 10, 'ee', '', '',
    '', '111111', 'OLD', '020126', '1', '1.00', '1', '1.00', '42', 0, 0, 'finished');
PRAGMA user_version = 1;)";

TEST(Journal, BringsVersion1TablesUpToDateKeepingTheirRuns) {
    TempDir dir;
    const std::string path = (dir.path() / "j.sqlite").string();
    RawDb(path).exec(kVersion1);
    Journal journal(path);
    EXPECT_EQ(RawDb(path).one("PRAGMA user_version"), std::to_string(Journal::kSchemaVersion));
    const std::int64_t id = journal.recordRun(SampleRun());
    journal.recordLetter(1, {LetterEvent::Closed, "2026-01-02T09:05:00+07:00"});
    const std::vector<PastRun> all = journal.history("");
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].id, id);
    EXPECT_EQ(all[1].run.mediaPath, "/old.txt");
    EXPECT_EQ(all[1].run.advisories, 0);
    EXPECT_EQ(all[1].letters.size(), 1u);
    EXPECT_EQ(RawDb(path).one("PRAGMA integrity_check"), "ok");
}

TEST(Journal, RefusesTablesOfANewerProgramAndLeavesThem) {
    TempDir dir;
    const std::string path = (dir.path() / "j.sqlite").string();
    RawDb(path).exec("CREATE TABLE future (x); PRAGMA user_version = 99");
    EXPECT_THROW(Journal{path}, JournalError);
    EXPECT_EQ(RawDb(path).one("PRAGMA user_version"), "99");
}

TEST(Journal, SetsADamagedFileAsideAndStartsAnew) {
    TempDir dir;
    const std::string path = dir.write("j.sqlite", std::string(4096, 'x'));
    Journal journal(path);
    ASSERT_TRUE(journal.notice());
    EXPECT_NE(journal.notice()->find("was damaged"), std::string::npos) << *journal.notice();
    journal.recordRun(SampleRun());
    EXPECT_EQ(journal.history("").size(), 1u);
    const std::vector<std::string> names = dir.names();
    ASSERT_FALSE(names.empty());
    EXPECT_TRUE(names[0].starts_with("j-damaged-")) << names[0];
    EXPECT_EQ(test::ReadBytes(dir.path() / names[0]), std::string(4096, 'x'));
}

#ifndef _WIN32 // where a whole path has fewer characters than such a name
// A name near the system's limit has no room for the dated one: that is the
// journal's own failure, which a check survives, not some other exception.
TEST(Journal, ThatCannotBeSetAsideIsAJournalError) {
    TempDir dir;
    const std::string path = dir.write(std::string(240, 'j') + ".sqlite", std::string(4096, 'x'));
    try {
        Journal journal(path);
        FAIL() << "a damaged journal opened";
    } catch (const JournalError& e) {
        EXPECT_NE(std::string(e.what()).find("cannot be set aside"), std::string::npos) << e.what();
    }
    EXPECT_EQ(test::ReadBytes(path), std::string(4096, 'x'));
}
#endif

TEST(Journal, SetsAsideAFileDamagedAfterItWasOpened) {
    TempDir dir;
    const std::string path = (dir.path() / "j.sqlite").string();
    {
        Journal journal(path);
        for (int i = 0; i < 50; ++i)
            journal.recordRun(SampleRun("aa" + std::to_string(i)));
    }
    RawDb(path).exec("PRAGMA wal_checkpoint(TRUNCATE)");
    // Garbles the pages after the first, which holds the header and schema.
    std::string bytes = test::ReadBytes(path);
    for (std::size_t at = 4096; at < bytes.size(); ++at)
        bytes[at] = static_cast<char>(at * 7);
    test::WriteBytes(path, bytes);
    Journal journal(path);
    journal.recordRun(SampleRun());
    ASSERT_TRUE(journal.notice());
    EXPECT_EQ(journal.history("").size(), 1u);
}

TEST(Journal, GivesUpWhenAnotherProgramHoldsItLockedPastTheTimeout) {
    TempDir dir;
    const std::string path = (dir.path() / "j.sqlite").string();
    Journal journal(path, std::chrono::milliseconds(100));
    RawDb other(path);
    other.exec("BEGIN EXCLUSIVE");
    try {
        journal.recordRun(SampleRun());
        FAIL() << "written into a locked journal";
    } catch (const JournalError& e) {
        EXPECT_NE(std::string(e.what()).find("locked"), std::string::npos) << e.what();
    }
    other.exec("ROLLBACK");
    journal.recordRun(SampleRun());
    EXPECT_EQ(journal.history("").size(), 1u);
}

TEST(Journal, WaitsForAShortLockOfAnotherWriter) {
    TempDir dir;
    const std::string path = (dir.path() / "j.sqlite").string();
    Journal journal(path);
    RawDb other(path);
    other.exec("BEGIN EXCLUSIVE");
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        other.exec("COMMIT");
    });
    EXPECT_NO_THROW(journal.recordRun(SampleRun()));
    release.join();
}

TEST(Journal, TwoWritersBothKeepTheirRuns) {
    TempDir dir;
    const std::string path = (dir.path() / "j.sqlite").string();
    Journal(path).recordRun(SampleRun());
    const auto write = [&] {
        Journal journal(path);
        for (int i = 0; i < 20; ++i)
            journal.recordLetter(journal.recordRun(SampleRun()), {LetterEvent::Closed, "now"});
    };
    std::thread a(write), b(write);
    a.join();
    b.join();
    EXPECT_EQ(Journal(path).history("").size(), 41u);
}

// A reader never meets a letter of a run it did not read, whatever another
// program records between its reads of the runs and of their letters.
TEST(Journal, ReadsRunsAndTheirLettersAsOfOneMoment) {
    TempDir dir;
    const std::string path = (dir.path() / "j.sqlite").string();
    Journal(path).recordRun(SampleRun());
    std::atomic<bool> writing = true;
    std::thread writer([&] {
        Journal journal(path);
        for (int i = 0; i < 300; ++i)
            journal.recordLetter(journal.recordRun(SampleRun()), {LetterEvent::Closed, "now"});
        writing = false;
    });
    Journal reader(path);
    try {
        while (writing)
            reader.history("");
    } catch (const std::exception& e) {
        ADD_FAILURE() << e.what();
    }
    writer.join();
}

#ifndef _WIN32
TEST(Journal, IsTheUsersAlone) {
    TempDir dir;
    const std::string path = (dir.path() / "new" / "j.sqlite").string();
    Journal(path).recordRun(SampleRun());
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    ::chmod(path.c_str(), 0644);
    Journal again(path);
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

// Such as /dev/null, which a script may name to keep no journal: it is
// neither made the user's alone nor given a journal beside it.
TEST(Journal, ThatIsNoFileIsLeftAsItIs) {
    TempDir dir;
    const std::string path = (dir.path() / "j.sqlite").string();
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0) << std::strerror(errno);
    try {
        Journal journal(path);
        FAIL() << "a journal opened";
    } catch (const JournalError& e) {
        EXPECT_NE(std::string(e.what()).find("is not a file"), std::string::npos) << e.what();
    }
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
    EXPECT_EQ(dir.names(), std::vector<std::string>{"j.sqlite"});
}

// A small disk of our own, which needs root (the test suites run as root).
class SmallDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        if (::mount("qrv-journal", dir_.path().c_str(), "tmpfs", 0, "size=256k,mode=0755") != 0)
            GTEST_SKIP() << "cannot mount a small tmpfs: " << std::strerror(errno);
        mounted_ = true;
    }
    void TearDown() override {
        if (mounted_)
            ::umount(dir_.path().c_str());
    }
    std::string journalPath() const { return (dir_.path() / "j.sqlite").string(); }
    TempDir dir_;
    bool mounted_ = false;
};

TEST_F(SmallDisk, AFullDiskIsAJournalErrorAndKeepsEarlierRuns) {
    Journal journal(journalPath());
    journal.recordRun(SampleRun());
    {
        std::ofstream filler(dir_.path() / "filler", std::ios::binary);
        const std::string block(4096, '\0');
        while (filler.write(block.data(), block.size()))
            ;
    }
    RunEntry big = SampleRun();
    big.companyName = std::string(300000, 'n');
    try {
        journal.recordRun(big);
        FAIL() << "written on a full disk";
    } catch (const JournalError& e) {
        EXPECT_NE(std::string(e.what()).find("full"), std::string::npos) << e.what();
    }
    std::filesystem::remove(dir_.path() / "filler");
    EXPECT_EQ(Journal(journalPath()).history("").size(), 1u);
}

TEST_F(SmallDisk, AReadOnlyDiskIsAJournalError) {
    Journal(journalPath()).recordRun(SampleRun());
    ASSERT_EQ(::mount(nullptr, dir_.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0)
        << std::strerror(errno);
    try {
        Journal(journalPath()).recordRun(SampleRun());
        FAIL() << "written on a read-only disk";
    } catch (const JournalError& e) {
        EXPECT_NE(std::string(e.what()).find("Read-only file system"), std::string::npos) << e.what();
    }
    ASSERT_EQ(::mount(nullptr, dir_.path().c_str(), nullptr, MS_REMOUNT, nullptr), 0) << std::strerror(errno);
    EXPECT_EQ(Journal(journalPath()).history("").size(), 1u);
}
#endif

TEST(JournalPath, IsTheDataFolderOfTheDesktopProgram) {
#ifdef _WIN32
    ::_putenv_s("APPDATA", "C:\\Users\\kla\\AppData\\Roaming");
    EXPECT_EQ(DefaultJournalPath(), "C:/Users/kla/AppData/Roaming/qrv-edit/journal.sqlite");
#else
    ::setenv("XDG_DATA_HOME", "/data", 1);
    EXPECT_EQ(DefaultJournalPath(), "/data/qrv-edit/journal.sqlite");
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", "/home/kla", 1);
    EXPECT_EQ(DefaultJournalPath(), "/home/kla/.local/share/qrv-edit/journal.sqlite");
#endif
}

TEST(Digest, IsSha256) {
    EXPECT_EQ(Sha256("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    TempDir dir;
    const std::string big(200000, 'a');
    const FileDigest file = DigestOfFile(dir.write("f", big));
    EXPECT_EQ(file.size, big.size());
    EXPECT_EQ(file.sha256, Sha256(big));
}

// Every account of every sample file, checked and recorded: none is in the
// journal's bytes, nor any amount of a detail record.
TEST(JournalEntry, HoldsNoAccountOfTheCheckedFiles) {
    TempDir dir;
    const test::CurrentFolder inside(dir.path());
    const std::string path = (dir.path() / "j.sqlite").string();
    std::vector<std::string> accounts;
    for (const char* name : {"10m-rejected.txt", "10m-clean.txt", "100m-rejected.txt", "100m-clean.txt"}) {
        const Format format = std::string(name).starts_with("100m") ? Format::M100 : Format::M10;
        const std::string bytes = test::ReadBytes(std::filesystem::path(QRV_SAMPLES_DIR) / name);
        // A relative path, so that the summary file goes into the folder too.
        const std::string media = std::string("in-") + name;
        dir.write(media, bytes);
        const std::vector<std::string> lines = test::SplitCrLfLines(bytes);
        for (std::size_t line = 1; line < lines.size(); ++line) {
            const std::string& text = lines[line];
            if (!text.empty())
                accounts.emplace_back(SplitRecord(text, FormatTable(format).detailLayout)[detail::AccountNo]);
        }
        NullWindow shown;
        JournalWindow window(shown);
        SilentUser user;
        const RunResult result = CheckFile(format, media, window, user);
        Journal journal(path);
        journal.recordRun(EntryOfRun("qrv-check", format, media, result, window, 0));
    }
    // The runs are in the write-ahead log until it is folded into the file.
    const std::string journalBytes = test::ReadBytes(path) + test::ReadBytes(path + "-wal");
    ASSERT_NE(journalBytes.find("in-10m-clean.txt"), std::string::npos) << "the runs are not in these bytes";
    ASSERT_GT(accounts.size(), 4u);
    for (const std::string& account : accounts) {
        ASSERT_GE(account.size(), 6u);
        EXPECT_EQ(journalBytes.find(account), std::string::npos) << account;
    }
}

} // namespace
} // namespace qrv
