#include "ui/thai_text.h"

#include "engine/cp874.h"

#include <QFont>
#include <QStringList>

namespace qrv::gui {

QString FromMedia(std::string_view bytes) {
    return QString::fromStdString(Cp874ToUtf8(bytes));
}

void InstallThaiFontSubstitutions() {
    QFont::insertSubstitutions("MS Sans Serif", QStringList{"Loma", "Garuda", "Waree"});
    QFont::insertSubstitutions("AngsanaUPC", QStringList{"Laksaman", "Kinnari", "Norasi"});
}

} // namespace qrv::gui
