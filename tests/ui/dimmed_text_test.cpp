// The colour of earlier checks' rows and messages, on light and dark palettes.
#include "ui/dimmed_text.h"

#include <QtTest>

using namespace qrv::gui;

class DimmedTextTest : public QObject {
    Q_OBJECT

  private slots:
    void contrastRatio() {
        QCOMPARE(qRound(ContrastRatio(Qt::black, Qt::white) * 100), 2100);
        QCOMPARE(qRound(ContrastRatio(QColor("#767676"), Qt::white) * 100), 454);
        QCOMPARE(ContrastRatio(Qt::white, QColor("#767676")), ContrastRatio(QColor("#767676"), Qt::white));
    }

    void readableYetDimmed_data() {
        QTest::addColumn<QColor>("base");
        QTest::addColumn<QColor>("text");
        QTest::addColumn<QColor>("disabled");
        QTest::newRow("light, 2:1 grey") << QColor(Qt::white) << QColor(Qt::black) << QColor("#B8B8B8");
        QTest::newRow("dark") << QColor("#202020") << QColor("#F0F0F0") << QColor("#505050");
        QTest::newRow("readable already") << QColor(Qt::white) << QColor(Qt::black) << QColor("#595959");
    }
    void readableYetDimmed() {
        QFETCH(QColor, base);
        QFETCH(QColor, text);
        QFETCH(QColor, disabled);
        QPalette palette;
        palette.setColor(QPalette::Base, base);
        palette.setColor(QPalette::Text, text);
        palette.setColor(QPalette::Disabled, QPalette::Text, disabled);
        const QColor dimmed = DimmedText(palette);
        QVERIFY2(ContrastRatio(dimmed, base) >= 4.5, qPrintable(dimmed.name()));
        QVERIFY2(ContrastRatio(dimmed, base) < ContrastRatio(text, base) - 3, qPrintable(dimmed.name()));
        if (ContrastRatio(disabled, base) >= 4.5)
            QCOMPARE(dimmed, disabled);
    }
};

QTEST_MAIN(DimmedTextTest)
#include "dimmed_text_test.moc"
