#pragma once

#include "shared/core/palette.h"

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

// A colour of the palette, opaque, as the widgets take it.
inline QColor colour(palette::Rgb rgb)
{
    return QColor::fromRgb(QRgb(0xFF000000u | rgb));
}

inline const QColor Navy = colour(palette::window::Navy);
inline const QColor Teal = colour(palette::window::Teal);
inline const QColor Resting = colour(palette::window::Resting);
inline const QColor Gold = colour(palette::window::Gold);
inline const QColor PanelBackground = colour(palette::window::PanelBackground);
inline const QColor SkyTop = colour(palette::window::SkyTop);
inline const QColor SkyBottom = colour(palette::window::SkyBottom);

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
