#include "tests/cli/qrv_check_process.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <stdexcept>

namespace qrv::test {

std::string CopySample(const TempDir& dir, const std::string& name) {
    return dir.write(name, ReadBytes(std::filesystem::path(QRV_SAMPLES_DIR) / name));
}

#ifdef QRV_REPORT_VALIDATOR
namespace {

// Debian's interpreter, which has python3-jsonschema; another python3 on
// PATH may lack it.
constexpr char kPython[] = "/usr/bin/python3";

ProcessResult RunPython(const std::vector<std::string>& args, const std::string& input) {
    TempDir dir;
    std::vector<std::string> withInput = args;
    withInput.push_back(dir.write("input", input));
    return RunProgram(kPython, withInput, dir.path());
}

} // namespace

std::string SchemaComplaints(const std::string& reports) {
    const ProcessResult run = RunPython({QRV_REPORT_VALIDATOR, QRV_REPORT_SCHEMA}, reports);
    return run.exitStatus == 0 ? "" : "status " + std::to_string(run.exitStatus) + ": " + run.err;
}

std::vector<std::vector<std::string>> ParsedCsv(const std::string& csv) {
    const ProcessResult run = RunPython({"-c", "import csv, json, sys\n"
                                               "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
                                               "    print(json.dumps(list(csv.reader(f, strict=True))))\n"},
                                        csv);
    if (run.exitStatus != 0)
        throw std::runtime_error("Python's csv module refuses it: " + run.err);
    return nlohmann::json::parse(run.out).get<std::vector<std::vector<std::string>>>();
}
#endif

ProcessResult RunQrvCheck(const std::vector<std::string>& args, const std::filesystem::path& workFolder,
                          Output output, Limits limits) {
    ProcessResult run = RunProgram(QRV_CHECK_PATH, args, workFolder, output, limits);
#ifdef QRV_REPORT_VALIDATOR
    const bool fullJson = output == Output::Captured && limits.fileSize == kNoLimit &&
                          limits.memory == kNoLimit && std::ranges::count(args, "--json") > 0 &&
                          !run.out.empty();
    if (fullJson) {
        EXPECT_EQ(SchemaComplaints(run.out), "") << "the report of qrv-check --json does not validate";
    }
#endif
    return run;
}

} // namespace qrv::test
