// Starting a program and collecting what it says, on POSIX systems and on
// Windows alike (process_posix.cpp, process_windows.cpp).
#pragma once

#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

namespace qrv::test {

struct ProcessResult {
    int exitStatus = -1; // -1 when it did not exit (a signal ended it)
    std::string out;
    std::string err;
};

// Where the program's standard output goes: to ProcessResult::out, to a
// device that is always full, or nowhere, closed. Windows has only the first.
enum class Output { Captured, Full, Closed };

inline constexpr std::uint64_t kNoLimit = std::numeric_limits<std::uint64_t>::max();

// Limits the program runs under: a write past `fileSize` bytes fails, and so
// does an allocation past `memory` bytes of address space. POSIX systems only.
struct Limits {
    std::uint64_t fileSize = kNoLimit;
    std::uint64_t memory = kNoLimit;
};

// Runs `program` with `args` in `workFolder`, with nothing on standard input,
// and waits for it. Its output passes through files in `workFolder`, removed
// afterwards. Throws std::runtime_error when it cannot be started, and
// std::invalid_argument for an output or limit the platform does not have.
ProcessResult RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                         const std::filesystem::path& workFolder, Output output = Output::Captured,
                         Limits limits = {});

} // namespace qrv::test
