#include "ui/dialogs.h"

#include "runs/ports.h"

#include <QDir>
#include <QFileDialog>
#include <QPrintDialog>

#ifdef _WIN32
#include <windows.h>
// Windows' macro for MessageBoxA or MessageBoxW, not the class here.
#undef MessageBox
#endif

namespace qrv::gui {

namespace {

DialogObserver* observer = nullptr;

#ifdef _WIN32
// Qt's file dialog keeps its last folder and view as it closes, in
// QSettings(QSettings::UserScope, "QtProject") whatever the program's own
// names (qfiledialog.cpp): on Windows the registry key HKCU\Software\QtProject,
// which every Qt program shares and so no uninstaller of ours may remove.
// The program remembers its own folder; a key that only this dialog made
// goes when it closes.
class QtDialogKeyRemoved {
  public:
    QtDialogKeyRemoved() : existed_(Exists()) {}
    ~QtDialogKeyRemoved() {
        if (!existed_)
            ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    }
    QtDialogKeyRemoved(const QtDialogKeyRemoved&) = delete;
    QtDialogKeyRemoved& operator=(const QtDialogKeyRemoved&) = delete;

  private:
    static constexpr const wchar_t* kKey = L"Software\\QtProject";
    static bool Exists() {
        HKEY key = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        ::RegCloseKey(key);
        return true;
    }
    bool existed_;
};
#endif

QString ShowFileDialog(QWidget* parent, const FileDialogShown& shown) {
    if (observer)
        return observer->fileDialog(shown);
#ifdef _WIN32
    const QtDialogKeyRemoved removed;
#endif
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
