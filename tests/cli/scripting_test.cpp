// qrv-check as scripts use it: its version, formats in any letter case, one
// line on standard error for each failure, several media files in one call.
#include "files/file_error.h"
#include "summary/summary_file.h"
#include "tests/cli/qrv_check_process.h"
#include "tests/support/media_lines.h"
#include "version.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace qrv::test {
namespace {

using nlohmann::json;

TEST(Version, IsPrintedAlone) {
    TempDir dir;
    const ProcessResult run = RunQrvCheck({"--version"}, dir.path());
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, "qrv-check " + std::string(kVersion) + "\n");
    EXPECT_EQ(run.err, "");
    EXPECT_FALSE(kVersion.empty());
}

TEST(FormatOption, TakesAnyLetterCase) {
    struct Case {
        std::string given;
        std::string sample;
        std::string reported;
    };
    for (const Case& c : {Case{"100m", "100m-clean.txt", "100M"}, Case{"10m", "10m-clean.txt", "10M"},
                          Case{"10M", "10m-clean.txt", "10M"}}) {
        TempDir dir;
        const auto media = CopySample(dir, c.sample);
        const ProcessResult run = RunQrvCheck({"--json", "--format", c.given, media}, dir.path());
        EXPECT_EQ(run.exitStatus, 0) << c.given << run.err;
        EXPECT_EQ(json::parse(run.out).at("format"), c.reported) << c.given;
    }
}

// Failures a script must notice get one line each; findings do not.
TEST(StandardError, HasOneLinePerFailedRun) {
    TempDir dir;
    const auto bad = CopySample(dir, "100m-clean.txt");
    std::string bytes = ReadBytes(bad);
    bytes[2 * 80 + 16] = ' '; // a blank sign on line 3 stops the run
    WriteBytes(bad, bytes);
    const std::string missing = (dir.path() / "missing.txt").string();
    const std::string wrongFormat = CopySample(dir, "wrong-format.txt");
    struct Case {
        std::string format;
        std::string media;
        std::string err;
    };
    const Case cases[] = {
        {"10M", wrongFormat, "qrv-check: " + wrongFormat + ": Wrong Format\n"},
        {"100M", missing,
         "qrv-check: " + missing + ": Cannot open the input file \"" + missing +
             "\": " + SystemErrorText(ENOENT) + ".\n"},
        {"100M", bad,
         "qrv-check: " + bad + ": The check stopped at line 3: in the Sign field, \" \" is not a number.\n"},
        {"100M", CopySample(dir, "100m-rejected.txt"), ""},
        {"100M", CopySample(dir, "100m-bad-control.txt"), ""},
    };
    for (const Case& c : cases) {
        const ProcessResult run = RunQrvCheck({"--format", c.format, c.media}, dir.path());
        EXPECT_EQ(run.err, c.err) << c.media;
    }
}

TEST(StandardError, EscapesControlCharactersInTheLine) {
    TempDir dir;
    const std::string name = std::string("a\x1b[2Jb\xc2\x9b") + "2Jc.txt"; // ESC, then C1 CSI
    const std::string missing = dir.path().string() + "/" + name; // UTF-8 as it is, on every platform
    const ProcessResult run = RunQrvCheck({"--format", "100M", missing}, dir.path());
    EXPECT_EQ(run.err.find('\x1b'), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("\xc2\x9b"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("a\\x1B[2Jb\\x9B2Jc.txt"), std::string::npos) << run.err;
}

// A name that is no UTF-8 (0x9B, the 8-bit CSI) is spelled \x9B in the
// line's prefix and in its message, on standard error, in the text report and
// in JSON alike; no raw byte and no U+FFFD reaches the terminal.
TEST(StandardError, EscapesBytesThatAreNoUtf8Everywhere) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows takes file names as UTF-8 only";
#endif
    TempDir dir;
    const std::string name = "a\x9b"
                             "2Jb.txt";
    const ProcessResult text = RunQrvCheck({"--format", "100M", name}, dir.path());
    const ProcessResult inJson = RunQrvCheck({"--format", "100M", "--json", name}, dir.path());
    const std::string message =
        "Cannot open the input file \"a\\x9B2Jb.txt\": " + SystemErrorText(ENOENT) + ".";
    EXPECT_EQ(text.err, "qrv-check: a\\x9B2Jb.txt: " + message + "\n");
    EXPECT_NE(text.out.find("Message [QRV Edit Data, stop]: " + message), std::string::npos) << text.out;
    const json report = json::parse(inJson.out);
    EXPECT_EQ(report["error"]["message"], message);
    EXPECT_EQ(report["messages"][0]["text"], message);
    for (const std::string& shown : {text.out, text.err, inJson.out, inJson.err}) {
        EXPECT_EQ(shown.find('\x9b'), std::string::npos) << shown;
        EXPECT_EQ(shown.find("\xef\xbf\xbd"), std::string::npos) << shown;
    }
}

