// qrv-check: checks media files from the command line, as the "Edit Data"
// button does, and reports what the result window and message boxes show.
#include "advisories/advisor.h"
#include "cli/arguments.h"
#include "cli/journal_use.h"
#include "cli/letter_path.h"
#include "files/file_error.h"
#include "files/files.h"
#include "journal/run_entry.h"
#include "report/letter.h"
#include "report/letter_file.h"
#include "runs/rejected_record.h"
#include "version.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <new>
#include <optional>
#include <unistd.h>
#include <vector>

namespace {

using namespace qrv::cli;

// Standard output failed; the report is incomplete.
struct OutputFailed {
    int error;
};

void FlushStandardOutput() {
    std::cout.flush();
    if (!std::cout)
        throw OutputFailed{errno};
}

// A message on standard error, which may carry a path or text from a media file.
void Say(std::string_view message) {
    std::cerr << "qrv-check: " << EscapeControls(message) << '\n';
}

// The one line a script reads on standard error.
void Complain(std::string_view file, std::string_view message) {
    std::cerr << "qrv-check: " << EscapeControls(file) << ": " << EscapeControls(message) << '\n';
}

void ComplainAboutRun(const std::string& mediaPath, const qrv::RunResult& result) {
    if (result.error)
        Complain(mediaPath, result.error->message);
    else if (result.outcome == qrv::RunOutcome::WrongFormat)
        Complain(mediaPath, "Wrong Format");
}

// The covering letter the letter window would build from this run's control
// line and hash total, byte for byte. False when it cannot be written, or
// when its path has turned out to lead to the summary file just written or
// to the media file; a run that stopped has no letter, which is said but is
// no further failure.
bool WriteLetter(const Arguments& arguments, const std::string& mediaPath, const qrv::RunResult& result,
                 const qrv::HeldWindow& window) {
    if (result.error && result.error->summaryUnwritten) {
        std::cerr << "qrv-check: no letter written: the summary file could not be written\n";
        return true;
    }
    if (result.outcome != qrv::RunOutcome::Finished || !window.exists()) {
        std::cerr << "qrv-check: no letter written: the check did not reach the end of the media file\n";
        return true;
    }
    if (const std::optional<std::string> complaint =
            LetterPathComplaint(arguments.letterPath, mediaPath, result.summaryPath)) {
        Say("no letter written: " + *complaint);
        return false;
    }
    try {
        qrv::SaveLetterAs(arguments.letterPath, qrv::LetterForRun(*result.controlLine, result.hashTotal,
                                                                  arguments.format, qrv::Today()));
        return true;
    } catch (const qrv::FileError& e) {
        Say(std::string("no letter written: ") + e.what());
        return false;
    }
}

void WriteOutput(const Arguments& arguments, const std::string& mediaPath, const CheckOutput& output) {
    const bool several = arguments.mediaPaths.size() > 1;
    if (arguments.json) {
        WriteJsonOutput(std::cout, output, several ? JsonLayout::Line : JsonLayout::Indented);
    } else if (arguments.csv) {
        WriteCsvRows(std::cout, output);
    } else {
        if (several)
            std::cout << "Media file: " << EscapeControls(mediaPath) << '\n';
        WriteTextOutput(std::cout, output);
    }
    FlushStandardOutput();
}

qrv::AdvisorySettings AdvisorySettingsOf(const Arguments& arguments) {
    qrv::AdvisorySettings settings;
    settings.earlierPath = arguments.comparePath;
    settings.holidayPath = arguments.holidayPath;
    settings.leadDays = arguments.leadDays.value_or(settings.leadDays);
    settings.today = arguments.today.value_or(qrv::Today());
    return settings;
}

int Check(const Arguments& arguments, const std::string& mediaPath, WrittenSummaries& summaries) {
    qrv::RowSpool rows;
    qrv::HeldWindow window(rows);
    qrv::JournalWindow journalWindow(window);
    qrv::MessageLog user;
    qrv::Advisor advisor(arguments.format, AdvisorySettingsOf(arguments));
    const qrv::RunResult result = qrv::CheckFile(arguments.format, mediaPath, journalWindow, user,
                                                 arguments.advisories ? &advisor : nullptr);
    qrv::AdvisoryReport advisories = arguments.advisories ? advisor.report() : qrv::AdvisoryReport{};
    const bool advised = arguments.advisories && result.outcome == qrv::RunOutcome::Finished;
    const std::optional<std::string> replaced =
        result.summaryPath.empty() ? std::nullopt : summaries.record(mediaPath, result.summaryPath);
    const std::string replacedMedia = replaced.value_or(""); // the output holds a view of it
    qrv::RunEntry entry = qrv::EntryOfRun("qrv-check", arguments.format, mediaPath, result, journalWindow, 0);
    std::optional<JournalRecord> journal;
    if (arguments.useJournal) {
        // Not reported with --no-advisories, the journal's own are still counted in its entry.
        std::vector<qrv::Advisory> unreported;
        journal = RecordInJournal(arguments, entry, advised ? advisories.advisories : unreported, Say);
    }
    const CheckOutput output{mediaPath,
                             arguments.format,
                             result,
                             window,
                             rows,
                             user.messages(),
                             replacedMedia,
                             qrv::ForeignTextOfFile(mediaPath),
                             advised ? &advisories.advisories : nullptr,
                             &entry,
                             journal};
    WriteOutput(arguments, mediaPath, output);
    ComplainAboutRun(mediaPath, result);
    for (const std::string& problem : advisories.problems)
        Complain(mediaPath, problem);
    if (replaced)
        Complain(mediaPath, "its summary file " + result.summaryPath + " replaces the one of " + *replaced);
    if (rows.readFailure()) {
        Complain(mediaPath, *rows.readFailure());
        return 2;
    }
    const bool letterWritten =
        arguments.letterPath.empty() || WriteLetter(arguments, mediaPath, result, window);
    return letterWritten ? ExitStatus(output, arguments.strict) : 2;
}

int Run(const Arguments& arguments) {
    switch (arguments.request) {
    case Arguments::Request::Help:
        std::cout << kUsage;
        break;
    case Arguments::Request::Version:
        std::cout << "qrv-check " << qrv::kVersion << '\n';
        break;
    case Arguments::Request::FindInJournal: {
        const int status = FindInJournal(arguments, std::cout, Say);
        FlushStandardOutput();
        return status;
    }
    case Arguments::Request::Check: {
        if (!arguments.letterPath.empty())
            CheckLetterPath(arguments.format, arguments.mediaPaths.front(), arguments.letterPath);
        CheckSummaryPaths(arguments.format, arguments.mediaPaths);
        for (const std::string& warning : arguments.warnings)
            Say(warning);
        if (arguments.csv)
            std::cout << qrv::RejectedCsvHeader();
        int status = 0;
        WrittenSummaries summaries;
        for (const std::string& mediaPath : arguments.mediaPaths)
            status = std::max(status, Check(arguments, mediaPath, summaries));
        return status;
    }
    }
    FlushStandardOutput();
    return 0;
}

// A file opened later must never take the place of a closed standard
// stream: the report would go into it. False when standard output is closed.
bool StandardStreamsGuarded() {
    if (!qrv::DescriptorIsOpen(STDOUT_FILENO)) {
        Say("cannot write the report: standard output is closed");
        return false;
    }
    // open() takes the lowest free descriptor, which is then the closed one.
    for (const int fd : {STDIN_FILENO, STDERR_FILENO})
        if (!qrv::DescriptorIsOpen(fd))
            ::open(qrv::kNullDevice, O_RDWR);
    return true;
}

int Main(int argc, char** argv) {
    qrv::UseBinaryStandardStreams();
    qrv::ReportFileSizeLimitAsError();
    std::ios::sync_with_stdio(false);
    qrv::UseWideConsoles();
    if (!StandardStreamsGuarded())
        return 2;
    try {
        const std::vector<std::string> arguments = qrv::CommandLineArguments(argc, argv);
        const std::vector<std::string_view> args(arguments.begin(), arguments.end());
        return Run(ParseArguments(args));
    } catch (const UsageError& e) {
        Say(e.what());
        std::cerr << kUsage;
    } catch (const OutputFailed& e) {
        std::cerr << "qrv-check: cannot write the report to standard output: " << std::strerror(e.error)
                  << '\n';
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception& e) {
        Say(e.what());
    }
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Main(argc, argv);
    } catch (const std::bad_alloc&) {
        // Also from the handlers above, which build their messages: this one
        // needs no memory.
        constexpr std::string_view kOutOfMemory = "qrv-check: out of memory\n";
        [[maybe_unused]] const ssize_t written =
            ::write(STDERR_FILENO, kOutOfMemory.data(), kOutOfMemory.size());
        return 2;
    }
}
