// The result window as a check run fills it, on top of the main window's
// FrmEdit.
#pragma once

#include "runs/check_run.h"
#include "runs/ports.h"

#include <vector>

namespace qrv::gui {

class MDIForm1;

// A run inserts its rejected records at positions 1, 2, ... ahead of an
// earlier run's rows. Handing them to the table one at a time would shift the
// earlier rows once per record, so a run of consecutive positions is kept
// here and handed over in one block when the run shows or closes the window
// or returns.
class ResultWindowAdapter : public ResultWindow {
  public:
    explicit ResultWindowAdapter(MDIForm1& mainWindow) : mainWindow_(mainWindow) {}

    void setLabel(Label label, std::string_view text) override;
    void appendListErr(std::string_view line) override;
    void setColumns(const std::vector<Column>& columns) override;
    void insertRow(std::int64_t position, ErrorRow row) override;
    void setPrintEnabled(bool enabled) override;
    void show() override;
    void close() override;

    // Call after every run, whichever way it ended.
    void runEnded(const RunResult& result);

  private:
    void flushRows();

    MDIForm1& mainWindow_;
    std::int64_t pendingPosition_ = 1;
    std::vector<ErrorRow> pendingRows_;
};

} // namespace qrv::gui
