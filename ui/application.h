// What every window of the desktop program shares: its names, its icon and
// the Thai faces of the fonts the windows ask for.
#pragma once

#include <QApplication>
#include <QIcon>

namespace qrv::gui {

// "io.github.qrvedit.QrvEdit": the desktop entry and the icon's name.
inline constexpr const char* kDesktopId = "io.github.qrvedit.QrvEdit";

// The program's own icon, drawn from its SVG at the usual sizes.
QIcon AppIcon();

// Names the program and its version, sets the icon of its windows and
// installs the Thai font substitutions and what assistive tools read of
// read-only fields. Call once, after the application object exists.
void SetUpApplication();

// The application object of qrv-edit. An exception must never leave an event
// handler into Qt: one that does (memory running out while a large table
// grows, sorts or is copied) ends there, and the user is told in a message box.
class Application : public QApplication {
  public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;

  private:
    // `text` in the windows' language when the catalogue has it.
    void tell(const char* text);
    bool telling_ = false; // a message box about an earlier failure is open
};

// What the user is told when memory runs out in the middle of something.
inline constexpr const char* kOutOfMemory = QT_TRANSLATE_NOOP(
    "Application", "There is not enough memory to finish this. Close other programs and try again.");

} // namespace qrv::gui
