// The user as a check run talks to them: message boxes and the busy pointer.
#pragma once

#include "runs/ports.h"

#include <functional>

class QWidget;

namespace qrv::gui {

class GuiUserPort : public UserPort {
  public:
    // `beforeMessage` runs before each message box opens.
    GuiUserPort(QWidget* parent, std::function<void()> beforeMessage)
        : parent_(parent), beforeMessage_(std::move(beforeMessage)) {}
    ~GuiUserPort() override;
    GuiUserPort(const GuiUserPort&) = delete;
    GuiUserPort& operator=(const GuiUserPort&) = delete;

    Answer messageBox(std::string_view text, std::string_view title, Icon icon, Buttons buttons,
                      std::string_view details) override;
    // Balanced whatever the run asks: busy twice sets the pointer once,
    // normal when already normal does nothing.
    void setBusyPointer(bool busy) override;

  private:
    QWidget* parent_;
    std::function<void()> beforeMessage_;
    bool busy_ = false;
};

} // namespace qrv::gui
