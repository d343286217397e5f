// Runs the built qrv-check in a folder of its own and collects what it says.
#pragma once

#include "tests/support/temp_dir.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qrv::test {

struct ProcessResult {
    int exitStatus = -1;
    std::string out;
    std::string err;
};

// Runs it in `workFolder`, with nothing on standard input.
ProcessResult RunQrvCheck(const std::vector<std::string>& args, const std::filesystem::path& workFolder);

// Copies a file of the samples folder into `dir`; answers the copy's path.
std::string CopySample(const TempDir& dir, const std::string& name);

} // namespace qrv::test
