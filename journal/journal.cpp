#include "journal/journal.h"

#include "journal/local_time.h"

#include <filesystem>
#include <sqlite3.h>
#include <system_error>
#include <thread>
#include <variant>

#ifndef _WIN32
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace qrv {

namespace {

// Each step takes the tables from the version before it to its own; a new
// journal takes them all. Never change a step that has shipped: add one.
constexpr const char* kMigrations[] = {
    // 1: the runs.
    R"(CREATE TABLE runs (
        id INTEGER PRIMARY KEY,
        checked_at TEXT NOT NULL,
        program TEXT NOT NULL,
        format TEXT NOT NULL,
        media_path TEXT NOT NULL,
        media_size INTEGER,
        media_sha256 TEXT NOT NULL,
        summary_path TEXT NOT NULL,
        summary_sha256 TEXT NOT NULL,
        summary_written_at TEXT NOT NULL,
        company_code TEXT NOT NULL,
        company_name TEXT NOT NULL,
        effective_date TEXT NOT NULL,
        control_records TEXT NOT NULL,
        control_amount TEXT NOT NULL,
        detail_records TEXT NOT NULL,
        detail_amount TEXT NOT NULL,
        hash_total TEXT NOT NULL,
        control_messages INTEGER NOT NULL,
        rejected_records INTEGER NOT NULL,
        outcome TEXT NOT NULL);
    CREATE INDEX runs_media_sha256 ON runs (media_sha256);
    CREATE INDEX runs_summary_sha256 ON runs (summary_sha256);
    CREATE INDEX runs_company_date ON runs (company_code, effective_date);)",
    // 2: the advisories a run gave, and what became of each run's letter.
    R"(ALTER TABLE runs ADD COLUMN advisories INTEGER NOT NULL DEFAULT 0;
    CREATE TABLE letters (
        id INTEGER PRIMARY KEY,
        run_id INTEGER NOT NULL REFERENCES runs (id),
        at TEXT NOT NULL,
        event TEXT NOT NULL,
        path TEXT NOT NULL,
        sha256 TEXT NOT NULL,
        printer TEXT NOT NULL,
        job TEXT NOT NULL,
        state TEXT NOT NULL);
    CREATE INDEX letters_run ON letters (run_id);)",
};
static_assert(std::size(kMigrations) == Journal::kSchemaVersion);

using Field =
    std::variant<std::string RunEntry::*, std::int64_t RunEntry::*, std::optional<std::int64_t> RunEntry::*>;
struct RunColumn {
    const char* name;
    Field field;
};
const RunColumn kRunColumns[] = {
    {"checked_at", &RunEntry::checkedAt},
    {"program", &RunEntry::program},
    {"format", &RunEntry::format},
    {"media_path", &RunEntry::mediaPath},
    {"media_size", &RunEntry::mediaSize},
    {"media_sha256", &RunEntry::mediaSha256},
    {"summary_path", &RunEntry::summaryPath},
    {"summary_sha256", &RunEntry::summarySha256},
    {"summary_written_at", &RunEntry::summaryWrittenAt},
    {"company_code", &RunEntry::companyCode},
    {"company_name", &RunEntry::companyName},
    {"effective_date", &RunEntry::effectiveDate},
    {"control_records", &RunEntry::controlRecords},
    {"control_amount", &RunEntry::controlAmount},
    {"detail_records", &RunEntry::detailRecords},
    {"detail_amount", &RunEntry::detailAmount},
    {"hash_total", &RunEntry::hashTotal},
    {"control_messages", &RunEntry::controlMessages},
    {"rejected_records", &RunEntry::rejectedRecords},
    {"advisories", &RunEntry::advisories},
    {"outcome", &RunEntry::outcome},
};

template <class... Ts> struct Overloaded : Ts... { using Ts::operator()...; };

// SQLite refused; `damaged` when the file is no journal or a damaged one.
struct SqliteFailure {
    std::string message;
    bool damaged;
    bool busy = false; // another program holds the file
};

