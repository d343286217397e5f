// Showing code page 874 text from media files in Qt.
#pragma once

#include <QFont>
#include <QString>
#include <string_view>

namespace qrv::gui {

// Media-file bytes as text, decoded with the Windows table of code page 874.
QString FromMedia(std::string_view bytes);

// Maps the font families the windows and the printout ask for ("MS Sans
// Serif", "AngsanaUPC") to installed fonts with Thai glyphs. Call once after
// the QApplication exists.
void InstallThaiFontSubstitutions();

// The windows' face, "MS Sans Serif", at a size given in points.
QFont MsSansSerif(double pointSize, bool bold = false);

} // namespace qrv::gui
