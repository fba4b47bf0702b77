#pragma once

#include "shell/ui/command.h"

#include <QObject>

#include <array>

class QPushButton;
class QWidget;

// The command buttons `BtN`, one per command, each made by the feature whose
// panel holds it. A click is forwarded by command to whoever dispatches them.
// The button under the pointer turns teal, the others navy, until the
// pointer reaches a free space that calms them all.
class CommandButtons : public QObject
{
    Q_OBJECT
public:
    explicit CommandButtons(QObject *parent = nullptr)
        : QObject(parent)
    {}

    // Creates the button of `command` with its caption inside `parent`.
    QPushButton *create(Command command, QWidget *parent);
    // The button, or null before it is made.
    QPushButton *button(Command command) const { return m_buttons.at(commands::indexOf(command)); }

    // Every button back to navy.
    void calm();

signals:
    void clicked(Command command);
    // The pointer came onto a button.
    void hovered();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::array<QPushButton *, CommandCount> m_buttons{};
};
