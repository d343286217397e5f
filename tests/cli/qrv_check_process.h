// Runs the built qrv-check in a folder of its own and collects what it says.
#pragma once

#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qrv::test {

// Runs it in `workFolder`, with nothing on standard input (see RunProgram).
ProcessResult RunQrvCheck(const std::vector<std::string>& args, const std::filesystem::path& workFolder,
                          Output output = Output::Captured, Limits limits = {});

// Copies a file of the samples folder into `dir`; answers the copy's path.
std::string CopySample(const TempDir& dir, const std::string& name);

} // namespace qrv::test
