// Keys a clerk used to Windows expects in every window.
#pragma once

class QWidget;

namespace qrv::gui {

// Enter on a focused push button of `window` presses it, as Space does.
void PressButtonsOnEnter(QWidget& window);

} // namespace qrv::gui
