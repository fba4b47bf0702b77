#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;

// Small helpers the team panels share. Colours go through palettes and are
// only touched when they change: a card refresh repaints hundreds of boxes
// and must stay within a frame.
namespace teamstyle {

// A plain-text label named like the window's widget array element
// `name`(`index`) (index -1 for a single widget), placed at `pixels`.
QLabel *label(QWidget *parent, const QString &name, int index, const QRect &pixels);
// A rectangle given in twips, in pixels.
QRect fromTwips(int left, int top, int width, int height);

void setFill(QWidget *widget, const QColor &colour);
void setTextColour(QWidget *widget, const QColor &colour);
void setBold(QWidget *widget, bool bold);
void setPixelSize(QWidget *widget, int pixels);
// setText only when the text differs.
void setText(QLabel *label, const QString &text);

} // namespace teamstyle
