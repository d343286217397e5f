// qrv-check where a slip would lose data or mislead: a letter path that
// names the media or summary file, a summary file that would replace another
// media file, a letter path that is no regular file, output that cannot be
// written, temporary space that fails, limits, names near the system's
// limits, control characters from a media file.
#include "cli/check_output.h"
#include "files/file_error.h"
#include "journal/digest.h"
#include "tests/cli/qrv_check_process.h"
#include "tests/support/media_lines.h"
#include "tests/support/refusing_folder.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

namespace qrv::test {
namespace {

namespace fs = std::filesystem;

struct LetterCase {
    std::string name;
    bool absoluteMedia; // else "in.txt", in the work folder where qrv-check runs
    std::string letter; // as given to --letter
    std::string link;   // when not empty, a symbolic link of this name to `letter` is given instead
    bool earlierRun;    // the summary file exists from a run before
    std::string complaint;
};

std::ostream& operator<<(std::ostream& out, const LetterCase& c) {
    return out << c.name;
}

class LetterOverInput : public testing::TestWithParam<LetterCase> {};

// Refused before the check, so that nothing at all is written.
TEST_P(LetterOverInput, IsRefusedAndNothingIsWritten) {
    const LetterCase& c = GetParam();
#ifdef _WIN32
    if (!c.link.empty())
        GTEST_SKIP() << "symbolic links on Windows need a privilege that a standard user lacks";
    if (c.absoluteMedia)
        GTEST_SKIP() << "an absolute path on Windows has a drive letter, whose root takes the summary file";
#endif
    TempDir dir;
    const std::string media = dir.write("in.txt", ReadBytes(fs::path(QRV_SAMPLES_DIR) / "100m-clean.txt"));
    const fs::path summary = dir.path() / (c.absoluteMedia ? "012345" : "in.012345");
    if (c.earlierRun) {
        WriteBytes(summary, "earlier summary\r\n");
    }
    std::string letter = c.letter;
    if (!c.link.empty()) {
        fs::create_symlink(c.letter, dir.path() / c.link);
        letter = c.link;
    }
    const std::vector<std::string> before = dir.names();

    const ProcessResult run =
        RunQrvCheck({"--format", "100M", "--letter", letter, c.absoluteMedia ? media : "in.txt"}, dir.path());
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(c.complaint), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("usage: qrv-check"), std::string::npos);
    EXPECT_EQ(dir.names(), before);
    EXPECT_EQ(ReadBytes(media), ReadBytes(fs::path(QRV_SAMPLES_DIR) / "100m-clean.txt"));
    if (c.earlierRun) {
        EXPECT_EQ(ReadBytes(summary), "earlier summary\r\n");
    }
}

std::string CaseName(const testing::TestParamInfo<LetterCase>& param) {
    return param.param.name;
}

const std::string kMedia = "is the media file itself";
const std::string kSummary = "is the summary file";

INSTANTIATE_TEST_SUITE_P(
    Cases, LetterOverInput,
    testing::Values(LetterCase{"SamePath", false, "in.txt", "", false, kMedia},
                    LetterCase{"OtherSpelling", false, "./sub/../in.txt", "", false, kMedia},
                    LetterCase{"LinkToMedia", true, "in.txt", "letter.txt", false, kMedia},
                    LetterCase{"EarlierSummary", false, "in.012345", "", true, kSummary},
                    LetterCase{"SummaryToCome", false, "in.012345", "", false, kSummary},
                    LetterCase{"LinkToSummaryToCome", false, "in.012345", "letter.txt", false, kSummary},
                    LetterCase{"SummaryBesideAnAbsolutePath", true, "012345", "", true, kSummary},
                    LetterCase{"LinkToSummaryBesideAnAbsolutePath", true, "012345", "letter.txt", false,
                               kSummary}),
    CaseName);

// Where the summary path cannot be known, the run says why.
TEST(LetterOverInput, IsLeftToTheRunForAFileThatIsNoMediaFile) {
    TempDir dir;
    const fs::path media = dir.path() / "long.txt";
    WriteBytes(media, "");
    fs::resize_file(media, 100000);
    const ProcessResult run =
        RunQrvCheck({"--format", "100M", "--letter", "letter.txt", "long.txt"}, dir.path());
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.err.rfind("qrv-check: long.txt: The check stopped at line 1: the line is longer", 0), 0u)
        << run.err;
    EXPECT_FALSE(fs::exists(dir.path() / "letter.txt"));
}

