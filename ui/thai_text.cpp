#include "ui/thai_text.h"

#include "engine/cp874.h"

#include <QStringList>

namespace qrv::gui {

QString FromMedia(std::string_view bytes) {
    return QString::fromStdString(Cp874ToUtf8(bytes));
}

void InstallThaiFontSubstitutions() {
    QFont::insertSubstitutions("MS Sans Serif", QStringList{"Loma", "Garuda", "Waree"});
    QFont::insertSubstitutions("AngsanaUPC", QStringList{"Laksaman", "Kinnari", "Norasi"});
}

QFont MsSansSerif(double pointSize, bool bold) {
    QFont font("MS Sans Serif");
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace qrv::gui
