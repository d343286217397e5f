#include "tests/ui/recording_dialogs.h"

#include <QApplication>

namespace qrv::test {

RecordingDialogs::RecordingDialogs() {
    gui::SetDialogObserver(this);
}

RecordingDialogs::~RecordingDialogs() {
    gui::SetDialogObserver(nullptr);
}

QStringList RecordingDialogs::messageTexts() const {
    QStringList texts;
    for (const auto& shown : messages_)
        texts << shown.text;
    return texts;
}

void RecordingDialogs::clear() {
    messages_.clear();
    fileDialogs_.clear();
}

// Like a real dialog, each takes the keyboard from the tool window that
// opened it; once it closes, the window system gives it to the main window.
void RecordingDialogs::takeFocus() {
    const QWidget* opener = QApplication::activeWindow();
    if (opener && opener->parentWidget())
        QApplication::setActiveWindow(opener->parentWidget()->window());
}

QMessageBox::StandardButton RecordingDialogs::messageBox(const gui::MessageBoxShown& shown) {
    takeFocus();
    messages_.append(shown);
    if (watcher_)
        watcher_(shown);
    return answers_.isEmpty() ? QMessageBox::Ok : answers_.takeFirst();
}

QString RecordingDialogs::fileDialog(const gui::FileDialogShown& shown) {
    takeFocus();
    fileDialogs_.append(shown);
    return fileNames_.isEmpty() ? QString() : fileNames_.takeFirst();
}

QDialog::DialogCode RecordingDialogs::printDialog(QPrintDialog& dialog) {
    return printAnswer_ ? std::exchange(printAnswer_, nullptr)(dialog) : QDialog::Rejected;
}

} // namespace qrv::test
