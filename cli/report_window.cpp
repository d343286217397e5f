#include "cli/report_window.h"

#include <algorithm>

namespace qrv::cli {

WindowContents& ReportWindow::open() {
    if (!contents_)
        contents_.emplace();
    return *contents_;
}

void ReportWindow::setLabel(Label label, std::string_view text) {
    open().labels[static_cast<std::size_t>(label)] = text;
}

void ReportWindow::appendListErr(std::string_view line) {
    open().listErr.emplace_back(line);
}

void ReportWindow::setColumns(const std::vector<Column>& columns) {
    std::vector<ColumnHeader>& headers = open().columns;
    headers.clear();
    for (const Column& column : columns)
        headers.push_back({std::string(column.header), column.widthTwips, column.alignment});
}

void ReportWindow::insertRow(std::int64_t position, ErrorRow row) {
    std::vector<ErrorRow>& rows = open().rows;
    const auto index = std::clamp<std::int64_t>(position - 1, 0, static_cast<std::int64_t>(rows.size()));
    rows.insert(rows.begin() + index, std::move(row));
}

void ReportWindow::setPrintEnabled(bool enabled) {
    open().printEnabled = enabled;
}

void ReportWindow::show() {
    WindowContents& contents = open();
    contents.shown = true;
    contents.printEnabled = true;
}

void ReportWindow::close() {
    contents_.reset();
}

void ReportWindow::runEnded(const RunResult& result) {
    if (contents_ && result.outcome != RunOutcome::Finished)
        contents_->printEnabled = false;
}

} // namespace qrv::cli
