// A writer killed at random moments, again and again, leaves a journal that
// SQLite finds whole, with every run it committed before the last kill.
#include "journal/journal.h"
#include "tests/support/temp_dir.h"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <sqlite3.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace qrv {
namespace {

// A writer process, killed when it goes out of scope if the test has not
// killed it already: a failing test leaves no writer behind.
class Writer {
  public:
    explicit Writer(const std::string& journal) : pid_(::fork()) {
        if (pid_ == 0) {
            ::execl(QRV_JOURNAL_WRITER, QRV_JOURNAL_WRITER, journal.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
    }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;
    ~Writer() {
        if (pid_ > 0)
            kill();
    }

    // Its wait status.
    int kill() {
        ::kill(pid_, SIGKILL);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = 0;
        return status;
    }

  private:
    pid_t pid_;
};

std::string IntegrityOf(const std::string& path) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &statement, nullptr);
    std::string answer;
    while (sqlite3_step(statement) == SQLITE_ROW)
        answer += reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return answer;
}

// The journal's runs; 0 while a writer still holds it as it makes its tables.
std::size_t RunsIn(const std::string& path) {
    try {
        return Journal(path).history("").size();
    } catch (const JournalError&) {
        return 0;
    }
}

TEST(KilledWriters, LeaveAWholeJournal) {
    constexpr int kKills = 200;
    test::TempDir dir;
    const std::string path = (dir.path() / "j.sqlite").string();
    std::mt19937 random(20261125);
    std::uniform_int_distribution<int> microseconds(0, 20000);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    // A first writer lives until it has recorded a run: under a sanitizer a
    // writer can take longer to start than the longest wait below.
    {
        Writer first(path);
        while (RunsIn(path) == 0) {
            ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "no run recorded in two minutes";
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    std::size_t before = 1;
    for (int kill = 0; kill < kKills; ++kill) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "only " << kill << " kills in two minutes";
        // Two writers at once, so that a kill also lands while one waits for the other.
        Writer writers[] = {Writer(path), Writer(path)};
        std::this_thread::sleep_for(std::chrono::microseconds(microseconds(random)));
        for (Writer& writer : writers) {
            const int status = writer.kill();
            EXPECT_TRUE(WIFSIGNALED(status)) << "a writer stopped by itself, status " << status;
        }
        if (kill % 50 == 49) {
            const std::size_t now = RunsIn(path);
            EXPECT_GE(now, before);
            before = now;
        }
    }
    EXPECT_EQ(IntegrityOf(path), "ok");
    EXPECT_GT(RunsIn(path), 0u);
}

} // namespace
} // namespace qrv
