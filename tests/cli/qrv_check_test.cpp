// qrv-check on the sample media files, run as the built program.
#include "summary/summary_file.h"
#include "tests/cli/qrv_check_process.h"
#include "tests/support/media_lines.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <future>
#include <map>

namespace qrv::test {
namespace {

using nlohmann::json;

const std::string kPleaseCheck = "Please check data input file.";

struct Message {
    std::string text;
    std::string title;
    std::string icon;
};

struct SampleCase {
    std::string sample;
    std::string format;
    std::string outcome;
    int exitStatus;
    std::vector<Message> messages;
    std::map<std::string, std::string> labels; // those worth checking; the rest are not compared
    std::vector<std::string> listErr;
    std::vector<std::string> rowNumbers; // column "NO.", in display order
    std::vector<std::string> reasons;    // column "Reason", in display order
    std::string summaryName;             // empty: no summary file written
    std::size_t summaryLines = 0;
};

std::ostream& operator<<(std::ostream& out, const SampleCase& c) {
    return out << c.sample << " as " << c.format;
}

const Message kWrongFormat{"Wrong Format", "Warning", "stop"};
const Message kPleaseCheckBox{kPleaseCheck, "QRV Edit Data", "none"};

const std::vector<std::string> kEveryReasonNumbers{"1", "3", "5", "7", "9", "11", "13", "15"};
const std::vector<std::string> kEveryReason{
    "ACCOUNT is not numeric", "Invalid Account",       "Invalid Account",     "Check digit error",
    "ACCOUNT not SAV or CUR", "AMOUNT is not Numeric", "Invalid sign amount", "EFF.DATE NOT EQ CLT R."};

std::map<std::string, std::string> CleanLabels(const std::string& companyCode,
                                               const std::string& companyName) {
    return {
        {"Term_p", "M"}, {"Com_code", companyCode}, {"Com_name", companyName}, {"App_code", "C"},
        {"status", "A"}, {"Eff_date", "15/01/24"},  {"Total_record", "6"},     {"Total_amount", "45,848.16"},
        {"Media", "1"},  {"HashValue", "41372"},    {"Label24", "6"},          {"Label26", "45,848.16"}};
}

const std::string kSampleName = "SAMPLE COMPANY LIMITED        ";
const std::string kThaiName = "บริษัท ตัวอย่าง จำกัด         ";

std::map<std::string, std::string> RejectedLabels(const std::string& companyCode,
                                                  const std::string& detailCount) {
    return {{"Com_code", companyCode}, {"Total_record", "16"},   {"Total_amount", "59,693.83"},
            {"HashValue", "60388"},    {"Label24", detailCount}, {"Label26", "59,693.83"}};
}

std::vector<std::string> With(std::vector<std::string> list, const std::string& more) {
    list.push_back(more);
    return list;
}

const SampleCase kCases[] = {
    {"100m-clean.txt",
     "100M",
     "finished",
     0,
     {},
     CleanLabels("012345", kSampleName),
     {},
     {},
     {},
     "012345",
     7},
    {"10m-clean.txt", "10M", "finished", 0, {}, CleanLabels("054321", kSampleName), {}, {}, {}, "054321", 7},
    {"100m-thai-name.txt",
     "100M",
     "finished",
     0,
     {},
     CleanLabels("056789", kThaiName),
     {},
     {},
     {},
     "056789",
     7},
    {"10m-thai-name.txt",
     "10M",
     "finished",
     0,
     {},
     CleanLabels("067890", kThaiName),
     {},
     {},
     {},
     "067890",
     7},
    {"100m-rejected.txt",
     "100M",
     "finished",
     1,
     {kPleaseCheckBox},
     RejectedLabels("023456", "16"),
     {},
     kEveryReasonNumbers,
     kEveryReason,
     "023456",
     9},
    {"10m-rejected.txt",
     "10M",
     "finished",
     1,
     {kPleaseCheckBox},
     RejectedLabels("065432", "17"),
     {"CTL.REC total record not equal total record of detail"},
     With(kEveryReasonNumbers, "17"),
     With(kEveryReason, "ACCOUNT is not numeric"),
     "065432",
     9},
    {"100m-bad-control.txt",
     "100M",
     "control_rejected",
     1,
     {kPleaseCheckBox},
     {{"Term_p", "X"},
      {"Com_code", "12A456"},
      {"App_code", "A"},
      {"status", "N"},
      {"Eff_date", "31/04/06"},
      {"Total_record", "2"},
      {"Total_amount", "1,500.XX"},
      {"HashValue", ""},
      {"Label24", ""},
      {"Label26", ""}},
     {"CTL.REC Term Payment ERROR", "CTL.REC APPLY CODE ERROR", "CLT.REC COMP-CODE is not Numeric",
      "CLT.REC TOTAL AMOUNT is not Numeric", "CLT.REC STATUS is not equal 'A'",
      "CLT.REC INVALID EFFECTIVE DATE"},
     {},
     {},
     "",
     0},
    {"wrong-format.txt", "10M", "wrong_format", 2, {kWrongFormat}, {}, {}, {}, {}, "", 0},
    {"wrong-format.txt",
     "100M",
     "finished",
     0,
     {},
     CleanLabels("045678", kSampleName),
     {},
     {},
     {},
     "045678",
     7},
    {"10m-clean.txt", "100M", "wrong_format", 2, {kWrongFormat}, {}, {}, {}, {}, "", 0},
    {"100m-clean.txt", "10M", "wrong_format", 2, {kWrongFormat}, {}, {}, {}, {}, "", 0},
};

std::vector<std::string> Column(const json& rows, std::size_t column) {
    std::vector<std::string> cells;
    for (const json& row : rows)
        cells.push_back(row.at(column));
    return cells;
}

class SampleRun : public testing::TestWithParam<SampleCase> {};

TEST_P(SampleRun, ReportsWhatTheWindowAndMessagesShow) {
    const SampleCase& c = GetParam();
    TempDir dir;
    const auto media = CopySample(dir, c.sample);
    const ProcessResult run = RunQrvCheck({"--format", c.format, "--json", media}, dir.path());
    EXPECT_EQ(run.exitStatus, c.exitStatus) << run.err;
    EXPECT_EQ(run.err, c.outcome == "wrong_format" ? "qrv-check: " + media + ": Wrong Format\n" : "");
    const json report = json::parse(run.out);
    EXPECT_EQ(run.out, nlohmann::ordered_json::parse(run.out).dump(2) + "\n") << "indented as dump(2) does";

    EXPECT_EQ(report.at("format"), c.format);
    EXPECT_EQ(report.at("outcome"), c.outcome);
    EXPECT_EQ(report.at("error"), nullptr);
    ASSERT_EQ(report.at("messages").size(), c.messages.size());
    for (std::size_t i = 0; i < c.messages.size(); ++i) {
        EXPECT_EQ(report["messages"][i].at("text"), c.messages[i].text);
        EXPECT_EQ(report["messages"][i].at("title"), c.messages[i].title);
        EXPECT_EQ(report["messages"][i].at("icon"), c.messages[i].icon);
    }

    const json& window = report.at("window");
    if (c.outcome == "wrong_format") {
        EXPECT_EQ(window, nullptr);
    } else {
        ASSERT_TRUE(window.is_object());
        EXPECT_EQ(window.at("shown"), true);
        EXPECT_EQ(window.at("PrintSendData"), c.outcome == "finished");
        const std::string code = c.labels.at("Com_code");
        EXPECT_EQ(window.at("labels").at("Label1"), SummaryFilePath(media, code));
        for (const auto& [name, text] : c.labels)
            EXPECT_EQ(window.at("labels").at(name), text) << name;
        EXPECT_EQ(window.at("labels").size(), 13u);
        EXPECT_EQ(window.at("ListErr").get<std::vector<std::string>>(), c.listErr);
        EXPECT_EQ(Column(window.at("ListView1"), 0), c.rowNumbers);
        EXPECT_EQ(Column(window.at("ListView1"), 5), c.reasons);
    }

    if (c.summaryName.empty()) {
        EXPECT_EQ(report.at("summary_file"), nullptr);
    } else {
        const std::string summary = SummaryFilePath(media, c.summaryName);
        EXPECT_EQ(report.at("summary_file"), summary);
        const std::vector<std::string> lines = SplitCrLfLines(ReadBytes(summary));
        std::filesystem::remove(summary);
        ASSERT_EQ(lines.size(), c.summaryLines);
        EXPECT_EQ(lines[0], SplitCrLfLines(ReadBytes(media))[0]);
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleRun, testing::ValuesIn(kCases));

TEST(SampleRunColumns, EachFormatHasItsWidthsAndAlignments) {
    struct Expected {
        std::string format;
        std::string sample;
        std::vector<std::string> aligns;
        int amountWidth;
    };
    const Expected cases[] = {
        {"100M", "100m-clean.txt", {"left", "left", "left", "left", "left", "left"}, 3000},
        {"10M", "10m-clean.txt", {"left", "center", "center", "center", "right", "left"}, 2000},
    };
    for (const Expected& c : cases) {
        TempDir dir;
        const auto media = CopySample(dir, c.sample);
        const json window =
            json::parse(RunQrvCheck({"--json", "--format", c.format, media}, dir.path()).out).at("window");
        const json& columns = window.at("columns");
        ASSERT_EQ(columns.size(), 6u) << c.format;
        const std::vector<std::string> headers{"NO.",  "Account NO.", "Effective Date",
                                               "Sign", "Amount",      "Reason"};
        const std::vector<int> widths{600, 2000, 1500, 600, c.amountWidth, 5000};
        for (std::size_t i = 0; i < 6; ++i) {
            EXPECT_EQ(columns[i].at("header"), headers[i]) << c.format;
            EXPECT_EQ(columns[i].at("width"), widths[i]) << c.format << " " << headers[i];
            EXPECT_EQ(columns[i].at("align"), c.aligns[i]) << c.format << " " << headers[i];
        }
    }
}

TEST(SampleRunRows, CarryEveryCellAsTheWindowShowsIt) {
    TempDir dir;
    const auto media = CopySample(dir, "10m-rejected.txt");
    const json rows =
        json::parse(RunQrvCheck({"--format", "10M", "--json", media}, dir.path()).out)["window"]["ListView1"];
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(rows[6], json({"13", "4102345677", "15/01/24", "0", "000001000", "Invalid sign amount"}));
    EXPECT_EQ(rows[7], json({"15", "1234567896", "16/01/24", "1", "000001000", "EFF.DATE NOT EQ CLT R."}));
    EXPECT_EQ(rows[8], json({"17", "", "//", "", "", "ACCOUNT is not numeric"}));
}

// A blank sign in an otherwise valid record stops the run: one message box
// says where, and no summary file, not even a partial one, is left behind.
TEST(RunError, IsReportedWithItsLineAndLeavesNoSummaryFile) {
    TempDir dir;
    const auto media = CopySample(dir, "100m-clean.txt");
    std::string bytes = ReadBytes(media);
    const std::size_t thirdLine = 2 * 80;
    bytes[thirdLine + 16] = ' ';
    WriteBytes(media, bytes);

    const ProcessResult run = RunQrvCheck({"--format", "100M", "--json", media}, dir.path());
    EXPECT_EQ(run.exitStatus, 2);
    const json report = json::parse(run.out);
    EXPECT_EQ(report.at("outcome"), "run_error");
    EXPECT_EQ(report.at("error").at("line"), 3);
    const std::string message = report["error"].at("message");
    EXPECT_NE(message.find("line 3"), std::string::npos) << message;
    EXPECT_NE(message.find("Sign"), std::string::npos) << message;
    ASSERT_EQ(report.at("messages").size(), 1u);
    EXPECT_EQ(report["messages"][0], json({{"text", message}, {"title", "QRV Edit Data"}, {"icon", "stop"}}));
    EXPECT_EQ(report.at("window").at("shown"), false);
    EXPECT_EQ(report.at("window").at("PrintSendData"), false);
    EXPECT_EQ(report.at("summary_file"), nullptr);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "only the media file";
}

TEST(RunError, MissingMediaFileNamesThePath) {
    struct Expected {
        std::string format;
        bool windowCreated; // 10 M sets its columns before it opens the file
    };
    for (const Expected& c : {Expected{"100M", false}, Expected{"10M", true}}) {
        TempDir dir;
        const std::string missing = (dir.path() / "missing.txt").string();
        const ProcessResult run = RunQrvCheck({"--json", "--format", c.format, missing}, dir.path());
        EXPECT_EQ(run.exitStatus, 2) << c.format;
        const json report = json::parse(run.out);
        EXPECT_EQ(report.at("outcome"), "run_error");
        const std::string message = report.at("error").at("message");
        EXPECT_NE(message.find(missing), std::string::npos) << message;
        EXPECT_EQ(report.at("window").is_null(), !c.windowCreated) << c.format;
    }
}

// Only a run that reached the end of its file has a letter; one that stopped
// says so on standard error and keeps its own exit status.
TEST(Letter, IsWrittenOnlyAfterAFinishedRun) {
    struct Case {
        std::string sample;
        std::string format;
        int exitStatus;
        bool written;
    };
    for (const Case& c :
         {Case{"100m-clean.txt", "100M", 0, true}, Case{"10m-rejected.txt", "10M", 1, true},
          Case{"100m-bad-control.txt", "100M", 1, false}, Case{"wrong-format.txt", "10M", 2, false}}) {
        TempDir dir;
        const auto media = CopySample(dir, c.sample);
        const auto letter = dir.path() / "letter.txt";
        const ProcessResult run =
            RunQrvCheck({"--format", c.format, "--letter", letter.string(), media}, dir.path());
        EXPECT_EQ(run.exitStatus, c.exitStatus) << c.sample;
        EXPECT_EQ(std::filesystem::exists(letter), c.written) << c.sample;
        EXPECT_EQ(run.err.find("no letter written") != std::string::npos, !c.written) << c.sample;
        if (c.written) {
            EXPECT_EQ(SplitCrLfLines(ReadBytes(letter)).size(), 26u) << c.sample;
        }
    }
}

// Two files of one company checked at the same moment write the same summary
// file; each letter still restates its own control record.
TEST(Letter, TwoRunsAtOnceEachWriteTheirOwnLetter) {
#ifdef _WIN32
    GTEST_SKIP() << "the Windows process helper lets a child inherit every open handle, so two children at "
                    "once hold each other's output files";
#endif
    TempDir dir;
    const auto media = [&](const std::string& name) {
        std::vector<std::string> lines{ControlLine(Format::M100, {.companyName = name})};
        lines.insert(lines.end(), 2000, DetailLine(Format::M100, {}));
        return dir.write(name.substr(8) + ".txt", JoinLines(lines));
    };
    const std::string a = media("COMPANY AAAA");
    const std::string b = media("COMPANY BBBB");
    std::filesystem::create_directories(dir.path() / "a");
    std::filesystem::create_directories(dir.path() / "b");
    const auto check = [&](const std::string& file, const std::string& folder) {
        return RunQrvCheck({"--format", "100M", "--letter", (dir.path() / folder / "letter").string(), file},
                           dir.path() / folder);
    };
    for (int round = 0; round < 200; ++round) {
        auto other = std::async(std::launch::async, [&] { return check(b, "b"); });
        check(a, "a");
        other.get();
        ASSERT_NE(ReadBytes(dir.path() / "a" / "letter").find("COMPANY AAAA"), std::string::npos) << round;
        ASSERT_NE(ReadBytes(dir.path() / "b" / "letter").find("COMPANY BBBB"), std::string::npos) << round;
    }
}

TEST(Letter, UnwritablePathFailsTheCommand) {
    TempDir dir;
    const auto media = CopySample(dir, "100m-clean.txt");
    const auto letter = dir.path() / "no-such-folder" / "letter.txt";
    const ProcessResult run =
        RunQrvCheck({"--format", "100M", "--letter", letter.string(), media}, dir.path());
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.err.find(letter.string()), std::string::npos) << run.err;
}

TEST(TextReport, ShowsControlFieldsRowsAndMessages) {
    TempDir dir;
    const auto media = CopySample(dir, "100m-thai-name.txt");
    const ProcessResult clean = RunQrvCheck({"--format", "100M", media}, dir.path());
    EXPECT_EQ(clean.exitStatus, 0);
    for (const std::string& piece : {kThaiName, std::string("41372"), SummaryFilePath(media, "056789")})
        EXPECT_NE(clean.out.find(piece), std::string::npos) << piece << "\n" << clean.out;

    const auto rejected = CopySample(dir, "100m-rejected.txt");
    const ProcessResult run = RunQrvCheck({"--format", "100M", rejected}, dir.path());
    EXPECT_EQ(run.exitStatus, 1);
    for (const std::string& piece : With(kEveryReason, kPleaseCheck))
        EXPECT_NE(run.out.find(piece), std::string::npos) << piece << "\n" << run.out;
}

// "-" names a file like any other, in the current folder; standard input is
// never read.
TEST(MediaPath, DashIsAFileOfThatName) {
    TempDir dir;
    dir.write("-", ReadBytes(std::filesystem::path(QRV_SAMPLES_DIR) / "100m-clean.txt"));
    const ProcessResult run = RunQrvCheck({"--format", "100M", "--json", "-"}, dir.path());
    EXPECT_EQ(run.exitStatus, 0) << run.out;
    EXPECT_EQ(json::parse(run.out).at("summary_file"), "-012345");
    EXPECT_EQ(SplitCrLfLines(ReadBytes(dir.path() / "-012345")).size(), 7u);
}

struct UsageCase {
    std::vector<std::string> args;
    std::string complaint;
};

std::ostream& operator<<(std::ostream& out, const UsageCase& c) {
    out << "qrv-check";
    for (const std::string& arg : c.args)
        out << ' ' << arg;
    return out;
}

class Usage : public testing::TestWithParam<UsageCase> {};

TEST_P(Usage, IsRefusedWithTheUsageOnStandardError) {
    TempDir dir;
    const ProcessResult run = RunQrvCheck(GetParam().args, dir.path());
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(GetParam().complaint), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("usage: qrv-check --format 100M|10M [--json | --csv] [--letter PATH]"),
              std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, Usage,
    testing::Values(UsageCase{{}, "--format is missing"}, UsageCase{{"in.txt"}, "--format is missing"},
                    UsageCase{{"--format", "100M"}, "media file is missing"},
                    UsageCase{{"--format", "20M", "in.txt"}, "unknown format \"20M\""},
                    UsageCase{{"--format"}, "--format needs a value"},
                    UsageCase{{"--format", "10M", "--letter", "l.txt", "a.txt", "b.txt"},
                              "--letter applies to a single media file"},
                    UsageCase{{"--format", "10M", "a.txt", ""}, "a media file path is empty"},
                    UsageCase{{"--format", "10M", "--xml", "a.txt"}, "unknown option --xml"},
                    UsageCase{{"--format", "10M", "--csv", "--json", "a.txt"},
                              "--json and --csv exclude each other"},
                    UsageCase{{"--format", "10M", "--format", "100M", "a.txt"}, "twice"}));

TEST(Usage, HelpGoesToStandardOutputAndNamesEveryOption) {
    TempDir dir;
    const ProcessResult run = RunQrvCheck({"--help"}, dir.path());
    EXPECT_EQ(run.exitStatus, 0);
    for (const std::string piece : {"usage: qrv-check", "MEDIA_FILE...", "--format 100M|10M",
                                    "either letter case", "--json", "JSON Lines", "--csv", "--letter PATH",
                                    "a single", "--version", "--help", "qrv-check: FILE: message", "highest"})
        EXPECT_NE(run.out.find(piece), std::string::npos) << piece;
}

} // namespace
} // namespace qrv::test
