// Where the program keeps its settings: beside the program when a
// `portable` marker is there, in the user's profile when not; and that Qt's
// file dialog leaves no settings of its own on Windows.
#include "ui/dialogs.h"
#include "ui/program_settings.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

using namespace qrv::gui;

class ProgramSettingsTest : public QObject {
    Q_OBJECT

    static QString besideProgram(const QString& name) {
        return QDir(QCoreApplication::applicationDirPath()).filePath(name);
    }

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        cleanup(); // what a run that crashed left
    }

    void cleanup() {
        QFile::remove(besideProgram(QStringLiteral("portable")));
        QFile::remove(besideProgram(QStringLiteral("qrv-edit.ini")));
        ProgramSettings().clear();
    }

    void withTheMarkerSettingsAreBesideTheProgram() {
        QFile marker(besideProgram(QStringLiteral("portable")));
        QVERIFY(marker.open(QIODevice::WriteOnly));
        marker.close();
        ProgramSettings().setValue("chooser/lastFolder", "D:/pay");
        QVERIFY(QFile::exists(besideProgram(QStringLiteral("qrv-edit.ini"))));
        QCOMPARE(ProgramSettings().value("chooser/lastFolder").toString(), "D:/pay");
    }

    void withoutTheMarkerSettingsAreInTheProfile() {
        ProgramSettings().setValue("chooser/lastFolder", "D:/pay");
        QVERIFY(!QFile::exists(besideProgram(QStringLiteral("qrv-edit.ini"))));
        const QSettings profile(QStringLiteral("qrv-edit"), QStringLiteral("qrv-edit"));
        QCOMPARE(profile.value("chooser/lastFolder").toString(), "D:/pay");
    }

#ifdef _WIN32
    // Qt's dialog writes HKCU\Software\QtProject as it closes, which the
    // uninstaller would leave behind.
    void theFileDialogLeavesNoQtKey() {
        const QString software = QStringLiteral("HKEY_CURRENT_USER\\Software");
        QSettings(software, QSettings::NativeFormat).remove(QStringLiteral("QtProject"));
        QTimer::singleShot(100, [] {
            if (QWidget* dialog = QApplication::activeModalWidget())
                dialog->close();
        });
        FileDialog::getOpenFileName(nullptr, QStringLiteral("All Files (*)"), QDir::tempPath());
        QVERIFY(!QSettings(software, QSettings::NativeFormat)
                     .childGroups()
                     .contains(QStringLiteral("QtProject")));
    }
#endif
};

QTEST_MAIN(ProgramSettingsTest)
#include "program_settings_test.moc"
