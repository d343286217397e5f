#include "journal/run_entry.h"

#include "core/cp874.h"
#include "core/dates.h"
#include "files/file_error.h"
#include "journal/digest.h"
#include "journal/local_time.h"
#include "version.h"

#include <algorithm>

namespace qrv {

void JournalWindow::setLabel(Label label, std::string_view text) {
    labels_[static_cast<std::size_t>(label)] = std::string(text);
    shown_.setLabel(label, text);
}

void JournalWindow::appendListErr(std::string_view line, const Location& where) {
    ++listErrLines_;
    shown_.appendListErr(line, where);
}

void JournalWindow::setColumns(const std::vector<Column>& columns) {
    shown_.setColumns(columns);
}

void JournalWindow::insertRow(std::int64_t position, ErrorRow row) {
    shown_.insertRow(position, std::move(row));
    ++rows_;
}

void JournalWindow::show() {
    shown_.show();
}

void JournalWindow::close() {
    labels_ = {};
    listErrLines_ = 0;
    rows_ = 0;
    shown_.close();
}

namespace {

std::optional<FileDigest> TryDigest(const std::string& path) {
    try {
        return DigestOfFile(path);
    } catch (const FileError&) {
        return std::nullopt;
    }
}

std::string Shown(const JournalWindow& window, Label label) {
    return Cp874ToUtf8(window.label(label));
}

} // namespace

RunEntry EntryOfRun(std::string_view program, Format format, const std::string& mediaPath,
                    const RunResult& result, const JournalWindow& window, std::int64_t advisories) {
    RunEntry entry;
    entry.checkedAt = LocalTimestamp();
    entry.program = std::string(program) + " " + std::string(kVersion);
    entry.format = std::string(FormatName(format));
    entry.mediaPath = mediaPath;
    if (const std::optional<FileDigest> media = TryDigest(mediaPath)) {
        entry.mediaSize = static_cast<std::int64_t>(media->size);
        entry.mediaSha256 = media->sha256;
    }
    entry.summaryPath = result.summaryPath;
    if (!result.summaryPath.empty()) {
        entry.summarySha256 = TryDigest(result.summaryPath).value_or(FileDigest{}).sha256;
        entry.summaryWrittenAt = entry.checkedAt;
    }
    entry.companyCode = Shown(window, Label::CompanyCode);
    entry.companyName = Shown(window, Label::CompanyName);
    entry.effectiveDate = Shown(window, Label::EffectiveDate);
    entry.controlRecords = Shown(window, Label::TotalRecord);
    entry.controlAmount = Shown(window, Label::TotalAmount);
    entry.detailRecords = Shown(window, Label::DetailCount);
    entry.detailAmount = Shown(window, Label::DetailAmount);
    entry.hashTotal = Shown(window, Label::HashTotal);
    entry.controlMessages = window.listErrLines();
    entry.rejectedRecords = window.rows();
    entry.advisories = advisories;
    entry.outcome = std::string(OutcomeName(result.outcome));
    return entry;
}

std::string LetterFate(const PastRun& run) {
    const auto weight = [](LetterEvent event) {
        return event == LetterEvent::Printed ? 0 : event == LetterEvent::Saved ? 1 : 2;
    };
    const LetterEntry* telling = nullptr;
    for (const LetterEntry& letter : run.letters)
        if (!telling || weight(letter.event) <= weight(telling->event))
            telling = &letter;
    if (!telling)
        return "";
    switch (telling->event) {
    case LetterEvent::Printed:
        return "its letter printed on " + telling->printer + " (" + telling->state + ")";
    case LetterEvent::Saved:
        return "its letter saved as " + telling->path;
    case LetterEvent::Closed:
        break;
    }
    return "its letter closed unsaved and unprinted";
}

namespace {

bool SameBytes(const RunEntry& a, const RunEntry& b) {
    return (!a.mediaSha256.empty() && a.mediaSha256 == b.mediaSha256) ||
           (!a.summarySha256.empty() && a.summarySha256 == b.summarySha256);
}

// The day of an effective date as the result window shows it, 31/12/06;
// nothing when it names none.
std::string IsoOfShownDate(std::string_view shown) {
    if (shown.size() != 8 || shown[2] != '/' || shown[5] != '/')
        return "";
    const std::string date =
        std::string(shown.substr(0, 2)) + std::string(shown.substr(3, 2)) + std::string(shown.substr(6, 2));
    return IsoDate(date).value_or("");
}

std::string CheckedOn(const PastRun& past) {
    const std::string fate = LetterFate(past);
    return "checked on " + ShownTime(past.run.checkedAt) + (fate.empty() ? "" : " and " + fate);
}

} // namespace

std::vector<Advisory> RepeatAdvisories(Journal& journal, const RunEntry& run) {
    std::vector<Advisory> advisories;
    std::vector<PastRun> same = journal.runsWithDigest(run.mediaSha256);
    if (!run.summarySha256.empty())
        for (PastRun& past : journal.runsWithDigest(run.summarySha256))
            if (std::none_of(same.begin(), same.end(), [&](const PastRun& p) { return p.id == past.id; }))
                same.push_back(std::move(past));
    std::sort(same.begin(), same.end(), [](const PastRun& a, const PastRun& b) { return a.id > b.id; });
    if (!same.empty())
        advisories.push_back(
            {AdvisoryCode::AlreadyChecked, "This file was " + CheckedOn(same.front()) + "."});
    if (run.companyCode.empty() || run.effectiveDate.empty())
        return advisories;
    for (const PastRun& past : journal.runsOfCompanyDate(run.companyCode, run.effectiveDate)) {
        if (SameBytes(past.run, run))
            continue;
        Advisory advisory{AdvisoryCode::SameCompanyDate, "Another file of company " + run.companyCode +
                                                             " for the effective date " + run.effectiveDate +
                                                             " was " + CheckedOn(past) + ": " +
                                                             past.run.mediaPath + "."};
        advisory.date = IsoOfShownDate(run.effectiveDate);
        advisories.push_back(std::move(advisory));
        break;
    }
    return advisories;
}

} // namespace qrv
