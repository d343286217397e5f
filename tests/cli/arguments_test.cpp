#include "cli/arguments.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace qrv::cli {
namespace {

Arguments Parse(std::vector<std::string_view> args) {
    return ParseArguments(args);
}

TEST(ParseArguments, TakesOptionsInAnyOrder) {
    for (const auto& args :
         std::vector<std::vector<std::string_view>>{{"--format", "10M", "--json", "in.txt"},
                                                    {"in.txt", "--json", "--format", "10M"},
                                                    {"--json", "in.txt", "--format=10M"}}) {
        const Arguments parsed = Parse(args);
        EXPECT_EQ(parsed.format, Format::M10);
        EXPECT_TRUE(parsed.json);
        EXPECT_EQ(parsed.mediaPaths, std::vector<std::string>{"in.txt"});
    }
}

TEST(ParseArguments, DoubleDashEndsTheOptions) {
    const Arguments parsed = Parse({"--format", "100M", "--", "--json"});
    EXPECT_FALSE(parsed.json);
    EXPECT_EQ(parsed.mediaPaths, std::vector<std::string>{"--json"});
}

TEST(ParseArguments, RefusesAValueForAFlag) {
    EXPECT_THROW(Parse({"--json=yes", "--format", "10M", "a"}), UsageError);
}

TEST(ParseArguments, LetterTakesOnePath) {
    EXPECT_EQ(Parse({"--letter", "out.txt", "--format", "10M", "in.txt"}).letterPath, "out.txt");
    EXPECT_EQ(Parse({"--format", "10M", "in.txt"}).letterPath, "");
    EXPECT_THROW(Parse({"--letter", "a", "--letter=b", "--format", "10M", "in.txt"}), UsageError);
    EXPECT_THROW(Parse({"--letter=", "--format", "10M", "in.txt"}), UsageError);
    EXPECT_THROW(Parse({"--format", "10M", "in.txt", "--letter"}), UsageError);
}

TEST(ParseArguments, AdvisoryOptionsTakeOneValueEach) {
    const Arguments parsed = Parse({"--compare", "dec.txt", "--holidays=h.txt", "--lead-days", "0", "--today",
                                    "2024-01-12", "--strict", "--format", "10M", "in.txt"});
    EXPECT_EQ(parsed.comparePath, "dec.txt");
    EXPECT_EQ(parsed.holidayPath, "h.txt");
    EXPECT_EQ(parsed.leadDays, 0);
    EXPECT_EQ(parsed.today, std::chrono::year_month_day(std::chrono::year(2024) / 1 / 12));
    EXPECT_TRUE(parsed.strict);
    EXPECT_TRUE(parsed.advisories);
    EXPECT_TRUE(parsed.warnings.empty());
    EXPECT_FALSE(Parse({"--no-advisories", "--format", "10M", "in.txt"}).advisories);
    EXPECT_THROW(Parse({"--compare", "a", "--compare", "b", "--format", "10M", "in.txt"}), UsageError);
    EXPECT_THROW(Parse({"--holidays=", "--format", "10M", "in.txt"}), UsageError);
    EXPECT_THROW(Parse({"--format", "10M", "in.txt", "--today"}), UsageError);
}

// A value the advisories cannot use is left out with a warning: the check still runs.
TEST(ParseArguments, WarnsOfAnUnusableLeadOrDay) {
    const Arguments parsed =
        Parse({"--lead-days", "1000", "--today", "12/01/2024", "--format", "10M", "in.txt"});
    EXPECT_EQ(parsed.leadDays, std::nullopt);
    EXPECT_EQ(parsed.today, std::nullopt);
    EXPECT_EQ(parsed.warnings.size(), 2u);
}

// Long options are taken only as written in full, and in any order even where
// the environment asks getopt for POSIX order.
TEST(ParseArguments, JournalIsOptInWithAnOptionalPath) {
    EXPECT_FALSE(Parse({"--format", "10M", "in.txt"}).useJournal);
    const Arguments defaultJournal = Parse({"--journal", "--format", "10M", "in.txt"});
    EXPECT_TRUE(defaultJournal.useJournal);
    EXPECT_EQ(defaultJournal.journalPath, "");
    EXPECT_EQ(defaultJournal.mediaPaths, std::vector<std::string>{"in.txt"}); // not the journal's path
    EXPECT_EQ(Parse({"--journal=j.sqlite", "--format", "10M", "in.txt"}).journalPath, "j.sqlite");
    const Arguments find = Parse({"--find-in-journal", "letter.txt", "--journal=j.sqlite"});
    EXPECT_EQ(find.request, Arguments::Request::FindInJournal);
    EXPECT_EQ(find.findPath, "letter.txt");
    EXPECT_EQ(find.journalPath, "j.sqlite");
}

TEST(ParseArguments, TakesOptionsOnlyInFull) {
    EXPECT_THROW(Parse({"--form", "10M", "in.txt"}), UsageError);
    EXPECT_THROW(Parse({"--format", "10M", "--js", "in.txt"}), UsageError);
    EXPECT_THROW(Parse({"--format=10M", "--he"}), UsageError);
    EXPECT_EQ(Parse({"in.txt", "-h"}).request, Arguments::Request::Help);
}

// A usage error names the argument at fault as it was given, and a name
// that starts with "-" is shown the way to be a file name.
TEST(ParseArguments, NamesTheArgumentAtFault) {
    const std::string hint = " (a media file whose name starts with \"-\" goes after \"--\")";
    const struct {
        std::vector<std::string_view> args;
        std::string message;
    } cases[] = {
        {{"--format", "100M", "-jan.txt"}, "unknown option -jan.txt" + hint},
        {{"-jan.txt", "--format", "100M"}, "unknown option -jan.txt" + hint},
        {{"--format=100M", "-hjan.txt"}, "unknown option -hjan.txt" + hint},
        {{"--format", "100M", "--form=10M", "a"}, "unknown option --form" + hint},
        {{"--format", "100M", "--json=yes", "a"}, "--json takes no value"},
        {{"a", "--letter"}, "--letter needs a value"},
        {{"--format", "100M", "--journal=", "a"}, "--journal= needs a path"},
        {{"--find-in-journal", "a", "--format", "100M"},
         "--find-in-journal takes only --journal=PATH beside it"},
        {{"--find-in-journal", "a", "b"}, "--find-in-journal takes only --journal=PATH beside it"},
    };
    for (const auto& c : cases) {
        try {
            Parse(c.args);
            ADD_FAILURE() << c.message << ": taken";
        } catch (const UsageError& e) {
            EXPECT_EQ(e.what(), c.message);
        }
    }
    EXPECT_EQ(Parse({"--format", "100M", "--", "-jan.txt"}).mediaPaths, std::vector<std::string>{"-jan.txt"});
}

// Sets an environment variable, or removes it given nullptr.
void SetEnvironment(const char* name, const char* value) {
#ifdef _WIN32
    _putenv_s(name, value ? value : "");
#else
    if (value)
        setenv(name, value, 1);
    else
        unsetenv(name);
#endif
}

TEST(ParseArguments, KeepsAnyOrderUnderPosixlyCorrect) {
    SetEnvironment("POSIXLY_CORRECT", "1");
    const Arguments parsed = Parse({"in.txt", "--format", "10M"});
    SetEnvironment("POSIXLY_CORRECT", nullptr);
    EXPECT_EQ(parsed.mediaPaths, std::vector<std::string>{"in.txt"});
    EXPECT_EQ(parsed.format, Format::M10);
}

} // namespace
} // namespace qrv::cli
