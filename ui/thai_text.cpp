#include "ui/thai_text.h"

#include "core/cp874.h"

#include <QStringList>

namespace qrv::gui {

QString FromMedia(std::string_view bytes) {
    return QString::fromStdString(Cp874ToUtf8(bytes));
}

#ifdef _WIN32
// Windows has both faces where its Thai fonts are installed; the substitutes
// are Thai faces every Windows since 8 ships.
void InstallThaiFontSubstitutions() {
    QFont::insertSubstitutions("MS Sans Serif", QStringList{"Tahoma", "Leelawadee UI"});
    QFont::insertSubstitutions("AngsanaUPC", QStringList{"Angsana New", "Leelawadee UI", "Tahoma"});
}
#else
void InstallThaiFontSubstitutions() {
    QFont::insertSubstitutions("MS Sans Serif", QStringList{"Loma", "Garuda", "Waree"});
    // Norasi: of the serif Thai faces installed, the one with the smallest line
    // height, closest to the compact face the letter and its printout were laid out in.
    QFont::insertSubstitutions("AngsanaUPC", QStringList{"Norasi", "Kinnari", "Laksaman"});
}
#endif

QFont MsSansSerif(double pointSize, bool bold) {
    QFont font("MS Sans Serif");
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace qrv::gui
