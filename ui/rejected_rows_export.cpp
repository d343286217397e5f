#include "ui/rejected_rows_export.h"

#include "core/cp874.h"
#include "files/file_error.h"
#include "files/files.h"
#include "runs/rejected_record.h"
#include "ui/error_table_model.h"
#include "ui/local_names.h"

#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <vector>
#include <xlsxwriter.h>

namespace qrv::gui {

namespace {

// Handed to a file a piece at a time: millions of rows never are in memory at once.
constexpr std::size_t kPiece = 1 << 16;

// A tab or line end inside a cell would split the table's cell or row.
QString TableCell(QString text) {
    for (QChar& c : text)
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    return text;
}

QString MediaFileCell(const QString& mediaFile) {
    return QDir::toNativeSeparators(mediaFile);
}

// Text format, and blanks kept as they are: Excel reads the style, LibreOffice the sdnum.
constexpr QStringView kTextCell =
    u"<td style=\"mso-number-format:'\\@';white-space:pre\" sdnum=\"1033;0;@\">";

// Where a row failed, after its shown columns, as qrv-check --csv gives it.
constexpr std::size_t kLocationColumns = 5;

std::array<QString, kLocationColumns> LocationHeader() {
    return {QObject::tr("Field"), QObject::tr("Columns"), QObject::tr("Found"), QObject::tr("Expected"),
            QObject::tr("Hint")};
}

// In UTF-8; empty cells for a Location{}.
std::array<std::string, kLocationColumns> LocationCells(const Location& where) {
    if (where.first == 0)
        return {};
    return {std::string(where.field), ColumnRange(where), Cp874ToUtf8(where.found), where.expected,
            where.hint};
}

bool SeveralRuns(const ErrorTableModel& model, const QList<int>& rows) {
    return std::any_of(rows.begin(), rows.end(),
                       [&](int row) { return model.runOf(row) != model.runOf(rows.front()); });
}

} // namespace

CopiedRows CopyRows(const ErrorTableModel& model, const QList<int>& rows) {
    const bool withMediaFile = !rows.isEmpty() && SeveralRuns(model, rows);
    const int columns = model.columnCount();
    CopiedRows copied;
    copied.html = QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body><table>\n");
    // One row of both tables: `cellText` of each column, NO.'s cell opened
    // with `open` and every other with `openText`.
    const auto appendRow = [&](const QString& mediaFile, auto cellText, QStringView open,
                               QStringView openText, QStringView close) {
        copied.html += u"<tr>";
        bool first = true;
        const auto add = [&](const QString& text, QStringView start) {
            if (!first)
                copied.tabSeparated += u'\t';
            first = false;
            copied.tabSeparated += TableCell(text);
            copied.html += start;
            copied.html += text.toHtmlEscaped();
            copied.html += close;
        };
        if (withMediaFile)
            add(mediaFile, openText);
        for (int column = 0; column < columns + static_cast<int>(kLocationColumns); ++column)
            add(cellText(column), column == 0 ? open : openText);
        copied.tabSeparated += u'\n';
        copied.html += u"</tr>\n";
    };
    const auto locationHeader = LocationHeader();
    const auto header = [&](int column) {
        return column < columns ? model.headerData(column, Qt::Horizontal).toString()
                                : locationHeader[static_cast<std::size_t>(column - columns)];
    };
    appendRow(QObject::tr("Media file"), header, u"<th>", u"<th>", u"</th>");
    for (const int row : rows) {
        const auto location = LocationCells(model.location(row));
        const auto cell = [&](int column) {
            return column < columns
                       ? model.index(row, column).data().toString()
                       : QString::fromStdString(location[static_cast<std::size_t>(column - columns)]);
        };
        appendRow(MediaFileCell(model.mediaFile(row)), cell, u"<td>", kTextCell, u"</td>");
    }
    copied.html += u"</table></body></html>\n";
    return copied;
}

void ExportRejectedRows(const ErrorTableModel& model, const std::string& path) {
    const Bytes csv([&](const Bytes::Sink& sink) {
        std::string piece = "\xEF\xBB\xBF" + RejectedCsvHeader();
        QString mediaFile;
        std::string mediaFileBytes;
        model.forEachRow([&](const QString& rowFile, const ErrorRow& row, const Location& where) {
            if (rowFile != mediaFile) {
                mediaFile = rowFile;
                mediaFileBytes = mediaFile.toStdString();
            }
            piece += RejectedCsvLine(mediaFileBytes, ReadRejectedRow(row), where);
            if (piece.size() >= kPiece) {
                sink(piece);
                piece.clear();
            }
        });
        sink(piece);
    });
    SaveFile(path, csv, "the CSV file");
}

namespace {

enum Cell : std::size_t { kNumber, kAccount, kEffectiveDate, kSign, kAmount, kReason };

// Rows of a sheet, with room for the lines above the header; Excel takes 1,048,576.
constexpr lxw_row_t kRowsOfSheet = 1'000'000;

// An amount field of digits, whose last two are the decimals, as a number.
std::optional<double> AmountOf(std::string_view field) {
    std::int64_t satang = 0;
    const char* end = field.data() + field.size();
    const auto parsed = std::from_chars(field.data(), end, satang);
    if (field.empty() || field.front() == '-' || parsed.ec != std::errc() || parsed.ptr != end)
        return std::nullopt;
    return static_cast<double>(satang) / 100;
}

// A workbook of sheets of rejected rows, written by libxlsxwriter to a file
// of its own in a temporary folder, row after row (so with little memory).
class RejectedWorkbook {
  public:
    RejectedWorkbook(const std::string& path, const std::string& temporaryFolder)
        : folder_(temporaryFolder), path_(path) {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        options.tmpdir = folder_.data();
        workbook_ = workbook_new_opt(path.c_str(), &options);
        if (!workbook_)
            fail(LXW_ERROR_MEMORY_MALLOC_FAILED);
        text_ = workbook_add_format(workbook_);
        format_set_num_format(text_, "@");
        amount_ = workbook_add_format(workbook_);
        format_set_num_format(amount_, "0.00");
        header_ = workbook_add_format(workbook_);
        format_set_bold(header_);
    }
    ~RejectedWorkbook() {
        if (workbook_)
            workbook_close(workbook_);
    }
    RejectedWorkbook(const RejectedWorkbook&) = delete;
    RejectedWorkbook& operator=(const RejectedWorkbook&) = delete;