// SQLite's text, and the system's where a system call failed: "unable to
// open database file (Read-only file system)".
[[noreturn]] void Fail(sqlite3* db, int code) {
    const int primary = code & 0xff;
    std::string message = db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    if (const int system = db ? sqlite3_system_errno(db) : 0)
        message += " (" + std::system_category().message(system) + ")";
    throw SqliteFailure{std::move(message), primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB,
                        primary == SQLITE_BUSY || primary == SQLITE_LOCKED};
}

void Check(sqlite3* db, int code) {
    if (code != SQLITE_OK && code != SQLITE_ROW && code != SQLITE_DONE)
        Fail(db, code);
}

void Execute(sqlite3* db, const char* sql) {
    Check(db, sqlite3_exec(db, sql, nullptr, nullptr, nullptr));
}

class Statement {
  public:
    Statement(sqlite3* db, const std::string& sql) : db_(db) {
        Check(db, sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &statement_, nullptr));
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bind(int at, std::string_view text) {
        Check(db_, sqlite3_bind_text(statement_, at, text.data(), static_cast<int>(text.size()),
                                     SQLITE_TRANSIENT));
    }
    void bind(int at, std::int64_t value) { Check(db_, sqlite3_bind_int64(statement_, at, value)); }
    void bind(int at, std::optional<std::int64_t> value) {
        if (value)
            bind(at, *value);
        else
            Check(db_, sqlite3_bind_null(statement_, at));
    }
    // True while there is a row.
    bool step() {
        const int code = sqlite3_step(statement_);
        Check(db_, code);
        return code == SQLITE_ROW;
    }
    std::string text(int column) const {
        const auto* bytes = sqlite3_column_text(statement_, column);
        return bytes ? std::string(reinterpret_cast<const char*>(bytes),
                                   static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)))
                     : std::string();
    }
    std::int64_t integer(int column) const { return sqlite3_column_int64(statement_, column); }
    bool null(int column) const { return sqlite3_column_type(statement_, column) == SQLITE_NULL; }

  private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

int UserVersion(sqlite3* db) {
    Statement statement(db, "PRAGMA user_version");
    statement.step();
    return static_cast<int>(statement.integer(0));
}

bool HasTables(sqlite3* db) {
    Statement statement(db, "SELECT count(*) FROM sqlite_master");
    statement.step();
    return statement.integer(0) > 0;
}

std::filesystem::path FsPath(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// A fresh journal's file is the user's alone; an older one is made so. SQLite
// would say only that it cannot open a file it may not write. A device or a
// FIFO (/dev/null, say) is left alone: no journal is kept there.
void MakePrivateFile(const std::string& path) {
#ifdef _WIN32
    (void)path;
#else
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        throw SqliteFailure{"it is not a file", false};
    if (::access(path.c_str(), W_OK) == 0) {
        ::chmod(path.c_str(), 0600);
        return;
    }
    if (errno != ENOENT)
        throw SqliteFailure{std::string("cannot write it: ") + std::strerror(errno), false};
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0 && errno != EEXIST)
        throw SqliteFailure{std::string("cannot create it: ") + std::strerror(errno), false};
    if (fd >= 0)
        ::close(fd);
#endif
}

std::string SetAsideName(const std::string& path) {
    const std::filesystem::path original = FsPath(path);
    const std::string stem =
        Utf8(original.parent_path() / original.stem()) + "-damaged-" + CompactLocalTime();
    const std::string extension = Utf8(original.extension());
    std::string name = stem + extension;
    // A name the system cannot look at is taken; the rename then says why it fails.
    std::error_code unseen;
    for (int n = 2; std::filesystem::exists(FsPath(name), unseen); ++n)
        name = stem + "-" + std::to_string(n) + extension;
    return name;
}

std::string RunColumnList() {
    std::string list;
    for (const RunColumn& column : kRunColumns)
        list += std::string(list.empty() ? "" : ", ") + column.name;
    return list;
}

