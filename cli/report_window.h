// The result window as a check run leaves it, held in memory instead of on
// screen: what qrv-check reports and what other commands can read back.
#pragma once

#include "runs/check_run.h"
#include "runs/ports.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace qrv::cli {

struct ColumnHeader {
    std::string header;
    int widthTwips;
    Alignment alignment;
};

// Everything an open window holds. Texts from the media file are code page
// 874 bytes, as the run set them.
struct WindowContents {
    std::array<std::string, kLabelCount> labels;
    std::vector<std::string> listErr;
    std::vector<ColumnHeader> columns;
    std::vector<ErrorRow> rows; // in display order
    bool printEnabled = true;
    bool shown = false;

    const std::string& label(Label which) const { return labels[static_cast<std::size_t>(which)]; }
};

class ReportWindow : public ResultWindow {
  public:
    // Null while the window is closed or was never created.
    const WindowContents* contents() const { return contents_ ? &*contents_ : nullptr; }

    void setLabel(Label label, std::string_view text) override;
    void appendListErr(std::string_view line) override;
    void setColumns(const std::vector<Column>& columns) override;
    void insertRow(std::int64_t position, ErrorRow row) override;
    void setPrintEnabled(bool enabled) override;
    // Showing activates the window, and activation enables PrintSendData.
    void show() override;
    void close() override;

    // As the desktop program does, a run that stopped before the end of its
    // file leaves PrintSendData disabled, whatever activation would do.
    void runEnded(const RunResult& result);

  private:
    WindowContents& open();

    std::optional<WindowContents> contents_;
};

} // namespace qrv::cli
