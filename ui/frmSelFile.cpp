#include "ui/frmSelFile.h"

#include "runs/format.h"
#include "ui/MDIForm1.h"
#include "ui/dialogs.h"
#include "ui/thai_text.h"
#include "ui/twips.h"

#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace qrv::gui {

frmSelFile::frmSelFile(MDIForm1& mainWindow)
    : QWidget(&mainWindow, Qt::Window), mainWindow_(mainWindow), resultWindow_(mainWindow),
      user_(this, [this] { resultWindow_.flushRows(); }) {
    setObjectName("frmSelFile");
    setWindowTitle("Choose file");
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(MsSansSerif(8.25));

    auto* frame = new QGroupBox(this);
    frame->setObjectName("Frame1");

    auto* label = new QLabel("Input File :", frame);
    label->setObjectName("Label1");
    label->setFont(MsSansSerif(12));
    QPalette blue = label->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(blue);

    txtfile_ = new QLineEdit(frame);
    txtfile_->setObjectName("txtfile");
    txtfile_->setMinimumWidth(TwipsToPixels(*this, 4455));

    cmdbrowse_ = new QPushButton("Browse...", frame);
    cmdbrowse_->setObjectName("cmdbrowse");
    connect(cmdbrowse_, &QPushButton::clicked, this, &frmSelFile::cmdbrowse_Click);

    Edit_data_ = new QPushButton("Edit Data", frame);
    Edit_data_->setObjectName("Edit_data");
    Edit_data_->setFont(MsSansSerif(9.75));
    Edit_data_->setMinimumSize(TwipsToPixels(*this, 1815), TwipsToPixels(*this, 735));
    connect(Edit_data_, &QPushButton::clicked, this, &frmSelFile::Edit_data_Click);

    auto* grid = new QGridLayout(frame);
    grid->setRowStretch(0, 1);
    grid->addWidget(label, 1, 0);
    grid->addWidget(txtfile_, 1, 1);
    grid->addWidget(cmdbrowse_, 1, 2);
    grid->setRowMinimumHeight(2, TwipsToPixels(*this, 465));
    grid->addWidget(Edit_data_, 3, 0, 1, 3, Qt::AlignHCenter);
    grid->setRowStretch(4, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);

    setTabOrder(txtfile_, cmdbrowse_);
    setTabOrder(cmdbrowse_, Edit_data_);
    resize(TwipsToPixels(*this, 8925), TwipsToPixels(*this, 5085));
    Form_Load();
}

void frmSelFile::Form_Load() {
    const QRect available = screen()->availableGeometry();
    move(available.center() - rect().center());
}

void frmSelFile::cmdbrowse_Click() {
    const QString path = FileDialog::getOpenFileName(this, "All Files (*);;Text Files (*.txt)");
    if (!path.isEmpty())
        txtfile_->setText(path);
}

void frmSelFile::Edit_data_Click() {
    if (txtfile_->text().isEmpty()) {
        MessageBox::show(this, "Please select input file ", "KVT Edit Program", QMessageBox::Critical,
                         QMessageBox::Ok);
        return;
    }
    const std::string path = QFile::encodeName(txtfile_->text()).toStdString();
    resultWindow_.beginRun(mainWindow_.filetype, txtfile_->text());
    const RunResult result = CheckFile(mainWindow_.filetype, path, resultWindow_, user_);
    resultWindow_.runEnded(result);
    hide();
}

} // namespace qrv::gui
