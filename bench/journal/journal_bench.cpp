// What a run's journal entry costs: the time to record it, alone and with
// all that qrv-check does around it (open the journal, ask for the repeat
// advisories, record), and the bytes it adds to the file. The journal holds
// 10,000 runs already, as a year or two of a clerk's checks would.
#include "journal/journal.h"
#include "journal/run_entry.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

constexpr int kEarlierRuns = 10000;

qrv::RunEntry Entry(int serial) {
    qrv::RunEntry run;
    run.checkedAt = "2026-11-25T10:42:07+07:00";
    run.program = "qrv-check 1.0.0";
    run.format = "100M";
    run.mediaPath = "/home/clerk/payroll/2026/november/bank-credit-" + std::to_string(serial) + ".txt";
    run.mediaSize = 8000080;
    run.mediaSha256 = std::string(60, 'a') + std::to_string(10000 + serial % 10000);
    run.summaryPath = "/ho065432";
    run.summarySha256 = std::string(60, 'b') + std::to_string(10000 + serial % 10000);
    run.summaryWrittenAt = run.checkedAt;
    run.companyCode = std::to_string(100000 + serial % 500);
    run.companyName = "บริษัท ตัวอย่าง จำกัด";
    run.effectiveDate = "251126";
    run.controlRecords = "99,999";
    run.controlAmount = "1,234,567,890.12";
    run.detailRecords = "99,999";
    run.detailAmount = "1,234,567,890.12";
    run.hashTotal = "123456";
    run.controlMessages = 0;
    run.rejectedRecords = 3;
    run.advisories = 1;
    run.outcome = "finished";
    return run;
}

class Prefilled {
  public:
    Prefilled() : folder_(std::filesystem::temp_directory_path() / "qrv-journal-bench") {
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        qrv::Journal journal(path());
        for (int i = 0; i < kEarlierRuns; ++i)
            journal.recordRun(Entry(i));
    }
    ~Prefilled() { std::filesystem::remove_all(folder_); }
    std::string path() const { return (folder_ / "journal.sqlite").string(); }
    // The file's bytes with its log folded in.
    std::uintmax_t bytes() const {
        std::uintmax_t total = 0;
        for (const char* part : {"", "-wal"})
            if (std::filesystem::exists(path() + part))
                total += std::filesystem::file_size(path() + part);
        return total;
    }

  private:
    std::filesystem::path folder_;
};

void RecordRun(benchmark::State& state) {
    const Prefilled journalFile;
    qrv::Journal journal(journalFile.path());
    int serial = kEarlierRuns;
    for (auto _ : state)
        journal.recordRun(Entry(serial++));
}
BENCHMARK(RecordRun)->Unit(benchmark::kMillisecond)->UseRealTime();

// Open, advisories, record, close: a whole run of qrv-check --journal.
void OpenAdviseRecord(benchmark::State& state) {
    const Prefilled journalFile;
    int serial = kEarlierRuns;
    for (auto _ : state) {
        qrv::Journal journal(journalFile.path());
        qrv::RunEntry run = Entry(serial++);
        run.advisories = static_cast<std::int64_t>(qrv::RepeatAdvisories(journal, run).size());
        journal.recordRun(run);
    }
}
BENCHMARK(OpenAdviseRecord)->Unit(benchmark::kMillisecond)->UseRealTime();

// The file's growth for 1,000 more runs, after a checkpoint folds the log in.
void BytesPerRun(benchmark::State& state) {
    const Prefilled journalFile;
    double perRun = 0;
    for (auto _ : state) {
        { qrv::Journal journal(journalFile.path()); }
        const std::uintmax_t before = journalFile.bytes();
        {
            qrv::Journal journal(journalFile.path());
            for (int i = 0; i < 1000; ++i)
                journal.recordRun(Entry(kEarlierRuns + i));
        }
        perRun = static_cast<double>(journalFile.bytes() - before) / 1000;
    }
    state.counters["bytes_per_run"] = perRun;
}
BENCHMARK(BytesPerRun)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
