// The rows of ListView1: one per rejected detail record, kept as the media
// file's bytes and decoded only for the cells on view. Rows of earlier runs
// are drawn dimmed, with a tooltip that names their run.
#pragma once

#include "runs/ports.h"
#include "ui/rejected_rows.h"

#include <QAbstractTableModel>
#include <QColor>
#include <vector>

namespace qrv::gui {

class ErrorTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Replaces every column header (and the alignment of its cells).
    void setColumns(const std::vector<Column>& columns);
    // From now on rows go in as rows of a new run; every row already here
    // is drawn in `dimmed` with `earlierRun` as its tooltip.
    void beginRun(const QString& earlierRun, const QColor& dimmed);
    // Inserts `rows` in one block ahead of the row at `row` (counted from 0);
    // a `row` past the end appends.
    void insertBlock(int row, RejectedRows rows);

  private:
    struct Header {
        QString text;
        Qt::Alignment alignment;
    };
    std::vector<Header> headers_;
    RejectedRows rows_;
    // The tooltip of each run's rows; the last entry is the current run's.
    std::vector<QString> runs_{QString()};
    QColor dimmed_;
};

} // namespace qrv::gui
