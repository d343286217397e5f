// Test stand-ins for the result window and the user: they keep what a real
// window would hold and what the user would have been shown (the held ports
// qrv-check reports from), plus one log of every call in order, which a
// window and a user may share.
#pragma once

#include "runs/held_ports.h"

#include <string>
#include <vector>

namespace qrv::test {

// One entry per call: "create", "setColumns", "setLabel Label1", "appendListErr",
// "insertRow 1", "show", "close", "messageBox <text>",
// "setBusyPointer true". "create" precedes the call that brought the window into being.
using EventLog = std::vector<std::string>;

// Rows in memory, from top to bottom, as a list view holds them.
class RowList : public RowStore {
  public:
    void insert(std::int64_t position, ErrorRow row) override;
    void clear() override { rows_.clear(); }
    const std::vector<ErrorRow>& rows() const { return rows_; }

  private:
    std::vector<ErrorRow> rows_;
};

class RecordingWindow : public ResultWindow {
  public:
    RecordingWindow() : log_(&ownLog_) {}
    explicit RecordingWindow(EventLog& sharedLog) : log_(&sharedLog) {}

    void setLabel(Label label, std::string_view text) override;
    void appendListErr(std::string_view line, const Location& where) override;
    void setColumns(const std::vector<Column>& columns) override;
    // Throws std::out_of_range for a position the list does not have, as a list view would.
    void insertRow(std::int64_t position, ErrorRow row) override;
    void show() override;
    void close() override;

    bool exists() const { return held_.exists(); }
    bool shown() const { return held_.shown(); }
    const std::string& label(Label label) const { return held_.label(label); }
    const std::vector<std::string>& listErr() const { return held_.listErr(); }
    const std::vector<Location>& listErrPlaces() const { return held_.listErrPlaces(); }
    const std::vector<HeldColumn>& columns() const { return held_.columns(); }
    // ListView1 from top to bottom.
    const std::vector<ErrorRow>& rows() const { return rows_.rows(); }
    const EventLog& events() const { return *log_; }

  private:
    void touch(std::string event);

    EventLog ownLog_;
    EventLog* log_;
    RowList rows_;
    HeldWindow held_{rows_};
};

// Answers every message box with OK.
class RecordingUser : public UserPort {
  public:
    RecordingUser() : log_(&ownLog_) {}
    explicit RecordingUser(EventLog& sharedLog) : log_(&sharedLog) {}

    Answer messageBox(std::string_view text, std::string_view title, Icon icon, Buttons buttons,
                      std::string_view details) override;
    void setBusyPointer(bool busy) override;

    const std::vector<HeldMessage>& messages() const { return held_.messages(); }
    // Every setBusyPointer argument, in order.
    const std::vector<bool>& busyCalls() const { return busyCalls_; }
    bool busy() const { return !busyCalls_.empty() && busyCalls_.back(); }
    const EventLog& events() const { return *log_; }

  private:
    EventLog ownLog_;
    EventLog* log_;
    MessageLog held_;
    std::vector<bool> busyCalls_;
};

} // namespace qrv::test