// The letter replaces an earlier one in one step: a failure leaves it as it was.
TEST(LetterFile, ReplacesAnEarlierLetterWhole) {
    TempDir dir;
    CopySample(dir, "100m-clean.txt");
    const fs::path letter = dir.path() / "letter.txt";
    WriteBytes(letter, "earlier letter");
    // A relative path, whose summary file stays in the folder on every platform.
    ASSERT_EQ(RunQrvCheck({"--format", "100M", "--letter", letter.string(), "100m-clean.txt"}, dir.path())
                  .exitStatus,
              0);
    EXPECT_EQ(SplitCrLfLines(ReadBytes(letter)).size(), 26u);
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"100012345", "100m-clean.txt", "letter.txt"}));
}

// The summary (560 bytes) and the report fit under the limit; the letter
// (1,234 bytes) does not.
TEST(LetterFile, AFailedWriteLeavesTheEarlierLetterAndNoOtherFile) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no file size limit for a process";
#endif
    TempDir dir;
    const auto media = CopySample(dir, "100m-clean.txt");
    const fs::path letter = dir.path() / "letter.txt";
    WriteBytes(letter, "earlier letter");
    const ProcessResult run = RunQrvCheck({"--format", "100M", "--letter", letter.string(), media},
                                          dir.path(), Output::Captured, {.fileSize = 1000});
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.err.find("no letter written: Cannot write the letter"), std::string::npos) << run.err;
    EXPECT_EQ(ReadBytes(letter), "earlier letter");
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"012345", "100m-clean.txt", "letter.txt"}));
}

// Allocations fail once the address space is just too small for the run:
// found by halving between a limit too small to start and one that is ample.
// Just below the smallest that lets it finish, it must still end in a
// message and exit status 2, never in an abort.
TEST(Memory, RunningOutEndsInAMessageAndStatusTwo) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer reserves far more address space than the limit";
#endif
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no address space limit for a process";
#endif
    TempDir dir;
    const auto media = CopySample(dir, "100m-rejected.txt");
    for (const bool json : {false, true}) {
        std::vector<std::string> args{"--format", "100M", media};
        if (json)
            args.push_back("--json");
        const auto finishes = [&](std::uint64_t limit) {
            return RunQrvCheck(args, dir.path(), Output::Captured, {.memory = limit}).exitStatus == 1;
        };
        std::uint64_t tooSmall = 1 << 20;
        std::uint64_t enough = 512 << 20;
        ASSERT_TRUE(finishes(enough));
        while (enough - tooSmall > (16 << 10)) {
            const std::uint64_t middle = (tooSmall + enough) / 2;
            (finishes(middle) ? enough : tooSmall) = middle;
        }
        for (std::uint64_t limit = tooSmall; limit > tooSmall - (256 << 10); limit -= 32 << 10) {
            const ProcessResult run = RunQrvCheck(args, dir.path(), Output::Captured, {.memory = limit});
            if (run.exitStatus == 127)
                break; // too small for the loader to map the program at all
            EXPECT_EQ(run.exitStatus, 2) << limit << " bytes, json " << json << "\n" << run.err;
            EXPECT_EQ(run.err.rfind("qrv-check: ", 0), 0u) << limit << " bytes\n" << run.err;
        }
    }
}

// The second file would be the first one's summary file: its run would
// replace it before it is read.
TEST(SummaryOverInput, ACallWhoseSummaryFileIsAnotherMediaFileIsRefusedWhole) {
    TempDir dir;
    const std::string clean = ReadBytes(fs::path(QRV_SAMPLES_DIR) / "100m-clean.txt");
    dir.write("ab.txt", clean);
    dir.write("ab.012345", clean);
    const std::vector<std::string> before = dir.names();

    const ProcessResult run = RunQrvCheck({"--format", "100M", "ab.txt", "ab.012345"}, dir.path());

    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "qrv-check: the summary file ab.012345 of ab.txt would replace the media file ab.012345; "
              "nothing was checked\n");
    EXPECT_EQ(dir.names(), before);
    EXPECT_EQ(ReadBytes(dir.path() / "ab.012345"), clean);
}

// A drive whose root refuses new files, as C:\ does on Windows: "ro/" here,
// the first three characters of ro/pay/in.txt.
class RefusingRoot : public testing::Test {
  protected:
    void SetUp() override {
        if (!root_.unavailable().empty())
            GTEST_SKIP() << "no folder that refuses new files: " << root_.unavailable();
        WriteBytes(root_.inner() / "in.txt", clean_);
    }

