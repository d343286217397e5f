#include "advisories/advisor.h"

#include "advisories/holidays.h"
#include "core/dates.h"
#include "tests/support/media_lines.h"
#include "tests/support/null_ports.h"
#include "tests/support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <tuple>

namespace qrv {
namespace {

using namespace std::chrono;
using namespace qrv::test;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The generated files' effective date is 2026-12-31, a Thursday.
constexpr year_month_day kLongBefore = 2026y / December / 1;

AdvisorySettings Settings(year_month_day today = kLongBefore) {
    AdvisorySettings settings;
    settings.today = today;
    return settings;
}

// The advisories of a check run of `bytes`, against `earlier` when it is given.
AdvisoryReport Advise(const TempDir& dir, const std::string& bytes, AdvisorySettings settings,
                      Format format = Format::M100, std::optional<std::string> earlier = {}) {
    const std::string path = dir.write("media.txt", bytes);
    if (earlier)
        settings.earlierPath = dir.write("earlier.txt", *earlier);
    Advisor advisor(format, std::move(settings));
    NullWindow window;
    SilentUser user;
    CheckFile(format, path, window, user, &advisor);
    return advisor.report();
}

std::vector<std::string_view> Codes(const AdvisoryReport& report) {
    std::vector<std::string_view> codes;
    for (const Advisory& advisory : report.advisories)
        codes.push_back(CodeName(advisory.code));
    return codes;
}

TEST(Advisor, NamesAnAccountOnMoreThanOneRecordAndWhetherTheAmountsAgree) {
    TempDir dir;
    const std::string a = ValidAccount(1);
    const std::string b = ValidAccount(2);
    const AdvisoryReport report = Advise(
        dir,
        MediaFile(Format::M100, {{a, 5000}, {b, 700}, {a, 5000}, {ValidAccount(3), 1}, {b, 800}, {a, 5000}}),
        Settings());
    EXPECT_THAT(report.problems, IsEmpty());
    ASSERT_THAT(Codes(report), ElementsAre("duplicate_account", "duplicate_account"));
    const Advisory& equal = report.advisories[0];
    EXPECT_EQ(equal.message, "account " + a + " is on lines 2, 4 and 7, each time for 50.00");
    EXPECT_THAT(equal.lines, ElementsAre(2, 4, 7));
    EXPECT_EQ(equal.account, a);
    EXPECT_EQ(equal.amount, 5000);
    const Advisory& unequal = report.advisories[1];
    EXPECT_EQ(unequal.message, "account " + b + " is on lines 3 and 6");
    EXPECT_EQ(unequal.amount, std::nullopt);
}

// The count is of every record, also past the lines an advisory lists.
TEST(Advisor, NamesTenLinesOfAnAccountOnManyAndCountsThem) {
    const struct {
        int records;
        std::string_view counted;
        std::size_t listed;
    } cases[] = {{12, "12", 12}, {1500, "1,500", 1000}};
    for (const auto& c : cases) {
        TempDir dir;
        const std::string a = ValidAccount(1);
        const AdvisoryReport report =
            Advise(dir, MediaFile(Format::M100, std::vector<Payment>(c.records, {a, 100})), Settings());
        ASSERT_EQ(report.advisories.size(), 1u);
        EXPECT_EQ(report.advisories[0].message,
                  "account " + a + " is on " + std::string(c.counted) +
                      " lines, the first 2, 3, 4, 5, 6, 7, 8, 9, 10 and 11, each time for 1.00");
        EXPECT_EQ(report.advisories[0].lines.size(), c.listed);
    }
}

struct DateCase {
    std::string_view effectiveDate; // DDMMYY
    year_month_day today;
    int leadDays;
    std::string_view holidays;
    std::vector<std::string_view> codes;
};

// 2026-12-31 is a Thursday; 2027-01-02 and 03 are the weekend.
const DateCase kDateCases[] = {
    {"311226", 2026y / December / 1, 2, "", {}},
    {"311226", 2027y / January / 1, 2, "", {"date_past"}},
    {"020127", 2027y / January / 4, 2, "2027-01-02 listed", {"date_past"}},
    {"311226", 2026y / December / 31, 2, "", {"date_soon"}},
    {"311226", 2026y / December / 30, 2, "", {"date_soon"}},
    {"311226", 2026y / December / 29, 2, "", {}},
    {"311226", 2026y / December / 29, 2, "2026-12-30 a holiday", {"date_soon"}},
    {"311226", 2026y / December / 31, 0, "", {}},
    {"311226", 2026y / December / 1, 2, "2026-12-31 New Year's Eve", {"date_holiday"}},
    {"020127", 2026y / December / 1, 2, "", {"date_weekend"}},
    {"030127", 2026y / December / 1, 2, "2027-01-03 listed", {"date_weekend", "date_holiday"}},
    {"040127", 2026y / December / 31, 2, "", {}},
    {"040127", 2026y / December / 31, 2, "2027-01-01 New Year's Day", {"date_soon"}},
    {"020127", 2027y / January / 1, 2, "", {"date_weekend", "date_soon"}},
    {"010100", 2000y / January / 1, 1, "", {"date_weekend", "date_soon"}}, // a Saturday
    {"311299", 2000y / January / 1, 2, "", {}},
};

TEST(Advisor, ChecksTheEffectiveDateAgainstTodayTheWeekendAndTheHolidays) {
    TempDir dir;
    for (const DateCase& c : kDateCases) {
        AdvisorySettings settings = Settings(c.today);
        settings.leadDays = c.leadDays;
        settings.holidayPath = dir.write("holidays.txt", std::string(c.holidays));
        const AdvisoryReport report = Advise(
            dir, MediaFile(Format::M100, {{ValidAccount(1), 100}}, "012345", std::string(c.effectiveDate)),
            settings);
        const std::string said = std::string(c.effectiveDate) + " on " + IsoText(c.today);
        EXPECT_THAT(report.problems, IsEmpty()) << said;
        EXPECT_EQ(Codes(report), c.codes) << said;
        for (const Advisory& advisory : report.advisories)
            EXPECT_EQ(advisory.date, *IsoDate(c.effectiveDate)) << said;
    }
}

TEST(Advisor, SaysWhatTheDateAdvisoriesFound) {
    TempDir dir;
    AdvisorySettings settings = Settings(2027y / January / 1);
    settings.holidayPath = dir.write("holidays.txt", "2027-01-03 a Sunday off\n");
    AdvisoryReport report =
        Advise(dir, MediaFile(Format::M100, {{ValidAccount(1), 100}}, "012345", "030127"), settings);
    ASSERT_EQ(report.advisories.size(), 3u);
    EXPECT_EQ(report.advisories[0].message, "the effective date 2027-01-03 is a Sunday");
    EXPECT_EQ(report.advisories[1].message, "the effective date 2027-01-03 is a holiday: a Sunday off");
    EXPECT_EQ(report.advisories[1].holiday, "a Sunday off");
    EXPECT_EQ(report.advisories[2].message,
              "the effective date 2027-01-03 is 0 banking days after today, fewer than 2");
    report = Advise(dir, MediaFile(Format::M100, {{ValidAccount(1), 100}}, "012345", "311226"), settings);
    ASSERT_EQ(report.advisories.size(), 1u);
    EXPECT_EQ(report.advisories[0].message, "the effective date 2026-12-31 is before today, 2027-01-01");
}

TEST(Advisor, ReportsABadHolidayLineAndStillUsesTheOthers) {
    TempDir dir;
    AdvisorySettings settings = Settings();
    settings.holidayPath =
        dir.write("holidays.txt", "31-12-2026 wrong way round\n2026-12-31 New Year's Eve\n");
    const AdvisoryReport report = Advise(dir, MediaFile(Format::M100, {{ValidAccount(1), 100}}), settings);
    EXPECT_THAT(
        report.problems,
        ElementsAre(
            "the holiday list's line 1 does not begin with a day written YYYY-MM-DD; it is left out"));
    EXPECT_THAT(Codes(report), ElementsAre("date_holiday"));
}

struct ChangeCase {
    std::int64_t earlier;
    std::int64_t now;
    double thresholdPercent;
    std::int64_t minimumChange;
    bool named;
};

// "More than 20%": a change of exactly 20% is not named, one satang more is.
const ChangeCase kChangeCases[] = {
    {500000, 600000, 20, 100000, false}, // 20% and 1,000.00 exactly
    {500000, 600001, 20, 100000, true},  // just past 20%
    {500000, 399999, 20, 100000, true},  // down by just past 20%
    {100000, 190000, 20, 100000, false}, // 90%, but less than 1,000.00
    {10000000, 12000000, 20, 100000, false},
    {10000000, 12000001, 20, 100000, true},
    {0, 100000, 20, 100000, true},     // from nothing
    {100, 101, 0, 1, true},            // no threshold at all
    {100, 100, 0, 0, false},           // no change
    {500000, 560000, 10, 50000, true}, // the clerk's own threshold
    {500000, 550000, 10, 50000, false},
};

TEST(Advisor, NamesAnAmountThatChangedByMoreThanTheThreshold) {
    TempDir dir;
    const std::string account = ValidAccount(7);
    for (const ChangeCase& c : kChangeCases) {
        AdvisorySettings settings = Settings();
        settings.thresholdPercent = c.thresholdPercent;
        settings.minimumChange = c.minimumChange;
        const AdvisoryReport report = Advise(dir, MediaFile(Format::M100, {{account, c.now}}), settings,
                                             Format::M100, MediaFile(Format::M100, {{account, c.earlier}}));
        const std::string said = std::to_string(c.earlier) + " to " + std::to_string(c.now);
        EXPECT_THAT(report.problems, IsEmpty()) << said;
        const bool named = std::ranges::any_of(
            report.advisories, [](const Advisory& a) { return a.code == AdvisoryCode::AmountChanged; });
        EXPECT_EQ(named, c.named) << said;
    }
}

TEST(Advisor, SaysWhatTheComparisonFound) {
    TempDir dir;
    const std::string kept = ValidAccount(1);
    const std::string gone = ValidAccount(2);
    const std::string added = ValidAccount(3);
    const AdvisoryReport report =
        Advise(dir, MediaFile(Format::M100, {{added, 100}, {kept, 2000000}}), Settings(), Format::M100,
               MediaFile(Format::M100, {{kept, 200000}, {gone, 300000}}));
    EXPECT_THAT(Codes(report),
                ElementsAre("new_account", "missing_account", "amount_changed", "totals_changed"));
    const Advisory& newAccount = report.advisories[0];
    EXPECT_EQ(newAccount.message, "account " + added + " on line 2 is not in the earlier file");
    EXPECT_EQ(newAccount.amount, 100);
    const Advisory& missing = report.advisories[1];
    EXPECT_EQ(missing.message, "account " + gone + " of the earlier file is not in this one");
    EXPECT_EQ(missing.earlierAmount, 300000);
    EXPECT_THAT(missing.lines, IsEmpty());
    const Advisory& changed = report.advisories[2];
    EXPECT_EQ(changed.message,
              "account " + kept +
                  " on line 3: 20,000.00, against 2,000.00 in the earlier file (+18,000.00, +900.0%)");
    EXPECT_THAT(changed.lines, ElementsAre(3));
    EXPECT_EQ(changed.changePercent, 900.0);
    const Advisory& totals = report.advisories[3];
    EXPECT_EQ(totals.message,
              "against the earlier file: 2 detail records, 2 before (+0); their amounts add up to 20,001.00, "
              "5,000.00 before (+15,001.00, +300.0%)");
    EXPECT_EQ(totals.amount, 2000100);
    EXPECT_EQ(totals.earlierAmount, 500000);
}

struct RefusalCase {
    std::string earlier;
    std::string problem;
};

TEST(Advisor, RefusesAnEarlierFileItCannotCompareWithAndStillAdvises) {
    const std::string a = ValidAccount(1);
    const RefusalCase cases[] = {
        {MediaFile(Format::M100, {{a, 100}}, "045678"), "the earlier file is company 045678, not 012345"},
        {MediaFile(Format::M10, {{a, 100}}), "the earlier file is Format 10 M, not Format 100 M"},
        {"hello\r\n", "the earlier file is not a media file of Format 100 M"},
        {std::string("\xFF\xFE"
                     "h\0i\0",
                     6),
         "the earlier file is not a media file: the file is UTF-16 text, not code page 874"},
        {"", "the earlier file is empty"},
    };
    TempDir dir;
    for (const RefusalCase& c : cases) {
        const AdvisoryReport report =
            Advise(dir, MediaFile(Format::M100, {{a, 100}, {a, 100}}), Settings(), Format::M100, c.earlier);
        EXPECT_THAT(report.problems, ElementsAre(c.problem));
        EXPECT_THAT(Codes(report), ElementsAre("duplicate_account")) << c.problem;
    }
    AdvisorySettings settings = Settings();
    settings.earlierPath = (dir.path() / "no such file.txt").string();
    const AdvisoryReport report = Advise(dir, MediaFile(Format::M100, {{a, 100}}), settings);
    ASSERT_EQ(report.problems.size(), 1u);
    EXPECT_THAT(report.problems[0], ::testing::StartsWith("the earlier file cannot be read: "));
}

TEST(Advisor, SaysNothingOfARunThatDidNotReadTheWholeFile) {
    TempDir dir;
    const std::string records = MediaFile(Format::M100, {{ValidAccount(1), 100}, {ValidAccount(1), 100}});
    const std::string badControl = "X" + records.substr(1);
    for (const auto& [bytes, format] :
         {std::pair{records, Format::M10}, std::pair{badControl, Format::M100}}) {
        AdvisorySettings settings = Settings(2030y / January / 1);
        const AdvisoryReport report = Advise(dir, bytes, settings, format, records);
        EXPECT_THAT(report.advisories, IsEmpty());
        EXPECT_THAT(report.problems, IsEmpty());
    }
}

TEST(Advisor, ListsAThousandAccountsOfACodeAndCountsTheRest) {
    TempDir dir;
    std::vector<Payment> records;
    for (int i = 0; i < static_cast<int>(kMaxAccountAdvisories) + 2; ++i)
        records.push_back({ValidAccount(i), 100});
    const AdvisoryReport report =
        Advise(dir, MediaFile(Format::M100, records), Settings(), Format::M100, MediaFile(Format::M100, {}));
    ASSERT_EQ(report.advisories.size(), kMaxAccountAdvisories + 2);
    EXPECT_THAT(report.advisories[kMaxAccountAdvisories - 1].lines, ElementsAre(kMaxAccountAdvisories + 1));
    const Advisory& rest = report.advisories[kMaxAccountAdvisories];
    EXPECT_EQ(rest.code, AdvisoryCode::NewAccount);
    EXPECT_EQ(rest.message, "and 2 more accounts not in the earlier file");
    EXPECT_EQ(report.advisories.back().code, AdvisoryCode::TotalsChanged);
}

// A file and its earlier one, with `k` seeded changes of each kind, and the
// advisories they must give: (code, account) pairs.
struct SeededPair {
    std::vector<Payment> earlier;
    std::vector<Payment> now;
    std::multiset<std::pair<std::string_view, std::string>> expected;
};

SeededPair MakePair(std::uint32_t seed, int k) {
    std::mt19937 random(seed);
    const auto pick = [&](int below) {
        return static_cast<int>(random() % static_cast<std::uint32_t>(below));
    };
    SeededPair pair;
    int next = 0;
    for (int i = 0; i < 200; ++i) // amounts of 2,000.00 to 50,000.00, and some small ones
        pair.earlier.push_back({ValidAccount(next++), i % 10 == 0 ? 5000 : 200000 + pick(4800000)});
    pair.now = pair.earlier;
    std::shuffle(pair.now.begin(), pair.now.end(), random);
    const auto take = [&](std::size_t at) {
        const Payment record = pair.now[at];
        pair.now.erase(pair.now.begin() + static_cast<std::ptrdiff_t>(at));
        return record;
    };
    std::vector<Payment> untouched;
    for (int i = 0; i < k; ++i) // gone
        pair.expected.insert({"missing_account", take(0).account});
    for (int i = 0; i < k; ++i) { // ten times as much, by more than 1,000.00
        Payment record = take(0);
        if (record.satang < 200000)
            record.satang = 200000;
        pair.expected.insert({"amount_changed", record.account});
        record.satang *= 10;
        untouched.push_back(record);
    }
    for (int i = 0; i < k; ++i) { // changes that stay under the threshold or the minimum
        Payment record = take(0);
        record.satang = record.satang < 200000 ? record.satang * 10 : record.satang * 11 / 10;
        untouched.push_back(record);
    }
    for (int i = 0; i < k; ++i) { // credited twice, for the same amount
        Payment record = take(0);
        pair.expected.insert({"duplicate_account", record.account});
        untouched.push_back(record);
        untouched.push_back(record);
    }
    for (int i = 0; i < k; ++i) { // new, and every other one rejected
        const Payment record{i % 2 == 0 ? ValidAccount(next++) : "12345 " + std::to_string(1000 + i), 300000};
        pair.expected.insert({"new_account", record.account});
        untouched.push_back(record);
    }
    for (const Payment& record : untouched)
        pair.now.insert(pair.now.begin() + pick(static_cast<int>(pair.now.size()) + 1), record);
    pair.expected.insert({"totals_changed", ""});
    return pair;
}

std::int64_t TotalOf(const std::vector<Payment>& records) {
    std::int64_t total = 0;
    for (const Payment& record : records)
        total += record.satang;
    return total;
}

TEST(Advisor, GivesEverySeededChangeOfAGeneratedPairAndNothingElse) {
    TempDir dir;
    for (const Format format : kFormats)
        for (const int k : {0, 1, 3, 8})
            for (std::uint32_t seed = 1; seed <= 3; ++seed) {
                const SeededPair pair = MakePair(seed, k);
                const AdvisoryReport report = Advise(dir, MediaFile(format, pair.now), Settings(), format,
                                                     MediaFile(format, pair.earlier));
                const std::string said = std::string(FormatName(format)) + " k=" + std::to_string(k) +
                                         " seed=" + std::to_string(seed);
                EXPECT_THAT(report.problems, IsEmpty()) << said;
                std::multiset<std::pair<std::string_view, std::string>> found;
                for (const Advisory& advisory : report.advisories)
                    found.insert({CodeName(advisory.code), advisory.account});
                EXPECT_EQ(found, pair.expected) << said;
                const Advisory& totals = report.advisories.back();
                EXPECT_EQ(totals.amount, TotalOf(pair.now)) << said;
                EXPECT_EQ(totals.earlierAmount, TotalOf(pair.earlier)) << said;
                EXPECT_TRUE(std::ranges::is_sorted(report.advisories, {}, [](const Advisory& a) {
                    return std::tuple(a.code, a.lines.empty() ? 0 : a.lines.front());
                })) << said;
            }
}

} // namespace
} // namespace qrv
