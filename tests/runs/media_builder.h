// Media files for the check-run tests: fixed-width control and detail lines of
// either format, temporary folders, and the run of each format.
#pragma once

#include "engine/check_run.h"
#include "engine/module_100m.h"
#include "engine/module_10m.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace qrv::test {

enum class Format { M100, M10 };

struct FormatCase {
    const char* name;
    Format format;
    RunResult (*run)(const std::string& mediaPath, ResultWindow& window, UserPort& user);
};

inline constexpr FormatCase kFormat100M{"Format100M", Format::M100, CheckFile100M};
inline constexpr FormatCase kFormat10M{"Format10M", Format::M10, CheckFile10M};
inline constexpr FormatCase kBothFormats[] = {kFormat100M, kFormat10M};

// Field texts of a control line; each is padded with spaces to its width or
// cut to it. The defaults make a control record that passes every check.
struct Control {
    std::string filler{};
    std::string termPayment = "M";
    std::string companyCode = "012345";
    std::string companyName = "ACME PAYROLL SERVICES";
    std::string applyCode = "C";
    std::string status = "A";
    std::string effectiveDate = "311206";
    std::string totalRecord = "00000";
    std::string totalAmount{}; // empty: zeros
    std::string mediaType = "D";
    std::string spare{};
};

// Field texts of a detail line, padded and cut like those of Control; the
// defaults make an accepted record under the default control record.
struct Detail {
    std::string account = "1234567896";
    std::string effectiveDate = "311206";
    std::string sign = "1";
    std::string amount{}; // empty: zeros
    std::string spare{};
};

std::string ControlLine(Format format, const Control& control);
std::string DetailLine(Format format, const Detail& detail);

// Digit texts of the format's widths, from whole satang (hundredths).
std::string DetailAmount(Format format, std::int64_t satang);
std::string ControlAmount(Format format, std::int64_t satang);
std::string RecordCount(int count);

// The lines joined, each followed by `terminator`.
std::string JoinLines(const std::vector<std::string>& lines, const std::string& terminator = "\r\n");

std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

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
