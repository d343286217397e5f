// A recorded window and user sharing one event log, the run of each format,
// and the fixture of the suites that run each case in both formats.
#pragma once

#include "runs/check_run.h"
#include "runs/module_100m.h"
#include "runs/module_10m.h"
#include "tests/support/media_lines.h"
#include "tests/support/recording_ports.h"
#include "tests/support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace qrv::test {

struct FormatCase {
    const char* name;
    Format format;
    RunResult (*run)(const std::string& mediaPath, ResultWindow& window, UserPort& user);
};

inline constexpr FormatCase kFormat100M{"Format100M", Format::M100, CheckFile100M};
inline constexpr FormatCase kFormat10M{"Format10M", Format::M10, CheckFile10M};
inline constexpr FormatCase kBothFormats[] = {kFormat100M, kFormat10M};

struct Session {
    Session() = default;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    RunResult run(const FormatCase& format, const std::string& mediaPath) {
        return format.run(mediaPath, window, user);
    }

    EventLog log;
    RecordingWindow window{log};
    RecordingUser user{log};
};

class BothFormats : public ::testing::TestWithParam<FormatCase> {
  protected:
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
    std::string summaryPath() const { return (dir.path() / "012345").string(); }

    TempDir dir;
    Session session;
};

inline std::string FormatName(const ::testing::TestParamInfo<FormatCase>& info) {
    return info.param.name;
}

inline void PrintTo(const FormatCase& format, std::ostream* out) {
    *out << format.name;
}

inline constexpr std::string_view kPleaseCheck = "Please check data input file.";

} // namespace qrv::test
