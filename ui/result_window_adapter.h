// The result window as a check run fills it, on top of FrmEdit.
#pragma once

#include "runs/check_run.h"
#include "runs/format.h"
#include "runs/ports.h"
#include "ui/FrmEdit.h"
#include "ui/row_store.h"
#include "ui/verdict.h"

#include <QString>

namespace qrv::gui {

class FrmEdit;

// Where the result window lives: the main window opens it or finds it.
class ResultWindowHost {
  public:
    virtual ~ResultWindowHost() = default;
    // The result window, created maximized when it is not open.
    virtual FrmEdit& openResultWindow() = 0;
    // The result window when it is open, else nullptr.
    virtual FrmEdit* findResultWindow() const = 0;
    // Shows the open result window maximized, as the active one.
    virtual void showResultWindow() = 0;
    // Closes the result window when it is open.
    virtual void closeResultWindow() = 0;
};

// A run inserts its rejected records at positions 1, 2, ... ahead of an
// earlier run's rows. Handing them to the table one at a time would shift the
// earlier rows once per record, so a run of consecutive positions is kept
// here and handed over in blocks that grow with the run, and before every
// message box the run shows.
class ResultWindowAdapter : public ResultWindow {
  public:
    explicit ResultWindowAdapter(ResultWindowHost& host) : host_(host) {}

    // Call before every run.
    void beginRun(Format format, const QString& mediaPath);

    void setLabel(Label label, std::string_view text) override;
    void appendListErr(std::string_view line, const Location& where) override;
    void setColumns(const std::vector<Column>& columns) override;
    void insertRow(std::int64_t position, ErrorRow row) override;
    void show() override;
    void close() override;

    // Hands the rows kept so far to the window.
    void flushRows();
    // Call after every run, whichever way it ended.
    void runEnded(const RunResult& result);
    // What this run put into the window so far.
    const RunCounts& counts() const { return counts_; }

  private:
    // The window, opened, and emptied of the last run's values when this
    // run uses it first.
    FrmEdit& window();

    ResultWindowHost& host_;
    RunOrigin run_;
    RunCounts counts_;
    bool windowUsed_ = false;
    std::int64_t pendingPosition_ = 1;
    RejectedRows pendingRows_;
    std::size_t rowsHandedOver_ = 0;
};

} // namespace qrv::gui
