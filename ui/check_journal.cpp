#include "ui/check_journal.h"

#include "files/portable_folder.h"
#include "journal/journal_path.h"
#include "journal/local_time.h"
#include "ui/local_names.h"

#include <QCoreApplication>
#include <QStandardPaths>

namespace qrv::gui {

namespace {

QString Trouble(const JournalError& e) {
    return QCoreApplication::translate("CheckJournal", "The journal of checks was not written: %1")
        .arg(QString::fromStdString(e.what()));
}

QString Notice(const Journal& journal) {
    return journal.notice() ? QString::fromStdString(*journal.notice()) : QString();
}

} // namespace

std::string DesktopJournalPath() {
    if (const std::optional<std::string> portable = PortableFolder())
        return *portable + std::string(kJournalFileName);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return LocalNameBytes(folder).toStdString() + "/" + std::string(kJournalFileName);
}

RecordedRun CheckJournal::recordRun(Format format, const std::string& mediaPath, const RunResult& result,
                                    const JournalWindow& window, std::int64_t advisories) {
    runId_.reset();
    RunEntry entry = EntryOfRun("qrv-edit", format, mediaPath, result, window, 0);
    RecordedRun recorded{{}, entry.summarySha256, {}};
    try {
        Journal journal(path_);
        recorded.advisories = RepeatAdvisories(journal, entry);
        entry.advisories = advisories + static_cast<std::int64_t>(recorded.advisories.size());
        runId_ = journal.recordRun(entry);
        // Damage may show at any step, and the journal is set aside then.
        recorded.trouble = Notice(journal);
    } catch (const JournalError& e) {
        recorded.trouble = Trouble(e);
    }
    return recorded;
}

QString CheckJournal::recordLetter(LetterEntry letter) {
    if (!runId_)
        return {};
    letter.at = LocalTimestamp();
    try {
        Journal journal(path_);
        journal.recordLetter(*runId_, letter);
        return Notice(journal);
    } catch (const JournalError& e) {
        return Trouble(e);
    }
}

} // namespace qrv::gui
