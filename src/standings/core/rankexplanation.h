#pragma once

#include "standings/core/standingsengine.h"

#include <QString>

#include <array>
#include <optional>

// The tie-break that put one row of the standings ahead of the next, in the
// order the ranking key applies them.
enum class RankCriterion { Points, GoalDifference, GoalsFor, HeadToHead, FairPlay, Name };

// Which criterion ranks `upper` ahead of `lower`, two neighbouring rows of
// one computation (upper first). Read from the rows' numbers and final keys
// alone: the head-to-head balance is what the final key holds beyond the
// points, goal difference and goals for, so it is told apart even where it
// lands in the goals-for digits and lifts a team past one that scored more.
RankCriterion separatingCriterion(const StandingRow &upper, const StandingRow &lower);

// "points", "différence de buts"... as the command line prints it.
QString criterionName(RankCriterion criterion);
// "Devant Stade Bérange à la différence de buts".
QString aheadText(RankCriterion criterion, const QString &lowerName);
// "Derrière FC Valmoret aux points".
QString behindText(RankCriterion criterion, const QString &upperName);

// Why one row of the table stands where it does.
struct RowExplanation
{
    std::optional<RankCriterion> aheadOfNext; // empty on the last row
    QString ahead;                            // empty on the last row
    QString behind;                           // empty on the first row
    QString toolTip;                          // the two joined, for the rank label
};

std::array<RowExplanation, TeamCount> explainStandings(const Standings &standings);
