#include "standings/core/rankoutlook.h"

#include "standings/core/leaguepoints.h"
#include "standings/core/outlooksearch.h"
#include "standings/core/outlookwitness.h"

#include <algorithm>
#include <numeric>

// Why the answers are exact.
//
// Best rank of team t. Changing one of t's results in t's favour gives t
// more points and its opponent fewer, so no outcome does better for t than
// one where t wins every game left; its final points T are then known. What
// remains is to keep as few other teams as possible above T.
//  - A team already above T is above whatever happens.
//  - A team that cannot pass T even if it wins every game it could still win
//    is "safe". Give it the games against teams still in doubt: they gain
//    nothing from them, which can only help, and it stays at or below T.
//    Games between two safe teams go to the one found safe first, whose
//    bound counted them. Setting those teams aside can make another team
//    safe, so this runs until nothing changes.
//  - The teams left (contenders) gain only from the games among themselves;
//    each may gain at most T minus its points. The fewest that must gain
//    more is the answer's core, searched exactly (outlooksearch.h), and
//    separately for each group of contenders linked by games, since groups
//    share no game.
// Worst rank is the mirror: t loses every game, T is its points now, its
// opponents get 3 each; teams sure to reach T get their games against
// doubtful teams taken from them, teams that cannot reach T lose theirs, and
// the search counts the most contenders that can reach T together.
//
// Before the search, quick passes build real outcomes for each group
// (outlookwitness.h). When one already keeps every contender at or below T
// (best) or brings every contender to T (worst) it meets the bound that no
// outcome can beat, so there is nothing to search. Otherwise the search
// only looks for an outcome better than the one found.
//
// A search stopped by its allowance of work or by the caller leaves two
// proven counts: the most kept that an outcome was found for, and the
// fewest no outcome was shown to beat. Each side of the range takes the one
// that keeps it true, so the range is the narrowest proven, and never wider.

namespace {

using leaguepoints::Win;

struct Reduction
{
    int counted = 0; // teams on the counted side whatever happens
    ContendersQuestion question;
};

class League
{
public:
    explicit League(const OutlookProblem &problem)
        : m_points(problem.points)
        , m_position(problem.tablePosition)
        , m_gamesOf(problem.points.size())
    {
        const int n = int(m_points.size());
        if (int(m_position.size()) != n)
            m_position.clear();
        for (const LeagueFixture &f : problem.remaining) {
            // A fixture naming a team outside the league, or a team against
            // itself, changes nobody's rank.
            if (f.home < 0 || f.home >= n || f.away < 0 || f.away >= n || f.home == f.away)
                continue;
            m_gamesOf[f.home].push_back(int(m_games.size()));
            m_gamesOf[f.away].push_back(int(m_games.size()));
            m_games.push_back(f);
        }
    }

    int teamCount() const { return int(m_points.size()); }

    Reduction forBest(int t) const
    {
        const int n = teamCount();
        const int top = m_points[t] + Win * int(m_gamesOf[t].size());
        enum Fate { Open, Above, Safe };
        std::vector<Fate> fate(n, Open);
        Reduction r;
        for (int j = 0; j < n; ++j) {
            if (j != t && (m_points[j] > top || (m_points[j] == top && knownAhead(j, t)))) {
                fate[j] = Above;
                ++r.counted;
            }
        }
        fate[t] = Safe; // t's games are settled: t wins them
        for (bool changed = true; changed;) {
            changed = false;
            for (int j = 0; j < n; ++j) {
                if (fate[j] == Open && m_points[j] + Win * gamesAgainst(j, fate, Open) <= top) {
                    fate[j] = Safe;
                    changed = true;
                }
            }
        }
        collect(fate, Open, r.question, [&](int j) { return top - m_points[j]; });
        return r;
    }

    Reduction forWorst(int t) const
    {
        const int n = teamCount();
        const int line = m_points[t];
        enum Fate { Open, Reaches, Cannot };
        std::vector<Fate> fate(n, Open);
        std::vector<int> sure(m_points); // points certain once t has lost everything
        for (int g : m_gamesOf[t])
            sure[other(g, t)] += Win;
        Reduction r;
        fate[t] = Cannot; // t's games are settled: t loses them
        for (int j = 0; j < n; ++j) {
            if (j == t)
                continue;
            if (sure[j] > line || (sure[j] == line && !knownAhead(t, j))) {
                fate[j] = Reaches;
                ++r.counted;
            } else if (sure[j] == line || sure[j] + Win * (int(m_gamesOf[j].size()) - gamesWith(j, t)) < line) {
                fate[j] = Cannot;
            }
        }
        // A doubtful team wins its games against teams already settled (t
        // apart, whose games are already counted).
        const auto settled = [&](int j) {
            return int(m_gamesOf[j].size()) - gamesAgainst(j, fate, Open) - gamesWith(j, t);
        };
        for (bool changed = true; changed;) {
            changed = false;
            for (int j = 0; j < n; ++j) {
                if (fate[j] == Open && sure[j] + Win * settled(j) >= line) {
                    fate[j] = Reaches;
                    ++r.counted;
                    changed = true;
                }
            }
        }
        collect(fate, Open, r.question, [&](int j) { return line - sure[j] - Win * settled(j); });
        return r;
    }

