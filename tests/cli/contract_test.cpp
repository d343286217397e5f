// The report for scripts: the sections with meaning in their keys, the CSV
// of rejected records, and the codes as the manual page and the docs list them.
#include "advisories/advisory.h"
#include "core/detail_check.h"
#include "runs/findings.h"
#include "tests/cli/qrv_check_process.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

namespace qrv::test {
namespace {

using nlohmann::json;

struct SectionCase {
    std::string sample;
    std::string format;
    json control; // the fields compared; null: no control section
    json detail;
    std::vector<std::string> findingCodes;
    std::vector<int> rejectedLines;
    std::vector<std::string> reasonCodes;
    bool summaryWritten;
};

std::ostream& operator<<(std::ostream& out, const SectionCase& c) {
    return out << c.sample << " as " << c.format;
}

const std::vector<int> kEveryReasonLines{2, 4, 6, 8, 10, 12, 14, 16};
const std::vector<std::string> kEveryReasonCode{"account_not_numeric",
                                                "invalid_account",
                                                "invalid_account",
                                                "check_digit",
                                                "account_type",
                                                "amount_not_numeric",
                                                "sign",
                                                "effective_date"};

const SectionCase kSectionCases[] = {
    {"100m-clean.txt",
     "100M",
     {{"company_code", "012345"},
      {"effective_date", "2024-01-15"},
      {"effective_date_raw", "150124"},
      {"total_records", 6},
      {"total_amount", "45848.16"}},
     {{"records", 6},
      {"accepted", 6},
      {"rejected", 0},
      {"accepted_amount", "45848.16"},
      {"hash_total", 41372}},
     {},
     {},
     {},
     true},
    {"10m-rejected.txt",
     "10M",
     {{"total_records", 16}, {"total_records_raw", "00016"}, {"total_amount", "59693.83"}},
     {{"records", 17},
      {"accepted", 8},
      {"rejected", 9},
      {"accepted_amount", "59693.83"},
      {"hash_total", 60388}},
     {"totals.records_mismatch"},
     {2, 4, 6, 8, 10, 12, 14, 16, 18},
     {"account_not_numeric", "invalid_account", "invalid_account", "check_digit", "account_type",
      "amount_not_numeric", "sign", "effective_date", "account_not_numeric"},
     true},
    {"100m-bad-control.txt",
     "100M",
     {{"term_payment", "X"},
      {"effective_date", nullptr},
      {"effective_date_raw", "310406"},
      {"total_amount", nullptr},
      {"total_amount_raw", "000001500XX"}},
     nullptr,
     {"control.term_payment", "control.apply_code", "control.company_code", "control.total_amount",
      "control.status", "control.effective_date"},
     {},
     {},
     false},
    {"wrong-format.txt", "10M", nullptr, nullptr, {}, {}, {}, false},
};

class Sections : public testing::TestWithParam<SectionCase> {};

TEST_P(Sections, SayWhatTheRunFound) {
    const SectionCase& c = GetParam();
    TempDir dir;
    const auto media = CopySample(dir, c.sample);
    const json report = json::parse(RunQrvCheck({"--format", c.format, "--json", media}, dir.path()).out);
    EXPECT_EQ(report.at("schema_version"), 4);
    EXPECT_EQ(report.at("media_file"), media);
    const json& control = report.at("control");
    ASSERT_EQ(control.is_null(), c.control.is_null());
    for (const auto& [key, value] : c.control.items())
        EXPECT_EQ(control.at(key), value) << key;
    EXPECT_EQ(report.at("detail"), c.detail);
    std::vector<std::string> findingCodes;
    for (const json& finding : report.at("findings"))
        findingCodes.push_back(finding.at("code"));
    EXPECT_EQ(findingCodes, c.findingCodes);
    std::vector<int> lines;
    std::vector<std::string> reasonCodes;
    for (const json& rejected : report.at("rejected")) {
        lines.push_back(rejected.at("line"));
        reasonCodes.push_back(rejected.at("reason_code"));
    }
    EXPECT_EQ(lines, c.rejectedLines);
    EXPECT_EQ(reasonCodes, c.reasonCodes);
    EXPECT_EQ(report.at("summary").at("written"), c.summaryWritten);
    EXPECT_EQ(report.at("letter_available"), c.summaryWritten);
}

INSTANTIATE_TEST_SUITE_P(Samples, Sections, testing::ValuesIn(kSectionCases));

TEST(Rejected, GivesEachFieldRawAndConvertedOrNull) {
    TempDir dir;
    const auto media = CopySample(dir, "10m-rejected.txt");
    const json rejected =
        json::parse(RunQrvCheck({"--format", "10M", "--json", media}, dir.path()).out)["rejected"];
    EXPECT_EQ(rejected[5],
              json({{"line", 12},
                    {"account", "1234567896"},
                    {"effective_date", "2024-01-15"},
                    {"effective_date_raw", "150124"},
                    {"sign", "1"},
                    {"amount", nullptr},
                    {"amount_raw", "00000012A"},
                    {"reason", "AMOUNT is not Numeric"},
                    {"reason_code", "amount_not_numeric"},
                    {"field", "Amount"},
                    {"columns", {18, 26}},
                    {"found", "00000012A"},
                    {"expected", "a number"},
                    {"hint", "Columns 18\u201326 (Amount) of this record must hold a number."}}));
    EXPECT_EQ(rejected[6].at("amount"), "10.00");
    // The trailing empty line: every field absent.
    EXPECT_EQ(rejected[8],
              json({{"line", 18},
                    {"account", nullptr},
                    {"effective_date", nullptr},
                    {"effective_date_raw", nullptr},
                    {"sign", nullptr},
                    {"amount", nullptr},
                    {"amount_raw", nullptr},
                    {"reason", "ACCOUNT is not numeric"},
                    {"reason_code", "account_not_numeric"},
                    {"field", "AccountNo"},
                    {"columns", {1, 10}},
                    {"found", ""},
                    {"expected", "ten digits"},
                    {"hint", "Columns 1\u201310 (AccountNo) of this record must hold ten digits."}}));
}

TEST(RunError, HasNoSectionsItDidNotReach) {
    TempDir dir;
    const std::string missing = (dir.path() / "missing.txt").string();
    const json report = json::parse(RunQrvCheck({"--format", "10M", "--json", missing}, dir.path()).out);
    for (const char* key : {"control", "detail"})
        EXPECT_EQ(report.at(key), nullptr) << key;
    EXPECT_EQ(report.at("rejected"), json::array());
    EXPECT_EQ(report.at("summary"),
              json({{"path", nullptr}, {"written", false}, {"moved_because", nullptr}, {"sha256", nullptr}}));
    EXPECT_EQ(report.at("letter_available"), false);
}

// A file saved as UTF-8 is told in a key and a line of their own, which
// the report of a code page 874 file has not.
TEST(NotCodePage874, IsAKeyAndALineOfTheirOwn) {
    TempDir dir;
    const auto clean = CopySample(dir, "100m-clean.txt");
    EXPECT_FALSE(json::parse(RunQrvCheck({"--format", "100M", "--json", clean}, dir.path()).out)
                     .contains("not_code_page_874"));
    const std::string utf8 = dir.write("utf8.txt", ReadBytes(clean) + "\xE0\xB8\x9A\r\n");
    const json report = json::parse(RunQrvCheck({"--format", "100M", "--json", utf8}, dir.path()).out);
    EXPECT_EQ(report.at("not_code_page_874"), "the file is UTF-8 text, not code page 874");
    EXPECT_NE(RunQrvCheck({"--format", "100M", utf8}, dir.path())
                  .out.find("\nNot code page 874: the file is UTF-8 text, not code page 874\n"),
              std::string::npos);
}

#ifdef QRV_REPORT_VALIDATOR
// The validator is no formality: "" where null belongs fails it.
TEST(Schema, RefusesAnEmptyTextForAnAbsentValue) {
    TempDir dir;
    const auto media = CopySample(dir, "100m-bad-control.txt");
    json report = json::parse(RunQrvCheck({"--format", "100M", "--json", media}, dir.path()).out);
    EXPECT_EQ(SchemaComplaints(report.dump(2) + "\n"), "");
    report["control"]["total_amount"] = "";
    EXPECT_NE(SchemaComplaints(report.dump(2) + "\n"), "");
}

// Every finding and rejected record carries its location, and the
// validator holds the report to it.
TEST(Schema, HoldsEveryFindingAndRejectedRecordToItsLocation) {
    TempDir dir;
    const auto media = CopySample(dir, "10m-rejected.txt");
    const json report = json::parse(RunQrvCheck({"--format", "10M", "--json", media}, dir.path()).out);
    EXPECT_EQ(SchemaComplaints(report.dump(2) + "\n"), "");
    json withoutHint = report;
    withoutHint["findings"][0].erase("hint");
    EXPECT_NE(SchemaComplaints(withoutHint.dump(2) + "\n"), "");
    json badColumns = report;
    badColumns["rejected"][0]["columns"] = {0, 10};
    EXPECT_NE(SchemaComplaints(badColumns.dump(2) + "\n"), "");
    json unknownField = report;
    unknownField["rejected"][0]["field"] = "Account";
    EXPECT_NE(SchemaComplaints(unknownField.dump(2) + "\n"), "");
}

TEST(Csv, HasAHeaderAndOneRecordPerRejectedRecord) {
    TempDir dir;
    const auto media = CopySample(dir, "100m-rejected.txt");
    const ProcessResult run = RunQrvCheck({"--format", "100M", "--csv", media}, dir.path());
    EXPECT_EQ(run.exitStatus, 1);
    const auto records = ParsedCsv(run.out);
    ASSERT_EQ(records.size(), 9u);
    EXPECT_EQ(records[0],
              std::vector<std::string>({"media_file", "line", "account", "effective_date", "sign", "amount",
                                        "reason_code", "field", "columns", "found", "expected", "hint"}));
    EXPECT_EQ(records[1], std::vector<std::string>(
                              {media, "2", "12345 7896", "150124", "1", "00000001000", "account_not_numeric",
                               "AccountNo", "1\u201310", "12345 7896", "ten digits",
                               "Columns 1\u201310 (AccountNo) of this record must hold ten digits."}));
    for (std::size_t i = 0; i < kEveryReasonLines.size(); ++i) {
        EXPECT_EQ(records[i + 1][1], std::to_string(kEveryReasonLines[i]));
        EXPECT_EQ(records[i + 1][6], kEveryReasonCode[i]);
    }
}

TEST(Csv, SeveralFilesShareOneHeader) {
    TempDir dir;
    const auto rejected = CopySample(dir, "100m-rejected.txt");
    const auto clean = CopySample(dir, "100m-clean.txt");
    const std::string missing = (dir.path() / "missing.txt").string();
    const ProcessResult run =
        RunQrvCheck({"--format", "100M", "--csv", rejected, clean, missing, rejected}, dir.path());
    EXPECT_EQ(run.exitStatus, 2);
    const auto records = ParsedCsv(run.out);
    ASSERT_EQ(records.size(), 17u);
    EXPECT_EQ(records[0][0], "media_file");
    EXPECT_EQ(records[16][0], rejected);
}

// Quotation marks, backslashes and control bytes in rejected records reach
// JSON and CSV as the exact field texts.
TEST(Rejected, CarriesAwkwardBytesExactly) {
    TempDir dir;
    const auto media = CopySample(dir, "100m-rejected.txt");
    std::string bytes = ReadBytes(media);
    const auto line = [](int number) {
        return static_cast<std::size_t>(number - 1) * 80;
    };
    const std::string quoted = "12\"45\\7896";
    const std::string escaped = "\x1b"
                                "1234\x7f"
                                "6789";
    const std::string amount = std::string("\0", 1) + "00000\r1000";
    bytes.replace(line(2), 10, quoted);
    bytes.replace(line(4), 10, escaped);
    bytes.replace(line(6) + 17, 11, amount);
    WriteBytes(media, bytes);
    const std::vector<std::string> accounts{quoted, escaped, "0000000000"};

    const std::string indented = RunQrvCheck({"--format", "100M", "--json", media}, dir.path()).out;
    EXPECT_EQ(indented, nlohmann::ordered_json::parse(indented).dump(2) + "\n") << "escaped as dump() does";
    const ProcessResult lines = RunQrvCheck({"--format", "100M", "--json", media, media}, dir.path());
    std::istringstream out(lines.out);
    std::vector<json> reports{json::parse(indented)};
    for (std::string text; std::getline(out, text);) {
        reports.push_back(json::parse(text));
        EXPECT_EQ(text, nlohmann::ordered_json::parse(text).dump());
    }
    ASSERT_EQ(reports.size(), 3u);
    for (const json& report : reports) {
        for (std::size_t i = 0; i < accounts.size(); ++i) {
            EXPECT_EQ(report["rejected"][i].at("account"), accounts[i]) << i;
            EXPECT_EQ(report["window"]["ListView1"][i][1], accounts[i]) << i;
        }
        EXPECT_EQ(report["rejected"][2].at("amount_raw"), amount);
    }

    const auto csv = ParsedCsv(RunQrvCheck({"--format", "100M", "--csv", media}, dir.path()).out);
    for (std::size_t i = 0; i < accounts.size(); ++i)
        EXPECT_EQ(csv.at(i + 1).at(2), accounts[i]) << i;
    EXPECT_EQ(csv.at(3).at(5), amount);
}
#endif

// The codes as a document lists them: {text, code} in order.
using CodeList = std::vector<std::pair<std::string, std::string>>;

CodeList Listed(std::span<const CodedText> table) {
    CodeList list;
    for (const CodedText& entry : table)
        list.emplace_back(entry.text, entry.code);
    return list;
}

std::vector<std::string> SectionLines(const std::string& document, const std::string& heading) {
    std::istringstream in(document);
    std::vector<std::string> lines;
    bool inside = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(".S", 0) == 0 || line.rfind("## ", 0) == 0)
            inside = line == heading;
        else if (inside)
            lines.push_back(line);
    }
    return lines;
}

