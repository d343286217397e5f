#include "ui/elided_line_edit.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace qrv::gui {

namespace {
// QLineEdit's own gap between its frame and its text.
constexpr int kTextGap = 2;
} // namespace

QRect ElidedLineEdit::textArea() const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QMargins margins = textMargins();
    return style()
        ->subElementRect(QStyle::SE_LineEditContents, &option, this)
        .adjusted(margins.left() + kTextGap, margins.top(), -margins.right() - kTextGap, -margins.bottom());
}

QString ElidedLineEdit::shownText() const {
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, textArea().width());
}

void ElidedLineEdit::paintEvent(QPaintEvent* event) {
    const QString shown = shownText();
    if (hasFocus() || shown == text()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(textArea(), static_cast<int>(Qt::AlignVCenter | alignment()), shown);
}

} // namespace qrv::gui
