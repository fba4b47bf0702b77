#include "standings/core/outlooksearch.h"

#include "standings/core/leaguepoints.h"
#include "standings/core/pointsflow.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <numeric>
#include <optional>

// Why the search is exact, and why it is quick.
//
// Call a set of contenders "kept" when one outcome of the games keeps every
// one of them (within its threshold, or reaching it). A kept set stays kept
// when a team leaves it: the games between the set and the teams left out go
// the way that suits the set (lost by the set for StayWithin, won by it for
// Reach), which can only help the ones still in. So the answer is the size
// of the largest kept set, and a search over the teams, each in or out, finds
// it as long as it only discards sets that cannot be kept.
//
// The search asks, from the largest size down, whether some set of that size
// is kept: each size it rules out is proven, so a search stopped on its way
// still leaves the best bound it has shown, and the first size it finds is
// the answer. It never asks below the count of an outcome already found.
//
// What discards sets is the count of points (pointsflow.h): a maximum flow
// from the games to the teams tells whether every team can get what it may
// or must, team by team and for the kept set as a whole. Teams that leave the
// least to spare are decided first: they are the ones a set cannot hold many
// of, so the count rules out whole branches early. A set the count allows is
// then checked for a real outcome (pointsflow.h): a repaired outcome finds
// one that exists, a search over the results or the draws, each step
// checked by the flow, shows that none does. Everything a team can no
// longer choose is settled before: a team that has what it needs loses its
// games left, which only helps its rivals; a team that must win them all
// wins them.

namespace outlooksearch {
namespace {

using leaguepoints::Loss, leaguepoints::Win;

class Search
{
public:
    Search(const ContendersQuestion &question, Goal goal, SearchStop &stop, bool repair)
        : m_q(question)
        , m_goal(goal)
        , m_stop(stop)
        , m_teams(int(question.threshold.size()))
        , m_points(question, goal, repair)
    {
        m_degree.assign(m_teams, 0);
        m_mult.assign(std::size_t(m_teams) * m_teams, 0);
        for (const LeagueFixture &f : m_q.games) {
            ++m_degree[f.home];
            ++m_degree[f.away];
            ++m_mult[f.home * m_teams + f.away];
            ++m_mult[f.away * m_teams + f.home];
        }
        // By what each team has to spare (Reach: what its games can bring
        // beyond its need; StayWithin: its room beyond a draw in every
        // game). Reach decides the teams with the least to spare first: a
        // set can hold few of them, so the count of points rules out whole
        // branches early. StayWithin takes the teams with the most to spare
        // first: large kept sets come early, and the tight teams, decided
        // last, are where sets fail.
        std::vector<int> spare(m_teams);
        for (int j = 0; j < m_teams; ++j) {
            spare[j] =
                m_goal == Goal::Reach ? Win * m_degree[j] - m_q.threshold[j] : m_q.threshold[j] - 2 * m_degree[j];
        }
        m_order.resize(m_teams);
        std::iota(m_order.begin(), m_order.end(), 0);
        if (m_goal == Goal::Reach)
            std::stable_sort(m_order.begin(), m_order.end(), [&spare](int x, int y) { return spare[x] < spare[y]; });
        else
            std::stable_sort(m_order.begin(), m_order.end(), [&spare](int x, int y) { return spare[x] > spare[y]; });
    }

    Kept run(int known)
    {
        int lower = std::clamp(known, 0, m_teams);
        int upper = m_teams;
        std::vector<char> kept(m_teams, 0);
        while (upper > lower && !groupMayHold(kept, 0, upper))
            --upper;
        if (upper > lower) {
            // A kept set built team by team, the most to spare first: often
            // larger than the quick passes found, and cheap.
            const std::optional<int> built = buildSet();
            if (!built)
                return {lower, upper};
            lower = std::max(lower, *built);
        }
        // From the top, each size ruled out for good. A real outcome is
        // looked for with an allowance per set first, so that one set hard
        // to decide does not hide another easy to keep; the sets left
        // undecided are looked at again with sixteen times as much.
        while (upper > lower) {
            bool undecided = false;
            for (long long allowance = 4096;; allowance *= 16) {
                std::fill(kept.begin(), kept.end(), 0);
                undecided = false;
                const Verdict v = findSet(0, 0, kept, upper, allowance, undecided);
                if (v == Verdict::Stopped)
                    return {lower, upper};
                if (v == Verdict::Possible)
                    return {upper, upper};
                if (!undecided)
                    break;
            }
            --upper;
        }
        return {lower, lower};
    }

private:
    // The size of a kept set made by taking each team in turn, most to spare
    // first, when a real outcome (found within a small allowance) keeps it
    // with those taken before. Nothing when stopped.
    std::optional<int> buildSet()
    {
        std::vector<int> order = m_order;
        if (m_goal == Goal::Reach)
            std::reverse(order.begin(), order.end());
        std::vector<char> kept(m_teams, 0);
        int count = 0;
        for (int team : order) {
            if (m_stop.reached())
                return std::nullopt;
            kept[team] = 1;
            PointsBoard board = m_points.boardFor(kept);
            Verdict v = Verdict::Impossible;
            if (m_points.settleForced(board) && m_points.allows(board)) {
                long long allowance = 256;
                v = m_points.outcomeWithin(std::move(board), m_stop, allowance);
            }
            if (v == Verdict::Stopped)
                return std::nullopt;
            if (v == Verdict::Possible)
                ++count;
            else
                kept[team] = 0;
        }
        return count;
    }

