#include "cli/journal_use.h"

#include "cli/check_output.h"
#include "files/file_error.h"
#include "journal/digest.h"
#include "journal/journal_path.h"
#include "journal/local_time.h"
#include "journal/run_entry.h"

namespace qrv::cli {

std::string JournalPathOf(const Arguments& arguments) {
    if (!arguments.journalPath.empty())
        return arguments.journalPath;
    const std::string path = DefaultJournalPath();
    if (path.empty())
        throw JournalError("the journal has no folder: neither XDG_DATA_HOME nor HOME is set");
    return path;
}

JournalRecord RecordInJournal(const Arguments& arguments, RunEntry& entry, std::vector<Advisory>& advisories,
                              const Say& say) {
    JournalRecord record;
    try {
        record.path = JournalPathOf(arguments);
        Journal journal(record.path);
        for (Advisory& advisory : RepeatAdvisories(journal, entry))
            advisories.push_back(std::move(advisory));
        entry.advisories = static_cast<std::int64_t>(advisories.size());
        record.runId = journal.recordRun(entry);
        // Damage may show at any step, and the journal is set aside then.
        if (journal.notice())
            say(*journal.notice());
    } catch (const JournalError& e) {
        say(e.what());
    }
    return record;
}

namespace {

std::string LetterLine(const LetterEntry& letter) {
    const std::string when = ShownTime(letter.at);
    switch (letter.event) {
    case LetterEvent::Saved:
        return "letter saved " + when + " as " + EscapeControls(letter.path) + " (SHA-256 " + letter.sha256 +
               ")";
    case LetterEvent::Printed:
        return "letter printed " + when + " on " + EscapeControls(letter.printer) + ", job " + letter.job +
               ": " + letter.state;
    case LetterEvent::Closed:
        break;
    }
    return "letter closed " + when + " unsaved and unprinted";
}

void WritePastRun(std::ostream& out, const PastRun& past, const std::string& sha256) {
    const RunEntry& run = past.run;
    const std::string file =
        run.mediaSha256 == sha256
            ? "the media file " + EscapeControls(run.mediaPath)
            : "the summary file " + EscapeControls(run.summaryPath) + " of " + EscapeControls(run.mediaPath);
    out << "Checked on " << ShownTime(run.checkedAt) << " by " << run.program << " (run " << past.id
        << "): " << file << ", format " << run.format << ", " << run.outcome << '\n';
    for (const LetterEntry& letter : past.letters)
        out << "  " << LetterLine(letter) << '\n';
}

} // namespace

int FindInJournal(const Arguments& arguments, std::ostream& out, const Say& say) {
    std::string sha256;
    try {
        sha256 = DigestOfFile(arguments.findPath).sha256;
    } catch (const FileError& e) {
        say(e.what());
        return 2;
    }
    try {
        const std::string path = JournalPathOf(arguments);
        Journal journal(path);
        const std::vector<PastRun> found = journal.runsWithDigest(sha256);
        if (journal.notice())
            say(*journal.notice());
        out << EscapeControls(arguments.findPath) << ": SHA-256 " << sha256 << '\n';
        if (found.empty())
            out << "Not in the journal " << EscapeControls(path) << '\n';
        for (const PastRun& past : found)
            WritePastRun(out, past, sha256);
        return found.empty() ? 1 : 0;
    } catch (const JournalError& e) {
        say(e.what());
        return 2;
    }
}

} // namespace qrv::cli
