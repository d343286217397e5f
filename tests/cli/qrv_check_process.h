// Runs the built qrv-check in a folder of its own and collects what it says.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace qrv::cli::test {

struct ProcessResult {
    int exitStatus = -1;
    std::string out;
    std::string err;
};

// A fresh temporary folder, removed with everything in it on destruction.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Copies a file of the samples folder in and returns the copy's path.
    std::filesystem::path copySample(const std::string& name) const;

  private:
    std::filesystem::path path_;
};

ProcessResult RunQrvCheck(const std::vector<std::string>& args, const std::filesystem::path& workFolder);

std::string ReadFile(const std::filesystem::path& path);
std::vector<std::string> SplitCrLfLines(const std::string& bytes);

} // namespace qrv::cli::test
