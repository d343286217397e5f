// The journal of checks: one SQLite file per user that both programs write,
// so that a file checked twice and the letter that went with a summary file
// can be found later. It keeps what a run showed of the control record and
// its totals, and digests; never an account or any other detail record data.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace qrv {

// The journal could not be opened, read or written; what() says why
// ("the journal could not be written: database is locked").
class JournalError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// One check run, as the journal keeps it. Times are local, ISO 8601 with
// their offset from UTC ("2026-11-25T10:42:07+07:00").
struct RunEntry {
    std::string checkedAt;
    std::string program; // "qrv-check 1.0.0"
    std::string format;  // "100M"
    std::string mediaPath;
    std::optional<std::int64_t> mediaSize; // nothing when the file could not be read
    std::string mediaSha256;               // lower-case hex; empty when the file could not be read
    std::string summaryPath;               // empty when the run wrote none
    std::string summarySha256;
    std::string summaryWrittenAt;
    std::string companyCode; // UTF-8, as the result window shows them
    std::string companyName;
    std::string effectiveDate;  // as the result window shows it: 31/12/06
    std::string controlRecords; // TotalRecord and TotalAmount as shown
    std::string controlAmount;
    std::string detailRecords; // the detail totals and the hash total as shown
    std::string detailAmount;
    std::string hashTotal;
    std::int64_t controlMessages = 0; // lines of ListErr
    std::int64_t rejectedRecords = 0; // rows of ListView1
    std::int64_t advisories = 0;
    std::string outcome; // "finished", "wrong_format", "control_rejected", "run_error"
    bool operator==(const RunEntry&) const = default;
};

// What happened to the covering letter of a run.
enum class LetterEvent {
    Saved,   // `path` and the `sha256` of the bytes saved
    Printed, // `printer`, `job` and the print server's last word, `state`
    Closed,  // the window was closed with the letter neither saved nor printed
};
// "saved", "printed", "closed".
std::string_view LetterEventName(LetterEvent event);

struct LetterEntry {
    LetterEvent event = LetterEvent::Closed;
    std::string at{}; // as RunEntry::checkedAt
    std::string path{};
    std::string sha256{};
    std::string printer{};
    std::string job{};
    std::string state{}; // "sent", "printed" or "stopped"
    bool operator==(const LetterEntry&) const = default;
};

struct PastRun {
    std::int64_t id = 0;
    RunEntry run;
    std::vector<LetterEntry> letters; // oldest first
};

// A journal open for one task: open it, record or ask, let it go. Each
// record is one transaction; another program may write between two.
class Journal {
  public:
    // The version of the tables this program writes, in PRAGMA user_version.
    static constexpr int kSchemaVersion = 2;
    static constexpr std::chrono::milliseconds kBusyTimeout{5000};

    // Opens the journal at `path`, making it and its folder when missing (on
    // POSIX systems mode 0600), and brings an older one's tables up to date.
    // A file that is no SQLite database, or a damaged one, is set aside
    // beside it under a dated name and a new journal started; notice() says
    // so. Throws JournalError when it cannot be opened, when another program
    // holds it locked for longer than `busyTimeout`, and when a newer program
    // made it.
    explicit Journal(std::string path, std::chrono::milliseconds busyTimeout = kBusyTimeout);
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    const std::string& path() const { return path_; }
    // What the user is told of a damaged journal set aside; nothing otherwise.
    const std::optional<std::string>& notice() const { return notice_; }

    // Each throws JournalError when the journal cannot be written. A damaged
    // journal is set aside and the record goes into a new one.
    std::int64_t recordRun(const RunEntry& run);
    void recordLetter(std::int64_t runId, const LetterEntry& letter);

    // Newest first: the runs whose media file or summary file had these bytes.
    std::vector<PastRun> runsWithDigest(std::string_view sha256);
    // Newest first: the runs of a file of this company and effective date.
    std::vector<PastRun> runsOfCompanyDate(std::string_view companyCode, std::string_view effectiveDate);
    // Newest first: every run whose company code or media file path holds
    // `filter` (every run when it is empty).
    std::vector<PastRun> history(std::string_view filter);

  private:
    void open();
    void openOnce();
    void setAside();
    template <class Task> auto guarded(std::string_view doing, Task task);
    std::vector<PastRun> select(std::string_view where, const std::vector<std::string>& values);

    std::string path_;
    std::chrono::milliseconds busyTimeout_;
    sqlite3* db_ = nullptr;
    std::optional<std::string> notice_;
};

} // namespace qrv
