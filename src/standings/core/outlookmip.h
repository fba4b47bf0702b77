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
    // each may still gain without passing the team in question), given an
    // outcome already found where `found` of them do: the solver only has to
    // look for a better one, or prove there is none.
    static std::optional<int> fewestAbove(const Question &question, int found);
    // Most contenders that can gain at least their threshold (the points
    // each still needs to draw level with the team in question), given an
    // outcome already found where `found` of them do.
    static std::optional<int> mostReaching(const Question &question, int found);
    // The solver keeps its own state per thread; a run of questions ends by
    // handing it back, so no thread that solved keeps it for ever.
    static void releaseThreadState();
    // Both are empty only if the solver fails, which a well-formed question
    // does not make it do.
};
