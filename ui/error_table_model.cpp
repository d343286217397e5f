#include "ui/error_table_model.h"

#include "core/cp874.h"
#include "files/file_error.h"
#include "ui/thai_text.h"

#include <QStringList>
#include <algorithm>
#include <charconv>
#include <unordered_map>

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
    std::string text; // of a cell that is not a number

    explicit SortKey(std::string_view cell) : isNumber(false), number(0) {
        std::string digits;
        for (const char c : cell)
            if (c != ',' && c != ' ')
                digits += c;
        const char* end = digits.data() + digits.size();
        const auto parsed = std::from_chars(digits.data(), end, number);
        isNumber = !digits.empty() && parsed.ec == std::errc() && parsed.ptr == end;
        if (!isNumber)
            text = cell;
    }

    bool operator<(const SortKey& other) const {
        if (isNumber != other.isNumber)
            return isNumber;
        return isNumber ? number < other.number : text < other.text;
    }
};

struct Ranked {
    SortKey key;
    std::uint32_t stored;
};

// The first `count` rows in the order of `column` (ties in the runs' order,
// or its reverse when descending), keeping only that many keys at a time.
std::vector<std::uint32_t> FirstInOrder(const RejectedRows& rows, std::size_t column, bool descending,
                                        std::size_t count) {
    const auto before = [descending](const Ranked& a, const Ranked& b) {
        if (a.key < b.key)
            return !descending;
        if (b.key < a.key)
            return descending;
        return descending ? a.stored > b.stored : a.stored < b.stored;
    };
    std::vector<Ranked> first; // a heap whose front is the last of them
    first.reserve(count);
    for (std::size_t row = 0; row < rows.size(); ++row) {
        Ranked ranked{SortKey(rows.cell(row, column)), static_cast<std::uint32_t>(row)};
        if (first.size() < count) {
            first.push_back(std::move(ranked));
            std::push_heap(first.begin(), first.end(), before);
        } else if (before(ranked, first.front())) {
            std::pop_heap(first.begin(), first.end(), before);
            first.back() = std::move(ranked);
            std::push_heap(first.begin(), first.end(), before);
        }
    }
    std::sort_heap(first.begin(), first.end(), before);
    std::vector<std::uint32_t> order;
    order.reserve(first.size());
    for (const Ranked& ranked : first)
        order.push_back(ranked.stored);
    return order;
}
} // namespace

int ErrorTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownOf(rows_.size());
}

int ErrorTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QString LocationText(const Location& where) {
    return where.first == 0 ? QString()
                            : QString::fromStdString(LocationLine(where, Cp874ToUtf8(where.found)));
}

QString LocationTip(const Location& where) {
    return where.first == 0 ? QString() : LocationText(where) + u'\n' + QString::fromStdString(where.hint);
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
        if (column >= RejectedRows::kColumns)
            return {};
        try {
            return FromMedia(rows_.cell(row, column));
        } catch (const FileError&) {
            return {}; // a temporary file that cannot be read back shows empty cells
        }
    case Qt::ForegroundRole:
        return earlier ? QVariant(dimmed_) : QVariant();
    case Qt::ToolTipRole: {
        QStringList lines;
        if (earlier)
            lines << runs_[rows_.run(row)].tooltip;
        try {
            if (const QString tip = LocationTip(locationOf(rows_.run(row), rows_.cells(row))); !tip.isEmpty())
                lines << tip;
        } catch (const FileError&) {
            // a row that cannot be read back says only which run it is of
        }
        return lines.isEmpty() ? QVariant() : QVariant(lines.join(u'\n'));
    }
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

void ErrorTableModel::beginRun(const QString& earlierRun, const QColor& dimmed, CheckOrigin check) {
    runs_.back().tooltip = earlierRun;
    runs_.push_back({QString(), std::move(check)});
    dimmed_ = dimmed;
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                         {Qt::ForegroundRole, Qt::ToolTipRole});
}