    // A `created` time that is not valid leaves libxlsxwriter's own, now.
    void setProperties(std::string title, std::string comments, const QDateTime& created) {
        lxw_doc_properties properties{};
        properties.title = title.data();
        properties.comments = comments.data();
        properties.created = created.isValid() ? static_cast<time_t>(created.toSecsSinceEpoch()) : 0;
        check(workbook_set_properties(workbook_, &properties));
    }

    // Starts a sheet: the lines `above` (a caption and its value each), a
    // blank line, and the bold header `header`, which stays in view.
    void addSheet(const std::vector<std::pair<std::string, std::string>>& above,
                  const std::vector<std::string>& header) {
        const std::string name =
            sheets_ == 0 ? "Rejected rows" : "Rejected rows " + std::to_string(sheets_ + 1);
        ++sheets_;
        sheet_ = workbook_add_worksheet(workbook_, name.c_str());
        if (!sheet_)
            fail(LXW_ERROR_MEMORY_MALLOC_FAILED);
        row_ = 0;
        for (const auto& [caption, value] : above) {
            text(0, caption, header_);
            text(1, value);
            ++row_;
        }
        ++row_;
        for (std::size_t column = 0; column < header.size(); ++column) {
            text(static_cast<lxw_col_t>(column), header[column], header_);
            check(worksheet_set_column(sheet_, static_cast<lxw_col_t>(column), static_cast<lxw_col_t>(column),
                                       std::max<double>(10, static_cast<double>(header[column].size()) + 2),
                                       nullptr));
        }
        worksheet_freeze_panes(sheet_, row_ + 1, 0);
        ++row_;
    }
    bool sheetFull() const { return row_ >= kRowsOfSheet; }

    void text(lxw_col_t column, const std::string& value, lxw_format* format = nullptr) {
        check(worksheet_write_string(sheet_, row_, column, value.c_str(), format ? format : text_));
    }
    void number(lxw_col_t column, double value, bool isAmount = false) {
        check(worksheet_write_number(sheet_, row_, column, value, isAmount ? amount_ : nullptr));
    }
    void endRow() { ++row_; }

    // Closes the workbook, which writes it whole.
    void close() {
        const lxw_error error = workbook_close(workbook_);
        workbook_ = nullptr;
        check(error);
    }

  private:
    void check(lxw_error error) const {
        if (error != LXW_NO_ERROR)
            fail(error);
    }
    [[noreturn]] void fail(lxw_error error) const {
        throw FileError("write the workbook", path_, lxw_strerror(error));
    }

