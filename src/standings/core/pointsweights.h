#pragma once

#include "standings/core/maxflow.h"
#include "standings/core/outlooksearch.h"

#include <vector>

namespace outlooksearch {

// A count of points with a weight on each team, which rules out kept sets
// (StayWithin) that the flow of units lets through: a team whose wins would
// cost it three points each is weighed more than the teams it could lose
// to. It is the count of a fractional outcome, so it proves a set cannot be
// kept and never that it can.
class PointsWeights
{
public:
    explicit PointsWeights(const ContendersQuestion &question);

    // Whether weights prove that no outcome of the `open` games (indices
    // into the question's games) keeps every team within its `room`.
    bool rulesOut(const std::vector<int> &room, const std::vector<int> &open);

    // Its minimum cut costs about as much as this many flows of units: the
    // steps it counts for.
    static constexpr int Steps = 4;

private:
    long long excess(const std::vector<int> &room, const std::vector<int> &open) const;

    const ContendersQuestion &m_q;
    MaxFlow m_network;
    std::vector<int> m_level; // by team: the levels of the last cut (0 weighs most)
};

} // namespace outlooksearch
