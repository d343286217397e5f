// Where the program keeps what it remembers from one session to the next.
#pragma once

#include <QSettings>

namespace qrv::gui {

// The program's own settings: in portable mode (files/portable_folder.h) the
// INI file qrv-edit.ini beside the program; otherwise the user's, where they
// have always been (HKCU\Software\qrv-edit\qrv-edit on Windows).
QSettings ProgramSettings();

// Qt's file dialog keeps its last folder and view for itself, under the
// organisation name "QtProject" whatever the program's own is: on Windows a
// registry key of its own, which nothing of ours would remove. This keeps
// them in an INI file QtProject.ini in the program's folder of local
// application data (which the uninstaller removes), or beside the program in
// portable mode. Call once, before the first dialog.
void KeepQtSettingsWithProgram();

} // namespace qrv::gui
