// Runs the built qrv-check in a folder of its own and collects what it says.
#pragma once

#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qrv::test {

// Runs it in `workFolder`, with nothing on standard input (see RunProgram).
// Where the validator exists, a --json report it writes in full is checked
// against the report schema, and a complaint fails the test.
ProcessResult RunQrvCheck(const std::vector<std::string>& args, const std::filesystem::path& workFolder,
                          Output output = Output::Captured, Limits limits = {});

// Copies a file of the samples folder into `dir`; answers the copy's path.
std::string CopySample(const TempDir& dir, const std::string& name);

#ifdef QRV_REPORT_VALIDATOR
// What the report schema finds wrong in `reports` (an indented report or
// JSON Lines), as Debian's python3-jsonschema says it; "" when nothing.
std::string SchemaComplaints(const std::string& reports);
// CSV as Python's csv module reads it (strictly), one vector per record;
// throws std::runtime_error with its complaint when it cannot.
std::vector<std::vector<std::string>> ParsedCsv(const std::string& csv);
#endif

} // namespace qrv::test
