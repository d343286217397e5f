// The rejected records as the result window keeps and shows them.
#include "tests/support/media_lines.h"
#include "ui/error_table_model.h"
#include "ui/rejected_rows.h"

#include <QAbstractItemModelTester>
#include <QtTest>

using namespace qrv;
using namespace qrv::gui;
using namespace qrv::test;

namespace {
const std::string kThaiCompany = ToCp874(u"บริษัท");
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
};

QTEST_MAIN(RejectedRowsTest)
#include "rejected_rows_test.moc"
