#include "shell/ui/commandbuttons.h"

#include "shared/ui/windowstyle.h"

#include <QEvent>
#include <QPushButton>

QPushButton *CommandButtons::create(Command command, QWidget *parent)
{
    auto *button = new QPushButton(commands::caption(command), parent);
    button->setObjectName(QStringLiteral("BtN"));
    button->setProperty("index", commands::indexOf(command));
    button->setCursor(Qt::PointingHandCursor);
    button->setAccessibleDescription(commands::description(command));
    // Reached with Tab; a click leaves the focus where it was, in the box
    // being typed into for instance.
    button->setFocusPolicy(Qt::TabFocus);
    connect(button, &QPushButton::clicked, this, [this, command] { emit clicked(command); });
    button->installEventFilter(this);
    m_buttons[commands::indexOf(command)] = button;
    return button;
}

void CommandButtons::calm()
{
    for (QPushButton *button : m_buttons) {
        if (button)
            windowstyle::setBackground(button, windowstyle::Navy);
    }
}

bool CommandButtons::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Enter) {
        for (QPushButton *button : m_buttons) {
            if (button)
                windowstyle::setBackground(button, button == watched ? windowstyle::Teal : windowstyle::Navy);
        }
        emit hovered();
    }
    return QObject::eventFilter(watched, event);
}
