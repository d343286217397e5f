// "How to check a file": a short page shipped inside the program, readable offline.
#pragma once

class QWidget;

namespace qrv::gui {

// Shows the page in a window of its own over `parent`, or brings it forward.
void ShowHelpPage(QWidget* parent);

} // namespace qrv::gui
