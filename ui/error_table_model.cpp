#include "ui/error_table_model.h"

#include "ui/thai_text.h"

#include <algorithm>
#include <charconv>
#include <numeric>

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

// A cell as a sort key: numbers (amounts with their commas) by value, ahead
// of every other text, which goes by its bytes.
struct SortKey {
    bool isNumber;
    double number;
    std::string_view text;

    explicit SortKey(std::string_view cell) : isNumber(false), number(0), text(cell) {
        std::string digits;
        for (const char c : cell)
            if (c != ',' && c != ' ')
                digits += c;
        const char* end = digits.data() + digits.size();
        const auto parsed = std::from_chars(digits.data(), end, number);
        isNumber = !digits.empty() && parsed.ec == std::errc() && parsed.ptr == end;
    }

    bool operator<(const SortKey& other) const {
        if (isNumber != other.isNumber)
            return isNumber;
        return isNumber ? number < other.number : text < other.text;
    }
};
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
    const std::size_t row = stored(index.row());
    const bool earlier = rows_.run(row) + 1 < runs_.size();
    switch (role) {
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(headers_[column].alignment);
    case Qt::DisplayRole:
        return column < RejectedRows::kColumns ? FromMedia(rows_.cell(row, column)) : QVariant();
    case Qt::ForegroundRole:
        return earlier ? QVariant(dimmed_) : QVariant();
    case Qt::ToolTipRole:
        return earlier ? QVariant(runs_[rows_.run(row)].tooltip) : QVariant();
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

void ErrorTableModel::beginRun(const QString& earlierRun, const QColor& dimmed, const QString& mediaFile) {
    runs_.back().tooltip = earlierRun;
    runs_.push_back({QString(), mediaFile});
    dimmed_ = dimmed;
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                         {Qt::ForegroundRole, Qt::ToolTipRole});
}

void ErrorTableModel::insertBlock(int row, RejectedRows rows) {
    if (rows.empty())
        return;
    sort(0); // rows of a run go in where the run puts them
    const int first = std::clamp(row, 0, rowCount());
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    rows_.insert(static_cast<std::size_t>(first), std::move(rows),
                 static_cast<std::uint32_t>(runs_.size() - 1));
    endInsertRows();
}

void ErrorTableModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= static_cast<int>(RejectedRows::kColumns))
        return;
    const bool runOrder = column == 0 && order == Qt::AscendingOrder;
    if (runOrder && order_.empty())
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList persistent = persistentIndexList();
    std::vector<std::size_t> storedOfPersistent;
    for (const QModelIndex& index : persistent)
        storedOfPersistent.push_back(stored(index.row()));

    std::vector<std::uint32_t> shown(rows_.size());
    std::iota(shown.begin(), shown.end(), 0U);
    if (column != 0) {
        std::vector<SortKey> keys;
        keys.reserve(rows_.size());
        for (std::size_t row = 0; row < rows_.size(); ++row)
            keys.emplace_back(rows_.cell(row, static_cast<std::size_t>(column)));
        std::stable_sort(shown.begin(), shown.end(),
                         [&](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
    }
    if (order == Qt::DescendingOrder)
        std::reverse(shown.begin(), shown.end());
    order_ = runOrder ? std::vector<std::uint32_t>() : std::move(shown);

    if (!persistent.isEmpty()) {
        std::vector<int> shownAt(rows_.size());
        for (int row = 0; row < rowCount(); ++row)
            shownAt[stored(row)] = row;
        QModelIndexList moved;
        for (qsizetype i = 0; i < persistent.size(); ++i)
            moved << index(shownAt[storedOfPersistent[static_cast<std::size_t>(i)]], persistent[i].column());
        changePersistentIndexList(persistent, moved);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ErrorTableModel::removeEarlierRuns() {
    beginResetModel();
    order_.clear();
    rows_.keepRun(static_cast<std::uint32_t>(runs_.size() - 1));
    endResetModel();
}

ErrorRow ErrorTableModel::storedRow(int row) const {
    ErrorRow cells;
    for (std::size_t column = 0; column < cells.size(); ++column)
        cells[column] = std::string(rows_.cell(stored(row), column));
    return cells;
}

const QString& ErrorTableModel::mediaFile(int row) const {
    return runs_[rows_.run(stored(row))].mediaFile;
}

} // namespace qrv::gui
