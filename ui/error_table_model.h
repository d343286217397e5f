// The rows of ListView1: one per rejected detail record, kept as the media
// file's bytes and decoded only for the cells on view.
#pragma once

#include "runs/ports.h"

#include <QAbstractTableModel>
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
    // Inserts `rows` in one block ahead of the row at `row` (counted from 0);
    // a `row` past the end appends.
    void insertBlock(int row, std::vector<ErrorRow> rows);

  private:
    struct Header {
        QString text;
        Qt::Alignment alignment;
    };
    std::vector<Header> headers_;
    std::vector<ErrorRow> rows_;
};

} // namespace qrv::gui
