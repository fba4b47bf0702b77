#include "standings/core/outlooksearch.h"

#include "standings/core/leaguepoints.h"

#include <algorithm>
#include <array>
#include <climits>
#include <numeric>

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
// What discards them is the count of points: the games still open hand out
// at least 2 points each (a draw) and at most 3 (a win), and a maximum flow
// from the games to the teams tells whether every team can get what it may
// or must (flowAllows says how the points are counted, so that a team's
// need or room that a whole number of wins and draws cannot meet exactly is
// paid for). That is a necessary condition, cheap to check, and in practice
// close to the real one: a first pass finds the largest set the flow allows,
// which bounds the answer; the second looks among the sets the flow allows,
// largest first, for one that a real outcome keeps, settling game after game
// (also checked by the flow at each step). Everything a team can no longer
// choose is settled before each step: a team that has what it needs loses
// its games left, which only helps its rivals; a team that must win them all
// wins them.

namespace outlooksearch {
namespace {

// Written for 3/1/0 points (see leaguepoints.h): the units of the flow below
// and the outcomes tried are those of a win, a draw and a loss.
using leaguepoints::Draw, leaguepoints::Loss, leaguepoints::Win;

// A maximum flow (Dinic) on a network of a few hundred nodes, rebuilt for
// each check with its memory kept.
class Network
{
public:
    void reset(int nodes)
    {
        m_head.assign(nodes, -1);
        m_edges.clear();
    }
    // Returns the edge, whose flow flowOn() tells after maxFlow().
    int add(int from, int to, int capacity)
    {
        m_edges.push_back({to, capacity, m_head[from]});
        m_head[from] = int(m_edges.size()) - 1;
        m_edges.push_back({from, 0, m_head[to]});
        m_head[to] = int(m_edges.size()) - 1;
        return int(m_edges.size()) - 2;
    }
    int flowOn(int edge) const { return m_edges[edge ^ 1].capacity; }
    int maxFlow(int source, int sink)
    {
        int flow = 0;
        while (levels(source, sink)) {
            m_current = m_head;
            while (const int pushed = push(source, sink, INT_MAX))
                flow += pushed;
        }
        return flow;
    }

private:
    struct Edge
    {
        int to;
        int capacity;
        int next;
    };

    bool levels(int source, int sink)
    {
        m_level.assign(m_head.size(), -1);
        m_queue.clear();
        m_queue.push_back(source);
        m_level[source] = 0;
        for (std::size_t i = 0; i < m_queue.size(); ++i) {
            const int node = m_queue[i];
            for (int e = m_head[node]; e >= 0; e = m_edges[e].next) {
                if (m_edges[e].capacity > 0 && m_level[m_edges[e].to] < 0) {
                    m_level[m_edges[e].to] = m_level[node] + 1;
                    m_queue.push_back(m_edges[e].to);
                }
            }
        }
        return m_level[sink] >= 0;
    }

    int push(int node, int sink, int limit)
    {
        if (node == sink)
            return limit;
        for (int &e = m_current[node]; e >= 0; e = m_edges[e].next) {
            Edge &edge = m_edges[e];
            if (edge.capacity <= 0 || m_level[edge.to] != m_level[node] + 1)
                continue;
            if (const int pushed = push(edge.to, sink, std::min(limit, edge.capacity))) {
                edge.capacity -= pushed;
                m_edges[e ^ 1].capacity += pushed;
                return pushed;
            }
        }
        return 0;
    }

