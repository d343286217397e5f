// The only places that open message boxes and file dialogs. A test answers
// the next one before it opens (setNextAnswer / setNextFileName) and reads
// what was shown from shownMessages().
#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>
#include <optional>

class QWidget;

namespace qrv::gui {

class MessageBox {
  public:
    struct Shown {
        QString text;
        QString title;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
    };

    static QMessageBox::StandardButton show(QWidget* parent, const QString& text, const QString& title,
                                            QMessageBox::Icon icon, QMessageBox::StandardButtons buttons);

    // Test hooks: the next show() returns `answer` without opening a box.
    static void setNextAnswer(QMessageBox::StandardButton answer);
    static const QList<Shown>& shownMessages();
    static void clearShownMessages();

  private:
    static std::optional<QMessageBox::StandardButton> nextAnswer_;
    static QList<Shown> shown_;
};

class FileDialog {
  public:
    // `filter` in Qt's form, entries separated by ";;". Empty when cancelled.
    static QString getOpenFileName(QWidget* parent, const QString& filter);
    static QString getSaveFileName(QWidget* parent, const QString& filter);

    // Test hooks: the next dialog returns `name` without opening ("" =
    // cancel); lastFilter() is the filter the last dialog was given.
    static void setNextFileName(const QString& name);
    static const QString& lastFilter();

  private:
    static QString open(QWidget* parent, const QString& filter, bool save);

    static std::optional<QString> nextFileName_;
    static QString lastFilter_;
};

} // namespace qrv::gui
