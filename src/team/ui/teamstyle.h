#pragma once

#include <QRect>
#include <QString>

class QLabel;
class QWidget;

// Small helpers the team panels share; colours and fonts go through the
// window's shared style (shared/ui/windowstyle.h).
namespace teamstyle {

// A plain-text label named like the window's widget array element
// `name`(`index`) (index -1 for a single widget), placed at `pixels`.
QLabel *label(QWidget *parent, const QString &name, int index, const QRect &pixels);
// setText only when the text differs.
void setText(QLabel *label, const QString &text);

} // namespace teamstyle
