// qrv-edit, the desktop program.
#include "files/files.h"
#include "ui/MDIForm1.h"
#include "ui/application.h"
#include "ui/command_line.h"
#include "ui/language.h"
#include "ui/letter_folder.h"
#include "ui/local_names.h"

#include <QApplication>
#include <cstdio>

#ifdef _WIN32
#include <windows.h>

namespace {

bool HasStandardHandle(DWORD which) {
    const HANDLE handle = ::GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && ::GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// A window program gets no console: started from one, it would print its
// help, version or usage error nowhere. Writes them to the console it was
// started from instead; output sent to a file or a pipe stays there.
void WriteToParentConsole() {
    const bool out = HasStandardHandle(STD_OUTPUT_HANDLE);
    const bool err = HasStandardHandle(STD_ERROR_HANDLE);
    if ((out && err) || !::AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    if (!out)
        std::freopen("CONOUT$", "w", stdout);
    if (!err)
        std::freopen("CONOUT$", "w", stderr);
}

} // namespace
#endif

int main(int argc, char** argv) {
    // Read before the application object exists, so that --help and
    // --version need no display.
    QStringList arguments{qrv::gui::LocalNameFromBytes(argc > 0 ? argv[0] : "")};
    for (const std::string& argument : qrv::CommandLineArguments(argc, argv))
        arguments << qrv::gui::LocalNameFromBytes(QByteArray::fromStdString(argument));
    const auto parsed = qrv::gui::ParseCommandLine(arguments);
    if (const auto* exit = std::get_if<qrv::gui::EarlyExit>(&parsed)) {
#ifdef _WIN32
        WriteToParentConsole();
#endif
        // Lines end as qrv-check's do, and as on Linux.
        qrv::UseBinaryStandardStreams();
        std::fputs(qPrintable(exit->out), stdout);
        std::fputs(qPrintable(exit->err), stderr);
        return exit->status;
    }
    qrv::gui::Application app(argc, argv);
    qrv::gui::SetUpApplication();
    qrv::gui::UseLanguage(qrv::gui::SavedLanguage());
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
