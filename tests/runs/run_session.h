// A recorded window and user sharing one event log, the run of each format,
// and the fixture of the suites that run each case in both formats.
#pragma once

#include "runs/check_run.h"
#include "runs/format.h"
#include "summary/summary_file.h"
#include "tests/support/media_lines.h"
#include "tests/support/recording_ports.h"
#include "tests/support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace qrv::test {

struct FormatCase {
    const char* name;
    Format format;
};

inline constexpr FormatCase kFormat100M{"Format100M", Format::M100};
inline constexpr FormatCase kFormat10M{"Format10M", Format::M10};
inline constexpr FormatCase kBothFormats[] = {kFormat100M, kFormat10M};

struct Session {
    Session() = default;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    RunResult run(const FormatCase& format, const std::string& mediaPath) {
        return CheckFile(format.format, mediaPath, window, user);
    }

    EventLog log;
    RecordingWindow window{log};
    RecordingUser user{log};
};

class BothFormats : public ::testing::TestWithParam<FormatCase> {
  protected:
    BothFormats() { removeSummaryOutside(); }
    ~BothFormats() override { removeSummaryOutside(); }

    Format format() const { return GetParam().format; }
    RunResult run(const std::string& mediaPath) { return session.run(GetParam(), mediaPath); }
    RunResult run(Session& other, const std::string& mediaPath) { return other.run(GetParam(), mediaPath); }

    std::string control(const Control& fields = {}) const { return ControlLine(format(), fields); }
    std::string detail(const Detail& fields = {}) const { return DetailLine(format(), fields); }
    std::string amount(std::int64_t satang) const { return DetailAmount(format(), satang); }
    // A control line whose totals announce `records` details worth `satang`.
    std::string control(int records, std::int64_t satang, Control fields = {}) const {
        fields.totalRecord = RecordCount(records);
        fields.totalAmount = ControlAmount(format(), satang);
        return control(fields);
    }
    // Writes a media file "jan.txt" of these lines, each ending in CR LF.
    std::string media(const std::vector<std::string>& lines) const {
        return dir.write("jan.txt", JoinLines(lines));
    }
    // Where the summary file of media() goes by the rule: beside it when the
    // path begins with "/", else at its first three characters (C:\012345 on
    // Windows, where the temporary folder has a drive letter).
    std::string summaryPath() const { return SummaryFilePath((dir.path() / "jan.txt").string(), "012345"); }
    // The names in the temporary folder and those beside the summary file
    // that begin with its name, sorted: what a run left behind.
    std::vector<std::string> names() const {
        std::vector<std::string> found = dir.names();
        const std::filesystem::path summary(summaryPath());
        if (summary.parent_path() != dir.path()) {
            for (const auto& entry : std::filesystem::directory_iterator(summary.parent_path())) {
                const std::string name = entry.path().filename().string();
                if (name.starts_with(summary.filename().string()))
                    found.push_back(name);
            }
        }
        std::ranges::sort(found);
        return found;
    }

    TempDir dir;
    Session session;

  private:
    // A summary file outside the temporary folder goes before and after.
    void removeSummaryOutside() const {
        const std::filesystem::path summary(summaryPath());
        std::error_code ignored;
        if (summary.parent_path() != dir.path())
            std::filesystem::remove_all(summary, ignored);
    }
};

inline std::string FormatName(const ::testing::TestParamInfo<FormatCase>& info) {
    return info.param.name;
}

inline void PrintTo(const FormatCase& format, std::ostream* out) {
    *out << format.name;
}

inline constexpr std::string_view kPleaseCheck = "Please check data input file.";

} // namespace qrv::test
