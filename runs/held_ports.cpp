#include "runs/held_ports.h"

namespace qrv {

HeldWindow::Held& HeldWindow::open() {
    held_.exists = true;
    return held_;
}

void HeldWindow::setLabel(Label label, std::string_view text) {
    open().labels[static_cast<std::size_t>(label)] = text;
}

void HeldWindow::appendListErr(std::string_view line, const Location& where) {
    Held& held = open();
    held.listErr.emplace_back(line);
    held.listErrPlaces.push_back(where);
}

void HeldWindow::setColumns(const std::vector<Column>& columns) {
    std::vector<HeldColumn>& held = open().columns;
    held.clear();
    for (const Column& column : columns)
        held.push_back({std::string(column.header), column.widthTwips, column.alignment});
}

void HeldWindow::insertRow(std::int64_t position, ErrorRow row) {
    open();
    rows_.insert(position, std::move(row));
}

void HeldWindow::show() {
    open().shown = true;
}

void HeldWindow::close() {
    held_ = Held{};
    rows_.clear();
}

Answer MessageLog::messageBox(std::string_view text, std::string_view title, Icon icon, Buttons buttons,
                              std::string_view details) {
    messages_.push_back({std::string(text), std::string(title), icon, buttons, std::string(details)});
    return Answer::Ok;
}

} // namespace qrv
