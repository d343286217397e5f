// The rejected rows as they leave the program: a workbook read back as a
// spreadsheet reads it, and the table a copy puts on the clipboard.
#include "files/file_error.h"
#include "runs/check_run.h"
#include "runs/format.h"
#include "tests/support/media_lines.h"
#include "tests/support/temp_dir.h"
#include "ui/error_table_model.h"
#include "ui/rejected_rows_export.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace qrv;
using namespace qrv::gui;
using namespace qrv::test;

namespace {

const QString kThaiReason = QStringLiteral("เลขที่บัญชีผิด");

// Rows whose cells a spreadsheet would turn into numbers or formulas.
RejectedRows Tricky() {
    RejectedRows rows;
    rows.append({"1", "0000000000", "15/01/24", "0", "00000001000", "Invalid Account"});
    rows.append({"2", " 123456789", "15/01/24", "0", "00000000007", "Invalid Account"});
    rows.append({"3", "=A1&A2", "15/01/24", "0", "0000000A000", ToCp874(u"เลขที่บัญชีผิด")});
    return rows;
}

// A model of the rows of `runs` runs, of jan.txt checked 2024-01-15 09:30:05, then feb.txt a day later.
void Fill(ErrorTableModel& model, int runs) {
    model.setColumns(FormatTable(Format::M100).columns);
    const QStringList files{"/data/jan.txt", "/data/feb.txt"};
    for (int run = 0; run < runs; ++run) {
        model.beginRun("earlier", Qt::gray,
                       {files[run], QDateTime(QDate(2024, 1, 15 + run), QTime(9, 30, 5))});
        model.insertBlock(0, Tricky());
    }
}

#ifdef QRV_WORKBOOK_READER
// The workbook's cells as openpyxl reads them.
QJsonObject ReadWorkbook(const QString& path) {
    QProcess reader;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PYTHONPATH", QRV_WORKBOOK_READER);
    reader.setProcessEnvironment(environment);
    reader.start("/usr/bin/python3", {"-m", "qrvtest.workbook", path});
    if (!reader.waitForFinished(60000) || reader.exitCode() != 0)
        qWarning() << reader.readAllStandardError();
    return QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
}

QJsonArray Row(const QJsonObject& book, int row) {
    return book["sheets"][0]["rows"][row].toArray();
}
#endif

} // namespace

class RejectedRowsExportTest : public QObject {
    Q_OBJECT

  private slots:
    // Accounts, dates, signs, the amount field and reasons stay text cells
    // (zeros, a leading blank and "=" kept, Thai intact); the amount is a
    // number with two decimals; the media file and the time of the check the
    // rows are of (not of a later check without rows) lead the sheet.
    void workbookKeepsWhatSpreadsheetsWouldChange() {
#ifndef QRV_WORKBOOK_READER
        QSKIP("the workbook is read back with Debian's python3-openpyxl");
#else
        ErrorTableModel model;
        Fill(model, 1);
        model.locateRun(FormatTable(Format::M100), ControlLine(Format::M100, {}));
        model.beginRun("earlier", Qt::gray, {"/data/feb.txt", QDateTime::currentDateTime()});
        QTemporaryDir dir;
        const QString path = dir.filePath("rejected.xlsx");
        ExportRejectedWorkbook(model, QFile::encodeName(path).toStdString());
        const QJsonObject book = ReadWorkbook(path);

        QCOMPARE(book["title"].toString(), "Rejected rows of /data/jan.txt");
        QCOMPARE(book["comments"].toString(), "Checked 2024-01-15 09:30:05");
        QCOMPARE(Row(book, 0)[1][0].toString(), "/data/jan.txt");
        QCOMPARE(Row(book, 1)[1][0].toString(), "2024-01-15 09:30:05");
        QStringList header;
        for (const QJsonValue cell : Row(book, 3))
            header << cell[0].toString();
        QCOMPARE(header, (QStringList{"NO.", "Line", "Account NO.", "Effective Date", "Sign", "Amount",
                                      "Amount in the file", "Reason", "Reason code", "Field", "Columns",
                                      "Found", "Expected", "Hint"}));

        const QJsonArray first = Row(book, 4);
        const auto text = [](const QJsonValue& cell) {
            return cell[1].toString() == "s" ? cell[0] : QJsonValue();
        };
        QCOMPARE(first[0][0].toInt(), 1);
        QCOMPARE(first[1][0].toInt(), 2);
        QCOMPARE(text(first[2]).toString(), "0000000000");
        QCOMPARE(text(first[3]).toString(), "15/01/24");
        QCOMPARE(text(first[4]).toString(), "0");
        QCOMPARE(first[5][0].toDouble(), 10.0);
        QCOMPARE(first[5][1].toString(), "n");
        QCOMPARE(first[5][2].toString(), "0.00");
        QCOMPARE(text(first[6]).toString(), "00000001000");
        QCOMPARE(text(first[8]).toString(), "invalid_account");
        QCOMPARE(text(first[9]).toString(), "AccountNo");
        QCOMPARE(text(first[10]).toString(), "1–10");
        QCOMPARE(text(first[11]).toString(), "0000000000");
        QCOMPARE(text(Row(book, 5)[2]).toString(), " 123456789");
        QCOMPARE(Row(book, 5)[5][0].toDouble(), 0.07);
        const QJsonArray third = Row(book, 6);
        QCOMPARE(text(third[2]).toString(), "=A1&A2");
        QVERIFY(third[5][0].isNull()); // an amount that is no number is only text
        QCOMPARE(text(third[6]).toString(), "0000000A000");
        QCOMPARE(text(third[7]).toString(), kThaiReason);
        QCOMPARE(book["sheets"].toArray().size(), 1);
#endif
    }

