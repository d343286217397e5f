// What the covering letter of a run is named and warns of.
#include "tests/support/media_lines.h"
#include "ui/checked_run.h"
#include "ui/language.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace qrv::gui {
namespace {

CheckedRun RunOf(const std::string& companyCode, std::int64_t rejected = 0, bool totalsDisagree = false,
                 std::vector<Advisory> advisories = {}) {
    const std::string line =
        test::ControlLine(Format::M100, {.companyCode = companyCode, .effectiveDate = "150124"});
    return {Format::M100,         QStringLiteral("/data/jan.txt"), line, 0, rejected, totalsDisagree,
            std::move(advisories)};
}

Advisory Twice() {
    return {AdvisoryCode::DuplicateAccount, "twice", {2, 5}};
}

Advisory Thrice() {
    return {AdvisoryCode::DuplicateAccount, "thrice", {2, 5, 7}};
}

Advisory Weekend() {
    return {AdvisoryCode::DateWeekend, "Sunday"};
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

// The advisories follow the findings' sentence, accounts on more than one
// record by name, the rest as a count; alone they make a sentence of their own.
TEST(LetterWarning, NamesTheAdvisories) {
    const struct {
        std::int64_t rejected;
        bool totalsDisagree;
        std::vector<Advisory> advisories;
        std::string warning;
    } cases[] = {
        {2, false, {Twice(), Twice()}, "This file has 2 rejected records; 2 accounts appear twice."},
        {0, true, {Weekend()}, "This file's totals do not agree with the control record; 1 advisory."},
        {0,
         false,
         {Twice(), Thrice(), Weekend(), Weekend()},
         "Advisories: 1 account appears twice; 1 account appears more than twice; 2 other advisories."},
        {0,
         false,
         {Twice(), {AdvisoryCode::DuplicateAccount, "and 5 more accounts on more than one detail record"}},
         "Advisories: 1 account appears twice; 1 other advisory."},
        {1,
         true,
         {Thrice(), Thrice(), Weekend()},
         "This file has 1 rejected record and its totals do not agree with the control record; "
         "2 accounts appear more than twice; 1 other advisory."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LetterWarning(RunOf("012345", c.rejected, c.totalsDisagree, c.advisories)).toStdString(),
                  c.warning);
}

// Thai ends its sentences without a full stop: the advisories go on after
// the whole of the findings' sentence, not after all but its last letter.
TEST(LetterWarning, GoesOnAfterTheWholeOfAThaiSentence) {
    int argc = 1;
    char name[] = "checked_run_tests";
    char* argv[] = {name};
    const QCoreApplication application(argc, argv);
    UseLanguage(Language::Thai);
    const QString rejected = QCoreApplication::translate("LetterWarning", "%1 rejected %2")
                                 .arg(2)
                                 .arg(QCoreApplication::translate("LetterWarning", "records"));
    const QString warning = LetterWarning(RunOf("012345", 2, false, {Twice()}));
    UseLanguage(Language::English);
    ASSERT_NE(rejected, QStringLiteral("2 rejected records")) << "no Thai catalogue";
    EXPECT_TRUE(warning.contains(rejected + QStringLiteral("; "))) << warning.toStdString();
}

} // namespace
} // namespace qrv::gui
