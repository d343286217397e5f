// The ruler and the marks under a line of the media file.
#include "ui/record_view.h"

#include <QtTest>

using namespace qrv::gui;

class RecordViewTest : public QObject {
    Q_OBJECT

  private slots:
    void marksTheFailingColumns_data() {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<QString>("ruler");
        QTest::addColumn<QString>("carets");
        QTest::newRow("numbered from 1, then every tenth")
            << "ABCDEFGHIJKLMNOPQRSTUV" << 3 << 5 << "1........10........20."
            << "  ^^^";
        QTest::newRow("nothing located") << "ABC" << 0 << 0 << "1.."
                                         << "";
        // A field past the end of a short line is still shown where it belongs.
        QTest::newRow("past the line's end") << "AB" << 3 << 4 << "1..."
                                             << "  ^^";
        // The vowel above takes no cell: the ruler and the carets skip it, and
        // marking it marks the letter it sits on.
        QTest::newRow("Thai mark") << QStringLiteral("\u0E01\u0E35\u0E02") << 2 << 2 << "1."
                                   << "^";
        QTest::newRow("Thai mark before the field")
            << QStringLiteral("\u0E01\u0E35\u0E02\u0E03") << 3 << 4 << "1.."
            << " ^^";
    }
    void marksTheFailingColumns() {
        QFETCH(QString, shown);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(QString, ruler);
        QFETCH(QString, carets);
        const ColumnMarks marks = MarkColumns(shown, first, last);
        QCOMPARE(marks.ruler, ruler);
        QCOMPARE(marks.carets, carets);
    }
};

QTEST_MAIN(RecordViewTest)
#include "record_view_test.moc"
