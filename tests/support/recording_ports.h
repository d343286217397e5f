// Test stand-ins for the result window and the user: they keep what a real
// window would hold and what the user would have been shown, plus one log of
// every call in order, which a window and a user may share.
#pragma once

#include "runs/ports.h"

#include <string>
#include <vector>

namespace qrv::test {

// One entry per call: "create", "setColumns", "setLabel Label1", "appendListErr",
// "insertRow 1", "setPrintEnabled false", "show", "close", "messageBox <text>",
// "setBusyPointer true". "create" precedes the call that brought the window into being.
using EventLog = std::vector<std::string>;

struct RecordedColumn {
    std::string header;
    int widthTwips = 0;
    Alignment alignment = Alignment::Left;
    bool operator==(const RecordedColumn&) const = default;
};

class RecordingWindow : public ResultWindow {
  public:
    RecordingWindow() : log_(&ownLog_) {}
    explicit RecordingWindow(EventLog& sharedLog) : log_(&sharedLog) {}

    void setLabel(Label label, std::string_view text) override;
    void appendListErr(std::string_view line) override;
    void setColumns(const std::vector<Column>& columns) override;
    // Throws std::out_of_range for a position the list does not have, as a list view would.
    void insertRow(std::int64_t position, ErrorRow row) override;
    void setPrintEnabled(bool enabled) override;
    void show() override;
    void close() override;

    bool exists() const { return held_.exists; }
    bool shown() const { return held_.shown; }
    bool printEnabled() const { return held_.printEnabled; }
    const std::string& label(Label label) const { return held_.labels[static_cast<std::size_t>(label)]; }
    const std::vector<std::string>& listErr() const { return held_.listErr; }
    const std::vector<RecordedColumn>& columns() const { return held_.columns; }
    // ListView1 from top to bottom.
    const std::vector<ErrorRow>& rows() const { return held_.rows; }
    const EventLog& events() const { return *log_; }

  private:
    // What the window holds; closing it starts these afresh.
    struct Held {
        bool exists = false;
        bool shown = false;
        bool printEnabled = true;
        std::array<std::string, kLabelCount> labels{};
        std::vector<std::string> listErr;
        std::vector<RecordedColumn> columns;
        std::vector<ErrorRow> rows;
    };

    void touch(std::string event);

    EventLog ownLog_;
    EventLog* log_;
    Held held_;
};

struct RecordedMessage {
    std::string text;
    std::string title;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    bool operator==(const RecordedMessage&) const = default;
};

// Answers every message box with OK.
class RecordingUser : public UserPort {
  public:
    RecordingUser() : log_(&ownLog_) {}
    explicit RecordingUser(EventLog& sharedLog) : log_(&sharedLog) {}

    Answer messageBox(std::string_view text, std::string_view title, Icon icon, Buttons buttons) override;
    void setBusyPointer(bool busy) override;

    const std::vector<RecordedMessage>& messages() const { return messages_; }
    // Every setBusyPointer argument, in order.
    const std::vector<bool>& busyCalls() const { return busyCalls_; }
    bool busy() const { return !busyCalls_.empty() && busyCalls_.back(); }
    const EventLog& events() const { return *log_; }

  private:
    EventLog ownLog_;
    EventLog* log_;
    std::vector<RecordedMessage> messages_;
    std::vector<bool> busyCalls_;
};

} // namespace qrv::test
