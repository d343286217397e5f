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
    // Handed to the file a piece at a time: millions of rows never are in memory at once.
    constexpr std::size_t kPiece = 1 << 16;
    const Bytes csv([&](const Bytes::Sink& sink) {
        std::string piece = "\xEF\xBB\xBF" + RejectedCsvHeader();
        QString mediaFile;
        std::string mediaFileBytes;
        model.forEachRow([&](const QString& rowFile, const ErrorRow& row) {
            if (rowFile != mediaFile) {
                mediaFile = rowFile;
                mediaFileBytes = mediaFile.toStdString();
            }
            piece += RejectedCsvLine(mediaFileBytes, ReadRejectedRow(row), Location{});
            if (piece.size() >= kPiece) {
                sink(piece);
                piece.clear();
            }
        });
        sink(piece);
    });
    SaveFile(path, csv, "the CSV file");
}

} // namespace qrv::gui
