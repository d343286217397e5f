// The journal's runs as a table: the columns the history window shows and
// its CSV export writes, one table for both.
#pragma once

#include "journal/journal.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

// The column headers, in order.
std::span<const std::string_view> HistoryColumns();
// One run's cells under those headers (UTF-8).
std::vector<std::string> HistoryCells(const PastRun& run);
// The runs as CSV: the headers, then a line for each run, in the order given.
std::string HistoryCsv(const std::vector<PastRun>& runs);

} // namespace qrv
