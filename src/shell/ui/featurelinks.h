#pragma once

#include "shell/ui/featureinterfaces.h"

// The features of the window call one another, some both ways (the match
// days rank the teams, the standings list a team's season): each controller
// is built with these links, which the window binds to the controllers once
// all of them are built. A call before that is a fault of the window's
// composition.
class FeatureLinks final : public CommandRunner, public Ranking, public MatchDayNavigator, public TeamPanels
{
public:
    void bind(CommandRunner &commands, Ranking &ranking, MatchDayNavigator &matchDay, TeamPanels &teams)
    {
        m_commands = &commands;
        m_ranking = &ranking;
        m_matchDay = &matchDay;
        m_teams = &teams;
    }

    void run(Command command) override { m_commands->run(command); }

    using Ranking::computeStandings;
    void computeStandings(MatchDayNo upTo, bool silent) override { m_ranking->computeStandings(upTo, silent); }
    void markRankMovement(int matchDay) override { m_ranking->markRankMovement(matchDay); }

    void showCurrentMatchDay() override { m_matchDay->showCurrentMatchDay(); }
    void showMatchDay(MatchDayNo day) override { m_matchDay->showMatchDay(day); }
    void showTeamSeason(const QString &team) override { m_matchDay->showTeamSeason(team); }
    void markSecondTeam(const QString &team) override { m_matchDay->markSecondTeam(team); }
    void setGridHeader(const QString &text) override { m_matchDay->setGridHeader(text); }
    void clearDayTotals() override { m_matchDay->clearDayTotals(); }
    bool matchDayShown() const override { return m_matchDay->matchDayShown(); }
    bool settleUnsavedEntries() override { return m_matchDay->settleUnsavedEntries(); }
    void markChangedFixtures(const QHash<QString, QString> &notes) override { m_matchDay->markChangedFixtures(notes); }

    void showTeamSummary(const QString &team) override { m_teams->showTeamSummary(team); }
    void parkCrestStrip() override { m_teams->parkCrestStrip(); }

private:
    CommandRunner *m_commands = nullptr;
    Ranking *m_ranking = nullptr;
    MatchDayNavigator *m_matchDay = nullptr;
    TeamPanels *m_teams = nullptr;
};
