// The history of checks window: the journal's runs, newest first, filtered
// by company code or file name, and exported as CSV.
#pragma once

#include "journal/journal.h"

#include <QAbstractTableModel>
#include <QWidget>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace qrv::gui {

// The runs under the journal's history columns.
class HistoryModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;
    void setRuns(std::vector<PastRun> runs);
    const std::vector<PastRun>& runs() const { return runs_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::vector<PastRun> runs_;
    std::vector<std::vector<QString>> cells_;
};

class frmHistory : public QWidget {
    Q_OBJECT
  public:
    explicit frmHistory(std::string journalPath, QWidget* parent = nullptr);

    // Reads the journal again, with the filter as it is.
    void reload();
    void cmdExport_Click();

  signals:
    // The history was exported to `path`.
    void exported(const QString& path);

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void retranslateUi();

    std::string journalPath_;
    QLineEdit* txtFilter_;
    QTreeView* lvwHistory_;
    QLabel* lblTrouble_;
    QPushButton* cmdExport_;
    HistoryModel model_;
};

} // namespace qrv::gui
