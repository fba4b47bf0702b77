#include "matchday/ui/gridbox.h"

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
