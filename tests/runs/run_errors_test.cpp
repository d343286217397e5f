// Runs stopped by their error trap: one stop message naming what stopped the
// run, the pointer back to normal, the window left as it was and not shown.
#include "files/file_error.h"
#include "tests/runs/run_session.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>

namespace qrv::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class RunErrors : public BothFormats {
  protected:
    // The single message of a run error, checked for its form.
    std::string stopMessage(const RunResult& result) {
        EXPECT_EQ(result.outcome, RunOutcome::RunError);
        EXPECT_TRUE(result.summaryPath.empty());
        EXPECT_FALSE(session.window.shown());
        EXPECT_FALSE(session.user.busy());
        const auto& messages = session.user.messages();
        if (messages.size() != 1 || !result.error) {
            ADD_FAILURE() << "expected one message and an error, got " << messages.size() << " messages";
            return "";
        }
        EXPECT_EQ(messages[0].title, "QRV Edit Data");
        EXPECT_EQ(messages[0].icon, Icon::Stop);
        EXPECT_EQ(messages[0].buttons, Buttons::Ok);
        EXPECT_EQ(messages[0].text, result.error->message);
        const auto box = std::ranges::find(session.log, "messageBox " + messages[0].text);
        const auto lastPointer = std::find_if(std::make_reverse_iterator(box), session.log.rend(),
                                              [](const auto& e) { return e.starts_with("setBusyPointer"); });
        EXPECT_TRUE(lastPointer != session.log.rend() && *lastPointer == "setBusyPointer false")
            << "the message is shown with the pointer back to normal";
        return messages[0].text;
    }
};

TEST_P(RunErrors, TotalRecordOfSpacesStopsWhileTheLabelsAreFilled) {
    Control fields;
    fields.totalRecord = "     ";

    const std::string text = stopMessage(run(media({control(fields), detail()})));

    EXPECT_EQ(text, "The check stopped at line 1: in the TotalRecord field, \"     \" is not a number.");
    EXPECT_EQ(session.window.label(Label::SummaryPath), summaryPath());
    EXPECT_EQ(session.window.label(Label::EffectiveDate), "31/12/06");
    EXPECT_EQ(session.window.label(Label::TotalRecord), "");
    EXPECT_THAT(session.window.listErr(), IsEmpty());
    EXPECT_THAT(dir.names(), ElementsAre("jan.txt"));
}

// The checks before the date have run and keep their lines; the date's own
// line is not added.
TEST_P(RunErrors, LetterInTheDateStopsTheControlChecks) {
    Control fields;
    fields.effectiveDate = "31X206";
    fields.status = "X";

    const RunResult result = run(media({control(0, 0, fields)}));

    const std::string text = stopMessage(result);
    EXPECT_THAT(text, HasSubstr("line 1"));
    EXPECT_THAT(text, HasSubstr("EffectiveDate"));
    EXPECT_THAT(text, HasSubstr("X2"));
    EXPECT_EQ(result.error->line, 1);
    EXPECT_THAT(session.window.listErr(), ElementsAre("CLT.REC STATUS is not equal 'A'"));
    EXPECT_EQ(session.window.label(Label::EffectiveDate), "31/X2/06");
}

TEST_P(RunErrors, BlankSignStopsAtItsLineKeepingEarlierRows) {
    const RunResult result = run(media({
        control(3, 0),
        detail({.account = "1234567890"}),
        detail(),
        detail({.sign = " "}),
        detail({.account = "0000000000"}),
    }));

    EXPECT_EQ(stopMessage(result), "The check stopped at line 4: in the Sign field, \" \" is not a number.");
    EXPECT_EQ(result.error->line, 4);
    ASSERT_EQ(session.window.rows().size(), 1u);
    EXPECT_EQ(session.window.rows()[0][0], "1");
    EXPECT_EQ(session.window.label(Label::DetailCount), "");
    EXPECT_EQ(session.window.label(Label::HashTotal), "");
    EXPECT_THAT(dir.names(), ElementsAre("jan.txt"));
}

// Blanks in place of leading zeros pass the amount's numeric test, so the
// record is accepted and its amount reaches the hash.
TEST_P(RunErrors, BlankInAnAmountStopsAtTheHash) {
    std::string blanked = amount(150000);
    blanked.replace(0, 3, "   ");

    const RunResult result = run(media({control(1, 150000), detail({.amount = blanked})}));

    const std::string text = stopMessage(result);
    EXPECT_THAT(text, HasSubstr("line 2"));
    EXPECT_THAT(text, HasSubstr("Amount"));
    EXPECT_EQ(result.error->line, 2);
    EXPECT_THAT(dir.names(), ElementsAre("jan.txt"));
}

TEST_P(RunErrors, MissingMediaFileNamesThePathAndTheReason) {
    const std::string path = (dir.path() / "absent.txt").string();

    const std::string text = stopMessage(run(path));

    EXPECT_EQ(text, "Cannot open the input file \"" + path + "\": " + SystemErrorText(ENOENT) + ".");
    // 10 M sets its columns before it opens the file; 100 M opens the file first.
    if (format() == Format::M10) {
        EXPECT_THAT(std::vector<std::string>(session.log.begin() + 1, session.log.begin() + 3),
                    ElementsAre("create", "setColumns"));
        EXPECT_EQ(session.window.columns().size(), 6u);
        EXPECT_THAT(session.window.rows(), IsEmpty());
    } else {
        EXPECT_FALSE(session.window.exists());
    }
}

