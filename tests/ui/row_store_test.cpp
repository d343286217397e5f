// The rejected records as the result window keeps and shows them.
#include "core/cp874.h"
#include "runs/rejected_record.h"
#include "tests/support/media_lines.h"
#include "ui/error_table_model.h"
#include "ui/rejected_rows_export.h"
#include "ui/row_store.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace qrv;
using namespace qrv::gui;
using namespace qrv::test;

namespace {
const std::string kThaiCompany = ToCp874(u"บริษัท");

const std::vector<qrv::Column> kColumns{{"NO.", 600, Alignment::Left},
                                        {"Account NO.", 2000, Alignment::Left},
                                        {"Effective Date", 1500, Alignment::Left},
                                        {"Sign", 600, Alignment::Left},
                                        {"Amount", 2000, Alignment::Right},
                                        {"Reason", 5000, Alignment::Left}};

// `count` rejected rows numbered 1, 2, ..., with amounts falling as NO. rises.
RejectedRows Numbered(int count, const std::string& reason = "Check digit error") {
    RejectedRows rows;
    for (int i = 1; i <= count; ++i)
        rows.append(ErrorRow{std::to_string(i), "12345678" + std::to_string(10 + i % 90), "15/01/24", "",
                             std::to_string(count - i) + ".00", reason});
    return rows;
}

QStringList CellsOf(const ErrorTableModel& model, int column) {
    QStringList cells;
    for (int row = 0; row < model.rowCount(); ++row)
        cells << model.index(row, column).data().toString();
    return cells;
}
} // namespace

class RejectedRowsTest : public QObject {
    Q_OBJECT

  private slots:
    // Cells of any length, empty ones included, come back exactly after
    // blocks go in at the front, in the middle and past the end.
    void rejectedRowsKeepEveryCell() {
        const ErrorRow wide{"99999", "12345678X6", "31/12/06", "", kThaiCompany, "Check digit error"};
        const ErrorRow narrow{"1", "", "", "-", "0", "x"};
        RejectedRows rows;
        RejectedRows block;
        block.append(wide);
        block.append(narrow);
        rows.insert(0, std::move(block), 1);
        QVERIFY(block.empty());
        RejectedRows middle;
        middle.append(narrow);
        rows.insert(1, std::move(middle), 2);
        RejectedRows last;
        last.append(wide);
        rows.insert(99, std::move(last), 3);
        const std::vector<std::pair<ErrorRow, std::uint32_t>> expected{
            {wide, 1}, {narrow, 2}, {narrow, 1}, {wide, 3}};
        QCOMPARE(rows.size(), expected.size());
        for (std::size_t row = 0; row < expected.size(); ++row) {
            QCOMPARE(rows.run(row), expected[row].second);
            for (std::size_t column = 0; column < RejectedRows::kColumns; ++column)
                QCOMPARE(std::string(rows.cell(row, column)), expected[row].first[column]);
        }
    }

    void errorTableModel() {
        ErrorTableModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        const std::vector<qrv::Column> columns{{"NO.", 600, Alignment::Left},
                                               {"Amount", 2000, Alignment::Right}};
        model.setColumns(columns);
        const auto rows = [](std::initializer_list<const char*> numbers) {
            RejectedRows block;
            for (const char* number : numbers)
                block.append(ErrorRow{number, "a", "b", "c", "d", "e"});
            return block;
        };
        model.insertBlock(0, rows({"1", "2"}));
        model.insertBlock(0, rows({"3"}));
        model.insertBlock(99, rows({"4"}));
        model.setColumns({{"NO.", 600, Alignment::Center}, {"Amount", 2000, Alignment::Left}});
        model.setColumns({{"NO.", 600, Alignment::Left}});
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(model.columnCount(), 1);
        QCOMPARE(model.index(0, 0).data().toString(), "3");
        QCOMPARE(model.index(3, 0).data().toString(), "4");
    }

    // Amounts sort by value, either way; a NO. sort brings back the runs'
    // own order, and new rows go in where their run puts them.
    void sortingAndClearingEarlierRuns() {
        ErrorTableModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setColumns(kColumns);
        model.beginRun(QString(), Qt::gray, {"/data/jan.txt", {}});
        RejectedRows first;
        for (const char* amount : {"9.00", "1,000.00", "10.00"})
            first.append(ErrorRow{"1", "a", "", "", amount, "r"});
        model.insertBlock(0, std::move(first));
        model.sort(4);
        QCOMPARE(CellsOf(model, 4), (QStringList{"9.00", "10.00", "1,000.00"}));
        model.sort(4, Qt::DescendingOrder);
        QCOMPARE(CellsOf(model, 4), (QStringList{"1,000.00", "10.00", "9.00"}));
        model.sort(0);
        QCOMPARE(CellsOf(model, 4), (QStringList{"9.00", "1,000.00", "10.00"}));

        model.sort(4);
        model.beginRun("earlier", Qt::gray, {"/data/feb.txt", {}});
        model.insertBlock(0, Numbered(2));
        QCOMPARE(CellsOf(model, 4), (QStringList{"1.00", "0.00", "9.00", "1,000.00", "10.00"}));
        QCOMPARE(model.mediaFile(0), "/data/feb.txt");
        QCOMPARE(model.mediaFile(4), "/data/jan.txt");
        model.removeEarlierRuns();
        QCOMPARE(CellsOf(model, 4), (QStringList{"1.00", "0.00"}));
        QVERIFY(!model.index(0, 0).data(Qt::ForegroundRole).isValid());
    }

