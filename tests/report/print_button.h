// Pressing the letter window's Print button with the print dialog answered
// in place of the user.
#pragma once

#include "tests/ui/recording_dialogs.h"
#include "ui/frmSendData.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QSignalSpy>
#include <functional>

namespace qrv::test {

struct PrintButtonOutcome {
    bool dialogShown = false;
    QStringList printedTo; // what each `printed` signal named
    QStringList sentTo;    // what each `sentToPrinter` signal named
    int failures = 0;      // `printFailed` signals
};

// The dialog is accepted after `choose` has set up its printer, as the user's
// choices would; `choose` also sees what happened before the dialog opened.
// Message boxes are answered OK by `dialogs`.
inline PrintButtonOutcome PressPrint(RecordingDialogs& dialogs, gui::frmSendData& window,
                                     const std::function<void(QPrinter&)>& choose) {
    PrintButtonOutcome outcome;
    QSignalSpy printed(&window, &gui::frmSendData::printed);
    QSignalSpy sent(&window, &gui::frmSendData::sentToPrinter);
    QSignalSpy failed(&window, &gui::frmSendData::printFailed);
    dialogs.printNext([&](QPrintDialog& dialog) {
        outcome.dialogShown = true;
        choose(*dialog.printer());
        return QDialog::Accepted;
    });
    window.cmdPrint_Click();
    for (const QList<QVariant>& signal : printed)
        outcome.printedTo << signal.at(0).toString();
    for (const QList<QVariant>& signal : sent)
        outcome.sentTo << signal.at(0).toString();
    outcome.failures = static_cast<int>(failed.size());
    return outcome;
}

} // namespace qrv::test
