#pragma once

#include <QColor>
#include <QString>

class QPushButton;
class QWidget;

// The look shared by the window's parts. Colours go through palettes rather
// than style sheets: a sheet on the window would restyle its nine hundred
// children and slow every start. Each helper leaves a palette that already
// holds what it asks alone: a refresh repaints hundreds of cells and boxes
// and must stay within a frame.
namespace windowstyle {

inline const QColor Navy(0x00, 0x00, 0x80);
inline const QColor Teal(0x00, 0x80, 0x80);
inline const QColor Resting(0xC8, 0xC8, 0xC8); // the update button for a minute after an update
inline const QColor Gold(0xFF, 0xD7, 0x00);
inline const QColor PanelBackground(0xE8, 0xEC, 0xF8);
inline const QColor SkyTop(0x0B, 0x2A, 0x66);    // the window's background, from its top
inline const QColor SkyBottom(0x06, 0x17, 0x38); // ...to its foot

// The colour of a widget's text, whatever kind of widget draws it (a label,
// a box, a button).
void setTextColour(QWidget *widget, const QColor &colour);
// The colour a widget is filled with, whatever kind of widget draws it; the
// widget then paints its background.
void setFillColour(QWidget *widget, const QColor &colour);
// Both; no fill when `background` is not given.
void setColours(QWidget *widget, const QColor &text, const QColor &background = QColor());
// A new fill, with the text turned white or black to stay readable on it.
void setBackground(QWidget *widget, const QColor &background);
void setBold(QWidget *widget, bool bold = true, int pointSize = 0);
void setPixelSize(QWidget *widget, int pixels);
// White bold text on navy, the look of every command button.
void styleCommandButton(QPushButton *button);

// Qt shows a tool tip that looks like markup as rich text. Text from a file
// or the server (team names, news, donors) must show as it is written: this
// gives the tool tip that does, escaped when it would pass for markup and
// unchanged otherwise.
QString plainToolTip(const QString &text);
void setPlainToolTip(QWidget *widget, const QString &text);

} // namespace windowstyle
