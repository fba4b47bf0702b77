#pragma once

#include "standings/core/rankoutlook.h"

#include <atomic>
#include <climits>
#include <functional>
#include <vector>

// The hard core of a final-rank question once every team whose fate is
// already known has been set aside: a few contending teams, numbered
// 0..n-1, the games among them, and one threshold per team on the points it
// gains from those games.
struct ContendersQuestion
{
    std::vector<int> threshold; // by contender
    std::vector<LeagueFixture> games;
};

// When a search gives up: the caller no longer wants its answer, or the work
// allowed is spent. Work is counted in steps (a node of the search, which
// checks one flow at most), never in time, so that the same table stops at
// the same place on any machine and under any load. Polled at every step.
class SearchStop
{
public:
    explicit SearchStop(const std::atomic_bool *cancel = nullptr, long long limit = LLONG_MAX,
                        const std::function<void()> *onStep = nullptr)
        : m_cancel(cancel)
        , m_limit(limit)
        , m_onStep(onStep && *onStep ? onStep : nullptr)
    {}

    // Counts one step; true once the search must stop.
    bool reached()
    {
        if (m_reached)
            return true;
        ++m_steps;
        if (m_onStep)
            (*m_onStep)();
        if (cancelled() || m_steps > m_limit)
            m_reached = true;
        return m_reached;
    }
    // Counts `steps` steps at once, for a check that costs as much as several flows.
    bool reached(int steps)
    {
        for (int i = 0; i < steps; ++i) {
            if (reached())
                return true;
        }
        return m_reached;
    }
    bool cancelled() const { return m_cancel && m_cancel->load(std::memory_order_relaxed); }
    long long steps() const { return m_steps; }

private:
    const std::atomic_bool *m_cancel;
    long long m_limit;
    const std::function<void()> *m_onStep;
    long long m_steps = 0;
    bool m_reached = false;
};

// Exact answers to a contenders question by a search over the teams kept,
// each step checked against the points the games left can still hand out
// (a maximum flow).
namespace outlooksearch {

enum class Goal {
    StayWithin, // a kept contender gains at most its threshold (best rank: kept =
                // not above)
    Reach,      // a kept contender gains at least its threshold (worst rank: kept =
                // level or above)
};

// The most contenders that one outcome keeps together, known between two
// counts: an outcome keeping `found` of them exists, and none keeps more
// than `bound`. Equal when the search ran to its end.
struct Kept
{
    int found = 0;
    int bound = 0;
    bool exact() const { return found == bound; }
};

// `known` is the count of an outcome already found (by a quick pass), which
// the search only has to beat. A stopped search returns what it had proven.
// Without `repair` a set is shown kept by the exact search alone, never by a
// repaired outcome: the tests check the exact search on its own so.
Kept mostKept(const ContendersQuestion &question, Goal goal, int known, SearchStop &stop, bool repair = true);

} // namespace outlooksearch
