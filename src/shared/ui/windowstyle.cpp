#include "shared/ui/windowstyle.h"

#include <QPushButton>
#include <QTextDocument>
#include <QWidget>

namespace windowstyle {

namespace {
constexpr int LightFill = 128;
constexpr QPalette::ColorRole TextRoles[] = {QPalette::WindowText, QPalette::ButtonText, QPalette::Text};
constexpr QPalette::ColorRole FillRoles[] = {QPalette::Window, QPalette::Button, QPalette::Base};

bool holds(const QPalette &palette, const QPalette::ColorRole (&roles)[3], const QColor &colour)
{
    for (QPalette::ColorRole role : roles) {
        if (palette.color(role) != colour)
            return false;
    }
    return true;
}

void put(QPalette &palette, const QPalette::ColorRole (&roles)[3], const QColor &colour)
{
    for (QPalette::ColorRole role : roles)
        palette.setColor(role, colour);
}
} // namespace

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette pal = widget->palette();
    if (holds(pal, TextRoles, colour))
        return;
    put(pal, TextRoles, colour);
    widget->setPalette(pal);
}

void setFillColour(QWidget *widget, const QColor &colour)
{
    QPalette pal = widget->palette();
    if (!holds(pal, FillRoles, colour)) {
        put(pal, FillRoles, colour);
        widget->setPalette(pal);
    }
    widget->setAutoFillBackground(true);
}

void setColours(QWidget *widget, const QColor &text, const QColor &background)
{
    setTextColour(widget, text);
    if (background.isValid())
        setFillColour(widget, background);
}

void setBackground(QWidget *widget, const QColor &background)
{
    // White stays readable on the dark fills, black on a light one (the
    // resting grey of the update button).
    setColours(widget, background.lightness() > LightFill ? Qt::black : Qt::white, background);
}

void setBold(QWidget *widget, bool bold, int pointSize)
{
    QFont font = widget->font();
    if (font.bold() == bold && (pointSize <= 0 || font.pointSize() == pointSize))
        return;
    font.setBold(bold);
    if (pointSize > 0)
        font.setPointSize(pointSize);
    widget->setFont(font);
}

void setPixelSize(QWidget *widget, int pixels)
{
    QFont font = widget->font();
    font.setPixelSize(pixels);
    widget->setFont(font);
}

void styleCommandButton(QPushButton *button)
{
    setColours(button, Qt::white, Navy);
    setBold(button);
    // The button shows its fill as it is (navy, teal under the pointer, grey
    // at rest): a style's bevel lightens a dark fill until the white caption
    // fades on teal.
    button->setFlat(true);
}

QString plainToolTip(const QString &text)
{
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal) : text;
}

void setPlainToolTip(QWidget *widget, const QString &text)
{
    widget->setToolTip(plainToolTip(text));
}

} // namespace windowstyle
