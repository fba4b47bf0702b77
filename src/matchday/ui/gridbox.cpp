#include "matchday/ui/gridbox.h"

#include <QPainter>
#include <QStyle>

namespace {
// The room QLineEdit itself leaves at each end of its text.
constexpr int TextMargin = 2;
} // namespace

QString GridBox::shownText() const
{
    if (!isReadOnly())
        return text();
    return fontMetrics().elidedText(text(), Qt::ElideRight, textRoom().width());
}

QRect GridBox::textRoom() const
{
    const QMargins margins = textMargins();
    return contentsRect().adjusted(TextMargin + margins.left(), margins.top(), -TextMargin - margins.right(),
                                   -margins.bottom());
}

void GridBox::paintEvent(QPaintEvent *event)
{
    // A line edit scrolls a long text and cuts it at the edge, without a
    // sign; a name the reader cannot type into is painted whole or elided.
    if (!isReadOnly()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.fillRect(rect(), palette().brush(QPalette::Base));
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(textRoom(), int(QStyle::visualAlignment(layoutDirection(), alignment())) | Qt::AlignVCenter,
                     shownText());
}

void GridBox::mousePressEvent(QMouseEvent *event)
{
    // The box places its cursor first, so a selection made on `pressed` stays.
    QLineEdit::mousePressEvent(event);
    emit pressed();
}

void GridBox::enterEvent(QEnterEvent *event)
{
    QLineEdit::enterEvent(event);
    emit entered();
}

void GridBox::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    emit focusEntered();
}
