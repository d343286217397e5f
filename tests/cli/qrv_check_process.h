// Runs the built qrv-check in a folder of its own and collects what it says.
#pragma once

#include "tests/support/temp_dir.h"

#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace qrv::test {

struct ProcessResult {
    int exitStatus = -1;
    std::string out;
    std::string err;
};

// Where qrv-check's standard output goes: to ProcessResult::out, to a device
// that is always full, or nowhere, closed.
enum class Output { Captured, Full, Closed };

// Limits qrv-check runs under: a write past `fileSize` bytes fails, and so
// does an allocation past `memory` bytes of address space.
struct Limits {
    rlim_t fileSize = RLIM_INFINITY;
    rlim_t memory = RLIM_INFINITY;
};

// Runs it in `workFolder`, with nothing on standard input. A process that did
// not exit (a signal ended it) has exit status -1.
ProcessResult RunQrvCheck(const std::vector<std::string>& args, const std::filesystem::path& workFolder,
                          Output output = Output::Captured, Limits limits = {});

// Copies a file of the samples folder into `dir`; answers the copy's path.
std::string CopySample(const TempDir& dir, const std::string& name);

} // namespace qrv::test