    // In a column that holds numbers and texts, the numbers come first, by
    // value, and the texts after them; descending turns the whole round.
    void numbersSortBeforeTexts() {
        ErrorTableModel model;
        model.setColumns(kColumns);
        model.beginRun(QString(), Qt::gray, {"/data/jan.txt", {}});
        RejectedRows rows;
        for (const char* account : {"12345678X6", "900", "ABC", "1,000"})
            rows.append(ErrorRow{"1", account, "", "", "0.00", "r"});
        model.insertBlock(0, std::move(rows));
        model.sort(1);
        QCOMPARE(CellsOf(model, 1), (QStringList{"900", "1,000", "12345678X6", "ABC"}));
        model.sort(1, Qt::DescendingOrder);
        QCOMPARE(CellsOf(model, 1), (QStringList{"ABC", "12345678X6", "1,000", "900"}));
    }

    // NO. descending is the run's order turned round, from the first sort on.
    void descendingByNumberReversesTheRun() {
        ErrorTableModel model;
        model.setColumns(kColumns);
        model.beginRun(QString(), Qt::gray, {"/data/jan.txt", {}});
        model.insertBlock(0, Numbered(3));
        model.sort(0, Qt::DescendingOrder);
        QCOMPARE(CellsOf(model, 0), (QStringList{"3", "2", "1"}));
    }

    // Past kShownRows the list shows the first rows in the order chosen,
    // among all of them, and the export still writes every row.
    void moreRowsThanTheListShows() {
        constexpr std::size_t kShown = ErrorTableModel::kShownRows;
        constexpr std::size_t kRows = kShown + 3;
        ErrorTableModel model;
        model.setColumns(kColumns);
        model.beginRun(QString(), Qt::gray, {"/data/jan.txt", {}});
        RejectedRows rows;
        for (std::size_t i = 1; i <= kRows; ++i)
            rows.append(ErrorRow{std::to_string(i), "a", "", "", i == kRows ? "9,999.00" : "1.00", "r"});
        model.insertBlock(0, std::move(rows));
        QCOMPARE(model.rowCount(), static_cast<int>(kShown));
        QCOMPARE(model.allRows(), kRows);

        model.sort(4, Qt::DescendingOrder);
        QCOMPARE(model.rowCount(), static_cast<int>(kShown));
        QCOMPARE(model.index(0, 4).data().toString(), "9,999.00");
        QCOMPARE(model.index(0, 0).data().toString(), QString::number(kRows));
        QCOMPARE(model.index(1, 0).data().toString(), QString::number(kRows - 1)); // ties in reverse
        model.sort(0, Qt::DescendingOrder);
        QCOMPARE(model.index(0, 0).data().toString(), QString::number(kRows));

        model.sort(0);
        model.beginRun("earlier", Qt::gray, {"/data/feb.txt", {}});
        model.insertBlock(0, Numbered(2));
        QCOMPARE(model.index(0, 0).data().toString(), "1");
        QCOMPARE(model.index(2, 0).data().toString(), "1");
        QCOMPARE(model.allRows(), kRows + 2);

        QTemporaryDir dir;
        const QString path = dir.filePath("rejected.csv");
        ExportRejectedRows(model, QFile::encodeName(path).toStdString());
        QFile csv(path);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QByteArray bytes = csv.readAll();
        QCOMPARE(bytes.count("\r\n"), static_cast<qsizetype>(kRows + 3));
        QVERIFY(bytes.endsWith(QByteArray::fromStdString(RejectedCsvLine(
            "/data/jan.txt", ReadRejectedRow(ErrorRow{std::to_string(kRows), "a", "", "", "9,999.00", "r"}),
            Location{}))));

        model.removeEarlierRuns();
        QCOMPARE(model.rowCount(), 2);
    }

    // 100,000 rows of a file with a Thai name copy as a table with headers
    // and export as the CSV qrv-check writes, with a byte-order mark.
    void copyAndExportManyRows() {
        constexpr int kRows = 100000;
        const QString mediaFile = QStringLiteral("/data/บริษัท.txt");
        ErrorTableModel model;
        model.setColumns(kColumns);
        model.beginRun(QString(), Qt::gray, {mediaFile, {}});
        model.insertBlock(0, Numbered(kRows, ToCp874(u"เลขที่บัญชี\tผิด")));

        QList<int> all;
        for (int row = 0; row < kRows; ++row)
            all << row;
        const QStringList lines = CopyRows(model, all).tabSeparated.split(u'\n');
        QCOMPARE(lines.size(), kRows + 2); // the headers, the rows, and nothing after the last line end
        QCOMPARE(
            lines.first(),
            "NO.\tAccount NO.\tEffective Date\tSign\tAmount\tReason\tField\tColumns\tFound\tExpected\tHint");
        QCOMPARE(lines[1], QStringLiteral("1\t1234567811\t15/01/24\t\t99999.00\tเลขที่บัญชี ผิด\t\t\t\t\t"));

        QTemporaryDir dir;
        const QString path = dir.filePath("rejected.csv");
        ExportRejectedRows(model, QFile::encodeName(path).toStdString());
        QFile csv(path);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QByteArray bytes = csv.readAll();
        const std::string expectedHeader = "\xEF\xBB\xBF" + RejectedCsvHeader();
        QVERIFY(bytes.startsWith(QByteArray::fromStdString(expectedHeader)));
        QCOMPARE(bytes.count("\r\n"), kRows + 1);
        const std::string second =
            RejectedCsvLine(mediaFile.toStdString(), ReadRejectedRow(model.storedRow(1)), Location{});
        QVERIFY(bytes.contains(QByteArray::fromStdString(second)));
        QVERIFY(second.starts_with("/data/บริษัท.txt,3,1234567812,150124,,99998.00,"));
    }
};

QTEST_MAIN(RejectedRowsTest)
#include "row_store_test.moc"