    TempDir dir_;
    RefusingFolder root_{dir_.path() / "ro"};
    const std::string clean_ = ReadBytes(fs::path(QRV_SAMPLES_DIR) / "100m-clean.txt");
    const std::string because_ = "ro/ cannot be written; the summary is beside the media file";
};

TEST_F(RefusingRoot, SummaryGoesBesideTheMediaFileAndTheReportsSayWhy) {
    const ProcessResult json = RunQrvCheck({"--format", "100M", "--json", "ro/pay/in.txt"}, dir_.path());
    const ProcessResult text = RunQrvCheck({"--format", "100M", "ro/pay/in.txt"}, dir_.path());

    EXPECT_EQ(json.exitStatus, 0) << json.err;
    const nlohmann::json report = nlohmann::json::parse(json.out);
    EXPECT_EQ(report.at("summary_file"), "ro/pay/012345");
    EXPECT_EQ(report.at("window").at("labels").at("Label1"), "ro/pay/012345");
    EXPECT_EQ(report.at("summary"),
              nlohmann::json({{"path", "ro/pay/012345"},
                              {"written", true},
                              {"sha256", Sha256(clean_)}, // a clean file's summary holds all of it
                              {"moved_because", because_}}));
    EXPECT_EQ(text.exitStatus, 0) << text.err;
    EXPECT_NE(text.out.find("  Summary file  :         ro/pay/012345\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("Summary file written: ro/pay/012345\nSummary file moved: " + because_ + "\n"),
              std::string::npos)
        << text.out;
    EXPECT_EQ(ReadBytes(root_.inner() / "012345"), clean_);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path() / "ro"), {}), 1);
}

