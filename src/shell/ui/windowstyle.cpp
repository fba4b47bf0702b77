#include "shell/ui/windowstyle.h"

#include <QPushButton>
#include <QWidget>

namespace windowstyle {

namespace {
constexpr int LightFill = 128;
} // namespace

void setColours(QWidget *widget, const QColor &text, const QColor &background)
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::WindowText, text);
    pal.setColor(QPalette::ButtonText, text);
    pal.setColor(QPalette::Text, text);
    if (background.isValid()) {
        pal.setColor(QPalette::Window, background);
        pal.setColor(QPalette::Button, background);
        pal.setColor(QPalette::Base, background);
        widget->setAutoFillBackground(true);
    }
    widget->setPalette(pal);
}

void setBackground(QWidget *widget, const QColor &background)
{
    QPalette pal = widget->palette();
    if (pal.color(QPalette::Button) == background && widget->autoFillBackground())
        return;
    pal.setColor(QPalette::Window, background);
    pal.setColor(QPalette::Button, background);
    pal.setColor(QPalette::Base, background);
    // White stays readable on the dark fills, black on a light one (the
    // resting grey of the update button).
    const QColor text = background.lightness() > LightFill ? Qt::black : Qt::white;
    pal.setColor(QPalette::WindowText, text);
    pal.setColor(QPalette::ButtonText, text);
    pal.setColor(QPalette::Text, text);
    widget->setAutoFillBackground(true);
    widget->setPalette(pal);
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

void styleCommandButton(QPushButton *button)
{
    setColours(button, Qt::white, Navy);
    setBold(button);
    // The button shows its fill as it is (navy, teal under the pointer, grey
    // at rest): a style's bevel lightens a dark fill until the white caption
    // fades on teal.
    button->setFlat(true);
}

} // namespace windowstyle