// The company code ending Label1 comes from the media file: it is shown
// decoded from code page 874, as Com_code is, not spelled as a file name.
TEST(SummaryPath, ShowsAThaiCompanyCodeAsComCodeDoes) {
    TempDir dir;
    const std::string code = ToCp874(u"กขฃ") + "456";
    WriteBytes(dir.path() / "in.txt", ControlLine(Format::M100, {.companyCode = code}) + "\r\n");
    const ProcessResult text = RunQrvCheck({"--format", "100M", "in.txt"}, dir.path());
    const ProcessResult inJson = RunQrvCheck({"--format", "100M", "--json", "in.txt"}, dir.path());
    EXPECT_NE(text.out.find("Summary file  :         in.กขฃ456\n"), std::string::npos) << text.out;
    const json report = json::parse(inJson.out);
    EXPECT_EQ(report["window"]["labels"]["Label1"], "in.กขฃ456");
    EXPECT_EQ(report["window"]["labels"]["Com_code"], "กขฃ456");
    EXPECT_EQ(report["summary"]["path"], "in.กขฃ456");
}

// Several media files: each is checked and reported as it would be alone,
// in the order given, and the exit status is the worst of their runs.
class SeveralFiles : public testing::Test {
  protected:
    void SetUp() override {
        clean = CopySample(dir, "100m-clean.txt");
        rejected = CopySample(dir, "100m-rejected.txt");
        missing = (dir.path() / "missing.txt").string();
    }

    ProcessResult run(std::vector<std::string> args) { return RunQrvCheck(args, dir.path()); }

    TempDir dir;
    std::string clean;
    std::string rejected;
    std::string missing;
};

TEST_F(SeveralFiles, TextReportsFollowEachOtherUnderTheirFileNames) {
    const std::string aloneClean = run({"--format", "100M", clean}).out;
    const std::string aloneRejected = run({"--format", "100M", rejected}).out;
    std::filesystem::remove(SummaryFilePath(clean, "012345"));
    std::filesystem::remove(SummaryFilePath(rejected, "023456"));

    const ProcessResult both = run({"--format", "100M", rejected, clean});
    EXPECT_EQ(both.out,
              "Media file: " + rejected + "\n" + aloneRejected + "Media file: " + clean + "\n" + aloneClean);
    EXPECT_TRUE(std::filesystem::exists(SummaryFilePath(clean, "012345")));
    EXPECT_TRUE(std::filesystem::exists(SummaryFilePath(rejected, "023456")));
}

TEST_F(SeveralFiles, JsonGivesOneObjectPerLine) {
    std::vector<json> alone;
    for (const std::string& media : {clean, missing, rejected})
        alone.push_back(json::parse(run({"--json", "--format", "100M", media}).out));

    const ProcessResult all = run({"--json", "--format", "100M", clean, missing, rejected});
    std::vector<json> lines;
    std::istringstream out(all.out);
    for (std::string line; std::getline(out, line);) {
        lines.push_back(json::parse(line));
        EXPECT_EQ(line, nlohmann::ordered_json::parse(line).dump()) << "compact as dump() makes it";
    }
    EXPECT_EQ(lines, alone);
    EXPECT_EQ(all.out.back(), '\n');
}

// Two files of one company in one folder share a summary file: each is
// checked, and a run that replaces the summary of another file says so. The
// same file twice loses nothing and says nothing.
TEST_F(SeveralFiles, SayWhenOneReplacesTheSummaryFileOfAnother) {
    const std::string copy = (dir.path() / "copy.txt").string();
    std::filesystem::copy_file(clean, copy);
    const std::string summary = SummaryFilePath(clean, "012345");

    const ProcessResult all = run({"--json", "--format", "100M", clean, clean, copy, clean});

    EXPECT_EQ(all.exitStatus, 0);
    EXPECT_EQ(all.err, "qrv-check: " + copy + ": its summary file " + summary + " replaces the one of " +
                           clean + "\nqrv-check: " + clean + ": its summary file " + summary +
                           " replaces the one of " + copy + "\n");
    std::vector<json> replaces;
    std::istringstream out(all.out);
    for (std::string line; std::getline(out, line);)
        replaces.push_back(json::parse(line)["summary"].value("replaces", json()));
    EXPECT_EQ(replaces, (std::vector<json>{nullptr, nullptr, json(clean), json(copy)}));
}

TEST_F(SeveralFiles, ExitWithTheHighestStatusOfTheirRuns) {
    struct Case {
        std::vector<std::string> media;
        int exitStatus;
    };
    for (const Case& c : {Case{{clean, clean}, 0}, Case{{rejected, clean}, 1}, Case{{clean, rejected}, 1},
                          Case{{missing, clean}, 2}, Case{{clean, rejected, missing}, 2}}) {
        std::vector<std::string> args{"--format", "100M"};
        args.insert(args.end(), c.media.begin(), c.media.end());
        EXPECT_EQ(run(args).exitStatus, c.exitStatus) << c.media.size() << " files";
    }
}

} // namespace
} // namespace qrv::test
