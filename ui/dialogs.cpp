#include "ui/dialogs.h"

#include <QFileDialog>

namespace qrv::gui {

std::optional<QMessageBox::StandardButton> MessageBox::nextAnswer_;
QList<MessageBox::Shown> MessageBox::shown_;
std::optional<QString> FileDialog::nextFileName_;

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

namespace {
QString TakeNext(std::optional<QString>& next) {
    const QString name = *next;
    next.reset();
    return name;
}
} // namespace

QString FileDialog::getOpenFileName(QWidget* parent, const QString& filter) {
    if (nextFileName_)
        return TakeNext(nextFileName_);
    return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}

QString FileDialog::getSaveFileName(QWidget* parent, const QString& filter) {
    if (nextFileName_)
        return TakeNext(nextFileName_);
    return QFileDialog::getSaveFileName(parent, QString(), QString(), filter);
}

void FileDialog::setNextFileName(const QString& name) {
    nextFileName_ = name;
}

} // namespace qrv::gui
