#include "shell/ui/windowstyle.h"

#include <QPushButton>
#include <QWidget>

namespace windowstyle {

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
}

} // namespace windowstyle