RunEntry RunOfRow(const Statement& row, int first) {
    RunEntry run;
    int at = first;
    for (const RunColumn& column : kRunColumns) {
        std::visit(Overloaded{[&](std::string RunEntry::*text) { run.*text = row.text(at); },
                              [&](std::int64_t RunEntry::*number) { run.*number = row.integer(at); },
                              [&](std::optional<std::int64_t> RunEntry::*number) {
                                  if (!row.null(at))
                                      run.*number = row.integer(at);
                              }},
                   column.field);
        ++at;
    }
    return run;
}

std::optional<LetterEvent> LetterEventNamed(std::string_view name) {
    for (const LetterEvent event : {LetterEvent::Saved, LetterEvent::Printed, LetterEvent::Closed})
        if (LetterEventName(event) == name)
            return event;
    return std::nullopt;
}

} // namespace

std::string_view LetterEventName(LetterEvent event) {
    switch (event) {
    case LetterEvent::Saved:
        return "saved";
    case LetterEvent::Printed:
        return "printed";
    case LetterEvent::Closed:
        break;
    }
    return "closed";
}

// The journal's file in WAL mode: a commit appends to the log, which a killed
// program leaves for the next one to replay up to its last commit, and
// readers, such as the history window, never hold up a writer; two writers
// take turns through the busy timeout. The log is synced only when it is
// folded into the file (synchronous NORMAL), and not at each close: a sync
// per run cost 2-6 ms, more than a run's entry may, and a power cut can lose
// at most the last runs' entries, never the file. WAL needs memory shared
// between the programs, so the journal must be on a local disk, as the
// user's data folder is.
void Journal::openOnce() {
    std::error_code ignored;
    std::filesystem::create_directories(FsPath(path_).parent_path(), ignored);
    MakePrivateFile(path_);
    const int code =
        sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (code != SQLITE_OK)
        Fail(db_, code);
    sqlite3_busy_timeout(db_, static_cast<int>(busyTimeout_.count()));
    sqlite3_db_config(db_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    Execute(db_, "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL; PRAGMA foreign_keys = ON");
    if (UserVersion(db_) == kSchemaVersion)
        return;
    Execute(db_, "BEGIN IMMEDIATE");
    const int version = UserVersion(db_);
    if (version > kSchemaVersion)
        throw SqliteFailure{"a newer version of the program made it (tables of version " +
                                std::to_string(version) + ")",
                            false};
    if (version == 0 && HasTables(db_))
        throw SqliteFailure{"it holds tables of some other program", false};
    for (int step = version; step < kSchemaVersion; ++step)
        Execute(db_, kMigrations[step]);
    Execute(db_, ("PRAGMA user_version = " + std::to_string(kSchemaVersion)).c_str());
    Execute(db_, "COMMIT");
}

// Opening can meet a lock that SQLite does not wait for, such as another
// program's taking the file into WAL mode or replaying the log a killed one
// left: it is tried again until the busy timeout has passed.
void Journal::open() {
    const auto deadline = std::chrono::steady_clock::now() + busyTimeout_;
    for (;;) {
        try {
            openOnce();
            return;
        } catch (const SqliteFailure& failure) {
            sqlite3_close(db_);
            db_ = nullptr;
            if (!failure.busy || std::chrono::steady_clock::now() >= deadline)
                throw;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void Journal::setAside() {
    sqlite3_close(db_);
    db_ = nullptr;
    const std::string aside = SetAsideName(path_);
    std::error_code failed;
    std::filesystem::rename(FsPath(path_), FsPath(aside), failed);
    if (failed)
        throw SqliteFailure{"it is damaged and cannot be set aside: " + failed.message(), false};
    // Its log belongs to the damaged file, not to the new one.
    for (const char* companion : {"-wal", "-shm"})
        std::filesystem::rename(FsPath(path_ + companion), FsPath(aside + companion), failed);
    notice_ =
        "The journal " + path_ + " was damaged: it was set aside as " + aside + " and a new one started.";
}

// Runs `task` on an open journal; a damaged one is set aside once, and the
// task run again on a new one.
template <class Task> auto Journal::guarded(std::string_view doing, Task task) {
    const auto attempt = [&] {
        if (!db_)
            open();
        return task();
    };
    try {
        try {
            return attempt();
        } catch (const SqliteFailure& failure) {
            if (!failure.damaged)
                throw;
            setAside();
            return attempt();
        }
    } catch (const SqliteFailure& failure) {
        if (db_)
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw JournalError("the journal " + path_ + " could not be " + std::string(doing) + ": " +
                           failure.message);
    }
}

Journal::Journal(std::string path, std::chrono::milliseconds busyTimeout)
    : path_(std::move(path)), busyTimeout_(busyTimeout) {
    guarded("opened", [] { return 0; });
}

Journal::~Journal() {
    sqlite3_close(db_);
}

std::int64_t Journal::recordRun(const RunEntry& run) {
    return guarded("written", [&] {
        std::string places;
        for (std::size_t i = 0; i < std::size(kRunColumns); ++i)
            places += i ? ", ?" : "?";
        Statement insert(db_, "INSERT INTO runs (" + RunColumnList() + ") VALUES (" + places + ")");
        int at = 1;
        for (const RunColumn& column : kRunColumns)
            std::visit([&](auto member) { insert.bind(at++, run.*member); }, column.field);
        insert.step();
        return static_cast<std::int64_t>(sqlite3_last_insert_rowid(db_));
    });
}

void Journal::recordLetter(std::int64_t runId, const LetterEntry& letter) {
    guarded("written", [&] {
        Statement insert(db_, "INSERT INTO letters (run_id, at, event, path, sha256, printer, job, state) "
                              "VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
        insert.bind(1, runId);
        int at = 2;
        for (const std::string_view text :
             {std::string_view(letter.at), LetterEventName(letter.event), std::string_view(letter.path),
              std::string_view(letter.sha256), std::string_view(letter.printer), std::string_view(letter.job),
              std::string_view(letter.state)})
            insert.bind(at++, text);
        insert.step();
        return 0;
    });
}

// One statement, so that the runs and their letters come from one snapshot of
// the journal, even while another program records a run and its letter.
std::vector<PastRun> Journal::select(std::string_view where, const std::vector<std::string>& values) {
    return guarded("read", [&] {
        Statement rows(db_, "SELECT r.id, " + RunColumnList() +
                                ", l.at, l.event, l.path, l.sha256, l.printer, l.job, l.state, l.id "
                                "FROM (SELECT * FROM runs WHERE " +
                                std::string(where) +
                                ") AS r LEFT JOIN letters AS l ON l.run_id = r.id ORDER BY r.id DESC, l.id");
        for (std::size_t i = 0; i < values.size(); ++i)
            rows.bind(static_cast<int>(i + 1), values[i]);
        constexpr int kLetter = 1 + static_cast<int>(std::size(kRunColumns));
        std::vector<PastRun> found;
        while (rows.step()) {
            if (found.empty() || found.back().id != rows.integer(0))
                found.push_back({rows.integer(0), RunOfRow(rows, 1), {}});
            if (rows.null(kLetter + 7))
                continue;
            found.back().letters.push_back(
                {LetterEventNamed(rows.text(kLetter + 1)).value_or(LetterEvent::Closed), rows.text(kLetter),
                 rows.text(kLetter + 2), rows.text(kLetter + 3), rows.text(kLetter + 4),
                 rows.text(kLetter + 5), rows.text(kLetter + 6)});
        }
        return found;
    });
}

std::vector<PastRun> Journal::runsWithDigest(std::string_view sha256) {
    if (sha256.empty())
        return {};
    return select("media_sha256 = ?1 OR summary_sha256 = ?1", {std::string(sha256)});
}

std::vector<PastRun> Journal::runsOfCompanyDate(std::string_view companyCode,
                                                std::string_view effectiveDate) {
    return select("company_code = ?1 AND effective_date = ?2",
                  {std::string(companyCode), std::string(effectiveDate)});
}

std::vector<PastRun> Journal::history(std::string_view filter) {
    return select("instr(lower(company_code), lower(?1)) > 0 OR instr(lower(media_path), lower(?1)) > 0",
                  {std::string(filter)});
}

} // namespace qrv
