// The input file chooser: names the media file and starts the check run of
// the format the main window's menu picked.
#pragma once

#include "ui/gui_user_port.h"
#include "ui/result_window_adapter.h"

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace qrv::gui {

class MDIForm1;

class frmSelFile : public QWidget {
    Q_OBJECT
  public:
    explicit frmSelFile(MDIForm1& mainWindow);

    QLineEdit* txtfile() const { return txtfile_; }
    QPushButton* cmdbrowse() const { return cmdbrowse_; }
    QPushButton* editData() const { return Edit_data_; }

    void cmdbrowse_Click();
    void Edit_data_Click();

  private:
    // Centred on the screen when first shown.
    void Form_Load();

    MDIForm1& mainWindow_;
    ResultWindowAdapter resultWindow_;
    GuiUserPort user_;
    QLineEdit* txtfile_;
    QPushButton* cmdbrowse_;
    QPushButton* Edit_data_;
};

} // namespace qrv::gui
