#pragma once

#include "standings/core/maxflow.h"
#include "standings/core/outcomerepair.h"
#include "standings/core/outlooksearch.h"
#include "standings/core/pointsweights.h"

#include <array>
#include <string>
#include <unordered_set>
#include <vector>

namespace outlooksearch {

enum class Verdict { Possible, Impossible, Stopped };

// Where one kept set stands: the points each kept team still needs (Reach)
// or may still take (StayWithin), and the games among kept teams not settled
// yet (indices into the question's games).
struct PointsBoard
{
    std::vector<int> room;
    std::vector<int> open;
};

// The count of points the search decides with, for one contenders question:
// which sets of kept teams the points of the games left can serve at all
// (a flow, necessary and cheap), and whether a real outcome serves one
// (a repair that finds one quickly, and an exact search over the results or
// the draws, each step checked by the flow).
class PointsFlow
{
public:
    // Without `repair`, outcomeWithin() relies on its exact searches alone.
    PointsFlow(const ContendersQuestion &question, Goal goal, bool repair = true);

    // The kept teams' rooms once their games against the teams left out go
    // their way.
    PointsBoard boardFor(const std::vector<char> &kept) const;
    // Settles the games whose outcome a team no longer chooses; false when a
    // kept team cannot make it any more.
    bool settleForced(PointsBoard &b) const;
    // Whether the open games can hand out what the kept teams need, or must
    // take, counted as a flow from the games to the teams.
    bool allows(const PointsBoard &b);
    // Whether one outcome of the open games keeps every kept team. Each step
    // counts against `stop`, and against `allowance`: when that runs out
    // first the answer is Impossible with `allowance` below zero (not decided).
    Verdict outcomeWithin(PointsBoard b, SearchStop &stop, long long &allowance);

    // Units of a sixth of a game a team needs to gain `points` with wins (6
    // each) and draws (3 each): 2 per point, and one draw or one win more
    // when the points are not a multiple of 3.
    static int unitsToReach(int points);
    // Units (a win 2, a draw 1) a team with `room` points can take from
    // `games` games: one a point up to a unit a game, then 2 for each 3
    // points more, as a draw turns into a win.
    static long long unitsWithin(int room, int games);

private:
    enum class Game : char { Open, Draw, Decisive };
    // The games of a board, each open, drawn or decisive (won by one side,
    // which side left to the flow).
    struct Drawing
    {
        PointsBoard board;
        std::vector<Game> state; // by position in board.open
        std::vector<int> lean;   // units to the home side minus the away side in the last flow
    };

    int forcedWinner(const PointsBoard &b, const std::vector<int> &games, const LeagueFixture &f) const;
    Verdict resultsFrom(PointsBoard b, SearchStop &stop, long long &budget);
    Verdict resultsAfter(const PointsBoard &b, SearchStop &stop, long long &budget);
    std::string boardKey(const PointsBoard &b) const;
    int settleByFlow(PointsBoard &b);
    bool relaxed(Drawing &d);
    bool decided(const Drawing &d);
    Verdict drawsFrom(Drawing &d, SearchStop &stop, long long &budget);

    const ContendersQuestion &m_q;
    Goal m_goal;
    int m_teams;
    MaxFlow m_network;
    OutcomeRepair m_repair;
    bool m_useRepair;
    PointsWeights m_weights;
    std::vector<int> m_lean;                   // by game of the question, after allows()
    std::vector<std::array<int, 4>> m_edgesOf; // by open game, after allows()
    std::vector<char> m_results;               // by open game, the results left (home win 1, draw 2, away win 4)
    // Boards the search of results has shown to have no outcome: the same
    // board comes back often, as results that differ game by game add up to
    // the same points (a beats b beats c beats a, or the other way round).
    std::unordered_set<std::string> m_noOutcome;
    static constexpr std::size_t MaxBoardsKept = 200000;
};

} // namespace outlooksearch
