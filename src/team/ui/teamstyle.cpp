#include "team/ui/teamstyle.h"

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

void setText(QLabel *label, const QString &text)
{
    if (label->text() != text)
        label->setText(text);
}

} // namespace teamstyle
