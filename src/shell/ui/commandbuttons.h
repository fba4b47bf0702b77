#pragma once

#include "shell/ui/command.h"

#include <QObject>

#include <array>

class QAction;
class QPushButton;
class QWidget;

// The window's commands as actions, one per command, made from the command
// table with its caption, description and shortcut; and the command buttons
// `BtN` that show them, each made by the feature whose panel holds it. A
// click and a shortcut both trigger the action, which is forwarded by
// command to whoever dispatches them; a disabled action runs from neither,
// and its button shows it disabled. The button under the pointer turns
// teal, the others navy, until the pointer reaches a free space that calms
// them all.
class CommandButtons : public QObject
{
    Q_OBJECT
public:
    explicit CommandButtons(QObject *parent = nullptr);

    // The command's action; its enabled state is the command's.
    QAction *action(Command command) const { return m_actions.at(commands::indexOf(command)); }
    // Lets the commands' shortcuts act anywhere in `window`.
    void listenForShortcuts(QWidget &window);

    // Creates the button of `command` with its caption inside `parent`.
    QPushButton *create(Command command, QWidget *parent);
    // The button, or null before it is made.
    QPushButton *button(Command command) const { return m_buttons.at(commands::indexOf(command)); }

    // Every button back to navy.
    void calm();

signals:
    // The command's action ran: a click on its button or its shortcut.
    void clicked(Command command);
    // The pointer came onto a button.
    void hovered();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::array<QAction *, CommandCount> m_actions{};
    std::array<QPushButton *, CommandCount> m_buttons{};
};
