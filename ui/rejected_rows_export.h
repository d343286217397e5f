// The rejected rows handed on: copied as a table that pastes into a
// spreadsheet or a mail, and exported as the CSV file qrv-check --csv writes.
#pragma once

#include <QList>
#include <QString>
#include <string>

class QAbstractItemModel;

namespace qrv::gui {

class ErrorTableModel;

// The column headers and the rows `rows` (in that order) as the table shows
// them: cells separated by tabs, rows ended by line ends.
QString RowsAsTabSeparated(const QAbstractItemModel& model, const QList<int>& rows);

// Every row of `model`, shown or not, as CSV in UTF-8 with a byte-order
// mark, so that spreadsheet programs read Thai; written to `path` in one
// step. Throws FileError.
void ExportRejectedRows(const ErrorTableModel& model, const std::string& path);

} // namespace qrv::gui
