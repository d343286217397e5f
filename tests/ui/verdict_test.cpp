// The status bar's line after a check run.
#include "ui/verdict.h"

#include <QtTest>

using namespace qrv;
using namespace qrv::gui;

class VerdictTest : public QObject {
    Q_OBJECT

  private slots:
    void verdict_data() {
        QTest::addColumn<int>("outcome");
        QTest::addColumn<std::int64_t>("rejected");
        QTest::addColumn<std::int64_t>("messages");
        QTest::addColumn<QString>("movedBecause");
        QTest::addColumn<QString>("expected");
        const auto finished = int(RunOutcome::Finished);
        QTest::newRow("clean")
            << finished << std::int64_t{0} << std::int64_t{0} << QString()
            << "jan.txt (Format 100 M): 16 records, none rejected, totals agree. Summary: /d/012345";
        QTest::newRow("findings")
            << finished << std::int64_t{3} << std::int64_t{1} << QString()
            << "jan.txt (Format 100 M): 16 records, 3 rejected, 1 control or totals message. "
               "Summary: /d/012345";
        QTest::newRow("rejected only")
            << finished << std::int64_t{3} << std::int64_t{0} << QString()
            << "jan.txt (Format 100 M): 16 records, 3 rejected, no control messages. Summary: /d/012345";
        QTest::newRow("totals differ only") << finished << std::int64_t{0} << std::int64_t{2} << QString()
                                            << "jan.txt (Format 100 M): 16 records, 0 rejected, 2 control or "
                                               "totals messages. Summary: /d/012345";
        QTest::newRow("summary beside the media file")
            << finished << std::int64_t{0} << std::int64_t{0}
            << "C:\\ cannot be written; the summary is beside the media file"
            << "jan.txt (Format 100 M): 16 records, none rejected, totals agree. Summary: /d/012345 "
               "(C:\\ cannot be written; the summary is beside the media file)";
        QTest::newRow("control rejected")
            << int(RunOutcome::ControlRejected) << std::int64_t{0} << std::int64_t{2} << QString()
            << "jan.txt (Format 100 M): control record rejected (2 messages), no summary written";
        QTest::newRow("wrong format") << int(RunOutcome::WrongFormat) << std::int64_t{0} << std::int64_t{0}
                                      << QString() << "jan.txt (Format 100 M): Wrong Format";
        QTest::newRow("run error")
            << int(RunOutcome::RunError) << std::int64_t{1} << std::int64_t{0} << QString()
            << "jan.txt (Format 100 M): The check stopped at line 7: in the Sign field, "
               "\" \" is not a number.";
    }

    void verdict() {
        QFETCH(int, outcome);
        QFETCH(std::int64_t, rejected);
        QFETCH(std::int64_t, messages);
        QFETCH(QString, movedBecause);
        QFETCH(QString, expected);
        RunResult result;
        result.outcome = RunOutcome(outcome);
        result.summaryMovedBecause = movedBecause.toStdString();
        if (result.outcome == RunOutcome::Finished)
            result.summaryPath = "/d/012345";
        if (result.outcome == RunOutcome::RunError)
            result.error =
                RunError{7, "The check stopped at line 7: in the Sign field, \" \" is not a number."};
        const RunCounts counts{rejected, messages, "16"};
        QCOMPARE(Verdict("/data/jan.txt", Format::M100, result, counts), expected);
    }

    // The count of advisories follows every other word of the verdict.
    void advisoryCount_data() {
        QTest::addColumn<int>("outcome");
        QTest::addColumn<std::int64_t>("advisories");
        QTest::addColumn<QString>("expected");
        const auto finished = int(RunOutcome::Finished);
        QTest::newRow("one") << finished << std::int64_t{1}
                             << "jan.txt (Format 100 M): 16 records, none rejected, totals agree. "
                                "Summary: /d/012345, 1 advisory";
        QTest::newRow("three") << finished << std::int64_t{3}
                               << "jan.txt (Format 100 M): 16 records, none rejected, totals agree. "
                                  "Summary: /d/012345, 3 advisories";
        QTest::newRow("after a rejected control record")
            << int(RunOutcome::ControlRejected) << std::int64_t{2}
            << "jan.txt (Format 100 M): control record rejected (0 messages), no summary written, 2 "
               "advisories";
    }

    void advisoryCount() {
        QFETCH(int, outcome);
        QFETCH(std::int64_t, advisories);
        QFETCH(QString, expected);
        RunResult result;
        result.outcome = RunOutcome(outcome);
        if (result.outcome == RunOutcome::Finished)
            result.summaryPath = "/d/012345";
        RunCounts counts{.records = "16", .advisories = advisories};
        QCOMPARE(Verdict("/data/jan.txt", Format::M100, result, counts), expected);
    }

    // What the file looks like follows the outcome; the format it seems to be
    // in only after Wrong Format.
    void fileLook_data() {
        QTest::addColumn<int>("outcome");
        QTest::addColumn<bool>("looksLike10M");
        QTest::addColumn<bool>("utf16");
        QTest::addColumn<QString>("expected");
        const auto wrong = int(RunOutcome::WrongFormat);
        QTest::newRow("wrong format, looks like the other")
            << wrong << true << false
            << "jan.txt (Format 100 M): Wrong Format; this looks like a Format 10 M file";
        QTest::newRow("wrong format, no guess")
            << wrong << false << false << "jan.txt (Format 100 M): Wrong Format";
        QTest::newRow("wrong format in UTF-16")
            << wrong << false << true
            << "jan.txt (Format 100 M): Wrong Format; the file is UTF-16 text, not code page 874";
        QTest::newRow("control rejected, a guess says nothing")
            << int(RunOutcome::ControlRejected) << true << false
            << "jan.txt (Format 100 M): control record rejected (0 messages), no summary written";
    }

    void fileLook() {
        QFETCH(int, outcome);
        QFETCH(bool, looksLike10M);
        QFETCH(bool, utf16);
        QFETCH(QString, expected);
        RunResult result;
        result.outcome = RunOutcome(outcome);
        const FileLook look{looksLike10M ? std::optional(Format::M10) : std::nullopt,
                            utf16 ? std::optional(ForeignText::Utf16) : std::nullopt};
        QCOMPARE(Verdict("/data/jan.txt", Format::M100, result, RunCounts{}, look), expected);
    }
};

QTEST_MAIN(VerdictTest)
#include "verdict_test.moc"
