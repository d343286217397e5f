#include "tests/cli/qrv_check_process.h"

namespace qrv::test {

std::string CopySample(const TempDir& dir, const std::string& name) {
    return dir.write(name, ReadBytes(std::filesystem::path(QRV_SAMPLES_DIR) / name));
}

ProcessResult RunQrvCheck(const std::vector<std::string>& args, const std::filesystem::path& workFolder,
                          Output output, Limits limits) {
    return RunProgram(QRV_CHECK_PATH, args, workFolder, output, limits);
}

} // namespace qrv::test
