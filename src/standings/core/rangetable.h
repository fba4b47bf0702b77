#pragma once

#include "standings/core/playedmatches.h"

#include <QString>
#include <QStringList>

#include <array>

// The table of any range of match days, over all matches or over home or
// away matches only, ranked on its own: points (3/1/0, no adjustment), goal
// difference, goals for, then the name in French alphabetical order. A value
// the statistics view draws and the command line prints.
namespace rangetable {

enum class Venue { All, Home, Away };

// The two halves of the season, offered as one-click ranges.
constexpr MatchDayNo FirstHalfEnd = 19;

struct Row
{
    int rank = 0; // 1..20, no shared numbers
    TeamNo team = NoTeam;
    QString name;
    int points = 0;
    int played = 0;
    int won = 0;
    int drawn = 0;
    int lost = 0;
    int goalsFor = 0;
    int goalsAgainst = 0;

    int goalDifference() const { return goalsFor - goalsAgainst; }
};

struct Table
{
    MatchDayNo from = 1;
    MatchDayNo to = MatchDayCount;
    Venue venue = Venue::All;
    std::array<Row, TeamCount> rows; // rank 1 first
};

// Counts each team's played matches of match days from..to (1 <= from <=
// to <= 38): all of them, or those it played at home or away.
Table compute(const Season &season, const ResultStore &store, MatchDayNo from, MatchDayNo to, Venue venue = Venue::All);

// "rank|name|points|played|won|drawn|lost|goals for|goals against|goal
// difference", rank 1 first.
QStringList lines(const Table &table);

} // namespace rangetable
