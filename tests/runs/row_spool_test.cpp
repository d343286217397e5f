#include "runs/row_spool.h"

#include "files/file_error.h"

#include <gtest/gtest.h>

#include <stdexcept>
#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace qrv {
namespace {

std::vector<ErrorRow> ReadBack(const RowSpool& spool) {
    std::vector<ErrorRow> rows;
    spool.forEach([&](const ErrorRow& row) { rows.push_back(row); });
    return rows;
}

// Cell lengths on both sides of each step of the length encoding, and every
// byte value, come back as they went in.
TEST(RowSpool, GivesBackEveryRowAsAdded) {
    std::string everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte += static_cast<char>(b);
    const std::vector<ErrorRow> rows{
        {"", "a", std::string(127, 'x'), std::string(128, 'y'), std::string(16383, 'z'),
         std::string(16384, 'w')},
        {everyByte, "\r\n", std::string(1, '\0'), "", "", "Reason"},
    };
    RowSpool spool;
    for (std::size_t i = 0; i < rows.size(); ++i)
        spool.insert(static_cast<std::int64_t>(i) + 1, rows[i]);
    EXPECT_EQ(spool.size(), 2);
    EXPECT_EQ(ReadBack(spool), rows);
    EXPECT_EQ(ReadBack(spool), rows) << "read twice";
    spool.insert(3, rows[0]);
    EXPECT_EQ(ReadBack(spool).size(), 3u) << "added to after a reading";
}

// Enough rows to pass through the temporary file in several blocks, with
// cells across the edges of its reading buffer; then the rows still in memory.
TEST(RowSpool, GivesBackRowsThatWentThroughTheFile) {
    std::vector<ErrorRow> rows;
    for (int i = 0; i < 5000; ++i)
        rows.push_back({std::to_string(i), std::string(static_cast<std::size_t>(i % 300), 'a'), "15/01/24",
                        "1", std::string(static_cast<std::size_t>(i % 7), '\xA1'), "Invalid Account"});
    RowSpool spool;
    for (std::size_t i = 0; i < rows.size(); ++i)
        spool.insert(static_cast<std::int64_t>(i) + 1, rows[i]);
    EXPECT_EQ(ReadBack(spool), rows);
    EXPECT_FALSE(spool.readFailure());
}

// Any row, in any order, from the file, from the block still in memory and
// from a group that grew after it was read.
TEST(RowSpool, GivesBackAnyRowByItsIndex) {
    const auto rowOf = [](int i) {
        return ErrorRow{
            std::to_string(i), std::string(static_cast<std::size_t>(i % 200), 'b'), "", "", "", "r"};
    };
    RowSpool spool;
    for (int i = 0; i < 3000; ++i)
        spool.append(rowOf(i));
    EXPECT_EQ(spool.row(2999), rowOf(2999));
    spool.append(rowOf(3000));
    EXPECT_EQ(spool.row(3000), rowOf(3000)) << "a row added after its group was read";
    for (const int i : {0, 1500, 127, 128, 2999, 5, 2000, 1})
        EXPECT_EQ(spool.row(i), rowOf(i)) << i;
    EXPECT_THROW(spool.row(3001), std::out_of_range);
}

// A block that went only partly into the file (ulimit -f here) fails the
// row that filled it; once writes succeed again, every row still reads back.
TEST(RowSpool, RowsAfterAFailedWriteReadBackWhole) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no file size limit for a process";
#else
    ReportFileSizeLimitAsError();
    rlimit earlier{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &earlier), 0);
    const auto rowOf = [](int i) {
        return ErrorRow{std::to_string(i), std::string(100, 'c'), "", "", "", "r"};
    };
    RowSpool spool;
    rlimit small = earlier;
    small.rlim_cur = 100'000; // one block and part of the next
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    int rows = 0;
    bool failed = false;
    for (; rows < 2000 && !failed; ++rows) {
        try {
            spool.append(rowOf(rows));
        } catch (const FileError&) {
            failed = true;
        }
    }
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &earlier), 0);
    ASSERT_TRUE(failed);
    for (; rows < 3000; ++rows)
        spool.append(rowOf(rows));
    ASSERT_EQ(spool.size(), 3000);
    for (int i = 0; i < 3000; ++i)
        ASSERT_EQ(spool.row(i), rowOf(i)) << i;
#endif
}

TEST(RowSpool, TakesRowsOnlyAtTheEnd) {
    RowSpool spool;
    EXPECT_THROW(spool.insert(0, {}), std::out_of_range);
    EXPECT_THROW(spool.insert(2, {}), std::out_of_range);
    spool.insert(1, {"1"});
    EXPECT_THROW(spool.insert(1, {"0"}), std::out_of_range);
}

TEST(RowSpool, StartsAfreshWhenCleared) {
    RowSpool spool;
    spool.insert(1, {"old"});
    spool.insert(2, {"older"});
    spool.clear();
    EXPECT_EQ(spool.size(), 0);
    spool.insert(1, {"new"});
    EXPECT_EQ(ReadBack(spool), (std::vector<ErrorRow>{{"new"}}));
}

} // namespace
} // namespace qrv
