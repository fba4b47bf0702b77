#pragma once

#include "season/core/season.h"

#include <QString>

#include <array>

struct StandingRow;

// The order of team names wherever teams level on everything else are ranked:
// names compare as French text without regard to case (É sorts with E, a name
// comes before the longer names it begins), then, for names that differ only
// in case, by character codes. The later name ranks higher in the standings.
class TeamNameOrder
{
public:
    explicit TeamNameOrder(const std::array<QString, TeamCount> &names);
    explicit TeamNameOrder(const std::array<StandingRow, TeamCount> &rows);

    // Position of the team's name in ascending name order, 0..19; teams with
    // identical names follow their team numbers.
    int rank(TeamNo team) const { return m_rank[team]; }

    // Negative, zero or positive as `a` sorts before, with or after `b`.
    static int compare(const QString &a, const QString &b);

private:
    std::array<int, TeamCount> m_rank{};
};