    std::vector<Edge> m_edges;
    std::vector<int> m_head;
    std::vector<int> m_current;
    std::vector<int> m_level;
    std::vector<int> m_queue;
};

// Where one kept set stands: the points each kept team still needs (Reach)
// or may still take (StayWithin), and the games among kept teams not settled
// yet.
struct Board
{
    std::vector<int> room;
    std::vector<int> open;
};

enum class Verdict { Possible, Impossible, Stopped };

class Search
{
public:
    Search(const ContendersQuestion &question, Goal goal, SearchStop &stop)
        : m_q(question)
        , m_goal(goal)
        , m_stop(stop)
        , m_teams(int(question.threshold.size()))
        , m_homeEdge(question.games.size(), -1)
        , m_awayEdge(question.games.size(), -1)
        , m_leaning(question.games.size(), 0)
    {
        // Teams most likely to be kept first, so that large kept sets come
        // early: those with the most points to spare (Reach: what their
        // games can bring beyond their need; StayWithin: their room beyond
        // a draw in every game).
        std::vector<int> games(m_teams, 0);
        for (const LeagueFixture &f : m_q.games) {
            ++games[f.home];
            ++games[f.away];
        }
        std::vector<int> spare(m_teams);
        for (int j = 0; j < m_teams; ++j)
            spare[j] = m_goal == Goal::Reach ? Win * games[j] - m_q.threshold[j] : m_q.threshold[j] - 2 * games[j];
        m_order.resize(m_teams);
        std::iota(m_order.begin(), m_order.end(), 0);
        std::stable_sort(m_order.begin(), m_order.end(), [&spare](int x, int y) { return spare[x] > spare[y]; });
    }

    Kept run(int known)
    {
        const int n = m_teams;
        m_best = std::clamp(known, 0, n);
        // First pass: the largest set the count of points allows bounds the answer.
        m_bound = m_best;
        std::vector<char> kept(n, 0);
        m_checkExactly = false;
        if (!grow(0, 0, kept, m_bound))
            return {m_best, n};
        if (m_bound == m_best)
            return {m_best, m_best};
        // Second pass: the largest set a real outcome keeps, if larger than known.
        m_checkExactly = true;
        std::fill(kept.begin(), kept.end(), 0);
        if (!grow(0, 0, kept, m_best))
            return {m_best, m_bound};
        return {m_best, m_best};
    }

private:
    // Sets containing the kept teams among the first k of the order; `best`
    // rises with each larger set accepted. In the second pass a set is
    // checked for a real outcome as soon as it is larger than the best one:
    // when it has none, no larger set holding it has one either. False when
    // stopped.
    bool grow(int k, int count, std::vector<char> &kept, int &best)
    {
        // Nothing larger down here, or (second pass) nothing larger at all.
        if (count + (m_teams - k) <= best || (m_checkExactly && best >= m_bound))
            return true;
        if (m_stop.reached())
            return false;
        if (k == m_teams) {
            best = std::max(best, count);
            return true;
        }
        const int team = m_order[k];
        kept[team] = 1;
        Board board = boardFor(kept);
        bool allowed = settleForced(board) && flowAllows(board);
        if (allowed && m_checkExactly && count + 1 > best) {
            const Verdict v = solvable(std::move(board));
            if (v == Verdict::Stopped)
                return false;
            allowed = v == Verdict::Possible;
            if (allowed)
                best = count + 1;
        }
        if (allowed && !grow(k + 1, count + 1, kept, best))
            return false;
        kept[team] = 0;
        return grow(k + 1, count, kept, best);
    }

    // The kept teams' rooms once their games against the teams left out go
    // their way.
    Board boardFor(const std::vector<char> &kept) const
    {
        Board b;
        b.room.assign(m_teams, 0);
        for (int j = 0; j < m_teams; ++j) {
            if (kept[j])
                b.room[j] = m_q.threshold[j];
        }
        for (int g = 0; g < int(m_q.games.size()); ++g) {
            const int h = m_q.games[g].home;
            const int a = m_q.games[g].away;
            if (kept[h] && kept[a])
                b.open.push_back(g);
            else if (m_goal == Goal::Reach && (kept[h] || kept[a]))
                b.room[kept[h] ? h : a] -= Win;
        }
        return b;
    }

