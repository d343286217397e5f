#include "tests/support/recording_ports.h"

#include <stdexcept>

namespace qrv::test {

void RecordingWindow::touch(std::string event) {
    if (!held_.exists) {
        log_->push_back("create");
        held_.exists = true;
    }
    log_->push_back(std::move(event));
}

void RecordingWindow::setLabel(Label label, std::string_view text) {
    touch("setLabel " + std::string(LabelName(label)));
    held_.labels[static_cast<std::size_t>(label)] = text;
}

void RecordingWindow::appendListErr(std::string_view line) {
    touch("appendListErr");
    held_.listErr.emplace_back(line);
}

void RecordingWindow::setColumns(const std::vector<Column>& columns) {
    touch("setColumns");
    held_.columns.clear();
    for (const Column& column : columns)
        held_.columns.push_back({std::string(column.header), column.widthTwips, column.alignment});
}

void RecordingWindow::insertRow(std::int64_t position, ErrorRow row) {
    touch("insertRow " + std::to_string(position));
    if (position < 1 || position > static_cast<std::int64_t>(held_.rows.size()) + 1)
        throw std::out_of_range("insertRow at " + std::to_string(position) + " in a list of " +
                                std::to_string(held_.rows.size()));
    held_.rows.insert(held_.rows.begin() + (position - 1), std::move(row));
}

void RecordingWindow::setPrintEnabled(bool enabled) {
    touch(enabled ? "setPrintEnabled true" : "setPrintEnabled false");
    held_.printEnabled = enabled;
}

void RecordingWindow::show() {
    touch("show");
    held_.shown = true;
}

void RecordingWindow::close() {
    log_->push_back("close");
    held_ = Held{};
}

Answer RecordingUser::messageBox(std::string_view text, std::string_view title, Icon icon, Buttons buttons) {
    log_->push_back("messageBox " + std::string(text));
    messages_.push_back({std::string(text), std::string(title), icon, buttons});
    return Answer::Ok;
}

void RecordingUser::setBusyPointer(bool busy) {
    log_->push_back(busy ? "setBusyPointer true" : "setBusyPointer false");
    busyCalls_.push_back(busy);
}

} // namespace qrv::test
