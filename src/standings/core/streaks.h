#pragma once

#include "standings/core/playedmatches.h"

#include <QString>
#include <QStringList>

#include <array>

// Runs of each team over its played matches in calendar order: the current
// one (which includes the team's latest played match, 0 when that match
// breaks it) and the longest. A value the statistics view draws and the
// command line prints.
namespace streaks {

// In the order of the printed fields.
enum Kind { Wins, Unbeaten, Losses, Winless, Scoring, CleanSheets };
constexpr int KindCount = 6;

// Column headings of the view, in the order of Kind.
const std::array<QString, KindCount> &headings();

struct Run
{
    int current = 0;
    int longest = 0;
};

struct Row
{
    TeamNo team = NoTeam;
    QString name;
    std::array<Run, KindCount> runs;
};

struct Streaks
{
    MatchDayNo upToMatchDay = MatchDayCount;
    std::array<Row, TeamCount> rows; // table order
};

// Whether the match extends a run of that kind for the team.
bool extends(Kind kind, const PlayedMatch &match, TeamNo team);

// The runs over match days 1..upTo (0 for the whole season), teams in the
// order of the main table of those match days.
Streaks compute(const Season &season, const ResultStore &store, const BonusMalus &bonusMalus, MatchDayNo upTo);

// "name|current/longest|..." with the six kinds in the order of Kind.
QStringList lines(const Streaks &streaks);

} // namespace streaks