    static void take(Board &b, std::size_t at, int home, int away, const LeagueFixture &f)
    {
        b.room[f.home] -= home;
        b.room[f.away] -= away;
        b.open[at] = b.open.back();
        b.open.pop_back();
    }

    // Settles the games whose outcome a team no longer chooses; false when a
    // kept team cannot make it any more.
    bool settleForced(Board &b) const
    {
        std::vector<int> games(m_teams, 0);
        for (bool changed = true; changed;) {
            changed = false;
            std::fill(games.begin(), games.end(), 0);
            for (int g : b.open) {
                ++games[m_q.games[g].home];
                ++games[m_q.games[g].away];
            }
            for (std::size_t i = 0; i < b.open.size();) {
                const LeagueFixture &f = m_q.games[b.open[i]];
                const int settled = forcedWinner(b, games, f);
                if (settled < 0) {
                    ++i;
                    continue;
                }
                take(b, i, settled == f.home ? Win : Loss, settled == f.away ? Win : Loss, f);
                --games[f.home];
                --games[f.away];
                changed = true;
            }
        }
        for (int j = 0; j < m_teams; ++j) {
            if (m_goal == Goal::Reach ? b.room[j] > Win * games[j] : b.room[j] < 0)
                return false;
        }
        return true;
    }

    // The team that wins game f whatever the search would try, or -1.
    int forcedWinner(const Board &b, const std::vector<int> &games, const LeagueFixture &f) const
    {
        for (const auto &[team, rival] : {std::pair{f.home, f.away}, std::pair{f.away, f.home}}) {
            const int room = b.room[team];
            if (m_goal == Goal::Reach) {
                if (room <= 0)
                    return rival; // has what it needs: the rival may as well win
                if (room >= Win * games[team])
                    return team; // needs every point left
            } else {
                if (room >= Win * games[team])
                    return team; // can take everything: its rivals gain nothing
                if (room == 0)
                    return rival; // may not take a single point
            }
        }
        return -1;
    }

    // Whether the open games can hand out what the kept teams need, or must
    // take, counted as a flow from the games to the teams.
    //
    // Reach counts in sixths of a game: a win brings its winner 6 units, a
    // draw 3 to each side (two for the point, one for the point the draw
    // loses). A team that needs r points gets 2r units from wins and draws
    // that add up to exactly r, but a team whose need is not a multiple of 3
    // pays for it: with r = 3q + 1 it draws once (2r + 1 units) or wins one
    // more game (2r + 4); with r = 3q + 2 it draws twice or wins once more
    // (2r + 2 either way, at least). So a team asks 2r, 2r + 1 or 2r + 2.
    //
    // StayWithin counts a win as 2 units and a draw as 1 on each side: every
    // game hands out at least 2. A team with room c and k games takes at
    // most c units (a unit costs it at least a point), and at most
    // k + (c - k) / 2 when c passes k: past one unit a game, each more unit
    // turns a draw into a win, which costs two points more.
    bool flowAllows(const Board &b)
    {
        if (b.open.empty())
            return true;
        const int games = int(b.open.size());
        const int source = 0;
        const int sink = 1;
        const auto teamNode = [games](int j) { return 2 + games + j; };
        m_network.reset(2 + games + m_teams);
        std::vector<int> gamesOf(m_teams, 0);
        const bool reach = m_goal == Goal::Reach;
        for (int i = 0; i < games; ++i) {
            const LeagueFixture &f = m_q.games[b.open[i]];
            m_network.add(source, 2 + i, reach ? 6 : 2);
            for (int team : {f.home, f.away}) {
                ++gamesOf[team];
                const int edge = m_network.add(2 + i, teamNode(team), reach ? 6 : (b.room[team] >= 3 ? 2 : 1));
                (team == f.home ? m_homeEdge : m_awayEdge)[b.open[i]] = edge;
            }
        }
        int wanted = reach ? 0 : 2 * games;
        for (int team = 0; team < m_teams; ++team) {
            if (gamesOf[team] == 0)
                continue;
            const int room = std::max(0, b.room[team]);
            if (reach) {
                const int units = 2 * room + room % 3;
                m_network.add(teamNode(team), sink, units);
                wanted += units;
            } else {
                const int k = gamesOf[team];
                m_network.add(teamNode(team), sink, room <= k ? room : std::min(2 * k, k + (room - k) / 2));
            }
        }
        if (m_network.maxFlow(source, sink) < wanted)
            return false;
        // How the flow shares each game out: the outcome the search tries first.
        for (int g : b.open)
            m_leaning[g] = m_network.flowOn(m_homeEdge[g]) - m_network.flowOn(m_awayEdge[g]);
        return true;
    }

