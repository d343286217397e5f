#include "ui/dialogs.h"

#include "runs/ports.h"

#include <QDir>
#include <QFileDialog>
#include <QPrintDialog>

namespace qrv::gui {

namespace {

DialogObserver* observer = nullptr;

QString ShowFileDialog(QWidget* parent, const FileDialogShown& shown) {
    if (observer)
        return observer->fileDialog(shown);
    return shown.save ? QFileDialog::getSaveFileName(
                            parent, QString(),
                            shown.name.isEmpty() ? shown.folder : QDir(shown.folder).filePath(shown.name),
                            shown.filter)
                      : QFileDialog::getOpenFileName(parent, QString(), shown.folder, shown.filter);
}

} // namespace

QString AppTitle() {
    return QString::fromUtf8(kAppTitle.data(), static_cast<qsizetype>(kAppTitle.size()));
}

void SetDialogObserver(DialogObserver* newObserver) {
    observer = newObserver;
}

QMessageBox::StandardButton MessageBox::show(QWidget* parent, const QString& text, const QString& title,
                                             QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
                                             QMessageBox::StandardButton defaultButton,
                                             const QString& details) {
    if (observer)
        return observer->messageBox({text, title, icon, buttons, defaultButton, details});
    QMessageBox box(icon, title, text, buttons, parent);
    box.setInformativeText(details);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString FileDialog::getOpenFileName(QWidget* parent, const QString& filter, const QString& folder) {
    return ShowFileDialog(parent, {filter, folder, false, {}});
}

QString FileDialog::getSaveFileName(QWidget* parent, const QString& filter, const QString& folder,
                                    const QString& name) {
    return ShowFileDialog(parent, {filter, folder, true, name});
}

QDialog::DialogCode ExecPrintDialog(QPrintDialog& dialog) {
    if (observer)
        return observer->printDialog(dialog);
    return dialog.exec() == QDialog::Accepted ? QDialog::Accepted : QDialog::Rejected;
}

} // namespace qrv::gui
