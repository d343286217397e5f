// qrv-edit's command line, and what main() does before the windows open.
#include "tests/support/temp_dir.h"
#include "ui/command_line.h"
#include "ui/letter_folder.h"
#include "version.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace qrv;
using namespace qrv::gui;
using namespace qrv::test;

class CommandLineTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> dir_ = std::make_unique<QTemporaryDir>();

  private slots:
    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status"); // -1: the windows start
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("mediaFile");
        const QString usage = "Usage: qrv-edit [--format 10M|100M] [MEDIA_FILE]";
        QTest::newRow("nothing") << QStringList{} << -1 << ""
                                 << ""
                                 << "";
        QTest::newRow("file") << QStringList{"jan.txt"} << -1 << ""
                              << ""
                              << "jan.txt";
        QTest::newRow("format and file") << QStringList{"--format", "100M", "/d/jan"} << -1 << ""
                                         << "100M"
                                         << "/d/jan";
        QTest::newRow("format=") << QStringList{"--format=10M"} << -1 << ""
                                 << "10M"
                                 << "";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "qrv-edit " + QString(kVersion.data())
                                 << ""
                                 << "";
        QTest::newRow("help") << QStringList{"-h"} << 0 << usage << ""
                              << "";
        QTest::newRow("unknown option") << QStringList{"--colour", "x"} << 2 << usage << ""
                                        << "";
        QTest::newRow("unknown format") << QStringList{"--format", "20M"} << 2 << "not \"20M\""
                                        << ""
                                        << "";
        QTest::newRow("format missing") << QStringList{"--format"} << 2 << usage << ""
                                        << "";
        QTest::newRow("two files") << QStringList{"a", "b"} << 2 << "one media file"
                                   << ""
                                   << "";
    }

    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, output);
        QFETCH(QString, format);
        QFETCH(QString, mediaFile);
        const auto parsed = ParseCommandLine(QStringList{"qrv-edit"} + arguments);
        if (status < 0) {
            const auto* options = std::get_if<StartOptions>(&parsed);
            QVERIFY(options);
            QCOMPARE(options->format ? QString::fromLatin1(FormatName(*options->format)) : "", format);
            QCOMPARE(options->mediaFile, mediaFile);
            QCOMPARE(options->opensChooser(), !arguments.isEmpty());
            return;
        }
        const auto* exit = std::get_if<EarlyExit>(&parsed);
        QVERIFY(exit);
        QCOMPARE(exit->status, status);
        // Help and the version on stdout; errors and their usage on stderr.
        QVERIFY2((status == 0 ? exit->out : exit->err).contains(output), qPrintable(exit->out + exit->err));
        QVERIFY((status == 0 ? exit->err : exit->out).isEmpty());
    }

    // The program itself, for the parts main() does: no display needed to
    // answer --version, and the exit status.
    void programAnswersWithoutADisplay() {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("QT_QPA_PLATFORM");
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
        program.setProcessEnvironment(environment);
        program.start(QRV_EDIT_PATH, {"--version"});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(program.readAllStandardOutput(), "qrv-edit " + QByteArray(kVersion.data()) + "\n");
        program.start(QRV_EDIT_PATH, {"--no-such-option"});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitCode(), 2);
        QVERIFY(program.readAllStandardError().contains("Usage: qrv-edit"));
        QVERIFY(program.readAllStandardOutput().isEmpty());
    }

    // A letter file that a killed run left behind goes at the next start.
    void startRemovesALeftoverLetterFile() {
        QProcess program;
#ifdef _WIN32
        // In the user's local application data, which no variable moves.
        const QString letter = QString::fromStdString(LetterFilePath());
#else
        const QString run = dir_->filePath("run");
        QVERIFY(QDir().mkdir(run));
        QFile::setPermissions(run, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString letter = run + "/outputyyyy.txt";
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_RUNTIME_DIR", run);
        program.setProcessEnvironment(environment);
#endif
        WriteBytes(QFile::encodeName(letter).toStdString(), "left behind");
        program.start(QRV_EDIT_PATH, {});
        QVERIFY(program.waitForStarted(30000));
        QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(letter), 30000);
        QCOMPARE(program.state(), QProcess::Running);
        program.kill();
        QVERIFY(program.waitForFinished(30000));
    }
};

QTEST_MAIN(CommandLineTest)
#include "command_line_test.moc"