    // Whether one outcome of the open games keeps every kept team: settles
    // one game at a time, most constrained team first.
    Verdict solvable(Board b)
    {
        if (m_stop.reached())
            return Verdict::Stopped;
        if (!settleForced(b))
            return Verdict::Impossible;
        if (b.open.empty())
            return Verdict::Possible;
        if (!flowAllows(b))
            return Verdict::Impossible;

        const std::size_t at = mostConstrainedGame(b);
        const LeagueFixture &f = m_q.games[b.open[at]];
        // First the outcome nearest to the flow's share of the game (most of
        // its units to one side: a win; about even: a draw); then, the team
        // that needs more (Reach) or has more room (StayWithin) before the other.
        const int winUnits = m_goal == Goal::Reach ? 3 : 2;
        const int lean = m_leaning[b.open[at]];
        const int first = lean >= winUnits                   ? Win
                          : lean <= -winUnits                ? Loss
                          : b.room[f.home] >= b.room[f.away] ? Win
                                                             : Loss;
        std::array<std::pair<int, int>, 3> outcomes = {std::pair{first, Win - first}, std::pair{Draw, Draw},
                                                       std::pair{Win - first, first}};
        if (lean > -winUnits && lean < winUnits)
            std::swap(outcomes[0], outcomes[1]);
        for (const auto &[home, away] : outcomes) {
            Board next = b;
            take(next, at, home, away, f);
            const Verdict v = solvable(std::move(next));
            if (v != Verdict::Impossible)
                return v;
        }
        return Verdict::Impossible;
    }

    // A game of the team with the least margin: Reach, the fewest points it
    // can still do without; StayWithin, the least room.
    std::size_t mostConstrainedGame(const Board &b) const
    {
        std::vector<int> games(m_teams, 0);
        for (int g : b.open) {
            ++games[m_q.games[g].home];
            ++games[m_q.games[g].away];
        }
        const auto margin = [&](int team) {
            return m_goal == Goal::Reach ? Win * games[team] - b.room[team] : b.room[team];
        };
        std::size_t chosen = 0;
        int chosenMargin = INT_MAX;
        for (std::size_t i = 0; i < b.open.size(); ++i) {
            const LeagueFixture &f = m_q.games[b.open[i]];
            const int m = std::min(margin(f.home), margin(f.away));
            if (m < chosenMargin) {
                chosen = i;
                chosenMargin = m;
            }
        }
        return chosen;
    }

    const ContendersQuestion &m_q;
    Goal m_goal;
    SearchStop &m_stop;
    int m_teams;
    std::vector<int> m_order;
    Network m_network;
    // By game: its edges to its teams in the last flow, and the units it
    // gave the home side minus those it gave the away side.
    std::vector<int> m_homeEdge;
    std::vector<int> m_awayEdge;
    std::vector<int> m_leaning;
    int m_best = 0;
    int m_bound = 0;
    bool m_checkExactly = false;
};

} // namespace

Kept mostKept(const ContendersQuestion &question, Goal goal, int known, SearchStop &stop)
{
    return Search(question, goal, stop).run(known);
}

} // namespace outlooksearch