// .TP / .B code / \(lqtext\(rq: explanation
CodeList ManualPageCodes(const std::string& heading) {
    const std::vector<std::string> lines =
        SectionLines(ReadBytes(std::filesystem::path(QRV_SOURCE_DIR) / "dist/qrv-check.1.in"), heading);
    CodeList list;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i].rfind(".B ", 0) != 0)
            continue;
        const std::string& next = lines[i + 1];
        const std::size_t open = next.find("\\(lq") + 4;
        list.emplace_back(next.substr(open, next.find("\\(rq") - open), lines[i].substr(3));
    }
    return list;
}

// | `code` | text | explanation |
CodeList DocsCodes(const std::string& heading) {
    const std::vector<std::string> lines =
        SectionLines(ReadBytes(std::filesystem::path(QRV_SOURCE_DIR) / "docs/scripting.md"), heading);
    CodeList list;
    for (const std::string& line : lines) {
        if (line.rfind("| `", 0) != 0)
            continue;
        const std::size_t codeEnd = line.find('`', 3);
        const std::size_t textStart = line.find("| ", codeEnd) + 2;
        list.emplace_back(line.substr(textStart, line.find(" |", textStart) - textStart),
                          line.substr(3, codeEnd - 3));
    }
    return list;
}

TEST(Codes, AreListedAsTheManualPageAndTheDocsListThem) {
    EXPECT_EQ(ManualPageCodes(".SS Reason codes"), Listed(kRejectReasons));
    EXPECT_EQ(ManualPageCodes(".SS Finding codes"), Listed(finding::kAll));
    EXPECT_EQ(DocsCodes("## Reason codes"), Listed(kRejectReasons));
    EXPECT_EQ(DocsCodes("## Finding codes"), Listed(finding::kAll));
}

