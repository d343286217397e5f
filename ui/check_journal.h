// The desktop program's journal of checks: each run on screen and what
// becomes of its letter, in the same file qrv-check --journal writes.
#pragma once

#include "advisories/advisory.h"
#include "journal/journal.h"
#include "journal/run_entry.h"
#include "runs/check_run.h"
#include "runs/format.h"

#include <QString>
#include <optional>
#include <string>
#include <vector>

namespace qrv::gui {

// AppDataLocation and the journal's file name.
std::string DesktopJournalPath();

// What recording a run gave.
struct RecordedRun {
    std::vector<Advisory> advisories; // those the journal gives
    std::string summarySha256;        // empty when the run wrote no summary file
    QString trouble; // why the journal was not written, or that it was set aside; empty when well
};

class CheckJournal {
  public:
    explicit CheckJournal(std::string path) : path_(std::move(path)) {}

    // Records the run that has just ended, which its letter events then
    // belong to. A journal that fails costs nothing: `trouble` says why.
    // `advisories`: how many the run gave of its own; the entry counts the journal's too.
    RecordedRun recordRun(Format format, const std::string& mediaPath, const RunResult& result,
                          const JournalWindow& window, std::int64_t advisories);
    // An event of the letter of the run recorded last; empty, or what went wrong.
    QString recordLetter(LetterEntry letter);

    const std::string& path() const { return path_; }

  private:
    std::string path_;
    std::optional<std::int64_t> runId_;
};

} // namespace qrv::gui
