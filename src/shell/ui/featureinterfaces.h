#pragma once

#include "season/core/season.h"
#include "shell/ui/command.h"

#include <QHash>
#include <QString>

// What the window's features ask of one another. Each feature controller is
// given the few of these it calls, never the window nor another controller
// whole, so that a test builds it with fakes for its neighbours.

// Runs a command as a click on its button would, with the shared steps
// around it (the button may be hidden).
class CommandRunner
{
public:
    virtual ~CommandRunner() = default;
    virtual void run(Command command) = 0;
};

// The standings computed anew, for a feature that changed what they count.
class Ranking
{
public:
    virtual ~Ranking() = default;
    // The table of match days 1..upTo (0: every match day); silent keeps the
    // table on display and only refreshes who holds which rank.
    virtual void computeStandings(MatchDayNo upTo, bool silent) = 0;
    void computeStandings() { computeStandings(0, false); }
    // The movement marks of the table at `matchDay` against the match day before.
    virtual void markRankMovement(int matchDay) = 0;
};

// The match-day area: the grid of a match day or of a team's season, and the
// results typed into it.
class MatchDayNavigator
{
public:
    virtual ~MatchDayNavigator() = default;
    // The match day the calendar says is on, its month previewed.
    virtual void showCurrentMatchDay() = 0;
    virtual void showMatchDay(MatchDayNo day) = 0;
    virtual void showTeamSeason(const QString &team) = 0;
    // The second team of a locked selection, marked where it appears.
    virtual void markSecondTeam(const QString &team) = 0;
    virtual void setGridHeader(const QString &text) = 0;
    // The day's goals and cards under the grid; every new ranking clears them.
    virtual void clearDayTotals() = 0;
    // Whether the match-day area is on show (no panel has taken its place).
    virtual bool matchDayShown() const = 0;
    // Before a view replaces the grid: asks whether to save typed results
    // not saved yet (Oui), drop them (Non) or stay (Annuler). True when the
    // view may go on: nothing waited, it was all saved, or the volunteer let it go.
    virtual bool settleUnsavedEntries() = 0;
    // Notes on the fixtures the last results update changed, marked in the grid.
    virtual void markChangedFixtures(const QHash<QString, QString> &notes) = 0;
};

// The team panels that follow the pointer over the table and the grid.
class TeamPanels
{
public:
    virtual ~TeamPanels() = default;
    virtual void showTeamSummary(const QString &team) = 0;
    // The crest strip makes way (a command, or the pointer on a team's name).
    virtual void parkCrestStrip() = 0;
};