    std::string folder_;
    std::string path_;
    lxw_workbook* workbook_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    lxw_format* text_ = nullptr;
    lxw_format* amount_ = nullptr;
    lxw_format* header_ = nullptr;
    lxw_row_t row_ = 0;
    int sheets_ = 0;
};

std::string Utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

std::vector<std::string> WorkbookHeader(const ErrorTableModel& model, bool withMediaFile) {
    const auto shown = [&](Cell cell) {
        return Utf8(model.headerData(static_cast<int>(cell), Qt::Horizontal).toString());
    };
    std::vector<std::string> header;
    if (withMediaFile)
        header.push_back(Utf8(QObject::tr("Media file")));
    for (const std::string& column :
         {shown(kNumber), Utf8(QObject::tr("Line")), shown(kAccount), shown(kEffectiveDate), shown(kSign),
          shown(kAmount), Utf8(QObject::tr("Amount in the file")), shown(kReason),
          Utf8(QObject::tr("Reason code"))})
        header.push_back(column);
    for (const QString& column : LocationHeader())
        header.push_back(Utf8(column));
    return header;
}

// The workbook that libxlsxwriter wrote, copied to where the user wants it
// in one step.
void SaveWrittenWorkbook(const std::string& written, const std::string& path) {
    const FileUse use{"read the temporary workbook", written};
    const FileDescriptor file = OpenRegularFile(use);
    const Bytes bytes([&](const Bytes::Sink& sink) {
        std::string piece(kPiece, '\0');
        while (const std::size_t read = ReadUpTo(file.get(), piece.data(), piece.size(), use))
            sink(std::string_view(piece.data(), read));
    });
    SaveFile(path, bytes, "the workbook");
}

} // namespace

void ExportRejectedWorkbook(const ErrorTableModel& model, const std::string& path) {
    const CheckOrigin& origin = model.rowsCheck();
    const QTemporaryDir folder(QDir(QString::fromStdString(TemporaryFolder())).filePath("qrv-xlsx-XXXXXX"));
    if (!folder.isValid())
        throw FileError("create the temporary workbook in", TemporaryFolder(), Utf8(folder.errorString()));
    const std::string written = LocalNameBytes(folder.filePath("rejected.xlsx")).toStdString();
    const std::string mediaFile = Utf8(MediaFileCell(origin.mediaFile));
    const QString checkedText = origin.checked.toString("yyyy-MM-dd hh:mm:ss");
    const std::string checked = Utf8(checkedText);
    const bool withMediaFile = model.mixesRuns();
    const std::vector<std::string> header = WorkbookHeader(model, withMediaFile);
    {
        RejectedWorkbook workbook(written, LocalNameBytes(folder.path()).toStdString());
        workbook.setProperties(Utf8(QObject::tr("Rejected rows of %1").arg(MediaFileCell(origin.mediaFile))),
                               Utf8(QObject::tr("Checked %1").arg(checkedText)), origin.checked);
        const auto addSheet = [&] {
            workbook.addSheet(
                {{Utf8(QObject::tr("Media file")), mediaFile}, {Utf8(QObject::tr("Checked")), checked}},
                header);
        };
        addSheet();
        QString rowsFile;
        std::string rowsFileCell;
        model.forEachRow([&](const QString& rowFile, const ErrorRow& row, const Location& where) {
            if (workbook.sheetFull())
                addSheet();
            lxw_col_t column = 0;
            if (withMediaFile) {
                if (rowFile != rowsFile) {
                    rowsFile = rowFile;
                    rowsFileCell = Utf8(MediaFileCell(rowFile));
                }
                workbook.text(column++, rowsFileCell);
            }
            const RejectedRecord record = ReadRejectedRow(row);
            workbook.number(column++, static_cast<double>(record.line - 1));
            workbook.number(column++, static_cast<double>(record.line));
            workbook.text(column++, Cp874ToUtf8(record.account));
            workbook.text(column++, Cp874ToUtf8(row[kEffectiveDate]));
            workbook.text(column++, Cp874ToUtf8(record.sign));
            if (const std::optional<double> amount = AmountOf(record.amount))
                workbook.number(column, *amount, true);
            ++column;
            workbook.text(column++, Cp874ToUtf8(record.amount));
            workbook.text(column++, Cp874ToUtf8(record.reason));
            workbook.text(column++, std::string(record.reasonCode));
            for (const std::string& cell : LocationCells(where))
                workbook.text(column++, cell);
            workbook.endRow();
        });
        workbook.close();
    }
    SaveWrittenWorkbook(written, path);
}

} // namespace qrv::gui
