// The summary file: its content, its atomic replacement, and where it goes.
#include "tests/runs/run_session.h"
#include "tests/support/refusing_folder.h"

#include <cerrno>
#include <filesystem>

namespace qrv::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class SummaryFile : public BothFormats {};

TEST_P(SummaryFile, HoldsTheControlLineAndTheAcceptedLinesEachAsRead) {
    // Bytes beyond position 78, Thai text, a lone CR and a NUL are copied unchanged.
    Control fields;
    fields.companyName = "\xBA\xC3\xD4\xC9\xD1\xB7 \xA1\xA2\xA4";
    const std::string controlLine = control(3, 150100, fields) + "EXTRA AFTER THE CONTROL RECORD";
    const std::string longDetail = detail({.amount = amount(150000)}) + "MORE TEXT PAST POSITION 78";
    const std::string oddDetail =
        detail({.account = "4102345677", .amount = amount(100), .spare = "a\rb"}) + std::string(1, '\0');
    const std::string rejected = detail({.account = "1234567890"});
    WriteBytes(summaryPath(), "AN EARLIER SUMMARY FILE\r\n");

    const RunResult result =
        run(dir.write("jan.txt", JoinLines({controlLine, longDetail, rejected, oddDetail}, "\n")));

    EXPECT_EQ(result.outcome, RunOutcome::Finished);
    EXPECT_EQ(session.window.label(Label::CompanyName), fields.companyName + std::string(30 - 10, ' '));
    EXPECT_EQ(ReadBytes(summaryPath()), JoinLines({controlLine, longDetail, oddDetail}, "\r\n"));
    EXPECT_THAT(names(), ElementsAre("012345", "jan.txt"));
}

// The media file is read through a buffer of 256 KiB: lines that cross its
// edge, and a CR LF split by it, read as any others.
TEST_P(SummaryFile, LinesAcrossTheReadBufferAreWhole) {
    constexpr std::size_t kBuffer = 1 << 18;
    constexpr std::size_t kFillerLength = 60000; // lines may be at most 65,536 bytes long
    const std::string controlLine = control(6, 700);
    std::string filler = detail({.amount = amount(100)});
    filler.resize(kFillerLength, 'f');
    for (const std::size_t crAt : {kBuffer - 2, kBuffer - 1, kBuffer, kBuffer + 1}) {
        SCOPED_TRACE(crAt);
        const std::size_t longLength = crAt - (controlLine.size() + 2) - 4 * (kFillerLength + 2);
        std::string longLine = detail({.amount = amount(100)});
        longLine.resize(longLength, 'x');
        const std::vector<std::string> lines = {
            controlLine, filler, filler, filler, filler, longLine, detail({.amount = amount(200)})};
        Session s;

        const RunResult result = run(s, media(lines));

        EXPECT_FALSE(result.findings);
        EXPECT_EQ(ReadBytes(summaryPath()), JoinLines(lines));
    }
}

// An earlier summary file of the same name survives byte for byte every run
// that does not finish, and no temporary file is left beside it.
TEST_P(SummaryFile, EarlierFileSurvivesARunThatDoesNotFinish) {
    const std::string wholePartNotAtTheEnd = format() == Format::M100 ? "0000001.500" : "000001.500";
    const struct {
        const char* name;
        std::vector<std::string> lines;
        RunOutcome outcome;
    } cases[] = {
        {"wrong format", {control({.termPayment = " "})}, RunOutcome::WrongFormat},
        {"control rejected", {control({.status = "X"}), detail()}, RunOutcome::ControlRejected},
        {"blank sign on line 3", {control(2, 0), detail(), detail({.sign = " "})}, RunOutcome::RunError},
        {"amount at the end that does not convert",
         {control({.totalRecord = "00001", .totalAmount = wholePartNotAtTheEnd}), detail()},
         RunOutcome::RunError},
    };
    const std::string earlier = "OLD CONTROL LINE\r\nOLD DETAIL\r\nno terminator";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(summaryPath(), earlier);
        Session s;

        const RunResult result = run(s, media(c.lines));

        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(ReadBytes(summaryPath()), earlier);
        EXPECT_THAT(names(), ElementsAre("012345", "jan.txt"));
    }
}

