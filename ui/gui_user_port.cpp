#include "ui/gui_user_port.h"

#include "ui/dialogs.h"

#include <QApplication>
#include <QCoreApplication>

namespace qrv::gui {

namespace {
QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
// The run's fixed texts, which the windows show in their language; the run
// itself speaks English, as qrv-check does. Its other texts stay as they are.
constexpr const char* kRunTexts[] = {
    QT_TRANSLATE_NOOP("CheckRun", "Please check data input file."),
    QT_TRANSLATE_NOOP("CheckRun", "Wrong Format"),
    QT_TRANSLATE_NOOP("CheckRun", "Warning"),
};

QString Translated(std::string_view text) {
    for (const char* known : kRunTexts)
        if (text == known)
            return QCoreApplication::translate("CheckRun", known);
    return FromUtf8(text);
}

} // namespace

GuiUserPort::~GuiUserPort() {
    setBusyPointer(false);
}

Answer GuiUserPort::messageBox(std::string_view text, std::string_view title, Icon icon, Buttons buttons,
                               std::string_view details) {
    beforeMessage_();
    // The box wants the normal pointer even in the middle of a run.
    const bool wasBusy = busy_;
    setBusyPointer(false);
    const auto answer =
        MessageBox::show(parent_, Translated(text), Translated(title),
                         icon == Icon::Stop ? QMessageBox::Critical : QMessageBox::NoIcon,
                         buttons == Buttons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel
                                                      : QMessageBox::StandardButtons(QMessageBox::Ok),
                         QMessageBox::NoButton, FromUtf8(details));
    setBusyPointer(wasBusy);
    return answer == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
}

void GuiUserPort::setBusyPointer(bool busy) {
    if (busy == busy_)
        return;
    busy_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

} // namespace qrv::gui
