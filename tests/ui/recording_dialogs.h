// Answers every dialog in place of the user while it lives, and keeps what
// each message box said.
#pragma once

#include "ui/dialogs.h"

#include <QList>
#include <QStringList>
#include <functional>

namespace qrv::test {

class RecordingDialogs : public gui::DialogObserver {
  public:
    using PrintAnswer = std::function<QDialog::DialogCode(QPrintDialog&)>;

    RecordingDialogs();
    ~RecordingDialogs() override;
    RecordingDialogs(const RecordingDialogs&) = delete;
    RecordingDialogs& operator=(const RecordingDialogs&) = delete;

    // Message boxes are answered OK unless answers are queued here.
    void answerNext(QMessageBox::StandardButton answer) { answers_.append(answer); }
    // File dialogs are cancelled unless a name is queued here.
    void chooseNext(const QString& fileName) { fileNames_.append(fileName); }
    // `watcher` sees each message box as it opens, before it is answered.
    void watchMessages(std::function<void(const gui::MessageBoxShown&)> watcher) {
        watcher_ = std::move(watcher);
    }
    // Print dialogs are cancelled unless an answer is set here.
    void printNext(PrintAnswer answer) { printAnswer_ = std::move(answer); }

    const QList<gui::MessageBoxShown>& messages() const { return messages_; }
    QStringList messageTexts() const;
    const QList<gui::FileDialogShown>& fileDialogs() const { return fileDialogs_; }
    void clear();

    QMessageBox::StandardButton messageBox(const gui::MessageBoxShown& shown) override;
    QString fileDialog(const gui::FileDialogShown& shown) override;
    QDialog::DialogCode printDialog(QPrintDialog& dialog) override;

  private:
    static void takeFocus();

    QList<QMessageBox::StandardButton> answers_;
    QStringList fileNames_;
    PrintAnswer printAnswer_;
    std::function<void(const gui::MessageBoxShown&)> watcher_;
    QList<gui::MessageBoxShown> messages_;
    QList<gui::FileDialogShown> fileDialogs_;
};

} // namespace qrv::test
