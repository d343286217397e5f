// qrv-edit, the desktop program.
#include "core/files.h"
#include "ui/MDIForm1.h"
#include "ui/application.h"
#include "ui/command_line.h"
#include "ui/letter_folder.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    // Read before the application object exists, so that --help and
    // --version need no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const auto parsed = qrv::gui::ParseCommandLine(arguments);
    if (const auto* exit = std::get_if<qrv::gui::EarlyExit>(&parsed)) {
        // Lines end as qrv-check's do, and as on Linux.
        qrv::UseBinaryStandardStreams();
        std::fputs(qPrintable(exit->out), stdout);
        std::fputs(qPrintable(exit->err), stderr);
        return exit->status;
    }
    QApplication app(argc, argv);
    qrv::gui::SetUpApplication();
    qrv::gui::RemoveLeftoverLetterFile();
    qrv::gui::MDIForm1 window;
    window.showMaximized();
    const auto& options = std::get<qrv::gui::StartOptions>(parsed);
    if (options.opensChooser() && options.format)
        window.openChooser(*options.format, options.mediaFile);
    else if (options.opensChooser())
        window.openChooserOn(options.mediaFile);
    return QApplication::exec();
}
