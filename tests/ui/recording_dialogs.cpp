#include "tests/ui/recording_dialogs.h"

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

QMessageBox::StandardButton RecordingDialogs::messageBox(const gui::MessageBoxShown& shown) {
    messages_.append(shown);
    if (watcher_)
        watcher_(shown);
    return answers_.isEmpty() ? QMessageBox::Ok : answers_.takeFirst();
}

QString RecordingDialogs::fileDialog(const gui::FileDialogShown& shown) {
    fileDialogs_.append(shown);
    return fileNames_.isEmpty() ? QString() : fileNames_.takeFirst();
}

QDialog::DialogCode RecordingDialogs::printDialog(QPrintDialog& dialog) {
    return printAnswer_ ? std::exchange(printAnswer_, nullptr)(dialog) : QDialog::Rejected;
}

} // namespace qrv::test
