// The result window: what a check run found in a media file.
#pragma once

#include "runs/format.h"
#include "runs/ports.h"
#include "ui/rejected_rows.h"

#include <QDateTime>
#include <QString>
#include <QWidget>
#include <array>
#include <string>
#include <vector>

class QGroupBox;
class QLineEdit;
class QListWidget;
class QModelIndex;
class QPushButton;
class QScrollArea;
class QTreeView;

namespace qrv::gui {

class ErrorTableModel;

// Which run fills the result window.
struct RunOrigin {
    Format format = Format::M10;
    QString mediaPath;
    QDateTime started;
};

class FrmEdit : public QWidget {
    Q_OBJECT
  public:
    FrmEdit();

    // Empties every value label; the lists' entries so far are drawn dimmed
    // from now on, with a tooltip naming their run.
    void beginRun(const RunOrigin& run);
    void setLabel(Label label, std::string_view bytes);
    void appendListErr(std::string_view line);
    void setColumns(const std::vector<Column>& columns);
    void insertRows(std::int64_t position, RejectedRows rows);

    // Whether the last run into this window has a covering letter; only then
    // may activation enable PrintSendData.
    void setLetterAvailable(bool available);

    void Form_Activate();

  signals:
    // PrintSendData was clicked.
    void coveringLetterRequested();

  private:
    QLineEdit* valueField(Label label) const { return values_[static_cast<std::size_t>(label)]; }
    void PrintSendData_Click();
    void showCurrentRow(const QModelIndex& current);

    QGroupBox* buildOutputFile();
    QGroupBox* buildControlRecord();
    QGroupBox* buildDetailSummary();
    QLineEdit* makeValue(Label label, const QFont& font, int widthTwips);

    QPushButton* PrintSendData_;
    QListWidget* ListErr_ = nullptr;
    QTreeView* ListView1_ = nullptr;
    QScrollArea* scroll_;
    ErrorTableModel* model_;
    std::array<QLineEdit*, kLabelCount> values_{};
    bool letterAvailable_ = false;
    QString runName_; // the tooltip of this run's entries once a later run begins
};

} // namespace qrv::gui
