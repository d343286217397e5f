// qrv-check's advisories: beside the report it always gave, which stays as
// it was, and never in its exit status but with --strict.
#include "tests/cli/qrv_check_process.h"
#include "tests/support/media_lines.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>

namespace qrv::test {
namespace {

using nlohmann::json;

// The readable report without its "Advisories (n)" section and the lines under it.
std::string WithoutAdvisories(const std::string& text) {
    const std::size_t at = text.find("\nAdvisories (");
    if (at == std::string::npos)
        return text;
    std::size_t end = text.find('\n', at + 1);
    while (end != std::string::npos && text.compare(end + 1, 2, "  ") == 0)
        end = text.find('\n', end + 1);
    return text.substr(0, at + 1) + (end == std::string::npos ? "" : text.substr(end + 1));
}

std::vector<std::string> SampleNames() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(QRV_SAMPLES_DIR))
        if (entry.path().extension() == ".txt")
            names.push_back(entry.path().filename().string());
    std::ranges::sort(names);
    return names;
}

// Every sample in both formats, each report form: with advisories (every
// option that makes them) the report is the one without them, and for the
// readable report and JSON the advisories besides.
TEST(Advisories, LeaveEverySamplesReportAsItWas) {
    const std::vector<std::string> names = SampleNames();
    ASSERT_GE(names.size(), 8u);
    for (const std::string& name : names)
        for (const std::string format : {"100M", "10M"})
            for (const std::string form : {"", "--json", "--csv"}) {
                TempDir dir;
                const std::string media = CopySample(dir, name);
                const std::string earlier =
                    CopySample(dir, name == "10m-clean.txt" ? "10m-rejected.txt" : "10m-clean.txt");
                const std::string holidays = dir.write("holidays.txt", "2024-01-15 a listed day\n");
                std::vector<std::string> off = {"--format", format, "--no-advisories", media};
                std::vector<std::string> on = {"--format", format,    "--compare",  earlier, "--holidays",
                                               holidays,   "--today", "2024-01-14", media};
                if (!form.empty()) {
                    off.push_back(form);
                    on.push_back(form);
                }
                const ProcessResult without = RunQrvCheck(off, dir.path());
                const ProcessResult with = RunQrvCheck(on, dir.path());
                const std::string said = name + " as " + format + " " + form;
                EXPECT_EQ(with.exitStatus, without.exitStatus) << said;
                if (form == "--json") {
                    json a = json::parse(with.out);
                    json b = json::parse(without.out);
                    EXPECT_TRUE(b.at("advisories").is_null()) << said;
                    EXPECT_EQ(a.at("advisories").is_array(), a.at("outcome") == "finished") << said;
                    a.erase("advisories");
                    b.erase("advisories");
                    EXPECT_EQ(a, b) << said;
                } else {
                    EXPECT_EQ(WithoutAdvisories(with.out), without.out) << said;
                }
                // The earlier file is refused for another format or company, on a line of its own.
                std::string err = with.err;
                if (const std::size_t at = err.find(": the earlier file is "); at != std::string::npos)
                    err.erase(err.rfind('\n', at) + 1, err.find('\n', at) - err.rfind('\n', at));
                EXPECT_EQ(err, without.err) << said;
            }
}

std::string Sample(const TempDir& dir, const std::vector<std::pair<std::string, std::int64_t>>& records,
                   const std::string& companyCode = "012345") {
    std::vector<std::string> lines;
    std::int64_t total = 0;
    for (const auto& [account, satang] : records) {
        lines.push_back(
            DetailLine(Format::M100, {.account = account, .amount = DetailAmount(Format::M100, satang)}));
        total += satang;
    }
    lines.insert(lines.begin(),
                 ControlLine(Format::M100, {.companyCode = companyCode,
                                            .totalRecord = RecordCount(static_cast<int>(records.size())),
                                            .totalAmount = ControlAmount(Format::M100, total)}));
    return dir.write(companyCode + "-" + std::to_string(records.size()) + ".txt", JoinLines(lines));
}

