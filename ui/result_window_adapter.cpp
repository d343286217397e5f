#include "ui/result_window_adapter.h"

#include <QDateTime>
#include <algorithm>

namespace qrv::gui {

namespace {
// The smallest block of rows handed over at once; blocks then grow with the
// rows already handed over, so the earlier run's rows move only a few times.
constexpr std::size_t kFirstBlock = 4096;
} // namespace

void ResultWindowAdapter::beginRun(Format format, const QString& mediaPath) {
    run_ = {format, mediaPath, QDateTime::currentDateTime()};
    counts_ = {};
    windowUsed_ = false;
    rowsHandedOver_ = 0;
}

FrmEdit& ResultWindowAdapter::window() {
    FrmEdit& window = host_.openResultWindow();
    if (!windowUsed_) {
        window.beginRun(run_);
        windowUsed_ = true;
    }
    return window;
}

void ResultWindowAdapter::setLabel(Label label, std::string_view text) {
    window().setLabel(label, text);
    if (label == Label::DetailCount)
        counts_.records = QString::fromLatin1(text);
}

void ResultWindowAdapter::appendListErr(std::string_view line, const Location& where) {
    window().appendListErr(line, where);
    ++counts_.messages;
}

void ResultWindowAdapter::setColumns(const std::vector<Column>& columns) {
    window().setColumns(columns);
}

void ResultWindowAdapter::insertRow(std::int64_t position, ErrorRow row) {
    window();
    const auto pending = static_cast<std::int64_t>(pendingRows_.size());
    if (pending > 0 && position != pendingPosition_ + pending)
        flushRows();
    if (pendingRows_.empty())
        pendingPosition_ = position;
    pendingRows_.append(row);
    ++counts_.rejected;
    if (pendingRows_.size() >= std::max(kFirstBlock, rowsHandedOver_))
        flushRows();
}

void ResultWindowAdapter::show() {
    window();
    flushRows();
    host_.showResultWindow();
}

void ResultWindowAdapter::close() {
    pendingRows_ = RejectedRows();
    host_.closeResultWindow();
}

void ResultWindowAdapter::runEnded(const RunResult& result) {
    flushRows();
    if (FrmEdit* open = host_.findResultWindow()) {
        if (windowUsed_ && result.controlLine)
            open->locateRows(FormatTable(run_.format), *result.controlLine);
        open->setLetterAvailable(LetterAvailable(result));
        open->setSummaryWritten(!result.summaryPath.empty());
        if (!result.summaryMovedBecause.empty())
            open->setSummaryMovedBecause(QString::fromStdString(result.summaryMovedBecause));
        open->focusAfterRun(counts_.rejected > 0);
    }
}

void ResultWindowAdapter::flushRows() {
    if (pendingRows_.empty())
        return;
    const std::size_t count = pendingRows_.size();
    if (FrmEdit* open = host_.findResultWindow())
        open->insertRows(pendingPosition_, std::move(pendingRows_));
    pendingRows_ = RejectedRows();
    rowsHandedOver_ += count;
}

} // namespace qrv::gui