    // A kept set of `target` teams holding the kept teams among the first k
    // of the order (left in `kept` when found). A set whose outcome was not
    // decided within the allowance counts as not kept, and says so.
    Verdict findSet(int k, int count, std::vector<char> &kept, int target, long long allowance, bool &undecided)
    {
        if (count == target)
            return Verdict::Possible;
        if (count + (m_teams - k) < target)
            return Verdict::Impossible;
        if (m_stop.reached())
            return Verdict::Stopped;
        if (!groupMayHold(kept, k, target))
            return Verdict::Impossible;
        const int team = m_order[k];
        kept[team] = 1;
        PointsBoard board = m_points.boardFor(kept);
        if (m_points.settleForced(board) && m_points.allows(board)) {
            Verdict v = Verdict::Possible;
            if (count + 1 == target) {
                long long budget = allowance;
                v = m_points.outcomeWithin(std::move(board), m_stop, budget);
                if (budget < 0)
                    undecided = true;
            }
            if (v == Verdict::Possible)
                v = findSet(k + 1, count + 1, kept, target, allowance, undecided);
            if (v != Verdict::Impossible)
                return v;
        }
        kept[team] = 0;
        return findSet(k + 1, count, kept, target, allowance, undecided);
    }

    // Whether a kept set of `target` teams can still hold the kept teams
    // among the first k of the order, by the count of points of the whole
    // set rather than team by team: the games inside a kept set hand out at
    // least 2 points each and at most 3, and a team plays inside the set at
    // least its games against the kept teams plus the fewest it can play
    // against the undecided ones that make up the number.
    bool groupMayHold(const std::vector<char> &kept, int k, int target) const
    {
        const int n = m_teams;
        std::vector<int> in;
        for (int i = 0; i < k; ++i) {
            if (kept[m_order[i]])
                in.push_back(m_order[i]);
        }
        const std::vector<int> open(m_order.begin() + k, m_order.end());
        const int q = target - int(in.size());
        if (q <= 0)
            return true;
        if (q > int(open.size()))
            return false;
        const int out = int(open.size()) - q;
        std::vector<int> row;
        // Games of j against the open teams kept with it: at least all but
        // the largest `out` of them, at most the largest `upTo`.
        const auto againstOpen = [&](int j, int upTo) {
            row.clear();
            int all = 0;
            for (int x : open) {
                if (x != j) {
                    row.push_back(m_mult[j * n + x]);
                    all += row.back();
                }
            }
            std::sort(row.begin(), row.end(), std::greater<>());
            const auto largest = [&](int count) {
                return std::accumulate(row.begin(), row.begin() + std::clamp(count, 0, int(row.size())), 0);
            };
            return std::pair{all - largest(out), largest(upTo)};
        };
        const auto gamesWithIn = [&](int j) {
            int g = 0;
            for (int x : in)
                g += m_mult[j * n + x];
            return g;
        };
        std::vector<long long> value;
        long long total = 0;
        if (m_goal == Goal::Reach) {
            // In units of a sixth of a game: each kept team can go without
            // 6 a game minus what it needs, and a game inside the set takes
            // 6 of the set's spare units.
            const auto spare = [&](int j) { return 6LL * m_degree[j] - PointsFlow::unitsToReach(m_q.threshold[j]); };
            for (int j : in)
                total += 3LL * gamesWithIn(j) - spare(j);
            for (int j : open)
                value.push_back(6LL * gamesWithIn(j) - spare(j) + 3LL * againstOpen(j, 0).first);
            std::sort(value.begin(), value.end());
            return total + std::accumulate(value.begin(), value.begin() + q, 0LL) <= 0;
        }
        // StayWithin: the 2 units each game inside the set hands out against
        // what its teams can absorb; a team's share past one unit a game
        // depends on how many games it plays inside, taken at its best.
        const auto spare = [&](int j, int lo, int hi) {
            long long best = LLONG_MIN;
            for (int d = lo; d <= hi; ++d)
                best = std::max(best, PointsFlow::unitsWithin(m_q.threshold[j], d) - d);
            return best;
        };
        for (int j : in) {
            const auto [least, most] = againstOpen(j, q);
            const int g = gamesWithIn(j);
            total += spare(j, g + least, g + most);
        }
        for (int j : open) {
            const auto [least, most] = againstOpen(j, q - 1);
            const int g = gamesWithIn(j);
            value.push_back(spare(j, g + least, g + std::max(least, most)));
        }
        std::sort(value.begin(), value.end(), std::greater<>());
        return total + std::accumulate(value.begin(), value.begin() + q, 0LL) >= 0;
    }

    const ContendersQuestion &m_q;
    Goal m_goal;
    SearchStop &m_stop;
    int m_teams;
    PointsFlow m_points;
    std::vector<int> m_order;
    std::vector<int> m_degree; // games of each team
    std::vector<int> m_mult;   // games between two teams, n by n
};

} // namespace

Kept mostKept(const ContendersQuestion &question, Goal goal, int known, SearchStop &stop, bool repair)
{
    return Search(question, goal, stop, repair).run(known);
}

} // namespace outlooksearch
