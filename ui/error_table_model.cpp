#include "ui/error_table_model.h"

#include "ui/thai_text.h"

#include <algorithm>

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
    const auto row = static_cast<std::size_t>(index.row());
    const bool earlier = rows_.run(row) + 1 < runs_.size();
    switch (role) {
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(headers_[column].alignment);
    case Qt::DisplayRole:
        return column < RejectedRows::kColumns ? FromMedia(rows_.cell(row, column)) : QVariant();
    case Qt::ForegroundRole:
        return earlier ? QVariant(dimmed_) : QVariant();
    case Qt::ToolTipRole:
        return earlier ? QVariant(runs_[rows_.run(row)]) : QVariant();
    default:
        return {};
    }
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

void ErrorTableModel::beginRun(const QString& earlierRun, const QColor& dimmed) {
    runs_.back() = earlierRun;
    runs_.emplace_back();
    dimmed_ = dimmed;
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                         {Qt::ForegroundRole, Qt::ToolTipRole});
}

void ErrorTableModel::insertBlock(int row, RejectedRows rows) {
    if (rows.empty())
        return;
    const int first = std::clamp(row, 0, rowCount());
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    rows_.insert(static_cast<std::size_t>(first), std::move(rows),
                 static_cast<std::uint32_t>(runs_.size() - 1));
    endInsertRows();
}

} // namespace qrv::gui