TEST_P(RunErrors, MediaPathNamingAFolderIsReported) {
    const std::string text = stopMessage(run(dir.path().string()));

    EXPECT_EQ(text, "Cannot open the input file \"" + dir.path().string() + "\": it is not a regular file.");
}

// The message is UTF-8; the media file's own text in it is decoded from code page 874.
TEST_P(RunErrors, ThaiTextInTheMessageIsDecoded) {
    Control fields;
    fields.totalRecord = "\xA1\xA2   ";

    const std::string text = stopMessage(run(media({control(fields)})));

    EXPECT_THAT(text, HasSubstr("\"\u0E01\u0E02   \""));
}

TEST_P(RunErrors, EmptyMediaFileIsReported) {
    const std::string path = dir.write("jan.txt", "");

    const std::string text = stopMessage(run(path));

    EXPECT_EQ(text, "The input file \"" + path + "\" is empty.");
    EXPECT_TRUE(session.window.exists());
    EXPECT_EQ(session.window.columns().size(), 6u);
    EXPECT_EQ(session.window.label(Label::SummaryPath), "");
    EXPECT_THAT(dir.names(), ElementsAre("jan.txt"));
}

// The drive root of " x/jan.txt" is "x/", a folder that does not exist (the
// media file lies in " x/").
TEST_P(RunErrors, SummaryFileThatCannotBeCreatedNamesItsPath) {
    std::filesystem::create_directory(dir.path() / " x");
    WriteBytes(dir.path() / " x" / "jan.txt", JoinLines({control(0, 0)}));
    CurrentFolder inDir(dir.path());

    const RunResult result = run(" x/jan.txt");
    const std::string text = stopMessage(result);

    EXPECT_EQ(text, "Cannot create the summary file \"x/012345\": " + SystemErrorText(ENOENT) + ".");
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->line, 0);
    EXPECT_FALSE(result.error->summaryUnwritten);
    EXPECT_EQ(session.window.label(Label::SummaryPath), "x/012345");
    EXPECT_THAT(dir.names(), ElementsAre(" x"));
}

// A folder in the summary file's place is only found when the file is moved
// into place at the end; the temporary file goes with the failure.
TEST_P(RunErrors, SummaryFileThatCannotReplaceAFolderLeavesNoTemporaryFile) {
    std::filesystem::create_directory(summaryPath());

    const std::string text = stopMessage(run(media({control(1, 100), detail({.amount = amount(100)})})));

    EXPECT_THAT(text, HasSubstr("\"" + summaryPath() + "\""));
    EXPECT_THAT(text, HasSubstr("Is a directory"));
    EXPECT_THAT(names(), ElementsAre("012345", "jan.txt"));
}

// Puts a folder where the summary file goes as the run shows its totals,
// after the last line and before the summary file takes its name.
class WindowThatBlocksTheSummary : public RecordingWindow {
  public:
    WindowThatBlocksTheSummary(EventLog& log, std::string summaryPath)
        : RecordingWindow(log), summaryPath_(std::move(summaryPath)) {}

    void setLabel(Label label, std::string_view text) override {
        if (label == Label::HashTotal)
            std::filesystem::create_directory(summaryPath_);
        RecordingWindow::setLabel(label, text);
    }

  private:
    std::string summaryPath_;
};

// The run read all three lines: the error is at the last of them, and says
// that the summary file could not be written.
TEST_P(RunErrors, SummaryFileThatCannotTakeItsNameStopsAtTheLastLine) {
    const std::string path =
        media({control(2, 200), detail({.amount = amount(100)}), detail({.amount = amount(100)})});
    WindowThatBlocksTheSummary window(session.log, summaryPath());

    const RunResult result = CheckFile(GetParam().format, path, window, session.user);

    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.outcome, RunOutcome::RunError);
    EXPECT_EQ(result.error->line, 3);
    EXPECT_TRUE(result.error->summaryUnwritten);
    EXPECT_THAT(result.error->message, HasSubstr("\"" + summaryPath() + "\": Is a directory."));
    EXPECT_THAT(names(), ElementsAre("012345", "jan.txt"));
}

// A media file named after its own company code, in the folder the summary
// file goes to, would be replaced by its summary and lose its rejected records.
TEST_P(RunErrors, SummaryFileThatWouldReplaceTheMediaFileIsRefused) {
    CurrentFolder inDir(dir.path());
    const std::string bytes =
        JoinLines({control(2, 100), detail({.amount = amount(100)}), detail({.sign = "0"})});
    const struct {
        std::string mediaPath;
        std::string summaryPath;
    } cases[] = {
        {summaryPath(), summaryPath()},
#ifndef _WIN32
        {"D:\\012345", "D:\\012345"}, // a name in the current folder here
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mediaPath);
        WriteBytes(c.mediaPath, bytes);
        session.user = RecordingUser(session.log);

        const std::string text = stopMessage(run(c.mediaPath));

        EXPECT_THAT(text, HasSubstr("\"" + c.summaryPath + "\""));
        EXPECT_EQ(ReadBytes(c.mediaPath), bytes);
        std::filesystem::remove(c.mediaPath);
        EXPECT_THAT(dir.names(), IsEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Both, RunErrors, ::testing::ValuesIn(kBothFormats), FormatName);

} // namespace
} // namespace qrv::test
