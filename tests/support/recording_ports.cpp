#include "tests/support/recording_ports.h"

#include <stdexcept>

namespace qrv::test {

void RowList::insert(std::int64_t position, ErrorRow row) {
    if (position < 1 || position > static_cast<std::int64_t>(rows_.size()) + 1)
        throw std::out_of_range("insertRow at " + std::to_string(position) + " in a list of " +
                                std::to_string(rows_.size()));
    rows_.insert(rows_.begin() + (position - 1), std::move(row));
}

void RecordingWindow::touch(std::string event) {
    if (!held_.exists())
        log_->push_back("create");
    log_->push_back(std::move(event));
}

void RecordingWindow::setLabel(Label label, std::string_view text) {
    touch("setLabel " + std::string(LabelName(label)));
    held_.setLabel(label, text);
}

void RecordingWindow::appendListErr(std::string_view line, const Location& where) {
    touch("appendListErr");
    held_.appendListErr(line, where);
}

void RecordingWindow::setColumns(const std::vector<Column>& columns) {
    touch("setColumns");
    held_.setColumns(columns);
}

void RecordingWindow::insertRow(std::int64_t position, ErrorRow row) {
    touch("insertRow " + std::to_string(position));
    held_.insertRow(position, std::move(row));
}

void RecordingWindow::show() {
    touch("show");
    held_.show();
}

void RecordingWindow::close() {
    log_->push_back("close");
    held_.close();
}

Answer RecordingUser::messageBox(std::string_view text, std::string_view title, Icon icon, Buttons buttons,
                                 std::string_view details) {
    log_->push_back("messageBox " + std::string(text));
    return held_.messageBox(text, title, icon, buttons, details);
}

void RecordingUser::setBusyPointer(bool busy) {
    log_->push_back(busy ? "setBusyPointer true" : "setBusyPointer false");
    busyCalls_.push_back(busy);
}

} // namespace qrv::test
