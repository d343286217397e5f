#include "ui/frmSelFile.h"

#include "runs/format.h"
#include "ui/accessibility.h"
#include "ui/dialogs.h"
#include "ui/keyboard.h"
#include "ui/local_names.h"
#include "ui/settings.h"
#include "ui/thai_text.h"
#include "ui/twips.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace qrv::gui {

namespace {
constexpr const char* kLastFolderKey = "chooser/lastFolder";
} // namespace

QString DroppedFile(const QMimeData& data) {
    for (const QUrl& url : data.urls())
        if (const QString path = LocalFileOfUrl(url); !path.isEmpty())
            return path;
    return {};
}

frmSelFile::frmSelFile(QWidget* mainWindow)
    // A tool window of the main window, so that a click on the main window
    // never hides it.
    : QWidget(mainWindow, Qt::Tool) {
    setObjectName("frmSelFile");
    setWindowTitle("Choose file");
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(MsSansSerif(8.25));
    setAcceptDrops(true);

    auto* frame = new QGroupBox(this);
    frame->setObjectName("Frame1");

    auto* label = new QLabel("Input File :", frame);
    label->setObjectName("Label1");
    label->setFont(MsSansSerif(12));
    QPalette blue = label->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(blue);

    formatLine_ = new QLabel(frame);
    formatLine_->setObjectName("formatLine");

    txtfile_ = new QLineEdit(frame);
    txtfile_->setObjectName("txtfile");
    txtfile_->setMinimumWidth(TwipsToPixels(*this, 4455));
    // A file dropped on the box goes to the chooser, which puts it in place
    // of the text instead of into it.
    txtfile_->setAcceptDrops(false);

    cmdbrowse_ = new QPushButton("&Browse...", frame);
    cmdbrowse_->setObjectName("cmdbrowse");
    connect(cmdbrowse_, &QPushButton::clicked, this, &frmSelFile::cmdbrowse_Click);

    Edit_data_ = new QPushButton("&Edit Data", frame);
    Edit_data_->setObjectName("Edit_data");
    Edit_data_->setDefault(true);
    connect(txtfile_, &QLineEdit::returnPressed, Edit_data_, &QPushButton::click);
    Edit_data_->setFont(MsSansSerif(9.75));
    Edit_data_->setMinimumSize(TwipsToPixels(*this, 1815), TwipsToPixels(*this, 735));
    connect(Edit_data_, &QPushButton::clicked, this, &frmSelFile::Edit_data_Click);

    auto* grid = new QGridLayout(frame);
    grid->setRowStretch(0, 1);
    grid->addWidget(formatLine_, 0, 1, Qt::AlignBottom | Qt::AlignLeft);
    grid->addWidget(label, 1, 0);
    grid->addWidget(txtfile_, 1, 1);
    grid->addWidget(cmdbrowse_, 1, 2);
    grid->setRowMinimumHeight(2, TwipsToPixels(*this, 465));
    grid->addWidget(Edit_data_, 3, 0, 1, 3, Qt::AlignHCenter);
    grid->setRowStretch(4, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);

    NameByCaption(*label, *txtfile_, tr("The path of the media file to check"));
    cmdbrowse_->setAccessibleDescription(tr("Chooses the media file in a file dialog"));
    Edit_data_->setAccessibleDescription(tr("Checks the media file in the format named above"));

    setTabOrder(txtfile_, cmdbrowse_);
    setTabOrder(cmdbrowse_, Edit_data_);
    PressButtonsOnEnter(*this);
    resize(TwipsToPixels(*this, 8925), TwipsToPixels(*this, 5085));
    centreOnScreen();
}

void frmSelFile::centreOnScreen() {
    const QRect available = screen()->availableGeometry();
    move(available.center() - rect().center());
}

// Windows users read and type paths with backslashes; the summary path the
// run derives from this one is shown the same way.
void frmSelFile::setPath(const QString& path) {
    txtfile_->setText(QDir::toNativeSeparators(path));
}

void frmSelFile::present(Format format) {
    format_ = format;
    const std::string_view caption = FormatCaption(format_);
    formatLine_->setText(QString::fromLatin1(caption));
    focusPathBox();
}

void frmSelFile::focusPathBox() {
    show();
    raise();
    activateWindow();
    txtfile_->setFocus();
}

QString frmSelFile::browseFolder() const {
    const QFileInfo typed(txtfile_->text());
    if (!txtfile_->text().isEmpty() && typed.absoluteDir().exists())
        return typed.absolutePath();
    return Settings().value(kLastFolderKey).toString();
}

void frmSelFile::cmdbrowse_Click() {
    const QString path = RecoverLocalName(
        FileDialog::getOpenFileName(this, "All Files (*);;Text Files (*.txt)", browseFolder()));
    focusPathBox();
    if (path.isEmpty())
        return;
    setPath(path);
    Settings().setValue(kLastFolderKey, QFileInfo(path).absolutePath());
}

void frmSelFile::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        hide();
    else
        QWidget::keyPressEvent(event);
}

void frmSelFile::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(*event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void frmSelFile::dropEvent(QDropEvent* event) {
    event->acceptProposedAction();
    emit fileDropped(DroppedFile(*event->mimeData()));
}

void frmSelFile::Edit_data_Click() {
    // A second Enter pressed during a run reaches the path box after the run
    // has hidden the chooser; it would check the same file again.
    if (!isVisible())
        return;
    if (txtfile_->text().isEmpty()) {
        MessageBox::show(this, "Please select input file ", "KVT Edit Program", QMessageBox::Critical,
                         QMessageBox::Ok);
        focusPathBox();
        return;
    }
    // A typed path may use either separator; the run and its messages get the native one.
    const QString typed = QDir::toNativeSeparators(txtfile_->text());
    emit checkRequested(typed, format_);
    hide();
}

} // namespace qrv::gui
