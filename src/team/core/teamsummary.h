#pragma once

#include "season/core/resultstore.h"
#include "season/core/season.h"
#include "standings/core/displayedstandings.h"

#include <QDateTime>
#include <QString>

#include <array>

// The small panel that sums up one team: rank and last movement from the
// table as displayed, wins, defeats (home and away), draws and matches
// played over every stored result.

// What every stored result gives one team: its wins, defeats and draws,
// counted as the team card counts them (a match needs both scores).
struct TeamTally
{
    int homeWins = 0, homeLosses = 0, awayWins = 0, awayLosses = 0, draws = 0;
    int played() const { return homeWins + homeLosses + awayWins + awayLosses + draws; }
};
using SeasonTally = std::array<TeamTally, TeamCount>;

// One pass over the calendar: each fixture's result counts for the teams of
// its code that the record names on the same side.
SeasonTally tallySeason(const Season &season, const ResultStore &store);

struct TeamSummary
{
    TeamNo team = NoTeam;
    QString name;
    QString rankText;     // "Classement: 3"
    QString movementText; // " (+2)", " (=)", empty without a mark
    Movement movement = Movement::None;
    QString winsText, lossesText, drawsText, playedText;
};

TeamSummary buildTeamSummary(const Season &season, const QString &team, const SeasonTally &tally,
                             const DisplayedStandings &shown);

// The tally kept for as long as the results store holds the same data, so
// that hovering the table or the ticker passing a crest never re-reads it.
// The store's own change signal calls invalidate(); a file replaced behind
// the program's back is noticed by its date and size.
class TallyCache
{
public:
    const SeasonTally &tally(const Season &season, const ResultStore &store);
    void invalidate() { m_valid = false; }

private:
    SeasonTally m_tally{};
    bool m_valid = false;
    QDateTime m_modified;
    qint64 m_size = -1;
};
