// The windows' controls, found by the names the windows give them, as a
// clerk would find them on screen.
#pragma once

#include "runs/ports.h"
#include "ui/FrmEdit.h"
#include "ui/MDIForm1.h"
#include "ui/check_journal.h"
#include "ui/error_table_model.h"
#include "ui/frmSelFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QScrollArea>
#include <QTreeView>
#include <QtGlobal>

namespace qrv::test {

// Each test program keeps a journal of checks of its own, since the programs
// run side by side, and each test starts without one, or what the tests
// before it checked would come back as files already checked.
inline void StartWithoutJournal() {
    QCoreApplication::setApplicationName(
        QStringLiteral("qrv-edit-") + QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
    for (const char* part : {"", "-wal", "-shm"})
        QFile::remove(QString::fromStdString(gui::DesktopJournalPath() + part));
}

// The child of `window` named `name`; the test stops when there is none.
template <class Widget> Widget* Part(const QObject& window, const QString& name) {
    auto* part = window.findChild<Widget*>(name);
    if (!part)
        qFatal("%s has no %s", qPrintable(window.objectName()), qPrintable(name));
    return part;
}

inline QLineEdit* ValueField(const gui::FrmEdit& window, Label label) {
    const std::string_view name = LabelName(label);
    return Part<QLineEdit>(window, QString::fromLatin1(name));
}
inline QPushButton* PrintSendData(const gui::FrmEdit& window) {
    return Part<QPushButton>(window, QStringLiteral("PrintSendData"));
}
inline QListWidget* ListErr(const gui::FrmEdit& window) {
    return Part<QListWidget>(window, QStringLiteral("ListErr"));
}
inline QTreeView* ListView1(const gui::FrmEdit& window) {
    return Part<QTreeView>(window, QStringLiteral("ListView1"));
}
inline gui::ErrorTableModel* ErrorRows(const gui::FrmEdit& window) {
    return qobject_cast<gui::ErrorTableModel*>(ListView1(window)->model());
}
inline QScrollArea* ScrollArea(const gui::FrmEdit& window) {
    return Part<QScrollArea>(window, QStringLiteral("scrollArea"));
}

inline QLineEdit* Txtfile(const gui::frmSelFile& chooser) {
    return Part<QLineEdit>(chooser, QStringLiteral("txtfile"));
}
inline QLabel* FormatLine(const gui::frmSelFile& chooser) {
    return Part<QLabel>(chooser, QStringLiteral("formatLine"));
}
inline QPushButton* Cmdbrowse(const gui::frmSelFile& chooser) {
    return Part<QPushButton>(chooser, QStringLiteral("cmdbrowse"));
}
inline QPushButton* EditData(const gui::frmSelFile& chooser) {
    return Part<QPushButton>(chooser, QStringLiteral("Edit_data"));
}

// The chooser once the menu has made it; nullptr before.
inline gui::frmSelFile* SelFile(const gui::MDIForm1& main) {
    return main.findChild<gui::frmSelFile*>(QStringLiteral("frmSelFile"));
}
// The status bar's verdict on the last run.
inline QLabel* VerdictLine(const gui::MDIForm1& main) {
    return Part<QLabel>(main, QStringLiteral("verdict"));
}
inline QMdiArea* MdiArea(const gui::MDIForm1& main) {
    return Part<QMdiArea>(main, QStringLiteral("mdiArea"));
}

} // namespace qrv::test
