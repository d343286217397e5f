// The input file chooser: asks for the media file to check in the format the
// main window's menu picked; the main window runs the check.
#pragma once

#include "runs/format.h"

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
    // A tool window of `mainWindow`.
    explicit frmSelFile(QWidget* mainWindow);

    // Shows the chooser above the main window, set to check files in
    // `format`, with the focus in the path box.
    void present(Format format);
    void setPath(const QString& path);

    void cmdbrowse_Click();
    void Edit_data_Click();

  signals:
    // The user asked to check `mediaFile` in `format`. The chooser stays
    // shown until the slots return, so that the run's messages open over it.
    void checkRequested(const QString& mediaFile, Format format);
    // A file was dropped on the chooser.
    void fileDropped(const QString& mediaFile);

  protected:
    void changeEvent(QEvent* event) override;
    // Escape closes the chooser.
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void retranslateUi();
    // Centred on the screen when first shown.
    void centreOnScreen();
    // The chooser active, with the focus in the path box, so that Enter runs.
    void focusPathBox();
    // The folder of the typed path, else the folder last browsed to.
    QString browseFolder() const;

    Format format_ = Format::M10;
    QLabel* label_;
    QLabel* formatLine_;
    QLineEdit* txtfile_;
    QPushButton* cmdbrowse_;
    QPushButton* Edit_data_;
};

} // namespace qrv::gui
