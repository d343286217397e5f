// What every window of the desktop program shares: its names, its icon and
// the Thai faces of the fonts the windows ask for.
#pragma once

#include <QIcon>

namespace qrv::gui {

// "io.github.qrvedit.QrvEdit": the desktop entry and the icon's name.
inline constexpr const char* kDesktopId = "io.github.qrvedit.QrvEdit";

// The program's own icon, drawn from its SVG at the usual sizes.
QIcon AppIcon();

// Names the program and its version, sets the icon of its windows and
// installs the Thai font substitutions. Call once, after the application object exists.
void SetUpApplication();

} // namespace qrv::gui
