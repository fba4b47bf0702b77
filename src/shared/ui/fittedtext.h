#pragma once

#include <QRect>
#include <QString>

class QAbstractButton;
class QFont;
class QLabel;
class QWidget;

// Text that keeps to its box, for every panel of the window. A text wider
// than the room its label or button gives it first takes a smaller font, by
// as many steps as the caller allows, then is elided at its end with "…";
// the whole text is then the tool tip. Call setText again after the widget
// changes size.
namespace fittedtext {

void setText(QLabel *label, const QString &text, int shrinkSteps = 0);
void setText(QAbstractButton *button, const QString &text, int shrinkSteps = 0);

// `font`, or smaller by at most `shrinkSteps` (points, or pixels for a font
// sized in pixels), whichever first lets `text` fit the widget; the smallest
// when none does.
QFont fittingFont(const QWidget *widget, const QFont &font, const QString &text, int shrinkSteps);

// The text last given to setText, whole (the widget's own text otherwise).
QString wholeText(const QWidget *widget);

// The room a label, push button or check box gives its text, in its own
// pixels: inside its frame, margins and indent.
QRect room(const QWidget *widget);

// Whether `text` fits the room of `widget` in `font`: each line across, and
// the lines down; a label that wraps may break its text at blanks.
bool fits(const QWidget *widget, const QFont &font, const QString &text);

} // namespace fittedtext
