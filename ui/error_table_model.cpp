#include "ui/error_table_model.h"

#include "ui/thai_text.h"

#include <algorithm>
#include <iterator>

namespace qrv::gui {

namespace {
Qt::Alignment ToQt(Alignment alignment) {
    switch (alignment) {
    case Alignment::Center:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case Alignment::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case Alignment::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}
} // namespace

int ErrorTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ErrorTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant ErrorTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const auto column = static_cast<std::size_t>(index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(headers_[column].alignment);
    if (role != Qt::DisplayRole || column >= std::tuple_size_v<ErrorRow>)
        return {};
    return FromMedia(rows_[static_cast<std::size_t>(index.row())][column]);
}

QVariant ErrorTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    const Header& header = headers_[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole)
        return header.text;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(header.alignment);
    return {};
}

void ErrorTableModel::setColumns(const std::vector<Column>& columns) {
    std::vector<Header> headers;
    headers.reserve(columns.size());
    for (const Column& column : columns)
        headers.push_back(
            {QString::fromUtf8(column.header.data(), static_cast<qsizetype>(column.header.size())),
             ToQt(column.alignment)});
    if (headers.size() != headers_.size()) {
        beginResetModel();
        headers_ = std::move(headers);
        endResetModel();
        return;
    }
    headers_ = std::move(headers);
    if (headers_.empty())
        return;
    const int last = columnCount() - 1;
    emit headerDataChanged(Qt::Horizontal, 0, last);
    if (!rows_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, last), {Qt::TextAlignmentRole});
}

void ErrorTableModel::insertBlock(int row, std::vector<ErrorRow> rows) {
    if (rows.empty())
        return;
    const int first = std::clamp(row, 0, rowCount());
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    rows_.insert(rows_.begin() + first, std::make_move_iterator(rows.begin()),
                 std::make_move_iterator(rows.end()));
    endInsertRows();
}

} // namespace qrv::gui
