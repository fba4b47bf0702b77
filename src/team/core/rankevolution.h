#pragma once

#include "team/core/rankinghistory.h"

#include <QList>
#include <QString>

#include <array>
#include <vector>

// The rank of a few chosen teams after each match day, read from the same
// ranking history as the bar graph, for the line chart of the statistics
// view (rank 1 on top).
namespace rankevolution {

constexpr int MinTeams = 2;
constexpr int MaxTeams = 4;

struct Series
{
    TeamNo team = NoTeam;
    QString name;
    std::array<int, MatchDayCount> ranks{}; // after match day k + 1; 0 when the history has none
};

// One series per chosen team, in the order given; numbers outside 0..19,
// repeats and teams past the fourth are left out.
std::vector<Series> compute(const RankingHistory &history, const Season &season, const QList<TeamNo> &teams);

// The last match day any series has a rank for, 0 when none has.
MatchDayNo lastKnownMatchDay(const std::vector<Series> &series);

} // namespace rankevolution
