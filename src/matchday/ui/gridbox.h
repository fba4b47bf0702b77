#pragma once

#include <QLineEdit>

// One box of the match grid. Besides typing it reports what the grid's entry
// rules react to: a click, the pointer arriving over it, the focus coming in.
// A read-only box (a team's name) that is too narrow for its text shows it
// elided at its end; the text itself stays whole.
class GridBox : public QLineEdit
{
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

    // The text as the box paints it, and the room it is painted in.
    QString shownText() const;
    QRect textRoom() const;

signals:
    void pressed();
    void entered();
    void focusEntered();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};