// The codes of a section that lists them as ".B code" (manual page) or
// "| `code` | meaning |" (docs), in order.
std::vector<std::string> ListedCodes(const std::string& document, const std::string& heading) {
    std::vector<std::string> codes;
    for (const std::string& line : SectionLines(document, heading)) {
        if (line.rfind(".B ", 0) == 0)
            codes.push_back(line.substr(3));
        else if (line.rfind("| `", 0) == 0)
            codes.push_back(line.substr(3, line.find('`', 3) - 3));
    }
    return codes;
}

TEST(Codes, OfAdvisoriesAreListedAsTheSchemaTheManualPageAndTheDocsListThem) {
    std::vector<std::string> codes;
    for (const AdvisoryCode code : kAdvisoryCodes)
        codes.emplace_back(CodeName(code));
    const std::filesystem::path source(QRV_SOURCE_DIR);
    EXPECT_EQ(ListedCodes(ReadBytes(source / "dist/qrv-check.1.in"), ".SS Advisory codes"), codes);
    EXPECT_EQ(ListedCodes(ReadBytes(source / "docs/scripting.md"), "## Advisory codes"), codes);
    const nlohmann::json schema =
        nlohmann::json::parse(ReadBytes(source / "dist/qrv-check-report.schema.json"));
    EXPECT_EQ(schema.at("$defs").at("advisoryCode").at("enum").get<std::vector<std::string>>(), codes);
}

} // namespace
} // namespace qrv::test
