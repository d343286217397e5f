// The line reader around the edges of its buffer and at its length limit, the
// summary writer, and whole files written in one step.
#include "files/file_error.h"
#include "files/files.h"
#include "files/line_reader.h"
#include "summary/summary_file.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

using namespace qrv;
using qrv::test::ReadBytes;
using qrv::test::WriteBytes;
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kBuffer = 1 << 18; // of both

class Files : public testing::Test {
  protected:
    std::string write(const std::string& bytes) const { return dir.write("in.txt", bytes); }
    static std::vector<std::string> lines(const std::string& path) {
        LineReader reader(path);
        std::vector<std::string> all;
        std::string_view line;
        while (reader.next(line))
            all.emplace_back(line);
        return all;
    }

    test::TempDir dir;
};

TEST_F(Files, LinesUpToTheLimitAndAcrossTheBufferEdgesReadWhole) {
    const std::string longest(kMaxLineLength, 'h');
    std::vector<std::string> expected = {"first"};
    std::string bytes = "first\r\n";
    while (bytes.size() < 2 * kBuffer) { // lines ending just before, on and after both edges
        expected.push_back(longest);
        bytes += longest + "\r\n";
        expected.push_back(std::string(bytes.size() % 7, 'e'));
        bytes += expected.back() + "\n";
    }
    expected.insert(expected.end(), {"after", "last\r"});
    bytes += "after\r\nlast\r";
    EXPECT_EQ(lines(write(bytes)), expected);
}

TEST_F(Files, CarriageReturnAtTheEndWithoutLineFeedStays) {
    EXPECT_EQ(lines(write("a\r\nb\r")), (std::vector<std::string>{"a", "b\r"}));
    const std::string filler(kBuffer / 4 - 1, 'f');
    const std::string crossing(3000, 'x');
    EXPECT_EQ(lines(write(filler + "\n" + filler + "\n" + filler + "\n" + filler + "\n" + crossing + "\r")),
              (std::vector<std::string>{filler, filler, filler, filler, crossing + "\r"}));
}

// Files are bytes on every platform: a 0x1A byte does not end the file, and
// neither a lone CR nor an LF is changed on the way in or out.
TEST_F(Files, EveryByteIsDataBothWays) {
    const std::string odd = std::string("a\x1A") + "b\rc" + std::string(1, '\0');
    EXPECT_EQ(lines(write(odd + "\r\n\x1A\n" + odd)), (std::vector<std::string>{odd, "\x1A", odd}));

    const std::string path = (dir.path() / "012345").string();
    SummaryWriter writer(path);
    writer.writeLine(odd);
    writer.writeLine("\n");
    writer.commit();
    EXPECT_EQ(ReadBytes(path), odd + "\r\n\n\r\n");
}