// The checks before the run know where the summary file will go.
TEST_F(RefusingRoot, LetterOrMediaFileWhereTheSummaryGoesIsRefusedBeforeTheRun) {
    WriteBytes(root_.inner() / "012345", clean_);
    const struct {
        std::vector<std::string> args;
        std::string complaint;
    } cases[] = {
        {{"--letter", "ro/pay/012345", "ro/pay/in.txt"},
         "qrv-check: --letter ro/pay/012345 is the summary file ro/pay/012345 of the media file\n"},
        {{"ro/pay/in.txt", "ro/pay/012345"},
         "qrv-check: the summary file ro/pay/012345 of ro/pay/in.txt would replace the media file "
         "ro/pay/012345; nothing was checked\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.complaint);
        std::vector<std::string> args = {"--format", "100M"};
        args.insert(args.end(), c.args.begin(), c.args.end());

        const ProcessResult run = RunQrvCheck(args, dir_.path());

        EXPECT_EQ(run.exitStatus, 2);
        EXPECT_EQ(run.err.substr(0, c.complaint.size()), c.complaint);
        EXPECT_EQ(ReadBytes(root_.inner() / "012345"), clean_);
        EXPECT_EQ(std::distance(fs::directory_iterator(root_.inner()), {}), 2);
    }
}

#ifndef _WIN32
// A letter path that is a device, a FIFO or a link is written into and left
// in place; through a link to a regular file, the file is replaced.
struct LetterNodeCase {
    std::string name;
    std::string letter;  // as given to --letter
    std::string made;    // "fifo", "device" (root only), "file" or "" (it exists already)
    bool linked;         // --letter names a link "link" to what was made
    std::string arrives; // where the letter comes out: "fifo", "stdout", "file" or ""
    std::string complaint;
};

class LetterIntoNode : public testing::TestWithParam<LetterNodeCase> {};

TEST_P(LetterIntoNode, IsWrittenIntoAndNeverReplaced) {
    const LetterNodeCase& c = GetParam();
    TempDir dir;
    CopySample(dir, "100m-clean.txt");
    const fs::path made = dir.path() / c.made;
    if (c.made == "fifo") {
        ASSERT_EQ(::mkfifo(made.c_str(), 0600), 0);
    }
    if (c.made == "device" && ::mknod(made.c_str(), S_IFCHR | 0600, makedev(1, 7)) != 0)
        GTEST_SKIP() << "cannot make a device node (root only): " << std::strerror(errno);
    if (c.made == "file")
        WriteBytes(made, "earlier letter");
    std::string letter = c.made.empty() ? c.letter : made.string();
    if (c.linked) {
        fs::create_symlink(letter, dir.path() / "link");
        letter = (dir.path() / "link").string();
    }
    struct stat before {};
    ASSERT_EQ(::lstat(letter.c_str(), &before), 0);
    const int reader = c.arrives == "fifo" ? ::open(made.c_str(), O_RDONLY | O_NONBLOCK) : -1;

    const ProcessResult run =
        RunQrvCheck({"--format", "100M", "--letter", letter, "100m-clean.txt"}, dir.path());

    std::string received;
    char block[4096];
    for (ssize_t got; reader >= 0 && (got = ::read(reader, block, sizeof block)) > 0;)
        received.append(block, static_cast<std::size_t>(got));
    if (reader >= 0)
        ::close(reader);
    if (c.arrives == "stdout")
        received = run.out;
    if (c.arrives == "file")
        received = ReadBytes(made);
    struct stat after {};
    ASSERT_EQ(::lstat(letter.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "replaced";
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(run.exitStatus, c.complaint.empty() ? 0 : 2) << run.err;
    EXPECT_NE(run.err.find(c.complaint), std::string::npos) << run.err;
    // The letter's 26 lines end in CR LF, the report's in LF alone.
    EXPECT_EQ(std::count(received.begin(), received.end(), '\r'), c.arrives.empty() ? 0 : 26) << received;
}

INSTANTIATE_TEST_SUITE_P(
    Nodes, LetterIntoNode,
    testing::Values(LetterNodeCase{"Fifo", "", "fifo", false, "fifo", ""},
                    LetterNodeCase{"LinkToFifo", "", "fifo", true, "fifo", ""},
                    LetterNodeCase{"FifoThatNobodyReads", "", "fifo", false, "",
                                   "no letter written: Cannot write the letter"},
                    LetterNodeCase{"StandardOutput", "/dev/stdout", "", false, "stdout", ""},
                    LetterNodeCase{"AlwaysFullDevice", "", "device", false, "", ": No space left on device"},
                    LetterNodeCase{"LinkToARegularFile", "", "file", true, "file", ""}),
    [](const testing::TestParamInfo<LetterNodeCase>& param) { return param.param.name; });
#endif

// A 100 M media file of `count` copies of `detail`.
std::string MediaFile(const std::string& detail, int count) {
    std::vector<std::string> lines{
        test::ControlLine(Format::M100, {.totalRecord = test::RecordCount(count)})};
    lines.insert(lines.end(), static_cast<std::size_t>(count), detail);
    return test::JoinLines(lines);
}

// The temporary file of rejected rows follows TMPDIR. Where it cannot be
// made, that file's run stops as a run error, with no summary file, the
// report stays valid JSON and the next file is still checked.
TEST(RejectedRows, TemporarySpaceThatFailsIsARunErrorOfThatFile) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows takes its temporary folder from TMP, not TMPDIR";
#else
    TempDir dir;
    dir.write("many.txt", MediaFile(test::DetailLine(Format::M100, {.account = "ABCDEFGHIJ"}), 2000));
    CopySample(dir, "100m-clean.txt");
    const std::string missing = (dir.path() / "no such folder").string();
    // Through env, so that only qrv-check sees the missing folder.
    const ProcessResult run = RunProgram(
        "/usr/bin/env",
        {"TMPDIR=" + missing, QRV_CHECK_PATH, "--format", "100M", "--json", "many.txt", "100m-clean.txt"},
        dir.path());

    EXPECT_EQ(run.exitStatus, 2);
    const std::size_t end = run.out.find('\n');
    ASSERT_TRUE(nlohmann::json::accept(run.out.substr(0, end))) << run.out.substr(0, 200);
    const nlohmann::json first = nlohmann::json::parse(run.out.substr(0, end));
    const nlohmann::json second = nlohmann::json::parse(run.out.substr(end + 1));
    EXPECT_EQ(first["outcome"], "run_error");
    EXPECT_EQ(first["error"]["message"], "Cannot write the temporary file of rejected rows in \"" + missing +
                                             "\": " + SystemErrorText(ENOENT) + ".");
    EXPECT_EQ(first["summary_file"], nullptr);
    EXPECT_EQ(second["outcome"], "finished");
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"100012345", "100m-clean.txt", "many.txt"}));
#endif
}

