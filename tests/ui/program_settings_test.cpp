// Where the program and Qt's file dialog keep their settings: beside the
// program when a `portable` marker is there, in the user's profile when not.
#include "ui/program_settings.h"

#include <QFileDialog>
#include <QStandardPaths>
#include <QtTest>

using namespace qrv::gui;

class ProgramSettingsTest : public QObject {
    Q_OBJECT

    static QString besideProgram(const QString& name) {
        return QDir(QCoreApplication::applicationDirPath()).filePath(name);
    }

    // What Qt's file dialog remembers, written as it closes.
    static QString fileDialogSettings() {
        {
            QFileDialog dialog;
            dialog.setOption(QFileDialog::DontUseNativeDialog);
        }
        return QSettings(QSettings::UserScope, QStringLiteral("QtProject")).fileName();
    }

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        cleanup(); // what a run that crashed left
    }

    void cleanup() {
        QFile::remove(besideProgram(QStringLiteral("portable")));
        QFile::remove(besideProgram(QStringLiteral("qrv-edit.ini")));
        QFile::remove(QSettings(QSettings::UserScope, QStringLiteral("QtProject")).fileName());
        ProgramSettings().clear();
    }

    void withTheMarkerSettingsAreBesideTheProgram() {
        QFile marker(besideProgram(QStringLiteral("portable")));
        QVERIFY(marker.open(QIODevice::WriteOnly));
        marker.close();
        ProgramSettings().setValue("chooser/lastFolder", "D:/pay");
        QVERIFY(QFile::exists(besideProgram(QStringLiteral("qrv-edit.ini"))));
        QCOMPARE(ProgramSettings().value("chooser/lastFolder").toString(), "D:/pay");

        KeepQtSettingsWithProgram();
        const QString dialogs = fileDialogSettings();
        QCOMPARE(QFileInfo(dialogs).absolutePath(), QCoreApplication::applicationDirPath());
        QVERIFY(QFile::exists(dialogs));
    }

    void withoutTheMarkerSettingsAreInTheProfile() {
        ProgramSettings().setValue("chooser/lastFolder", "D:/pay");
        QVERIFY(!QFile::exists(besideProgram(QStringLiteral("qrv-edit.ini"))));
        const QSettings profile(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("qrv-edit"),
                                QStringLiteral("qrv-edit"));
        QCOMPARE(profile.value("chooser/lastFolder").toString(), "D:/pay");
#ifdef _WIN32
        // Not HKCU\Software\QtProject, which the uninstaller would leave.
        KeepQtSettingsWithProgram();
        const QString dialogs = fileDialogSettings();
        QCOMPARE(QFileInfo(dialogs).absolutePath(),
                 QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/qrv-edit");
        QVERIFY(QFile::exists(dialogs));
#endif
    }
};

QTEST_MAIN(ProgramSettingsTest)
#include "program_settings_test.moc"