    // Whether b's range is a's: the same points and the same number of
    // games left, whoever they play. In a's best outcome b may as well win
    // every game it does not play against a: it stays level with a at most,
    // and its opponents gain nothing. Then a and b trading the results of
    // their games with each other, and nothing else, is b's best outcome
    // with the same teams above, none of whose points moved. The worst rank
    // is the mirror (every game lost). A finished team's rank may hang on
    // its place in the table, so only teams with games left.
    bool twins(int a, int b) const
    {
        return m_points[a] == m_points[b] && !m_gamesOf[a].empty() && m_gamesOf[a].size() == m_gamesOf[b].size();
    }

private:
    // Whether `a` finishes ahead of `b` whatever happens although they are
    // level on points: both have played everything and no team with games
    // left can come level with them, so nothing can change their keys.
    bool knownAhead(int a, int b) const
    {
        if (m_position.empty() || !m_gamesOf[a].empty() || !m_gamesOf[b].empty() || m_points[a] != m_points[b])
            return false;
        if (m_position[a] >= m_position[b])
            return false;
        for (int k = 0; k < teamCount(); ++k) {
            const int games = int(m_gamesOf[k].size());
            const int gain = m_points[a] - m_points[k];
            // Any gain from 0 to a win per game, except one short of winning them all.
            if (games > 0 && gain >= 0 && gain <= Win * games && gain != Win * games - 1)
                return false;
        }
        return true;
    }

    int other(int game, int team) const
    {
        const LeagueFixture &f = m_games[game];
        return f.home == team ? f.away : f.home;
    }

    // Games of j against teams of the given fate.
    template <typename Fates, typename Fate>
    int gamesAgainst(int j, const Fates &fate, Fate wanted) const
    {
        return int(std::count_if(m_gamesOf[j].begin(), m_gamesOf[j].end(),
                                 [&](int g) { return fate[other(g, j)] == wanted; }));
    }

    int gamesWith(int j, int team) const
    {
        return int(std::count_if(m_gamesOf[j].begin(), m_gamesOf[j].end(), [&](int g) { return other(g, j) == team; }));
    }

    template <typename Fates, typename Fate, typename Threshold>
    void collect(const Fates &fate, Fate open, ContendersQuestion &q, Threshold threshold) const
    {
        const int n = teamCount();
        std::vector<int> index(n, -1);
        for (int j = 0; j < n; ++j) {
            if (fate[j] == open) {
                index[j] = int(q.threshold.size());
                q.threshold.push_back(threshold(j));
            }
        }
        for (const LeagueFixture &f : m_games) {
            if (index[f.home] >= 0 && index[f.away] >= 0)
                q.games.push_back({index[f.home], index[f.away]});
        }
    }

