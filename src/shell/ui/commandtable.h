#pragma once

#include "shell/ui/command.h"

class MainWindow;

// Runs the window's commands: each command's row (commandtable.cpp) names its
// caption, its description, the handler that serves it and which of the
// shared steps before and after it leaves out; those steps run here, around
// every command, whichever feature it belongs to.
class CommandTable
{
public:
    explicit CommandTable(MainWindow &targets) : m_targets(targets) {}

    void dispatch(Command command);

private:
    MainWindow &m_targets;
};
