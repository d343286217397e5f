// The rejected rows handed on: copied as a table that pastes into a
// spreadsheet or a mail, and exported as an Excel workbook or as the CSV file
// qrv-check --csv writes. Each ends in where the row failed: the field, its
// columns, what was found there, what was expected and a hint. Where the rows are of more than one run,
// copies and workbooks name each row's media file in a column of their own.
#pragma once

#include <QList>
#include <QString>
#include <string>

namespace qrv::gui {

class ErrorTableModel;

// The column headers and the rows `rows` (in that order) as the table shows
// them, both as text whose cells are separated by tabs and rows ended by
// line ends, and as an HTML table whose cells a spreadsheet keeps as text
// (zeros, blanks and a leading "=" included), but for NO.
struct CopiedRows {
    QString tabSeparated;
    QString html;
};
CopiedRows CopyRows(const ErrorTableModel& model, const QList<int>& rows);

// Every row of `model`, shown or not, as CSV in UTF-8 with a byte-order
// mark, so that spreadsheet programs read Thai; written to `path` in one
// step. Throws FileError.
void ExportRejectedRows(const ErrorTableModel& model, const std::string& path);

// Every row of `model` as an Excel workbook, which names the check the rows
// came from (ErrorTableModel::rowsCheck) above them and in its document
// properties: NO., the line in the file, the
// account, the date, the sign, the amount and the reason as the window shows
// them, the amount as a number, the reason's code, and where the row failed. Texts stay text cells,
// never numbers or formulas. Written to `path` in one step; a sheet holds at
// most a million rows, more go on to further sheets. Throws FileError.
void ExportRejectedWorkbook(const ErrorTableModel& model, const std::string& path);

} // namespace qrv::gui
