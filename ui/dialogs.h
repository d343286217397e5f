// The only places that open message boxes, file dialogs and the print
// dialog. While a DialogObserver is installed, it answers each of them in
// place of the user and no dialog opens.
#pragma once

#include <QDialog>
#include <QMessageBox>
#include <QString>

class QPrintDialog;
class QWidget;

namespace qrv::gui {

// "QRV Edit Data": the main window's caption and the title of its messages.
QString AppTitle();

struct MessageBoxShown {
    QString text;
    QString title;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QString details{}; // beside the text, smaller: where a run stopped; may be empty
};

struct FileDialogShown {
    QString filter; // in Qt's form, entries separated by ";;"
    QString folder; // where the dialog opens; empty for the working folder
    bool save;
    QString name; // the file name a save dialog suggests; may be empty
};

class DialogObserver {
  public:
    virtual ~DialogObserver() = default;
    virtual QMessageBox::StandardButton messageBox(const MessageBoxShown& shown) = 0;
    // The chosen path; empty for cancel.
    virtual QString fileDialog(const FileDialogShown& shown) = 0;
    // May set up the dialog's printer before it answers.
    virtual QDialog::DialogCode printDialog(QPrintDialog& dialog) = 0;
};

// Installs `observer` (nullptr removes it); it must outlive its installation.
void SetDialogObserver(DialogObserver* observer);

class MessageBox {
  public:
    static QMessageBox::StandardButton show(QWidget* parent, const QString& text, const QString& title,
                                            QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton,
                                            const QString& details = {});
};

class FileDialog {
  public:
    // Empty when cancelled.
    static QString getOpenFileName(QWidget* parent, const QString& filter, const QString& folder = {});
    static QString getSaveFileName(QWidget* parent, const QString& filter, const QString& folder = {},
                                   const QString& name = {});
};

// The dialog's answer: Accepted or Rejected.
QDialog::DialogCode ExecPrintDialog(QPrintDialog& dialog);

} // namespace qrv::gui