// 2006-12-31, the default control record's effective date, is a Sunday.
TEST(Advisories, AreASectionAfterTheRejectedRecordsAndAnArrayInJson) {
    TempDir dir;
    const std::string media =
        Sample(dir, {{"1234567896", 100000}, {"4102345677", 500000}, {"1234567896", 100000}});
    const std::string earlier = Sample(dir, {{"4102345677", 100000}, {"3152000019", 100}});
    const std::vector<std::string> args = {"--format", "100M",       "--compare", earlier,
                                           "--today",  "2006-12-01", media};
    const ProcessResult text = RunQrvCheck(args, dir.path());
    EXPECT_EQ(text.exitStatus, 0) << text.err;
    EXPECT_EQ(text.err, "");
    const std::string section =
        "Detail Record Error (0)\n"
        "Advisories (6)\n"
        "  duplicate_account: account 1234567896 is on lines 2 and 4, each time for 1,000.00\n"
        "  new_account: account 1234567896 on lines 2 and 4 is not in the earlier file\n"
        "  missing_account: account 3152000019 of the earlier file is not in this one\n"
        "  amount_changed: account 4102345677 on line 3: 5,000.00, against 1,000.00 in the earlier file "
        "(+4,000.00, +400.0%)\n"
        "  totals_changed: against the earlier file: 3 detail records, 2 before (+1); their amounts add up "
        "to "
        "7,000.00, 1,001.00 before (+5,999.00, +599.3%)\n"
        "  date_weekend: the effective date 2006-12-31 is a Sunday\n"
        "Summary file written: ";
    EXPECT_NE(text.out.find(section), std::string::npos) << text.out;

    std::vector<std::string> jsonArgs = args;
    jsonArgs.push_back("--json");
    const json advisories = json::parse(RunQrvCheck(jsonArgs, dir.path()).out).at("advisories");
    ASSERT_EQ(advisories.size(), 6u);
    EXPECT_EQ(advisories[0], json::parse(R"({"code": "duplicate_account",
        "message": "account 1234567896 is on lines 2 and 4, each time for 1,000.00",
        "lines": [2, 4], "account": "1234567896", "amount": "1000.00"})"));
    EXPECT_EQ(advisories[2], json::parse(R"({"code": "missing_account",
        "message": "account 3152000019 of the earlier file is not in this one",
        "account": "3152000019", "earlier_amount": "1.00"})"));
    EXPECT_EQ(advisories[3].at("change_percent"), 400.0);
    EXPECT_EQ(advisories[4].at("change_percent"), 599.3);
    EXPECT_EQ(advisories[5], json::parse(R"({"code": "date_weekend",
        "message": "the effective date 2006-12-31 is a Sunday", "date": "2006-12-31"})"));
}

TEST(Advisories, MakeTheExitStatusOneOnlyWithStrict) {
    TempDir dir;
    const std::string media = CopySample(dir, "100m-clean.txt"); // effective 2024-01-15, a Monday
    struct Case {
        std::vector<std::string> options;
        int exitStatus;
    };
    const Case cases[] = {
        {{"--today", "2024-01-20"}, 0},
        {{"--today", "2024-01-20", "--strict"}, 1},
        {{"--today", "2024-01-01", "--strict"}, 0},
        {{"--today", "2024-01-12", "--strict", "--lead-days", "1"}, 0},
        {{"--today", "2024-01-12", "--strict", "--lead-days=2"}, 1},
        {{"--today", "2024-01-20", "--strict", "--no-advisories"}, 0},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"--format", "100M", media};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const ProcessResult run = RunQrvCheck(args, dir.path());
        EXPECT_EQ(run.exitStatus, c.exitStatus) << testing::PrintToString(c.options) << run.out;
        EXPECT_EQ(run.err, "");
    }
    const ProcessResult rejected =
        RunQrvCheck({"--format", "100M", "--strict", CopySample(dir, "100m-rejected.txt")}, dir.path());
    EXPECT_EQ(rejected.exitStatus, 1) << "findings stay 1";
}

// A value or a file that cannot be used is said on standard error, and the
// check runs as it would without it.
TEST(Advisories, SayWhatTheyCannotUseAndTheCheckStillRuns) {
    TempDir dir;
    const std::string media = Sample(dir, {{"1234567896", 100000}});
    const std::string other = Sample(dir, {{"1234567896", 100000}}, "045678");
    const std::string badList = dir.write("holidays.txt", "2006-12-25 Christmas\n2006-13-01 no month\n");
    struct Case {
        std::vector<std::string> options;
        std::string err;
    };
    const Case cases[] = {
        {{"--lead-days", "two"},
         "qrv-check: --lead-days takes a number of banking days from 0 to 999, not \"two\"; 2 is used\n"},
        {{"--lead-days", "-1"},
         "qrv-check: --lead-days takes a number of banking days from 0 to 999, not \"-1\"; 2 is used\n"},
        {{"--today", "2006-02-30"},
         "qrv-check: --today takes a day written YYYY-MM-DD, not \"2006-02-30\"; the system date is used\n"},
        {{"--compare", other}, "qrv-check: " + media + ": the earlier file is company 045678, not 012345\n"},
        {{"--compare", dir.write("empty.txt", "")}, "qrv-check: " + media + ": the earlier file is empty\n"},
        {{"--holidays", badList},
         "qrv-check: " + media +
             ": the holiday list's line 2 does not begin with a day written YYYY-MM-DD; it is left out\n"},
    };
    const ProcessResult plain = RunQrvCheck({"--format", "100M", "--no-advisories", media}, dir.path());
    for (const Case& c : cases) {
        std::vector<std::string> args = {"--format", "100M", media};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const ProcessResult run = RunQrvCheck(args, dir.path());
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.exitStatus, 0) << run.err;
        EXPECT_EQ(WithoutAdvisories(run.out), plain.out);
    }
}

} // namespace
} // namespace qrv::test
