#pragma once

#include <QWidget>

namespace qrv::gui {

// Window designs are measured in twips, 1440 to the inch of the screen's
// logical resolution.
inline int TwipsToPixels(const QWidget& widget, int twips) {
    return twips * widget.logicalDpiX() / 1440;
}

} // namespace qrv::gui
