// The user as qrv-check stands in for it: every message box is recorded and
// answered with OK at once, and the mouse pointer is ignored.
#pragma once

#include "runs/ports.h"

#include <string>
#include <vector>

namespace qrv::cli {

struct ShownMessage {
    std::string text; // UTF-8
    std::string title;
    Icon icon;
    Buttons buttons;
};

class MessageLog : public UserPort {
  public:
    const std::vector<ShownMessage>& messages() const { return messages_; }

    Answer messageBox(std::string_view text, std::string_view title, Icon icon, Buttons buttons) override {
        messages_.push_back({std::string(text), std::string(title), icon, buttons});
        return Answer::Ok;
    }
    void setBusyPointer(bool) override {}

  private:
    std::vector<ShownMessage> messages_;
};

} // namespace qrv::cli
