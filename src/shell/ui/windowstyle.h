#pragma once

#include <QColor>

class QPushButton;
class QWidget;

// The look shared by the window's parts. Colours go through palettes rather
// than style sheets: a sheet on the window would restyle its nine hundred
// children and slow every start.
namespace windowstyle {

inline const QColor Navy(0x00, 0x00, 0x80);
inline const QColor Teal(0x00, 0x80, 0x80);
inline const QColor Resting(0xC8, 0xC8, 0xC8); // the update button for a minute after an update
inline const QColor Gold(0xFF, 0xD7, 0x00);
inline const QColor PanelBackground(0xE8, 0xEC, 0xF8);

void setColours(QWidget *widget, const QColor &text, const QColor &background = QColor());
// A new fill, with the text turned white or black to stay readable on it.
void setBackground(QWidget *widget, const QColor &background);
void setBold(QWidget *widget, bool bold = true, int pointSize = 0);
// White bold text on navy, the look of every command button.
void styleCommandButton(QPushButton *button);

} // namespace windowstyle
