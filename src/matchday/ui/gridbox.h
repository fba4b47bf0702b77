#pragma once

#include <QLineEdit>

// One box of the match grid. Besides typing it reports what the grid's entry
// rules react to: a click, the pointer arriving over it, the focus coming in.
class GridBox : public QLineEdit
{
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

signals:
    void pressed();
    void entered();
    void focusEntered();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
};
