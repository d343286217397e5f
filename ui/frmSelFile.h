// The input file chooser: names the media file and starts the check run of
// the format the main window's menu picked.
#pragma once

#include "ui/gui_user_port.h"
#include "ui/result_window_adapter.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QMimeData;
class QPushButton;

namespace qrv::gui {

// The first local file among dropped data; empty when there is none.
QString DroppedFile(const QMimeData& data);

class frmSelFile : public QWidget {
    Q_OBJECT
  public:
    // A tool window of `mainWindow`; its runs fill the result window that `results` opens.
    frmSelFile(ResultWindowHost& results, QWidget* mainWindow);

    // Shows the chooser above the main window, set to check files in
    // `format`, with the focus in the path box.
    void present(Format format);
    void setPath(const QString& path);

    void cmdbrowse_Click();
    void Edit_data_Click();

  signals:
    // A check run is about to begin.
    void checkStarting();
    // The check run of `mediaFile` ended as `result` says; `counts` is what
    // it put into the result window.
    void checked(const QString& mediaFile, Format format, const RunResult& result, const RunCounts& counts);
    // A file was dropped on the chooser.
    void fileDropped(const QString& mediaFile);

  protected:
    // Escape closes the chooser.
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // Centred on the screen when first shown.
    void Form_Load();
    // The chooser active, with the focus in the path box, so that Enter runs.
    void focusPathBox();
    // The folder of the typed path, else the folder last browsed to.
    QString browseFolder() const;

    Format format_ = Format::M10;
    ResultWindowAdapter resultWindow_;
    GuiUserPort user_;
    QLabel* formatLine_;
    QLineEdit* txtfile_;
    QPushButton* cmdbrowse_;
    QPushButton* Edit_data_;
};

} // namespace qrv::gui
