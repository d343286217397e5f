// screenshot 10M|100M MEDIA FOLDER [th [PREFIX]]: checks MEDIA as a clerk
// would (menu, path, "Edit Data", every message box answered OK, then the
// letter button) and saves pictures of each step in FOLDER: chooser.png,
// result-window.png and letter-window.png (scripts/screenshot-result.sh).
// With "th", the windows are in Thai, the names begin with PREFIX ("thai-"
// unless given), and the first message box, the help page, the history of
// checks and the advisory settings are saved too.
#include "runs/format.h"
#include "tests/ui/recording_dialogs.h"
#include "tests/ui/window_parts.h"
#include "ui/FrmEdit.h"
#include "ui/MDIForm1.h"
#include "ui/application.h"
#include "ui/frmSelFile.h"
#include "ui/language.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <cstdio>

using namespace qrv::test;

namespace {

QString prefix;

bool Save(QWidget& widget, const QDir& folder, const char* name) {
    QTest::qWait(200); // let the window system draw it
    const QString path = folder.filePath(prefix + QString::fromLatin1(name));
    if (widget.grab().save(path))
        return true;
    std::fprintf(stderr, "screenshot: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool thai = argc >= 5 && QByteArray(argv[4]) == "th";
    const std::optional<qrv::Format> format =
        argc == 4 || (thai && argc <= 6) ? qrv::FormatFromName(argv[1]) : std::nullopt;
    if (!format) {
        std::fprintf(stderr, "usage: screenshot 10M|100M MEDIA FOLDER [th [PREFIX]]\n");
        return 2;
    }
    qrv::gui::SetUpApplication();
    qrv::test::RecordingDialogs dialogs;
    const QDir folder(QString::fromLocal8Bit(argv[3]));
    bool messageSaved = !thai;
    if (thai) {
        qrv::gui::UseLanguage(qrv::gui::Language::Thai);
        prefix = argc == 6 ? QString::fromLocal8Bit(argv[5]) : QStringLiteral("thai-");
        // The first message box as it would open.
        dialogs.watchMessages([&](const qrv::gui::MessageBoxShown& shown) {
            if (messageSaved)
                return;
            QMessageBox box(shown.icon, shown.title, shown.text, shown.buttons);
            box.setInformativeText(shown.details);
            box.show();
            messageSaved = Save(box, folder, "message-box.png");
        });
    }
    qrv::gui::MDIForm1 window;
    // No window manager maximizes the window under a bare X server.
    window.setGeometry(window.screen()->availableGeometry());
    window.show();
    window.openChooser(*format, QString::fromLocal8Bit(argv[2]));
    qrv::gui::frmSelFile* chooser = SelFile(window);
    if (!Save(*chooser, folder, "chooser.png"))
        return 1;
    EditData(*chooser)->click();
    qrv::gui::FrmEdit* result = window.findResultWindow();
    if (!result) {
        std::fprintf(stderr, "screenshot: the check of %s left no result window\n", argv[2]);
        return 1;
    }
    if (!Save(window, folder, "result-window.png"))
        return 1;
    PrintSendData(*result)->click();
    if (!window.findCoveringLetter()) {
        std::fprintf(stderr, "screenshot: no covering letter for %s\n", argv[2]);
        return 1;
    }
    if (!Save(window, folder, "letter-window.png"))
        return 1;
    if (!thai)
        return 0;
    window.findChild<QAction*>(QStringLiteral("howToCheck"))->trigger();
    auto* help = window.findChild<QDialog*>(QStringLiteral("helpPage"));
    if (!help || !Save(*help, folder, "help-page.png"))
        return 1;
    help->close();
    // The advisories window, whose messages are the run's, would stand over the history.
    if (qrv::gui::frmAdvisories* advisories = window.findAdvisories())
        advisories->parentWidget()->close();
    window.findChild<QAction*>(QStringLiteral("historyOfChecks"))->trigger();
    if (!Save(window, folder, "history.png"))
        return 1;
    window.findChild<QAction*>(QStringLiteral("AdvisorySettings"))->trigger();
    auto* settings = window.findChild<QDialog*>(QStringLiteral("AdvisorySettings"));
    return settings && Save(*settings, folder, "settings.png") ? 0 : 1;
}
