#pragma once

#include <atomic>
#include <functional>
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
    OutOfTime, // the team's allowance of work ran out: the bounds proven so far
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
    int decidedByBounds = 0;    // questions settled by a bound met by a found outcome
    int searched = 0;           // questions handed to the search
    int outOfTime = 0;          // searches stopped before their end (work limit or cancel)
    int failures = 0;           // searches that contradicted themselves
    long long work = 0;         // search steps, all teams together
    long long mostTeamWork = 0; // search steps of the team that needed most
};

struct OutlookSolveOptions
{
    // Search steps allowed to each of a team's two questions, its best rank
    // and its worst, and to a whole table. A step is one check of the flow
    // of points, a count with weights taking four, or 32 changes of a
    // repaired outcome: 2 to 55 microseconds on these machines, the tables
    // with most fixtures left the slowest. Counted in steps, not in time, so
    // that the answer is the same on every machine, under any load and with
    // any number of threads. Over 500000 generated tables
    // (bench/outlook_families.cpp, ten seeds) the median table takes no
    // step, the 99th centile about 230, the one that took most about 24000
    // (a team 20000), the slowest 0.7 s, and none reached an allowance; a
    // table that would keeps the bounds proven from both sides.
    static constexpr long long DefaultWorkLimit = 25000;
    static constexpr long long DefaultTableWorkLimit = 40000;

    // When false every question that is not settled outright goes to the
    // search, and the search shows a set kept by its exact part alone, never
    // by a repaired outcome: the tests use it to check the search on its own.
    bool shortcuts = true;
    // Past it the question keeps what is proven and its team's range is
    // marked OutOfTime.
    long long workLimit = DefaultWorkLimit;
    long long tableWorkLimit = DefaultTableWorkLimit;
    // Set from another thread to stop at the search's next step: the ranges
    // not proven by then come back Cancelled.
    const std::atomic_bool *cancel = nullptr;
    // Called at every step of the search (tests slow it down or cancel from it).
    std::function<void()> onStep = {};
};

// The best and worst final rank of every team, by team number, exact unless
// a range says otherwise. A pure function of its input: safe to run on any
// thread.
std::vector<RankRange> solveRankRanges(const OutlookProblem &problem, const OutlookSolveOptions &options = {},
                                       OutlookSolveStats *stats = nullptr);
