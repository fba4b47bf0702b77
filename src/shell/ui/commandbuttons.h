#pragma once

#include "shell/ui/command.h"

#include <QObject>

#include <array>

class QPushButton;
class QWidget;

// The command buttons `BtN`, one per command, each made by the feature whose
// panel holds it. A click is forwarded by command to whoever dispatches them.
class CommandButtons : public QObject
{
    Q_OBJECT
public:
    explicit CommandButtons(QObject *parent = nullptr) : QObject(parent) {}

    // Creates the button of `command` with its caption inside `parent`.
    QPushButton *create(Command command, QWidget *parent);
    // The button, or null before it is made.
    QPushButton *button(Command command) const { return m_buttons.at(commands::indexOf(command)); }

signals:
    void clicked(Command command);

private:
    std::array<QPushButton *, CommandCount> m_buttons{};
};
