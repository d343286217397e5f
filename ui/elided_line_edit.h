// A read-only value field that, while it has no focus, draws a text too long
// for it with its middle left out, so that both ends of a path stay in view.
// Its text stays whole: selecting and copying it gives all of it.
#pragma once

#include <QLineEdit>

namespace qrv::gui {

class ElidedLineEdit : public QLineEdit {
    Q_OBJECT
  public:
    using QLineEdit::QLineEdit;

    // The text as drawn while the field has no focus.
    QString shownText() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QRect textArea() const;
};

} // namespace qrv::gui
