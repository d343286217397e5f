// The result window: what a check run found in a media file.
#pragma once

#include "runs/format.h"
#include "runs/ports.h"
#include "ui/row_store.h"

#include <QDateTime>
#include <QString>
#include <QWidget>
#include <array>
#include <string>
#include <vector>

class QGroupBox;
class QLabel;
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
    void appendListErr(std::string_view line, const Location& where);
    void setColumns(const std::vector<Column>& columns);
    void insertRows(std::int64_t position, RejectedRows rows);
    // Once the run has read its control line, its rows can say where they failed.
    void locateRows(const RunFormat& format, std::string controlLine);

    // Whether the last run into this window has a covering letter; only then
    // may activation enable PrintSendData.
    void setLetterAvailable(bool available);

    // Label1 names a file this run wrote; otherwise it is drawn dimmed.
    void setSummaryWritten(bool written);
    // Label1's tooltip says why the summary file is beside the media file.
    void setSummaryMovedBecause(const QString& because);
    // Label1's tooltip gives the SHA-256 of the summary file the run wrote.
    void setSummaryDigest(const QString& sha256);
    // Removes the dimmed rows and messages of earlier runs.
    void clearEarlierRuns();

    // Where the keys act once a run has ended: on its rows, the first one
    // current, when `runHasRows`; else on the letter button when it is
    // enabled; else on the messages.
    void focusAfterRun(bool runHasRows);

    void Form_Activate();

  signals:
    // The rejected rows were exported to `path`.
    void rowsExported(const QString& path);
    // `count` rows were copied to the clipboard.
    void rowsCopied(int count);
    // PrintSendData was clicked.
    void coveringLetterRequested();
    // The current row or message failed where `line` says; empty when it does not say.
    void locationChosen(const QString& line);

  protected:
    void changeEvent(QEvent* event) override;

  private:
    // Every text of the window in the language now in use.
    void retranslateUi();
    QString currentLocation(const QModelIndex& current) const;
    // The current row's line of the media file, in a view of its own.
    void showRecord();
    QLineEdit* valueField(Label label) const { return values_[static_cast<std::size_t>(label)]; }
    void setValueText(Label label, const QString& text);
    void showSummaryPath();
    // What a screen reader says of each control: the value fields by their
    // captions, within their group.
    void nameControls();
    void PrintSendData_Click();
    // Copy, Export and Clear, on the rows' right-click menu.
    void addRowActions();
    // The selected rows, with the headers, to the clipboard as a table.
    void copyRows();
    // Every row: as CSV when the name chosen ends in .csv, else as a workbook.
    void exportRows();
    // Says so when the list shows only some of the rows.
    void showRowsNote();
    void fitRowsTable();
    // NO. as wide as numbers of `digits` digits need.
    void widenNumbers(int digits);

    QGroupBox* buildOutputFile();
    QGroupBox* buildControlRecord();
    QGroupBox* buildDetailSummary();
    QLineEdit* makeValue(Label label, const QFont& font, int widthTwips);

    QPushButton* PrintSendData_;
    QLabel* mediaLine_;
    QLabel* rowsNote_ = nullptr;
    QListWidget* ListErr_ = nullptr;
    QTreeView* ListView1_ = nullptr;
    QScrollArea* scroll_;
    ErrorTableModel* model_;
    std::array<QLineEdit*, kLabelCount> values_{};
    bool letterAvailable_ = false;
    bool summaryWritten_ = true;
    std::string summaryPath_; // Label1 and Com_code as the run set them
    std::string companyCode_;
    QString runName_; // the tooltip of this run's entries once a later run begins
};

} // namespace qrv::gui