// Paths with a drive letter and relative paths take the first three
// characters of the path, counted in code points where it is UTF-8; an absolute path takes the media file's
// folder.
TEST_P(SummaryFile, PathRules) {
    CurrentFolder inDir(dir.path());
    std::filesystem::create_directories(dir.path() / "abs" / "dir");
    std::filesystem::create_directory(dir.path() / "sub");
    const std::string absolute = (dir.path() / "abs" / "dir" / "jan.txt").string();
    const struct {
        std::string mediaPath;
        std::string companyCode;
        std::string summaryPath;
    } cases[] = {
        {"in.txt", "012345", "in.012345"},
        {"in.txt", " 12345", "in. 12345"},
        {"sub/jan.txt", "012345", "sub012345"},
        {"ab", "012345", "ab012345"},
        {"a\u0E01.txt", "012345", "a\u0E01.012345"},
        {"\u0E44\u0E1F\u0E25\u0E4C.txt", "012345", "\u0E44\u0E1F\u0E25012345"},
#ifdef _WIN32
        // The temporary folder's drive root, as D:\pay\jan.txt gives D:\012345.
        {absolute, "012345", absolute.substr(0, 3) + "012345"},
#else
        // Names in the current folder here; a drive root on Windows.
        {"D:\\pay\\jan.txt", "012345", "D:\\012345"},
        {"E:\\data\\in.txt", "012345", "E:\\012345"},
        {"\xA1\xA2\xA3\xA4.txt", "012345",
         "\xA1\xA2\xA3"
         "012345"}, // not UTF-8: bytes, which Windows cannot name a file with through UTF-8
        {absolute, "012345", (dir.path() / "abs" / "dir" / "012345").string()},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mediaPath);
        Control fields;
        fields.companyCode = c.companyCode;
        const std::string controlLine = control(0, 0, fields);
        WriteBytes(Utf8Path(c.mediaPath), JoinLines({controlLine}));
        Session s;

        const RunResult result = run(s, c.mediaPath);

        EXPECT_EQ(result.outcome, RunOutcome::Finished);
        EXPECT_EQ(result.summaryPath, c.summaryPath);
        EXPECT_EQ(s.window.label(Label::SummaryPath), c.summaryPath);
        EXPECT_EQ(ReadBytes(Utf8Path(c.summaryPath)), controlLine + "\r\n");
        std::filesystem::remove(Utf8Path(c.summaryPath));
    }
}

// Where a drive's root refuses the summary file, it goes beside the media
// file and the run says why; where that is the folder that refused it, or
// the media file itself, the run stops as before.
TEST_P(SummaryFile, GoesBesideTheMediaFileWhereTheRootRefusesIt) {
    CurrentFolder inDir(dir.path());
    const RefusingFolder root(dir.path() / "ro");
    if (!root.unavailable().empty())
        GTEST_SKIP() << "no folder that refuses new files: " << root.unavailable();
    const std::string controlLine = control(0, 0);
    WriteBytes(root.inner() / "jan.txt", JoinLines({controlLine}));
    WriteBytes(root.inner() / "012345", JoinLines({controlLine}));
    const std::string because = "ro/ cannot be written; the summary is beside the media file";
    const struct {
        const char* mediaPath;
        RunOutcome outcome;
        std::string summaryPath;
        std::string movedBecause;
        std::string label1;
        std::string message; // of the run error
    } cases[] = {
        {"ro/pay/jan.txt", RunOutcome::Finished, "ro/pay/012345", because, "ro/pay/012345", ""},
        {"ro/pay/012345", RunOutcome::RunError, "", "", "ro/012345",
         "Cannot create the summary file \"ro/pay/012345\": it is the input file itself."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mediaPath);
        Session s;

        const RunResult result = run(s, c.mediaPath);

        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.summaryPath, c.summaryPath);
        EXPECT_EQ(result.summaryMovedBecause, c.movedBecause);
        EXPECT_EQ(result.error ? result.error->message : "", c.message);
        EXPECT_EQ(s.window.label(Label::SummaryPath), c.label1);
        EXPECT_EQ(ReadBytes(root.inner() / "012345"), controlLine + "\r\n");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path() / "ro"), {}), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Both, SummaryFile, ::testing::ValuesIn(kBothFormats), FormatName);

