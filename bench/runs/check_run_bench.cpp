// A 100 M check run over generated media files in which every record is
// accepted, with a window that shows nothing: the cost of reading, checking,
// hashing and writing the summary file; and the cost of committing a file.
#include "core/detail_check.h"
#include "files/files.h"
#include "runs/format.h"
#include "tests/support/media_lines.h"
#include "tests/support/null_ports.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace {

using namespace qrv::test;

// Ten-digit accounts with a correct check digit and an account type that passes.
std::vector<std::string> ValidAccounts() {
    std::vector<std::string> accounts;
    for (int serial = 0; accounts.size() < 97; ++serial) {
        char nine[10];
        std::snprintf(nine, sizeof nine, "%03d3%05d", 100 + serial % 300, serial * 7919 % 100000);
        for (char check = '0'; check <= '9'; ++check) {
            const std::string account = std::string(nine) + check;
            if (qrv::CheckAccountDigit(account))
                accounts.push_back(account);
        }
    }
    return accounts;
}

std::filesystem::path WriteMediaFile(int records) {
    const auto folder = std::filesystem::temp_directory_path() / ("qrv-bench-" + std::to_string(records));
    std::filesystem::create_directories(folder);
    const auto path = folder / "media.txt";
    const std::vector<std::string> accounts = ValidAccounts();
    std::string details;
    std::int64_t totalSatang = 0;
    for (int i = 0; i < records; ++i) {
        const std::int64_t satang = 1000 + i % 50000;
        totalSatang += satang;
        details += DetailLine(Format::M100, {.account = accounts[i % accounts.size()],
                                             .amount = DetailAmount(Format::M100, satang)}) +
                   "\r\n";
    }
    const std::string control =
        ControlLine(Format::M100, {.companyName = "BENCH COMPANY",
                                   .totalRecord = RecordCount(records % 100000),
                                   .totalAmount = ControlAmount(Format::M100, totalSatang)});
    std::ofstream(path, std::ios::binary | std::ios::trunc) << control << "\r\n" << details;
    return path;
}

const std::filesystem::path& MediaFile(int records) {
    static std::map<int, std::filesystem::path> files;
    auto [at, added] = files.try_emplace(records);
    if (added)
        at->second = WriteMediaFile(records);
    return at->second;
}

void CheckFile100M(benchmark::State& state) {
    const int records = static_cast<int>(state.range(0));
    const std::string path = MediaFile(records).string();
    qrv::NullWindow window;
    qrv::SilentUser user;
    for (auto _ : state) {
        const qrv::RunResult result = qrv::CheckFile(qrv::Format::M100, path, window, user);
        if (result.outcome != qrv::RunOutcome::Finished) {
            state.SkipWithError("the generated file did not check to the end");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(path)));
    state.SetItemsProcessed(state.iterations() * records);
}

BENCHMARK(CheckFile100M)->Arg(99'999)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// One detail record through what a run does with it: a record of the usual
// shape (argument 0), which the cheap test takes, or one with blanks in
// place of the amount's leading zeros (argument 1), which the general
// checks take.
void AcceptDetailRecord(benchmark::State& state) {
    const std::string control = ControlLine(
        Format::M100, {.companyName = "BENCH COMPANY", .totalRecord = "00001", .totalAmount = "00000150000"});
    const std::string amount = state.range(0) == 0 ? "00000150000" : "     150000";
    const std::string line = DetailLine(Format::M100, {.account = ValidAccounts().front(), .amount = amount});
    const qrv::Fields controlFields =
        qrv::SplitRecord(control, qrv::FormatTable(qrv::Format::M100).controlLayout);
    const qrv::DetailRules rules(controlFields);
    for (auto _ : state) {
        const qrv::Fields fields = qrv::SplitRecord(line, qrv::FormatTable(qrv::Format::M100).detailLayout);
        bool accepted = qrv::IsAcceptedPlainRecord(fields, rules, 11);
        if (!accepted)
            accepted = qrv::CheckDetailRecord(fields, rules).empty();
        benchmark::DoNotOptimize(accepted);
    }
}

BENCHMARK(AcceptDetailRecord)->Arg(0)->Arg(1);

// A file of `state.range(0)` bytes written and committed where TMPDIR points
// (ext4 on the build machine): its bytes and its folder flushed to the disk
// once each, whatever its size. 1,234 bytes is the covering letter.
void CommitFile(benchmark::State& state) {
    const auto folder = std::filesystem::temp_directory_path() / "qrv-bench-commit";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "letter.txt").string();
    const std::string bytes(static_cast<std::size_t>(state.range(0)), 'x');
    for (auto _ : state)
        qrv::WriteFileAtomically(path, bytes, "the letter");
    state.SetBytesProcessed(state.iterations() * state.range(0));
    std::filesystem::remove_all(folder);
}

BENCHMARK(CommitFile)->Arg(1'234)->Arg(1 << 20)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
