#include "shell/ui/commandbuttons.h"

#include "shared/ui/windowstyle.h"

#include <QAction>
#include <QEvent>
#include <QPushButton>
#include <QWidget>

namespace {

// What a screen reader says of the command beyond its caption: what it does,
// and the key that runs it when there is one.
QString spokenDescription(Command command)
{
    const QKeySequence keys = commands::shortcut(command);
    QString text = commands::description(command);
    if (!keys.isEmpty())
        text += QStringLiteral(" (%1)").arg(keys.toString(QKeySequence::NativeText));
    return text;
}

} // namespace

CommandButtons::CommandButtons(QObject *parent)
    : QObject(parent)
{
    for (Command command : commands::all()) {
        auto *action = new QAction(commands::caption(command), this);
        action->setObjectName(QStringLiteral("BtN%1").arg(commands::indexOf(command)));
        action->setToolTip(commands::description(command));
        action->setWhatsThis(spokenDescription(command));
        action->setShortcut(commands::shortcut(command));
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, [this, command] { emit clicked(command); });
        m_actions[commands::indexOf(command)] = action;
    }
}

void CommandButtons::listenForShortcuts(QWidget &window)
{
    for (QAction *action : m_actions) {
        if (!action->shortcut().isEmpty())
            window.addAction(action);
    }
}

QPushButton *CommandButtons::create(Command command, QWidget *parent)
{
    QAction *action = this->action(command);
    auto *button = new QPushButton(action->text(), parent);
    button->setObjectName(QStringLiteral("BtN"));
    button->setProperty("index", commands::indexOf(command));
    button->setCursor(Qt::PointingHandCursor);
    button->setAccessibleName(action->text());
    button->setAccessibleDescription(action->whatsThis());
    button->setEnabled(action->isEnabled());
    // Reached with Tab; a click leaves the focus where it was, in the box
    // being typed into for instance.
    button->setFocusPolicy(Qt::TabFocus);
    connect(button, &QPushButton::clicked, action, &QAction::trigger);
    connect(action, &QAction::enabledChanged, button, &QWidget::setEnabled);
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
