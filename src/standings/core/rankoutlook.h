#pragma once

#include <atomic>
#include <chrono>
#include <vector>

// A fixture still to be played, between two teams of a league numbered
// 0..n-1 (home first; the ground does not matter to the points).
struct LeagueFixture
{
    int home = 0;
    int away = 0;
    friend bool operator==(const LeagueFixture &, const LeagueFixture &) = default;
};

// What the end of a season depends on: every team's whole points now and
// the fixtures left. Any number of teams; the Kestrane 1 season builds one
// from its table and calendar (outlook.h).
struct OutlookProblem
{
    std::vector<int> points; // by team
    std::vector<LeagueFixture> remaining;
    // Place of each team in the table now (0 at the top), or empty. Two
    // teams level on points that have both played all their games keep this
    // order when no team with games left can still finish on their points:
    // their goals and cards are all known then, so the table's order is final.
    std::vector<int> tablePosition;
    int teamCount() const { return int(points.size()); }
    friend bool operator==(const OutlookProblem &, const OutlookProblem &) = default;
};

// How far a range is proven. A range that is not final is still true (the
// team's final rank lies within it) but may be wider than the exact one.
enum class RangeState {
    Final,     // exact
    OutOfTime, // the team's time ran out: the bounds proven so far
    Failed,    // the search contradicted itself: the bounds the table alone gives
    Cancelled, // the caller stopped the solve: not worth showing
};

// Best and worst final rank of one team over every outcome (win, draw or
// loss, 3/1/0 points) of the fixtures left. Level points count in the team's
// favour for the best rank and against it for the worst: the goals that
// would separate them cannot be foreseen (except between finished teams, as
// said above).
struct RankRange
{
    int best = 1;
    int worst = 1;
    RangeState state = RangeState::Final;
    bool final() const { return state == RangeState::Final; }
    friend bool operator==(const RankRange &, const RankRange &) = default;
};

// How the answers were reached, for the tests and the benchmark.
struct OutlookSolveStats
{
    int decidedByBounds = 0; // questions settled by a bound met by a found outcome
    int searched = 0;        // questions handed to the search
    int outOfTime = 0;       // searches stopped before their end (time or cancel)
    int failures = 0;        // searches that contradicted themselves
};

struct OutlookSolveOptions
{
    // When false every question that is not settled outright goes to the
    // search, which the tests use to check the search on its own.
    bool shortcuts = true;
    // Time allowed to each team (its best rank, then its worst); past it the
    // team's range keeps what is proven and is marked OutOfTime. The hardest
    // tables found need a tenth of it.
    std::chrono::milliseconds teamBudget{250};
    // Set from another thread to stop at once: the ranges not proven by
    // then come back Cancelled.
    const std::atomic_bool *cancel = nullptr;
};

// The best and worst final rank of every team, by team number, exact unless
// a range says otherwise. A pure function of its input: safe to run on any
// thread.
std::vector<RankRange> solveRankRanges(const OutlookProblem &problem, const OutlookSolveOptions &options = {},
                                       OutlookSolveStats *stats = nullptr);
