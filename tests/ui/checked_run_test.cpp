// What the covering letter of a run is named and warns of.
#include "tests/support/media_lines.h"
#include "ui/checked_run.h"

#include <gtest/gtest.h>

namespace qrv::gui {
namespace {

CheckedRun RunOf(const std::string& companyCode, std::int64_t rejected = 0, bool totalsDisagree = false) {
    const std::string line =
        test::ControlLine(Format::M100, {.companyCode = companyCode, .effectiveDate = "150124"});
    return {Format::M100, QStringLiteral("/data/jan.txt"), line, 0, rejected, totalsDisagree};
}

// Blanks around the company code go; one inside it, like any other
// character a file name should not hold, becomes "_".
TEST(LetterFileName, TrimsBlanksAroundTheCompanyCode) {
    EXPECT_EQ(LetterFileName(RunOf(" 1234 ")).toStdString(), "letter-1234-150124.txt");
    EXPECT_EQ(LetterFileName(RunOf("12 4/6")).toStdString(), "letter-12_4_6-150124.txt");
}

// Each finding alone is named alone.
TEST(LetterWarning, NamesOnlyWhatIsWrong) {
    EXPECT_EQ(LetterWarning(RunOf("012345", 2)).toStdString(), "This file has 2 rejected records.");
    EXPECT_EQ(LetterWarning(RunOf("012345", 0, true)).toStdString(),
              "This file's totals do not agree with the control record.");
    EXPECT_EQ(LetterWarning(RunOf("012345")).toStdString(), "");
}

} // namespace
} // namespace qrv::gui