void ErrorTableModel::insertBlock(int row, RejectedRows rows) {
    if (rows.empty())
        return;
    sort(0); // rows of a run go in where the run puts them
    const std::size_t before = rows_.size();
    const std::size_t first = std::min(static_cast<std::size_t>(std::max(row, 0)), before);
    const auto run = static_cast<std::uint32_t>(runs_.size() - 1);
    if (first >= kShownRows) {
        rows_.insert(first, std::move(rows), run); // none of them shown
    } else if (before + rows.size() <= kShownRows) {
        beginInsertRows({}, static_cast<int>(first), static_cast<int>(first + rows.size()) - 1);
        rows_.insert(first, std::move(rows), run);
        endInsertRows();
    } else {
        beginResetModel();
        rows_.insert(first, std::move(rows), run);
        endResetModel();
    }
}

void ErrorTableModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= static_cast<int>(RejectedRows::kColumns))
        return;
    const bool descending = order == Qt::DescendingOrder;
    if (column == 0 && !descending && order_.empty())
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList persistent = persistentIndexList();
    std::vector<std::size_t> storedOfPersistent;
    for (const QModelIndex& index : persistent)
        storedOfPersistent.push_back(stored(index.row()));

    const auto shown = static_cast<std::size_t>(rowCount());
    if (column != 0) {
        order_ = FirstInOrder(rows_, static_cast<std::size_t>(column), descending, shown);
    } else if (descending) {
        order_.resize(shown);
        for (std::size_t row = 0; row < shown; ++row)
            order_[row] = static_cast<std::uint32_t>(rows_.size() - 1 - row);
    } else {
        order_.clear();
    }

    if (!persistent.isEmpty()) {
        std::unordered_map<std::size_t, int> shownAt;
        for (const std::size_t row : storedOfPersistent)
            shownAt.emplace(row, -1);
        for (int row = 0; row < rowCount(); ++row)
            if (const auto found = shownAt.find(stored(row)); found != shownAt.end())
                found->second = row;
        QModelIndexList moved;
        for (qsizetype i = 0; i < persistent.size(); ++i) {
            const int row = shownAt[storedOfPersistent[static_cast<std::size_t>(i)]];
            moved << (row < 0 ? QModelIndex() : index(row, persistent[i].column()));
        }
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
    return rows_.cells(stored(row));
}

const QString& ErrorTableModel::mediaFile(int row) const {
    return runs_[rows_.run(stored(row))].check.mediaFile;
}

std::uint32_t ErrorTableModel::runOf(int row) const {
    return rows_.run(stored(row));
}

const CheckOrigin& ErrorTableModel::rowsCheck() const {
    return rows_.empty() || rows_.mixesRuns() ? runs_.back().check : runs_[rows_.run(0)].check;
}

void ErrorTableModel::locateRun(const RunFormat& format, std::string controlLine) {
    runs_.back().locate = std::make_shared<const RowLocator>(format, std::move(controlLine));
}

Location ErrorTableModel::locationOf(std::uint32_t run, const ErrorRow& row) const {
    const auto& locate = runs_[run].locate;
    return locate ? (*locate)(row) : Location{};
}

Location ErrorTableModel::location(int row) const {
    return locationOf(runOf(row), rows_.cells(stored(row)));
}

void ErrorTableModel::forEachRow(
    const std::function<void(const QString& mediaFile, const ErrorRow&, const Location&)>& visit) const {
    if (rows_.size() <= kShownRows) {
        for (int row = 0; row < rowCount(); ++row) {
            const ErrorRow& cells = rows_.cells(stored(row));
            visit(mediaFile(row), cells, locationOf(runOf(row), cells));
        }
        return;
    }
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        const ErrorRow& cells = rows_.cells(row);
        visit(runs_[rows_.run(row)].check.mediaFile, cells, locationOf(rows_.run(row), cells));
    }
}

} // namespace qrv::gui
