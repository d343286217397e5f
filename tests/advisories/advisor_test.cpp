#include "advisories/advisor.h"

#include "core/detail_check.h"
#include "tests/support/media_lines.h"
#include "tests/support/null_ports.h"
#include "tests/support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <set>

namespace qrv {
namespace {

using namespace std::chrono;
using namespace qrv::test;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The effective date of the generated files, 2026-12-31: a Thursday.
constexpr std::string_view kEffectiveDate = "311226";
constexpr year_month_day kLongBefore = 2026y / December / 1;

// The n-th of many ten-digit accounts with a correct check digit and an
// account type that passes.
std::string ValidAccount(int n) {
    for (int serial = n;; serial += 1000000) {
        char nine[10];
        std::snprintf(nine, sizeof nine, "%03d3%05d", 100 + serial / 100000 % 900, serial % 100000);
        for (char check = '0'; check <= '9'; ++check)
            if (const std::string account = std::string(nine) + check; CheckAccountDigit(account))
                return account;
    }
}

struct Record {
    std::string account;
    std::int64_t satang;
};

// A media file of `format` holding `records`, with matching control totals.
std::string MediaFile(Format format, const std::vector<Record>& records, std::string companyCode = "012345",
                      std::string effectiveDate = std::string(kEffectiveDate)) {
    std::vector<std::string> lines(1);
    std::int64_t total = 0;
    for (const Record& record : records) {
        lines.push_back(DetailLine(format, {.account = record.account,
                                            .effectiveDate = effectiveDate,
                                            .amount = DetailAmount(format, record.satang)}));
        total += record.satang;
    }
    lines[0] = ControlLine(format, {.companyCode = std::move(companyCode),
                                    .effectiveDate = std::move(effectiveDate),
                                    .totalRecord = RecordCount(static_cast<int>(records.size())),
                                    .totalAmount = ControlAmount(format, total)});
    return JoinLines(lines);
}

AdvisorySettings Settings(year_month_day today = kLongBefore) {
    AdvisorySettings settings;
    settings.today = today;
    return settings;
}

// The advisories of a check run of `bytes`.
AdvisoryReport Advise(const TempDir& dir, const std::string& bytes, AdvisorySettings settings,
                      Format format = Format::M100) {
    const std::string path = dir.write("media.txt", bytes);
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

} // namespace
} // namespace qrv