// Under ulimit -f a write past the limit is a write failure with its
// message, not death by SIGXFSZ: the earlier summary file stays.
TEST(Limits, AFileSizeLimitStopsTheRunWithAMessage) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no file size limit for a process";
#endif
    TempDir dir;
    dir.write("big.txt", MediaFile(test::DetailLine(Format::M100, {}), 2000));
    dir.write("big012345", "earlier summary");
    const ProcessResult run =
        RunQrvCheck({"--format", "100M", "big.txt"}, dir.path(), Output::Captured, {.fileSize = 100'000});
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(
        run.err.find("qrv-check: big.txt: Cannot write the summary file \"big012345\": File too large."),
        std::string::npos)
        << run.err;
    EXPECT_EQ(ReadBytes(dir.path() / "big012345"), "earlier summary");
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"big.txt", "big012345"}));
}

// A name that could be written once can be written again: the temporary
// name does not grow with it (82 Thai letters and ".txt" are 250 bytes).
TEST(LetterFile, ANameNearTheLimitCanBeReplaced) {
    TempDir dir;
    CopySample(dir, "100m-clean.txt");
    std::string name;
    for (int i = 0; i < 82; ++i)
        name += "ก";
    name += ".txt";
    for (int run = 1; run <= 2; ++run) {
        const ProcessResult check =
            RunQrvCheck({"--format", "100M", "--letter", name, "100m-clean.txt"}, dir.path());
        EXPECT_EQ(check.exitStatus, 0) << "run " << run << ": " << check.err;
    }
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"100012345", "100m-clean.txt", name}));
}

TEST(StandardOutput, AFailedWriteIsReported) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no device that is always full";
#endif
    struct Case {
        std::vector<std::string> args;
        Output output;
        std::string complaint;
    };
    const std::string full = "cannot write the report to standard output: No space left on device";
    const std::string closed = "standard output is closed";
    TempDir dir;
    const auto media = CopySample(dir, "100m-rejected.txt");
    for (const Case& c : {Case{{"--format", "100M", media}, Output::Full, full},
                          Case{{"--format", "100M", "--json", media}, Output::Full, full},
                          Case{{"--version"}, Output::Full, full},
                          Case{{"--format", "100M", media}, Output::Closed, closed}}) {
        const ProcessResult run = RunQrvCheck(c.args, dir.path(), c.output);
        EXPECT_EQ(run.exitStatus, 2) << c.args[1];
        EXPECT_NE(run.err.find(c.complaint), std::string::npos) << run.err;
    }
}

// ESC, CR, NUL and DEL from the media file reach the terminal escaped, and
// the columns still line up.
TEST(TextReport, EscapesControlCharactersFromTheMediaFile) {
    TempDir dir;
    const auto media = CopySample(dir, "100m-rejected.txt");
    std::string bytes = ReadBytes(media);
    bytes.replace(17, 4, "\x1b[2J"); // company name
    bytes.replace(80 + 5, 1, "\r");  // the first detail's account
    bytes.replace(2 * 80 + 3, 2, {'\0', '\x7f'});
    WriteBytes(media, bytes);
    const ProcessResult run = RunQrvCheck({"--format", "100M", media}, dir.path());
    for (const char raw : {'\x1b', '\r', '\0', '\x7f'})
        EXPECT_EQ(run.out.find(raw), std::string::npos) << int(raw);
    for (const std::string escaped : {"\\x1B[2J", "12345\\x0D7896", "\\x00\\x7F"})
        EXPECT_NE(run.out.find(escaped), std::string::npos) << escaped << "\n" << run.out;
    const std::size_t header = run.out.find("  NO.");
    const std::size_t first = run.out.find('\n', header) + 1;
    const std::size_t located = run.out.find('\n', first) + 1;
    EXPECT_EQ(run.out.substr(located, 20), "      columns 1\u201310");
    const std::size_t second = run.out.find('\n', located) + 1;
    EXPECT_EQ(run.out.find("Effective Date", header) - header, run.out.find("15/01/24", first) - first);
    EXPECT_EQ(run.out.find("Effective Date", header) - header, run.out.find("15/01/24", second) - second);
}

// UTF-16 surrogates (U+D800 to U+DFFF) have no UTF-8 form: their three bytes
// are written one by one, while U+D7FF just below them stays as it is.
TEST(EscapeControls, SurrogatesAreNoUtf8AndAreWrittenByteForByte) {
    EXPECT_EQ(cli::EscapeControls("a\xED\xA0\x80z"), "a\\xED\\xA0\\x80z");
    EXPECT_EQ(cli::EscapeControls("\xED\xBF\xBF"), "\\xED\\xBF\\xBF");
    EXPECT_EQ(cli::EscapeControls("\xED\x9F\xBF"), "\xED\x9F\xBF");
}

} // namespace
} // namespace qrv::test
