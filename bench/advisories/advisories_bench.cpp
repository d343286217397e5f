// The advisories on generated 100 M files of distinct accounts, all accepted:
// the check run alone, with the advisories of the file and its date, and with
// a comparison against an earlier file of as many records.
#include "advisories/advisor.h"
#include "core/detail_check.h"
#include "tests/support/media_lines.h"
#include "tests/support/null_ports.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace {

using namespace qrv::test;
using namespace std::chrono;

// The n-th ten-digit account with a correct check digit and an account type that passes.
std::string ValidAccount(unsigned n) {
    char nine[16];
    std::snprintf(nine, sizeof nine, "%03u3%05u", 100 + n / 100000 % 900, n % 100000);
    for (char check = '0'; check <= '9'; ++check)
        if (const std::string account = std::string(nine) + check; qrv::CheckAccountDigit(account))
            return account;
    return std::string(nine) + '0'; // not reached: some digit is the check digit of any nine
}

// `records` distinct accounts; the earlier file's amounts differ from this
// one's by a little for most accounts and by ten times for every 1000th,
// and every 1000th account of each file is not in the other.
std::filesystem::path WriteMediaFile(int records, bool earlier) {
    const auto folder = std::filesystem::temp_directory_path() / "qrv-advisories-bench";
    std::filesystem::create_directories(folder);
    const auto path = folder / ((earlier ? "earlier-" : "now-") + std::to_string(records) + ".txt");
    std::string details;
    std::int64_t totalSatang = 0;
    for (int i = 0; i < records; ++i) {
        const bool other = i % 1000 == 999;
        const unsigned n = static_cast<unsigned>(other && earlier ? records + i : i);
        std::int64_t satang = 50000 + i % 40000; // the total fits the control record's 11 digits
        if (earlier)
            satang = i % 1000 == 500 ? satang * 10 : satang + i % 7;
        totalSatang += satang;
        details += DetailLine(Format::M100,
                              {.account = ValidAccount(n), .amount = DetailAmount(Format::M100, satang)}) +
                   "\r\n";
    }
    const std::string control =
        ControlLine(Format::M100, {.companyName = "BENCH COMPANY",
                                   .totalRecord = RecordCount(records % 100000),
                                   .totalAmount = ControlAmount(Format::M100, totalSatang)});
    std::ofstream(path, std::ios::binary | std::ios::trunc) << control << "\r\n" << details;
    return path;
}

const std::filesystem::path& MediaFile(int records, bool earlier = false) {
    static std::map<std::pair<int, bool>, std::filesystem::path> files;
    auto [at, added] = files.try_emplace({records, earlier});
    if (added)
        at->second = WriteMediaFile(records, earlier);
    return at->second;
}

enum class Advisories { None, FileAndDate, Comparison };

void Check(benchmark::State& state, Advisories advisories) {
    const int records = static_cast<int>(state.range(0));
    const std::string path = MediaFile(records).string();
    qrv::AdvisorySettings settings;
    settings.today = 2006y / December / 1;
    if (advisories == Advisories::Comparison)
        settings.earlierPath = MediaFile(records, true).string();
    qrv::NullWindow window;
    qrv::SilentUser user;
    std::size_t found = 0;
    for (auto _ : state) {
        qrv::Advisor advisor(qrv::Format::M100, settings);
        const qrv::RunResult result = qrv::CheckFile(qrv::Format::M100, path, window, user,
                                                     advisories == Advisories::None ? nullptr : &advisor);
        if (result.outcome != qrv::RunOutcome::Finished) {
            state.SkipWithError("the generated file did not check to the end");
            break;
        }
        found = advisor.report().advisories.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["advisories"] = static_cast<double>(found);
}

void CheckAlone(benchmark::State& state) {
    Check(state, Advisories::None);
}
void CheckWithFileAndDateAdvisories(benchmark::State& state) {
    Check(state, Advisories::FileAndDate);
}
void CheckAndCompare(benchmark::State& state) {
    Check(state, Advisories::Comparison);
}

// The advisories' own share: the records handed to the Advisor as a run
// hands them, without the run.
void AdviseAlone(benchmark::State& state) {
    const auto records = static_cast<std::size_t>(state.range(0));
    std::vector<std::string> accounts;
    for (std::size_t i = 0; i < records; ++i)
        accounts.push_back(ValidAccount(static_cast<unsigned>(i)));
    const std::string control = ControlLine(Format::M100, {});
    const qrv::Fields fields = qrv::SplitRecord(control, qrv::FormatTable(Format::M100).controlLayout);
    qrv::AdvisorySettings settings;
    settings.today = 2006y / December / 1;
    for (auto _ : state) {
        qrv::Advisor advisor(Format::M100, settings);
        advisor.controlRecord(fields);
        for (std::size_t i = 0; i < records; ++i)
            advisor.detailRecord({static_cast<std::int64_t>(i) + 2, accounts[i], "", 100000, true});
        advisor.endOfFile();
        benchmark::DoNotOptimize(advisor.report());
    }
}

BENCHMARK(AdviseAlone)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(CheckAlone)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(CheckWithFileAndDateAdvisories)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(CheckAndCompare)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
