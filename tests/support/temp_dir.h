// Temporary folders and whole files as bytes, for the tests.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qrv::test {

// A path from UTF-8 text, as the program takes its paths everywhere; a plain
// std::string would be taken in the C locale's encoding on Windows.
std::filesystem::path Utf8Path(std::string_view text);

// Throw std::runtime_error naming the path when the file cannot be read or written.
std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

// The lines of `bytes`, each of which should end in CR LF; a last line
// without it is kept with "<no CR LF>" appended, so that comparisons show it.
std::vector<std::string> SplitCrLfLines(const std::string& bytes);

// A fresh folder, removed with everything in it at the end of the test.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes `bytes` to a file of that name in the folder; answers its full path.
    std::string write(const std::string& name, const std::string& bytes) const;
    // The names of the files in the folder, sorted.
    std::vector<std::string> names() const;

  private:
    std::filesystem::path path_;
};

// Makes `folder` the current folder until destroyed.
class CurrentFolder {
  public:
    explicit CurrentFolder(const std::filesystem::path& folder);
    ~CurrentFolder();
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

  private:
    std::filesystem::path previous_;
};

} // namespace qrv::test
