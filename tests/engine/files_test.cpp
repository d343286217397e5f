// The line reader and the summary writer around the edges of their buffers.
#include "engine/line_reader.h"
#include "summary/summary_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

using namespace qrv;

namespace {

constexpr std::size_t kBuffer = 1 << 18; // of both

class Files : public testing::Test {
  protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("qrv-files-" + std::to_string(::getpid()) + "-" +
                  testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string write(const std::string& bytes) const {
        const std::string path = (folder / "in.txt").string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static std::vector<std::string> lines(const std::string& path) {
        LineReader reader(path);
        std::vector<std::string> all;
        std::string_view line;
        while (reader.next(line))
            all.emplace_back(line);
        return all;
    }

    std::filesystem::path folder;
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
    const std::string path = (folder / "012345").string();
    const std::vector<std::string> written = {"control", std::string(3 * kBuffer, 'L'), "", "detail"};
    SummaryWriter writer(path);
    for (const std::string& line : written)
        writer.writeLine(line);
    writer.commit();
    EXPECT_EQ(read(path), "control\r\n" + written[1] + "\r\n\r\ndetail\r\n");
}

TEST_F(Files, SummaryReplacesAnEarlierFileAndLeavesNothingElse) {
    const std::string path = (folder / "012345").string();
    std::ofstream(path, std::ios::binary) << "earlier summary, longer than the new one";
    SummaryWriter writer(path);
    writer.writeLine("new");
    writer.commit();
    EXPECT_EQ(read(path), "new\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}

TEST_F(Files, SummaryReplacesALinkItselfNotItsTarget) {
    const std::string target = (folder / "target").string();
    const std::string path = (folder / "012345").string();
    std::ofstream(target, std::ios::binary) << "target";
    std::filesystem::create_symlink(target, path);
    SummaryWriter writer(path);
    writer.writeLine("new");
    writer.commit();
    EXPECT_FALSE(std::filesystem::is_symlink(path));
    EXPECT_EQ(read(path), "new\r\n");
    EXPECT_EQ(read(target), "target");
}

} // namespace