    // Rows of two runs name their media file in a leading column of the
    // workbook and of a copy; rows of one run do not.
    void rowsOfTwoRunsNameTheirFile() {
        ErrorTableModel one;
        Fill(one, 1);
        QVERIFY(CopyRows(one, {0, 1}).tabSeparated.startsWith("NO.\t"));

        ErrorTableModel two;
        Fill(two, 2);
        const CopiedRows copied = CopyRows(two, {0, 3});
        const QStringList lines = copied.tabSeparated.split(u'\n');
        QVERIFY(lines[0].startsWith("Media file\tNO.\t"));
        QVERIFY(lines[1].startsWith(QDir::toNativeSeparators("/data/feb.txt") + "\t1\t0000000000\t"));
        QVERIFY(lines[2].startsWith(QDir::toNativeSeparators("/data/jan.txt") + "\t1\t0000000000\t"));
        QVERIFY(CopyRows(two, {0, 1}).tabSeparated.startsWith("NO.\t"));
#ifdef QRV_WORKBOOK_READER
        QTemporaryDir dir;
        const QString path = dir.filePath("rejected.xlsx");
        ExportRejectedWorkbook(two, QFile::encodeName(path).toStdString());
        const QJsonObject book = ReadWorkbook(path);
        QCOMPARE(Row(book, 3)[0][0].toString(), "Media file");
        QCOMPARE(Row(book, 4)[0][0].toString(), "/data/feb.txt");
        QCOMPARE(Row(book, 7)[0][0].toString(), "/data/jan.txt");
#endif
    }

    // The clipboard's HTML keeps every cell but NO. as text, blanks included,
    // and escapes what HTML would read.
    void copiedTableKeepsCellsAsText() {
        ErrorTableModel model;
        model.setColumns(FormatTable(Format::M100).columns);
        model.beginRun(QString(), Qt::gray, {"/data/jan.txt", {}});
        RejectedRows rows;
        rows.append({"1", " 123456789", "15/01/24", "0", "00000001000", "<b>&"});
        model.insertBlock(0, std::move(rows));
        const QString html = CopyRows(model, {0}).html;
        const QString text = "<td style=\"mso-number-format:'\\@';white-space:pre\" sdnum=\"1033;0;@\">";
        QVERIFY2(html.contains("<tr><td>1</td>" + text + " 123456789</td>" + text + "15/01/24</td>"),
                 qPrintable(html));
        QVERIFY(html.contains(text + "00000001000</td>"));
        // A run that read no control record leaves where the row failed empty.
        QVERIFY(html.contains(text + "&lt;b&gt;&amp;</td>" + (text + "</td>").repeated(5) + "</tr>"));
        QVERIFY(html.contains("<tr><th>NO.</th><th>Account NO.</th>"));
    }

    // Where no temporary workbook can be made, the export fails with a
    // FileError, and the file it was to replace stays as it was.
    void workbookWithoutTemporaryFolderKeepsTheEarlierFile() {
#ifdef _WIN32
        QSKIP("Windows takes its temporary folder from TMP, not TMPDIR");
#else
        ErrorTableModel model;
        Fill(model, 1);
        QTemporaryDir dir;
        const std::string path = QFile::encodeName(dir.filePath("rejected.xlsx")).toStdString();
        WriteBytes(path, "earlier");
        const QByteArray earlier = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(dir.filePath("no such folder")));
        bool failed = false;
        try {
            ExportRejectedWorkbook(model, path);
        } catch (const FileError& e) {
            failed = std::string_view(e.what()).starts_with("Cannot create the temporary workbook");
        }
        earlier.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", earlier);
        QVERIFY(failed);
        QCOMPARE(ReadBytes(path), "earlier");
#endif
    }
};

QTEST_MAIN(RejectedRowsExportTest)
#include "rejected_rows_export_test.moc"
