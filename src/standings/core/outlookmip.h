#pragma once

#include "standings/core/rankoutlook.h"

#include <optional>
#include <vector>

// The hard core of a final-rank question once every team whose fate is
// already known has been set aside: a few contending teams, numbered
// 0..n-1, the games among them, and one threshold per team on the points it
// gains from those games. Solved exactly as a small integer program (GLPK).
class OutlookMip
{
public:
    struct Question
    {
        std::vector<int> threshold; // by contender
        std::vector<LeagueFixture> games;
    };

    // Fewest contenders that must gain more than their threshold (the points
    // each may still gain without passing the team in question).
    static std::optional<int> fewestAbove(const Question &question);
    // Most contenders that can gain at least their threshold (the points
    // each still needs to draw level with the team in question).
    static std::optional<int> mostReaching(const Question &question);
    // Both are empty only if the solver fails, which a well-formed question
    // does not make it do.
};
