#pragma once

#include "shell/ui/featureinterfaces.h"

#include <QList>
#include <QStringList>

#include <functional>
#include <utility>

// The window's features as a feature under test sees its neighbours: each
// records what it was asked.

class FakeCommandRunner final : public CommandRunner
{
public:
    void run(Command command) override
    {
        ran.append(command);
        if (onRun)
            onRun(command);
    }
    QList<Command> ran;
    std::function<void(Command)> onRun; // what the command does in this test
};

class FakeRanking final : public Ranking
{
public:
    using Ranking::computeStandings;
    void computeStandings(MatchDayNo upTo, bool silent) override { computed.append({upTo, silent}); }
    void markRankMovement(int matchDay) override { movements.append(matchDay); }
    QList<std::pair<MatchDayNo, bool>> computed;
    QList<int> movements;
};

class FakeTeamPanels final : public TeamPanels
{
public:
    void showTeamSummary(const QString &team) override
    {
        summaries << team;
        if (onSummary)
            onSummary(team);
    }
    void parkCrestStrip() override { ++parked; }
    QStringList summaries;
    int parked = 0;
    std::function<void(const QString &)> onSummary;
};

class FakeMatchDayNavigator final : public MatchDayNavigator
{
public:
    void showCurrentMatchDay() override { ++currentShown; }
    void showMatchDay(MatchDayNo day) override { matchDays.append(day); }
    void showTeamSeason(const QString &team) override { teamSeasons << team; }
    void markSecondTeam(const QString &team) override { secondTeams << team; }
    void setGridHeader(const QString &text) override { header = text; }
    void clearDayTotals() override { ++totalsCleared; }
    bool matchDayShown() const override { return shown; }
    bool settleUnsavedEntries() override
    {
        ++settleAsked;
        return settles;
    }
    void markChangedFixtures(const QHash<QString, QString> &notes) override { fixtureNotes = notes; }

    bool shown = true;   // the match-day area is on show
    bool settles = true; // typed results let the view change
    int currentShown = 0;
    int totalsCleared = 0;
    int settleAsked = 0;
    QList<MatchDayNo> matchDays;
    QStringList teamSeasons;
    QStringList secondTeams;
    QString header;
    QHash<QString, QString> fixtureNotes;
};