// A network path's root is its share, however deep the media file lies.
TEST(SummaryFilePath, NetworkPathsTakeTheirShareAsRoot) {
    const struct {
        const char* mediaPath;
        const char* summaryPath;
    } cases[] = {
        {"\\\\server\\share\\pay\\jan.txt", "\\\\server\\share\\012345"},
        {"\\\\server\\share\\jan.txt", "\\\\server\\share\\012345"},
        {"\\\\server\\share", "\\\\server\\share\\012345"},
        {"\\\\server", "\\\\server\\012345"},
        {"\\\\?\\C:\\pay\\jan.txt", "\\\\?\\C:\\012345"},
        {"\\s", "\\s012345"}, // one backslash: the first three characters
#ifdef _WIN32
        {"//server/share/pay/jan.txt", "//server/share/012345"},
        {"\\\\server/share/pay/jan.txt", "\\\\server/share/012345"},
#else
        {"//server/share/pay/jan.txt", "//server/share/pay/012345"}, // an absolute path here
#endif
    };
    for (const auto& c : cases)
        EXPECT_EQ(SummaryFilePath(c.mediaPath, "012345"), c.summaryPath) << c.mediaPath;
}

// The summary file goes beside the media file only where the rule's folder
// refused a new file, and only where that is not the media file's own folder.
TEST(SummaryBesideMediaFile, OnlyWhereAnotherFolderRefusedANewFile) {
    const std::string because = " cannot be written; the summary is beside the media file";
    const struct {
        const char* mediaPath;
        int error;
        std::optional<MovedSummary> moved;
    } cases[] = {
        {"ro/pay/jan.txt", EACCES, MovedSummary{"ro/pay/012345", "ro/" + because}},
        {"ro/pay/jan.txt", EROFS, MovedSummary{"ro/pay/012345", "ro/" + because}},
        {"ro/pay/jan.txt", EPERM, MovedSummary{"ro/pay/012345", "ro/" + because}},
        {"ro/pay/jan.txt", ENOSPC, std::nullopt},
        {"ro/pay/jan.txt", ENOENT, std::nullopt},
        {"ro/pay/jan.txt", 0, std::nullopt}, // the program's own refusal, such as a FIFO there
        {"ro/jan.txt", EACCES, std::nullopt},
        {"jan.txt", EACCES, std::nullopt},
        {"/home/ann/jan.txt", EACCES, std::nullopt},
        {"abc/jan.txt", EACCES, MovedSummary{"abc/012345", "the current folder" + because}},
#ifdef _WIN32
        {"C:\\Users\\ann\\Desktop\\jan.txt", EACCES,
         MovedSummary{"C:\\Users\\ann\\Desktop\\012345", "C:\\" + because}},
        {"E:\\jan.txt", EROFS, std::nullopt},
        {"C:pay\\jan.txt", EACCES, MovedSummary{"C:pay\\012345", "C:" + because}},
        {"\\\\server\\share\\pay\\jan.txt", EACCES,
         MovedSummary{"\\\\server\\share\\pay\\012345", "\\\\server\\share\\" + because}},
        {"\\\\server\\share\\jan.txt", EACCES, std::nullopt},
#else
        // Names in the current folder here, which both the rule and the fallback would use.
        {"C:\\Users\\ann\\Desktop\\jan.txt", EACCES, std::nullopt},
        {"\\\\server\\share\\pay\\jan.txt", EACCES, std::nullopt},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mediaPath << ", errno " << c.error);
        const FileError refusal("create the summary file", "", "refused", c.error);

        const std::optional<MovedSummary> moved = SummaryBesideMediaFile(c.mediaPath, "012345", refusal);

        ASSERT_EQ(moved.has_value(), c.moved.has_value());
        if (moved) {
            EXPECT_EQ(moved->path, c.moved->path);
            EXPECT_EQ(moved->because, c.moved->because);
        }
    }
}

} // namespace
} // namespace qrv::test
