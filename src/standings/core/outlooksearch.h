#pragma once

#include "standings/core/rankoutlook.h"

#include <atomic>
#include <chrono>
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

// When a search gives up: the caller no longer wants its answer, or the time
// allowed is spent. Polled often by the search, so it answers cheaply: the
// flag each time, the clock at the first call and every few calls after.
class SearchStop
{
public:
    using Clock = std::chrono::steady_clock;

    explicit SearchStop(const std::atomic_bool *cancel = nullptr, Clock::time_point deadline = Clock::time_point::max())
        : m_cancel(cancel)
        , m_deadline(deadline)
    {}

    bool reached()
    {
        if (m_reached)
            return true;
        if (m_cancel && m_cancel->load(std::memory_order_relaxed))
            return m_reached = true;
        if (m_deadline != Clock::time_point::max() && m_calls++ % 16 == 0 && Clock::now() >= m_deadline)
            return m_reached = true;
        return false;
    }
    bool cancelled() const { return m_cancel && m_cancel->load(std::memory_order_relaxed); }

private:
    const std::atomic_bool *m_cancel;
    Clock::time_point m_deadline;
    unsigned m_calls = 0;
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
Kept mostKept(const ContendersQuestion &question, Goal goal, int known, SearchStop &stop);

} // namespace outlooksearch
