// What a check run leaves in the journal, and what the journal says of a run
// about to be recorded.
#pragma once

#include "advisories/advisory.h"
#include "journal/journal.h"
#include "runs/check_run.h"
#include "runs/format.h"
#include "runs/ports.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qrv {

// A result window that passes everything on to the one the user sees and
// keeps what the journal records of it: the labels and how many lines of
// ListErr and rows of ListView1 there are, never the rows themselves.
class JournalWindow : public ResultWindow {
  public:
    explicit JournalWindow(ResultWindow& shown) : shown_(shown) {}

    void setLabel(Label label, std::string_view text) override;
    void appendListErr(std::string_view line, const Location& where) override;
    void setColumns(const std::vector<Column>& columns) override;
    void insertRow(std::int64_t position, ErrorRow row) override;
    void show() override;
    void close() override;

    const std::string& label(Label which) const { return labels_[static_cast<std::size_t>(which)]; }
    std::int64_t listErrLines() const { return listErrLines_; }
    std::int64_t rows() const { return rows_; }

  private:
    ResultWindow& shown_;
    std::array<std::string, kLabelCount> labels_{};
    std::int64_t listErrLines_ = 0;
    std::int64_t rows_ = 0;
};

// The journal's entry of a run that has just ended: `program` and version,
// the media file's size and digest and the summary file's, read now, and the
// rest from the window. `advisories` counts those the run gave.
RunEntry EntryOfRun(std::string_view program, Format format, const std::string& mediaPath,
                    const RunResult& result, const JournalWindow& window, std::int64_t advisories);

// What became of a past run's letter: "its letter printed on HP-2
// (printed)", "its letter saved as PATH", "its letter closed unsaved and
// unprinted"; empty when nothing is known. A print counts over a save, a save
// over a close; the newest of them.
std::string LetterFate(const PastRun& run);

// already_checked and same_company_date for `run`, asked before it is
// recorded: the newest earlier run with the same media or summary digest,
// and the newest earlier one of the same company and effective date with
// other digests.
std::vector<Advisory> RepeatAdvisories(Journal& journal, const RunEntry& run);

} // namespace qrv
