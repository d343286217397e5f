// A result window and a user held in memory: what qrv-check reports and what
// the tests compare against.
#pragma once

#include "runs/ports.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qrv {

struct HeldColumn {
    std::string header;
    int widthTwips = 0;
    Alignment alignment = Alignment::Left;
    bool operator==(const HeldColumn&) const = default;
};

// Where a held window keeps the rows of ListView1.
class RowStore {
  public:
    virtual ~RowStore() = default;
    // Inserts `row` ahead of the row at `position`, counted from 1. Throws
    // std::out_of_range for a position the store cannot take.
    virtual void insert(std::int64_t position, ErrorRow row) = 0;
    virtual void clear() = 0;
};

// Everything an open result window holds. Texts from the media file are code
// page 874 bytes, as the run set them; closing the window discards them all.
class HeldWindow : public ResultWindow {
  public:
    explicit HeldWindow(RowStore& rows) : rows_(rows) {}
    HeldWindow(const HeldWindow&) = delete;
    HeldWindow& operator=(const HeldWindow&) = delete;

    void setLabel(Label label, std::string_view text) override;
    void appendListErr(std::string_view line, const Location& where) override;
    void setColumns(const std::vector<Column>& columns) override;
    void insertRow(std::int64_t position, ErrorRow row) override;
    void show() override;
    void close() override;

    bool exists() const { return held_.exists; }
    bool shown() const { return held_.shown; }
    const std::string& label(Label which) const { return held_.labels[static_cast<std::size_t>(which)]; }
    const std::vector<std::string>& listErr() const { return held_.listErr; }
    // Where each line of listErr() found its fault, in the same order.
    const std::vector<Location>& listErrPlaces() const { return held_.listErrPlaces; }
    const std::vector<HeldColumn>& columns() const { return held_.columns; }

  private:
    struct Held {
        bool exists = false;
        bool shown = false;
        std::array<std::string, kLabelCount> labels{};
        std::vector<std::string> listErr;
        std::vector<Location> listErrPlaces;
        std::vector<HeldColumn> columns;
    };

    Held& open();

    RowStore& rows_;
    Held held_;
};

struct HeldMessage {
    std::string text; // UTF-8
    std::string title;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    std::string details{}; // UTF-8
    bool operator==(const HeldMessage&) const = default;
};

// Keeps every message box and answers it with OK at once; ignores the pointer.
class MessageLog : public UserPort {
  public:
    Answer messageBox(std::string_view text, std::string_view title, Icon icon, Buttons buttons,
                      std::string_view details) override;
    void setBusyPointer(bool) override {}

    const std::vector<HeldMessage>& messages() const { return messages_; }

  private:
    std::vector<HeldMessage> messages_;
};

} // namespace qrv
