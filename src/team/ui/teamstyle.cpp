#include "team/ui/teamstyle.h"

#include "season/core/twips.h"

#include <QLabel>

namespace teamstyle {

QLabel *label(QWidget *parent, const QString &name, int index, const QRect &pixels)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    if (index >= 0)
        label->setProperty("index", index);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(pixels);
    return label;
}

QRect fromTwips(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

void setFill(QWidget *widget, const QColor &colour)
{
    if (widget->autoFillBackground() && widget->palette().color(QPalette::Window) == colour)
        return;
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Base, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    if (widget->palette().color(QPalette::WindowText) == colour)
        return;
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

void setBold(QWidget *widget, bool bold)
{
    if (widget->font().bold() == bold)
        return;
    QFont font = widget->font();
    font.setBold(bold);
    widget->setFont(font);
}

void setPixelSize(QWidget *widget, int pixels)
{
    QFont font = widget->font();
    font.setPixelSize(pixels);
    widget->setFont(font);
}

void setText(QLabel *label, const QString &text)
{
    if (label->text() != text)
        label->setText(text);
}

} // namespace teamstyle
