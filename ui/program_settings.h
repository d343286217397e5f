// Where the program keeps what it remembers from one session to the next.
#pragma once

#include <QSettings>

namespace qrv::gui {

// The program's own settings: in portable mode (files/portable_folder.h) the
// INI file qrv-edit.ini beside the program; otherwise the user's, where they
// have always been (HKCU\Software\qrv-edit\qrv-edit on Windows).
QSettings ProgramSettings();

} // namespace qrv::gui
