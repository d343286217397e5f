// The fuzz targets' files: a private folder per process.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace qrv::fuzz {

// A private folder for this process, where the summary files land too;
// removed with everything in it when the fuzzer exits.
class WorkFolder {
  public:
    WorkFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "qrv-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        path_ = pattern;
    }
    ~WorkFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

inline const std::filesystem::path& Work() {
    static const WorkFolder folder;
    return folder.path();
}

} // namespace qrv::fuzz
