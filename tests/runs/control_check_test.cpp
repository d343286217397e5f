// The eight control record checks of both formats.
#include "core/numeric.h"
#include "runs/control_check.h"
#include "runs/format.h"
#include "tests/support/media_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using namespace qrv;

namespace {

const std::string kControl = test::ControlLine(test::Format::M100, {.companyName = std::string(30, 'N'),
                                                                    .totalRecord = "00001",
                                                                    .totalAmount = "00000150000",
                                                                    .mediaType = "1"});

class ListErrWindow : public ResultWindow {
  public:
    std::vector<std::string> lines;
    std::vector<Location> places;
    void setLabel(Label, std::string_view) override {}
    void appendListErr(std::string_view line, const Location& where) override {
        lines.emplace_back(line);
        places.push_back(where);
    }
    void setColumns(const std::vector<Column>&) override {}
    void insertRow(std::int64_t, ErrorRow) override {}
    void show() override {}
    void close() override {}
};

using Lines = std::vector<std::string>;

// The control record checks of `format`'s row of the table.
bool CheckControlLine(Format format, const std::string& line, ResultWindow& window) {
    const RunFormat& table = FormatTable(format);
    return CheckControlRecord(SplitRecord(line, table.controlLayout), table.controlLayout, table.applyCodes,
                              window);
}

Lines ControlErrors100M(const std::string& line) {
    ListErrWindow window;
    const bool failed = CheckControlLine(Format::M100, line, window);
    EXPECT_EQ(failed, !window.lines.empty());
    return window.lines;
}

std::string With(std::string line, std::size_t position, std::string text) {
    return line.replace(position - 1, text.size(), text);
}

TEST(CheckControlRecord, GoodControlRecordPasses) {
    EXPECT_EQ(ControlErrors100M(kControl), Lines{});
}

TEST(CheckControlRecord, EachCheckAddsItsLine) {
    struct Case {
        std::size_t position;
        std::string text;
        const char* message;
    };
    const std::vector<Case> cases = {
        {1, "X", "Not have a control line."},
        {9, "X", "CTL.REC Term Payment ERROR"},
        {46, "A", "CTL.REC APPLY CODE ERROR"},
        {46, " ", "CTL.REC APPLY CODE ERROR"},
        {10, "      ", "CLT.REC COMP-CODE is not Numeric"},
        {54, "1 2  ", "CLT.REC TOTAL RECORD is not Numeric"},
        {59, "0000000150X", "CLT.REC TOTAL AMOUNT is not Numeric"},
        {47, " ", "CLT.REC STATUS is not equal 'A'"},
        {48, "290207", "CLT.REC INVALID EFFECTIVE DATE"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ControlErrors100M(With(kControl, c.position, c.text)), Lines{c.message}) << c.message;
}

TEST(CheckControlRecord, LowerCaseCodesPass) {
    EXPECT_EQ(ControlErrors100M(With(With(With(kControl, 9, "m"), 46, "d"), 47, "a")), Lines{});
}

TEST(CheckControlRecord, AllChecksRunInOrder) {
    const std::string line = With(With(With(kControl, 1, "X"), 9, "5"), 47, "B");
    EXPECT_EQ(ControlErrors100M(line), (Lines{"Not have a control line.", "CTL.REC Term Payment ERROR",
                                              "CLT.REC STATUS is not equal 'A'"}));
}

TEST(CheckControlRecord, ApplyCodeBOnlyIn100M) {
    EXPECT_EQ(ControlErrors100M(With(kControl, 46, "B")), Lines{});
    const std::string line10 = " " + With(kControl, 46, "B");
    ListErrWindow window;
    EXPECT_TRUE(CheckControlLine(Format::M10, line10, window));
    EXPECT_EQ(window.lines, Lines{"CTL.REC APPLY CODE ERROR"});
}

TEST(CheckControlRecord, DateThatIsNotANumberStopsAfterTheOtherChecks) {
    ListErrWindow window;
    const std::string line = With(With(kControl, 47, " "), 50, "A2");
    EXPECT_THROW(CheckControlLine(Format::M100, line, window), ConversionError);
    EXPECT_EQ(window.lines, Lines{"CLT.REC STATUS is not equal 'A'"});
}

// One byte of a good control record changed, in a field a check reads:
// every line it then adds names that field, and its columns hold the byte.
TEST(CheckControlRecord, LocatesASeededFault) {
    const std::string bytes = std::string("0123456789 .,+-aAxXB") + '\xa1' + '\0';
    std::mt19937 random(150124); // fixed: the same mutations on every run
    for (const Format format : {Format::M100, Format::M10}) {
        const RunFormat& table = FormatTable(format);
        const std::string good = test::ControlLine(format, {.totalRecord = "00001"});
        int located = 0;
        for (int mutation = 0; mutation < 500; ++mutation) {
            std::string line = good;
            const int column = static_cast<int>(random() % 70) + 1; // up to TotalAmount
            line[column - 1] = bytes[random() % bytes.size()];
            ListErrWindow window;
            try {
                CheckControlLine(format, line, window);
            } catch (const ConversionError&) { // an effective date that is no number stops the run
                continue;
            }
            for (const Location& where : window.places) {
                ++located;
                const FieldSpan span = table.controlLayout[static_cast<std::size_t>(
                    std::ranges::find(kControlFieldNames, where.field) - std::begin(kControlFieldNames))];
                EXPECT_TRUE(column >= span.start && column < span.start + span.length) << line << where.field;
                EXPECT_LE(where.first, column) << line;
                EXPECT_GE(where.last, column) << line;
            }
        }
        EXPECT_GT(located, 100);
    }
}

} // namespace
