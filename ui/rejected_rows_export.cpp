#include "ui/rejected_rows_export.h"

#include "files/files.h"
#include "runs/rejected_record.h"
#include "ui/error_table_model.h"

#include <QFile>

namespace qrv::gui {

namespace {

// A tab or line end inside a cell would split the table's cell or row.
QString TableCell(QString text) {
    for (QChar& c : text)
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    return text;
}

} // namespace

QString RowsAsTabSeparated(const QAbstractItemModel& model, const QList<int>& rows) {
    const int columns = model.columnCount();
    QString table;
    const auto appendRow = [&](auto cellText) {
        for (int column = 0; column < columns; ++column) {
            if (column > 0)
                table += u'\t';
            table += TableCell(cellText(column));
        }
        table += u'\n';
    };
    appendRow([&](int column) { return model.headerData(column, Qt::Horizontal).toString(); });
    for (const int row : rows)
        appendRow([&](int column) { return model.index(row, column).data().toString(); });
    return table;
}

void ExportRejectedRows(const ErrorTableModel& model, const std::string& path) {
    std::string csv = "\xEF\xBB\xBF" + RejectedCsvHeader();
    QString mediaFile;
    std::string mediaFileBytes;
    for (int row = 0; row < model.rowCount(); ++row) {
        if (model.mediaFile(row) != mediaFile) {
            mediaFile = model.mediaFile(row);
            mediaFileBytes = mediaFile.toStdString();
        }
        csv += RejectedCsvLine(mediaFileBytes, ReadRejectedRow(model.storedRow(row)));
    }
    SaveFile(path, csv, "the CSV file");
}

} // namespace qrv::gui
