#pragma once

#include "shell/ui/featureinterfaces.h"

class AppState;
class MatchDayController;
class NewsLine;
class OnlineController;
class QWidget;
class SendingController;
class ShellPanelsController;
class StandingsController;
class TeamViewsController;

// What the commands' handlers act on: the features of the window.
struct CommandTargets
{
    QWidget &window; // "Quitter" closes it
    StandingsController &standings;
    MatchDayController &matchDay;
    SendingController &sending;
    TeamViewsController &team;
    OnlineController &online;
    ShellPanelsController &shell;
    NewsLine &news;
    AppState &state;
};

// Runs the window's commands: each command's row (commandtable.cpp) names its
// caption, its description, the handler that serves it and which of the
// shared steps before and after it leaves out; those steps run here, around
// every command, whichever feature it belongs to.
class CommandTable final : public CommandRunner
{
public:
    explicit CommandTable(const CommandTargets &targets)
        : m_targets(targets)
    {}

    void run(Command command) override;

private:
    CommandTargets m_targets;
};
