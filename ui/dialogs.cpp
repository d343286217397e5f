#include "ui/dialogs.h"

#include <QFileDialog>

namespace qrv::gui {

std::optional<QMessageBox::StandardButton> MessageBox::nextAnswer_;
QList<MessageBox::Shown> MessageBox::shown_;
std::optional<QString> FileDialog::nextFileName_;
QString FileDialog::lastFilter_;

QMessageBox::StandardButton MessageBox::show(QWidget* parent, const QString& text, const QString& title,
                                             QMessageBox::Icon icon, QMessageBox::StandardButtons buttons) {
    shown_.append({text, title, icon, buttons});
    if (nextAnswer_) {
        const auto answer = *nextAnswer_;
        nextAnswer_.reset();
        return answer;
    }
    QMessageBox box(icon, title, text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void MessageBox::setNextAnswer(QMessageBox::StandardButton answer) {
    nextAnswer_ = answer;
}
const QList<MessageBox::Shown>& MessageBox::shownMessages() {
    return shown_;
}
void MessageBox::clearShownMessages() {
    shown_.clear();
}

QString FileDialog::open(QWidget* parent, const QString& filter, bool save) {
    lastFilter_ = filter;
    if (nextFileName_) {
        const QString name = *nextFileName_;
        nextFileName_.reset();
        return name;
    }
    return save ? QFileDialog::getSaveFileName(parent, QString(), QString(), filter)
                : QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}

QString FileDialog::getOpenFileName(QWidget* parent, const QString& filter) {
    return open(parent, filter, false);
}
QString FileDialog::getSaveFileName(QWidget* parent, const QString& filter) {
    return open(parent, filter, true);
}

void FileDialog::setNextFileName(const QString& name) {
    nextFileName_ = name;
}
const QString& FileDialog::lastFilter() {
    return lastFilter_;
}

} // namespace qrv::gui
