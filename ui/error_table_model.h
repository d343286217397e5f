// The rows of ListView1: one per rejected detail record, kept as the media
// file's bytes and decoded only for the cells on view. Rows of earlier runs
// are drawn dimmed, with a tooltip that names their run. The view takes
// memory for every row it shows, so it shows at most kShownRows of them:
// the first in the order chosen; the rest are still copied and exported.
#pragma once

#include "core/location.h"
#include "runs/ports.h"
#include "runs/rejected_record.h"
#include "ui/row_store.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QDateTime>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace qrv::gui {

// Where a row or message failed, in one line; empty for a Location{}.
QString LocationText(const Location& where);
// That line and the hint below it.
QString LocationTip(const Location& where);

// The check a run's rows come from.
struct CheckOrigin {
    QString mediaFile;
    QDateTime checked;
};

class ErrorTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    static constexpr std::size_t kShownRows = 1'000'000;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Orders the rows by `column`; NO. ascending is the runs' own order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // Replaces every column header (and the alignment of its cells).
    void setColumns(const std::vector<Column>& columns);
    // From now on rows go in as rows of a new run, of `check`; every row
    // already here is drawn in `dimmed` with `earlierRun` as its tooltip.
    void beginRun(const QString& earlierRun, const QColor& dimmed, CheckOrigin check);
    // The current run's rows are located by `format` and its control line,
    // once the run has read it.
    void locateRun(const RunFormat& format, std::string controlLine);
    // Removes the rows of earlier runs.
    void removeEarlierRuns();
    // Inserts `rows` in one block ahead of the row at `row` (counted from 0);
    // a `row` past the end appends.
    void insertBlock(int row, RejectedRows rows);

    // The row's cells as the run gave them, and the media file they came from.
    ErrorRow storedRow(int row) const;
    const QString& mediaFile(int row) const;
    // Where the row failed; Location{} when its run read no control line.
    // Throws FileError.
    Location location(int row) const;
    // Which run the row came from; rows of one run share it.
    std::uint32_t runOf(int row) const;
    // Whether the rows are of more than one run.
    bool mixesRuns() const { return rows_.mixesRuns(); }
    // The check the rows came from: their run's when they are of one, else
    // the current run's.
    const CheckOrigin& rowsCheck() const;

    // Every row, shown or not.
    std::size_t allRows() const { return rows_.size(); }
    // Calls `visit` with every row and where it failed: in the order shown
    // when all are shown, else in the runs' own order. Throws FileError.
    void forEachRow(
        const std::function<void(const QString& mediaFile, const ErrorRow&, const Location&)>& visit) const;

  private:
    struct Run {
        QString tooltip; // empty for the current run
        CheckOrigin check;
        std::shared_ptr<const RowLocator> locate{}; // null until the run has read its control line
    };
    Location locationOf(std::uint32_t run, const ErrorRow& row) const;
    struct Header {
        QString text;
        Qt::Alignment alignment;
    };
    std::vector<Header> headers_;
    RejectedRows rows_;
    // The shown rows, in the runs' own order, of that many rows.
    int shownOf(std::size_t rows) const { return static_cast<int>(std::min(rows, kShownRows)); }
    std::size_t stored(int row) const {
        return order_.empty() ? static_cast<std::size_t>(row) : order_[static_cast<std::size_t>(row)];
    }

    // Each run's rows; the last entry is the current run's.
    std::vector<Run> runs_{Run()};
    // The stored row shown at each row while sorted, for the rows shown;
    // empty in the runs' own order.
    std::vector<std::uint32_t> order_;
    QColor dimmed_;
};

} // namespace qrv::gui
