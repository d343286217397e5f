#include "advisories/holidays.h"

#include "tests/support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace qrv {
namespace {

using namespace std::chrono;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST(ParseHolidayList, TakesDaysNamesCommentsAndBlankLines) {
    const HolidayList list = ParseHolidayList("\xEF\xBB\xBF# the banks' holidays\r\n"
                                              "2026-12-31 New Year's Eve\r\n"
                                              "\r\n"
                                              "   # indented comment\n"
                                              "2026-12-10\tวันรัฐธรรมนูญ  \n"
                                              "2027-01-01\n");
    EXPECT_THAT(list.problems, ElementsAre());
    ASSERT_EQ(list.days.size(), 3u);
    EXPECT_EQ(list.days[0].date, 2026y / December / 10);
    EXPECT_EQ(list.days[0].name, "วันรัฐธรรมนูญ");
    EXPECT_EQ(list.days[1].name, "New Year's Eve");
    EXPECT_EQ(list.days[2].name, "");
    ASSERT_NE(list.find(2026y / December / 31), nullptr);
    EXPECT_EQ(list.find(2026y / December / 30), nullptr);
}

TEST(ParseHolidayList, ReportsEachBadLineByNumberAndKeepsTheRest) {
    const HolidayList list = ParseHolidayList("2026-02-30 no such day\n"
                                              "26-12-31 short year\n"
                                              "2026-12-31New Year\n"
                                              "2026-12-25 \xE0\xB8\n"
                                              "2026-12-05 Father's Day\n");
    ASSERT_EQ(list.days.size(), 1u);
    EXPECT_EQ(list.days[0].date, 2026y / December / 5);
    ASSERT_EQ(list.problems.size(), 4u);
    EXPECT_EQ(list.problems[0],
              "the holiday list's line 1 does not begin with a day written YYYY-MM-DD; it is left out");
    EXPECT_THAT(list.problems[1], HasSubstr("line 2 "));
    EXPECT_THAT(list.problems[2], HasSubstr("line 3 "));
    EXPECT_EQ(list.problems[3], "the holiday list's line 4 is not UTF-8 text; it is left out");
}

TEST(ParseHolidayList, KeepsTheFirstNameOfADayListedTwice) {
    const HolidayList list = ParseHolidayList("2026-12-31 first\n2026-12-31 second\n");
    ASSERT_EQ(list.days.size(), 1u);
    EXPECT_EQ(list.days[0].name, "first");
}

TEST(ReadHolidayList, SaysWhyAFileCannotBeRead) {
    test::TempDir dir;
    const HolidayList list = ReadHolidayList((dir.path() / "none.txt").string());
    EXPECT_TRUE(list.days.empty());
    ASSERT_EQ(list.problems.size(), 1u);
    EXPECT_THAT(list.problems[0], HasSubstr("the holiday list cannot be read: "));
    EXPECT_THAT(list.problems[0], HasSubstr("none.txt"));
}

} // namespace
} // namespace qrv
