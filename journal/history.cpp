#include "journal/history.h"

#include "journal/local_time.h"
#include "journal/run_entry.h"
#include "runs/rejected_record.h"

namespace qrv {

namespace {

struct HistoryColumn {
    std::string_view header;
    std::string (*cell)(const PastRun& past);
};

std::string Count(std::int64_t n) {
    return std::to_string(n);
}

const HistoryColumn kColumns[] = {
    {"Checked",
     [](const PastRun& p) {
         return ShownTime(p.run.checkedAt);
     }},
    {"Company code",
     [](const PastRun& p) {
         return p.run.companyCode;
     }},
    {"Company name",
     [](const PastRun& p) {
         return p.run.companyName;
     }},
    {"Effective date",
     [](const PastRun& p) {
         return p.run.effectiveDate;
     }},
    {"Media file",
     [](const PastRun& p) {
         return p.run.mediaPath;
     }},
    {"Format",
     [](const PastRun& p) {
         return p.run.format;
     }},
    {"Outcome",
     [](const PastRun& p) {
         return p.run.outcome;
     }},
    {"Total records",
     [](const PastRun& p) {
         return p.run.controlRecords;
     }},
    {"Total amount",
     [](const PastRun& p) {
         return p.run.controlAmount;
     }},
    {"Detail records",
     [](const PastRun& p) {
         return p.run.detailRecords;
     }},
    {"Detail amount",
     [](const PastRun& p) {
         return p.run.detailAmount;
     }},
    {"Hash total",
     [](const PastRun& p) {
         return p.run.hashTotal;
     }},
    {"Control messages",
     [](const PastRun& p) {
         return Count(p.run.controlMessages);
     }},
    {"Rejected records",
     [](const PastRun& p) {
         return Count(p.run.rejectedRecords);
     }},
    {"Advisories",
     [](const PastRun& p) {
         return Count(p.run.advisories);
     }},
    {"Letter",
     [](const PastRun& p) {
         return LetterFate(p);
     }},
    {"Media file SHA-256",
     [](const PastRun& p) {
         return p.run.mediaSha256;
     }},
    {"Summary file",
     [](const PastRun& p) {
         return p.run.summaryPath;
     }},
    {"Summary file SHA-256",
     [](const PastRun& p) {
         return p.run.summarySha256;
     }},
    {"Program",
     [](const PastRun& p) {
         return p.run.program;
     }},
    {"Run",
     [](const PastRun& p) {
         return Count(p.id);
     }},
};

} // namespace

std::span<const std::string_view> HistoryColumns() {
    static const std::vector<std::string_view> headers = [] {
        std::vector<std::string_view> list;
        for (const HistoryColumn& column : kColumns)
            list.push_back(column.header);
        return list;
    }();
    return headers;
}

std::vector<std::string> HistoryCells(const PastRun& run) {
    std::vector<std::string> cells;
    for (const HistoryColumn& column : kColumns)
        cells.push_back(column.cell(run));
    return cells;
}

std::string HistoryCsv(const std::vector<PastRun>& runs) {
    const std::span<const std::string_view> columns = HistoryColumns();
    std::string csv = CsvLine(std::vector<std::string>(columns.begin(), columns.end()));
    for (const PastRun& run : runs)
        csv += CsvLine(HistoryCells(run));
    return csv;
}

} // namespace qrv