TEST_F(Files, LineLongerThanTheLimitIsRefusedWhereverItLies) {
    const std::string tooLong(kMaxLineLength + 1, 'x');
    std::string filler;
    for (int i = 0; i < 4; ++i) // 260,004 bytes
        filler += std::string(65000, 'f') + "\n";
    const struct {
        const char* where;
        std::string bytes;
        std::size_t linesBefore;
    } cases[] = {
        {"first line", tooLong + "\r\n", 0},
        {"inside one fill", "a\n" + tooLong + "\nb\n", 1},
        {"across fills", filler + tooLong + "\n", 4},
        {"last line without a terminator", "a\n" + tooLong, 1},
        {"longer than the buffer", std::string(3 * kBuffer, '\0'), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        LineReader reader(write(c.bytes));
        std::string_view line;
        for (std::size_t i = 0; i < c.linesBefore; ++i)
            ASSERT_TRUE(reader.next(line));
        EXPECT_THROW(reader.next(line), LineTooLong);
    }
}

TEST_F(Files, SummaryLinesOfAnyLengthAreWrittenInOrder) {
    const std::string path = (dir.path() / "012345").string();
    const std::vector<std::string> written = {"control", std::string(3 * kBuffer, 'L'), "", "detail"};
    SummaryWriter writer(path);
    for (const std::string& line : written)
        writer.writeLine(line);
    writer.commit();
    EXPECT_EQ(ReadBytes(path), "control\r\n" + written[1] + "\r\n\r\ndetail\r\n");
}

TEST_F(Files, SummaryReplacesAnEarlierFileAndLeavesNothingElse) {
    const std::string path = (dir.path() / "012345").string();
    WriteBytes(path, "earlier summary, longer than the new one");
    SummaryWriter writer(path);
    writer.writeLine("new");
    writer.commit();
    EXPECT_EQ(ReadBytes(path), "new\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST_F(Files, SummaryReplacesALinkItselfNotItsTarget) {
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links on Windows need a privilege that a standard user lacks";
#endif
    const std::string target = (dir.path() / "target").string();
    const std::string path = (dir.path() / "012345").string();
    WriteBytes(target, "target");
    std::filesystem::create_symlink(target, path);
    SummaryWriter writer(path);
    writer.writeLine("new");
    writer.commit();
    EXPECT_FALSE(std::filesystem::is_symlink(path));
    EXPECT_EQ(ReadBytes(path), "new\r\n");
    EXPECT_EQ(ReadBytes(target), "target");
}

// A summary path a few bytes short of the system's path limit is replaced
// as it was first written: the temporary name is short and made in its folder.
TEST_F(Files, SummaryPathNearThePathLimitCanBeReplaced) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows paths have a limit of their own";
#else
    constexpr std::size_t kLength = 4090; // PATH_MAX is 4096 with the NUL
    fs::path folder = dir.path();
    while (folder.string().size() + 201 + 11 < kLength) {
        folder /= std::string(200, 'd');
        fs::create_directory(folder);
    }
    const std::string path = (folder / std::string(kLength - folder.string().size() - 1, 's')).string();
    ASSERT_EQ(path.size(), kLength);
    for (const std::string line : {"first", "second"}) {
        SummaryWriter writer(path);
        writer.writeLine(line);
        writer.commit();
    }
    EXPECT_EQ(ReadBytes(path), "second\r\n");
#endif
}

TEST_F(Files, UncommittedSummaryLeavesNothingAndTheEarlierFileAsItWas) {
    const std::string path = (dir.path() / "012345").string();
    WriteBytes(path, "earlier");
    {
        SummaryWriter writer(path);
        writer.writeLine(std::string(2 * kBuffer, 'L'));
        writer.writeLine("unfinished");
    }
    EXPECT_EQ(ReadBytes(path), "earlier");
    EXPECT_EQ(dir.names(), std::vector<std::string>{"012345"});
}

TEST_F(Files, WholeFileIsWrittenOrLeftAsItWas) {
    const std::string letter = (dir.path() / "letter.txt").string();
    WriteFileAtomically(letter, "first", "the letter");
    WriteFileAtomically(letter, "second", "the letter");
    EXPECT_EQ(ReadBytes(letter), "second");

    const fs::path folder = dir.path() / "folder";
    fs::create_directory(folder);
    try {
        WriteFileAtomically(folder.string(), "never", "the letter");
        FAIL() << "a folder was replaced";
    } catch (const FileError& e) {
        EXPECT_EQ(e.what(), "Cannot replace the letter \"" + folder.string() + "\": Is a directory");
    }
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"folder", "letter.txt"}));
}

// The folder decides whether a file may be replaced; the new file keeps the
// earlier one's read-only state (its mode, its attribute on Windows).
TEST_F(Files, ReadOnlyFileIsReplacedAndStaysReadOnly) {
    const std::string letter = (dir.path() / "letter.txt").string();
    WriteBytes(letter, "earlier");
    constexpr fs::perms kWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(letter, kWrite, fs::perm_options::remove);

    WriteFileAtomically(letter, "new", "the letter");

    EXPECT_EQ(ReadBytes(letter), "new");
    EXPECT_EQ(fs::status(letter).permissions() & kWrite, fs::perms::none);
    EXPECT_EQ(dir.names(), std::vector<std::string>{"letter.txt"});
    fs::permissions(letter, fs::perms::owner_write, fs::perm_options::add);
}

} // namespace

#ifndef _WIN32
// An empty TMPDIR names no folder: the temporary files go to /tmp, as without it.
TEST(TemporaryFolder, FollowsTmpdirAndFallsBackWhenItIsEmpty) {
    const char* earlier = std::getenv("TMPDIR");
    const std::string kept = earlier ? earlier : "";
    ::setenv("TMPDIR", "/var/qrv", 1);
    EXPECT_EQ(TemporaryFolder(), "/var/qrv");
    ::setenv("TMPDIR", "", 1);
    EXPECT_EQ(TemporaryFolder(), "/tmp");
    ::unsetenv("TMPDIR");
    EXPECT_EQ(TemporaryFolder(), "/tmp");
    if (earlier)
        ::setenv("TMPDIR", kept.c_str(), 1);
}
#endif

#ifdef _WIN32
// A Thai user folder comes through whole, whatever the code page: the wide
// environment's value, as UTF-8.
TEST(EnvironmentValue, IsTheWideValueAsUtf8) {
    ::_wputenv_s(L"QRV_TEST_FOLDER", L"C:\\Users\\\u0E2A\u0E21\u0E0A\u0E32\u0E22");
    EXPECT_EQ(EnvironmentValue("QRV_TEST_FOLDER"),
              "C:\\Users\\\xE0\xB8\xAA\xE0\xB8\xA1\xE0\xB8\x8A\xE0\xB8\xB2\xE0\xB8\xA2");
    ::_wputenv_s(L"QRV_TEST_FOLDER", L"");
    EXPECT_EQ(EnvironmentValue("QRV_TEST_FOLDER"), "");
}
#endif
