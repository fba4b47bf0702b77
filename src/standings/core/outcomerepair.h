#pragma once

#include "standings/core/outlooksearch.h"

#include <cstdint>
#include <vector>

namespace outlooksearch {

struct PointsBoard;

// Finds a real outcome of a board's open games quickly when one exists,
// which is where the exact search of pointsflow.h is slowest: on large
// sets that one outcome keeps, among very many that do not. It starts from
// the results the flow of units leans to and changes one result at a time,
// the one that brings the teams in breach nearest to their line, now and
// then one at random so as not to go round in circles. It never proves that
// no outcome exists. Its random choices come from a fixed seed, so the same
// board takes the same path on every machine.
class OutcomeRepair
{
public:
    OutcomeRepair(const ContendersQuestion &question, Goal goal);

    // `lean` is by game of the question: units to the home side minus the
    // away side in the last flow (pointsflow.h), for the board's open games.
    // Every RepairMovesPerStep changes count one step against `stop` and
    // `budget`. True when an outcome keeping every team of the board was
    // found; false when the budget ran out or the search was stopped.
    bool find(const std::vector<int> &room, const std::vector<int> &open, const std::vector<int> &lean,
              SearchStop &stop, long long &budget);

    // A change of one result costs a few hundred nanoseconds where a flow
    // takes tens of microseconds: this many make one step of work.
    static constexpr int RepairMovesPerStep = 32;

private:
    int breach(int team) const;
    std::uint32_t next();

    const ContendersQuestion &m_q;
    Goal m_goal;
    std::uint64_t m_seed = 0x9e3779b97f4a7c15ULL;
    std::vector<int> m_room;
    std::vector<int> m_points;
};

} // namespace outlooksearch
