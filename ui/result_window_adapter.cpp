#include "ui/result_window_adapter.h"

#include "ui/FrmEdit.h"
#include "ui/MDIForm1.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace qrv::gui {

void ResultWindowAdapter::setLabel(Label label, std::string_view text) {
    mainWindow_.openResultWindow().setLabel(label, text);
}

void ResultWindowAdapter::appendListErr(std::string_view line) {
    mainWindow_.openResultWindow().appendListErr(line);
}

void ResultWindowAdapter::setColumns(const std::vector<Column>& columns) {
    mainWindow_.openResultWindow().setColumns(columns);
}

void ResultWindowAdapter::insertRow(std::int64_t position, ErrorRow row) {
    mainWindow_.openResultWindow();
    const auto pending = static_cast<std::int64_t>(pendingRows_.size());
    if (pending > 0 && position != pendingPosition_ + pending)
        flushRows();
    if (pendingRows_.empty())
        pendingPosition_ = position;
    pendingRows_.push_back(std::move(row));
}

void ResultWindowAdapter::setPrintEnabled(bool enabled) {
    mainWindow_.openResultWindow().setPrintEnabled(enabled);
}

void ResultWindowAdapter::show() {
    FrmEdit& window = mainWindow_.openResultWindow();
    flushRows();
    auto* frame = qobject_cast<QMdiSubWindow*>(window.parentWidget());
    frame->showMaximized();
    mainWindow_.mdiArea()->setActiveSubWindow(frame);
}

void ResultWindowAdapter::close() {
    pendingRows_.clear();
    if (FrmEdit* window = mainWindow_.findResultWindow())
        window->parentWidget()->close();
}

void ResultWindowAdapter::runEnded(const RunResult& result) {
    flushRows();
    if (FrmEdit* window = mainWindow_.findResultWindow())
        window->setRunReachedEnd(result.outcome == RunOutcome::Finished);
}

void ResultWindowAdapter::flushRows() {
    if (pendingRows_.empty())
        return;
    if (FrmEdit* window = mainWindow_.findResultWindow())
        window->insertRows(pendingPosition_, std::move(pendingRows_));
    pendingRows_.clear();
}

} // namespace qrv::gui
