// The line reader and the summary writer around the edges of their buffers.
#include "core/line_reader.h"
#include "summary/summary_file.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

using namespace qrv;
using qrv::test::ReadBytes;
using qrv::test::WriteBytes;

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

TEST_F(Files, LinesLongerThanTheBufferAndAcrossItsEdgesReadWhole) {
    const std::string huge(2 * kBuffer + 5, 'h');
    const std::string edge(kBuffer - huge.size() % kBuffer - 3, 'e');
    const std::vector<std::string> expected = {"first", huge, edge, "after", "last\r"};
    const std::string bytes = "first\r\n" + huge + "\n" + edge + "\r\nafter\r\nlast\r";
    EXPECT_EQ(lines(write(bytes)), expected);
}

TEST_F(Files, CarriageReturnAtTheEndWithoutLineFeedStays) {
    EXPECT_EQ(lines(write("a\r\nb\r")), (std::vector<std::string>{"a", "b\r"}));
    std::string crossing(kBuffer - 1, 'x');
    EXPECT_EQ(lines(write(crossing + "\r")), std::vector<std::string>{crossing + "\r"});
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

} // namespace
