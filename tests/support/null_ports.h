// A result window and a user that take everything and show nothing: for
// runs whose result matters only through RunResult and the summary file.
#pragma once

#include "runs/ports.h"

namespace qrv {

class NullWindow : public ResultWindow {
  public:
    void setLabel(Label, std::string_view) override {}
    void appendListErr(std::string_view, const Location&) override {}
    void setColumns(const std::vector<Column>&) override {}
    void insertRow(std::int64_t, ErrorRow) override {}
    void show() override {}
    void close() override {}
};

// Answers every message box with OK.
class SilentUser : public UserPort {
  public:
    Answer messageBox(std::string_view, std::string_view, Icon, Buttons, std::string_view) override {
        return Answer::Ok;
    }
    void setBusyPointer(bool) override {}
};

} // namespace qrv