    std::vector<int> m_points;
    std::vector<int> m_position;
    std::vector<LeagueFixture> m_games;
    std::vector<std::vector<int>> m_gamesOf;
};

// Groups of contenders linked by games: they share no game, so each group's
// answer adds up to the whole one.
std::vector<ContendersQuestion> groups(const ContendersQuestion &q)
{
    const int n = int(q.threshold.size());
    std::vector<int> parent(n);
    std::iota(parent.begin(), parent.end(), 0);
    const auto root = [&parent](int x) {
        while (parent[x] != x)
            x = parent[x] = parent[parent[x]];
        return x;
    };
    for (const LeagueFixture &f : q.games)
        parent[root(f.home)] = root(f.away);

    std::vector<int> groupOf(n, -1);
    std::vector<int> indexInGroup(n, -1);
    std::vector<ContendersQuestion> result;
    for (int j = 0; j < n; ++j) {
        const int r = root(j);
        if (groupOf[r] < 0) {
            groupOf[r] = int(result.size());
            result.emplace_back();
        }
        ContendersQuestion &g = result[groupOf[r]];
        indexInGroup[j] = int(g.threshold.size());
        g.threshold.push_back(q.threshold[j]);
    }
    for (const LeagueFixture &f : q.games)
        result[groupOf[root(f.home)]].games.push_back({indexInGroup[f.home], indexInGroup[f.away]});
    return result;
}

// The number of teams on the counted side of one of a team's ranks (above
// it, or level with it), known between two numbers.
struct Count
{
    int least = 0;
    int most = 0;
    RangeState state = RangeState::Final;
};

// The state that says least of the two (the states are in that order).
RangeState weaker(RangeState a, RangeState b)
{
    return std::max(a, b);
}

// Adds one group's search to a count: `kept` contenders of `size`, counted
// as they are (level with the team) or by their complement (above it).
void addSearched(Count &c, const outlooksearch::Kept &kept, int size, int known, bool complement, SearchStop &stop,
                 OutlookSolveStats &stats)
{
    if (!(0 <= known && known <= kept.found && kept.found <= kept.bound && kept.bound <= size)) {
        // Only the number of contenders says anything now.
        ++stats.failures;
        c.most += size;
        c.state = weaker(c.state, RangeState::Failed);
        return;
    }
    c.least += complement ? size - kept.bound : kept.found;
    c.most += complement ? size - kept.found : kept.bound;
    if (!kept.exact()) {
        ++stats.outOfTime;
        c.state = weaker(c.state, stop.cancelled() ? RangeState::Cancelled : RangeState::OutOfTime);
    }
}

Count fewestAbove(const Reduction &r, const OutlookSolveOptions &options, SearchStop &stop, OutlookSolveStats &stats)
{
    Count c{r.counted, r.counted};
    bool searched = false;
    for (const ContendersQuestion &g : groups(r.question)) {
        const int size = int(g.threshold.size());
        const int found = options.shortcuts ? outlookwitness::fewestAboveFound(g) : size;
        // Nobody over is a bound no outcome beats.
        if (found == 0)
            continue;
        searched = true;
        const outlooksearch::Kept kept =
            outlooksearch::mostKept(g, outlooksearch::Goal::StayWithin, size - found, stop, options.shortcuts);
        addSearched(c, kept, size, size - found, true, stop, stats);
    }
    ++(searched ? stats.searched : stats.decidedByBounds);
    return c;
}

Count mostLevel(const Reduction &r, const OutlookSolveOptions &options, SearchStop &stop, OutlookSolveStats &stats)
{
    Count c{r.counted, r.counted};
    bool searched = false;
    for (const ContendersQuestion &g : groups(r.question)) {
        const int size = int(g.threshold.size());
        const int found = options.shortcuts ? outlookwitness::mostReachingFound(g) : 0;
        // Everyone reaching is a bound no outcome beats.
        if (found == size) {
            c.least += size;
            c.most += size;
            continue;
        }
        searched = true;
        const outlooksearch::Kept kept =
            outlooksearch::mostKept(g, outlooksearch::Goal::Reach, found, stop, options.shortcuts);
        addSearched(c, kept, size, found, false, stop, stats);
    }
    ++(searched ? stats.searched : stats.decidedByBounds);
    return c;
}

} // namespace

std::vector<RankRange> solveRankRanges(const OutlookProblem &problem, const OutlookSolveOptions &options,
                                       OutlookSolveStats *stats)
{
    const League league(problem);
    const int n = league.teamCount();
    std::vector<RankRange> result(n);
    OutlookSolveStats local;

    for (int t = 0; t < n; ++t) {
        if (options.cancel && options.cancel->load()) {
            result[t] = {1, n, RangeState::Cancelled};
            continue;
        }
        // Teams level on points with as many games left share their range.
        const auto twin = std::find_if(result.begin(), result.begin() + t,
                                       [&](const RankRange &r) { return league.twins(int(&r - result.data()), t); });
        if (twin != result.begin() + t) {
            result[t] = *twin;
            continue;
        }
        // Each question gets its own allowance, within what the table has left.
        const auto allowance = [&] {
            return std::max(0LL, std::min(options.workLimit, options.tableWorkLimit - local.work));
        };
        SearchStop bestStop(options.cancel, allowance(), &options.onStep);
        const Count above = fewestAbove(league.forBest(t), options, bestStop, local);
        local.work += bestStop.steps();
        SearchStop worstStop(options.cancel, allowance(), &options.onStep);
        const Count level = mostLevel(league.forWorst(t), options, worstStop, local);
        local.work += worstStop.steps();
        local.mostTeamWork = std::max(local.mostTeamWork, bestStop.steps() + worstStop.steps());
        result[t] = {1 + above.least, 1 + level.most, weaker(above.state, level.state)};
        // Bounds that meet leave one rank: that is the exact answer.
        if (result[t].state == RangeState::OutOfTime && result[t].best == result[t].worst)
            result[t].state = RangeState::Final;
    }
    if (stats) {
        stats->decidedByBounds += local.decidedByBounds;
        stats->searched += local.searched;
        stats->outOfTime += local.outOfTime;
        stats->failures += local.failures;
        stats->work += local.work;
        stats->mostTeamWork = std::max(stats->mostTeamWork, local.mostTeamWork);
    }
    return result;
}
