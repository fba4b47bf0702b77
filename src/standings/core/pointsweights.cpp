#include "standings/core/pointsweights.h"

#include <algorithm>
#include <array>

// Why the weights prove something.
//
// Give each team j a weight w_j >= 0. An outcome keeping every team within
// its room has sum over teams of w_j * (points of j) <= sum of w_j * room_j.
// A game between h and a adds w_h * 3 (h wins), w_a * 3 (a wins) or
// w_h + w_a (a draw) to the left side, so at least min(3 w_h, 3 w_a,
// w_h + w_a) whatever its result. Weights whose game minimums add up to more
// than the weighted rooms leave no outcome. (They are the multipliers that
// show the fractional relaxation empty; with weights all 1 it is the count
// of the flow of units, two points a game at least.)
//
// The best weights can be taken among powers of two and zero: the minimum
// changes form only where one weight is twice the other. Over those, the
// weighted count is a sum of terms on one team and on two teams, and each
// two-team term is submodular in the teams' levels (a level chosen per team
// along the chain 16, 8, 4, 2, 1, 0), so the best levels are a minimum cut of
// a network with a chain of nodes per team (Ishikawa's construction). The
// levels found are checked by the count itself, in whole numbers.

namespace outlooksearch {

namespace {

constexpr int Levels = 6;
constexpr std::array<int, Levels> Weight = {16, 8, 4, 2, 1, 0};
constexpr int Unbounded = 1 << 28;

int gameMinimum(int a, int b)
{
    const int x = Weight[a];
    const int y = Weight[b];
    return std::min({3 * x, 3 * y, x + y});
}

} // namespace

PointsWeights::PointsWeights(const ContendersQuestion &question)
    : m_q(question)
{}

// What one game between x and y adds to the cost to minimise (minus its
// minimum), split as the construction needs it: a table by level of x, one by
// level of y, and edges from y's chain to x's with the second differences.
struct GameTerms
{
    std::array<int, Levels> first{};
    std::array<int, Levels> second{};
    struct Edge
    {
        int from; // level of y
        int to;   // level of x
        int capacity;
    };
    std::vector<Edge> edges;
};

const GameTerms &gameTerms()
{
    static const GameTerms terms = [] {
        GameTerms t;
        const auto pair = [](int a, int b) { return -gameMinimum(a, b); };
        for (int level = 0; level < Levels; ++level) {
            t.first[level] = pair(level, 0) - pair(0, 0);
            t.second[level] = pair(0, level);
        }
        for (int a = 1; a < Levels; ++a) {
            for (int b = 1; b < Levels; ++b) {
                // d <= 0 (the terms are submodular): d when x is at a or
                // lower and y at b or lower, that is d when x is, less d
                // when x is and y is not.
                const int d = pair(a, b) - pair(a - 1, b) - pair(a, b - 1) + pair(a - 1, b - 1);
                for (int level = a; level < Levels; ++level)
                    t.first[level] += d;
                if (d < 0)
                    t.edges.push_back({b, a, -d});
            }
        }
        return t;
    }();
    return terms;
}

bool PointsWeights::rulesOut(const std::vector<int> &room, const std::vector<int> &open)
{
    const int teams = int(room.size());
    // The levels of the board before often rule this one out: a board
    // after a result has the same count less that game's minimum, plus the
    // weighted points the result handed out, never less.
    if (int(m_level.size()) == teams && excess(room, open) > 0)
        return true;
    std::vector<int> games(std::size_t(teams) * teams, 0);
    std::vector<int> index(teams, -1);
    std::vector<int> playing;
    for (int g : open) {
        const LeagueFixture &f = m_q.games[g];
        const auto [x, y] = std::minmax(f.home, f.away);
        ++games[std::size_t(x) * teams + y];
        for (int team : {f.home, f.away}) {
            if (index[team] < 0) {
                index[team] = int(playing.size());
                playing.push_back(team);
            }
        }
    }
    const int n = int(playing.size());
    if (n == 0)
        return false;
    // The cost to minimise is the weighted rooms less the game minimums: a
    // table by team of its cost at each level, and edges between the
    // teams' chains for what depends on two levels at once.
    std::vector<std::array<long long, Levels>> cost(n);
    for (int i = 0; i < n; ++i) {
        for (int level = 0; level < Levels; ++level)
            cost[i][level] = static_cast<long long>(Weight[level]) * room[playing[i]];
    }
    const int source = 0;
    const int sink = 1;
    // Node of "team i is at level `level` or lower in weight" (level >= 1).
    const auto node = [](int i, int level) { return 2 + i * (Levels - 1) + level - 1; };
    m_network.reset(2 + n * (Levels - 1));
    const GameTerms &terms = gameTerms();
    for (int x = 0; x < teams; ++x) {
        for (int y = x + 1; y < teams; ++y) {
            const int count = games[std::size_t(x) * teams + y];
            if (count == 0)
                continue;
            const int ix = index[x];
            const int iy = index[y];
            for (int level = 0; level < Levels; ++level) {
                cost[ix][level] += count * terms.first[level];
                cost[iy][level] += count * terms.second[level];
            }
            for (const GameTerms::Edge &e : terms.edges)
                m_network.add(node(iy, e.from), node(ix, e.to), count * e.capacity);
        }
    }
    long long constant = 0;
    for (int i = 0; i < n; ++i) {
        constant += cost[i][0];
        for (int level = 1; level < Levels; ++level) {
            const long long step = cost[i][level] - cost[i][level - 1];
            if (step > 0) {
                m_network.add(source, node(i, level), int(step));
            } else if (step < 0) {
                constant += step;
                m_network.add(node(i, level), sink, int(-step));
            }
            if (level + 1 < Levels)
                m_network.add(node(i, level), node(i, level + 1), Unbounded);
        }
    }
    const bool below = constant + m_network.run(source, sink) < 0;
    // The levels of the cut, kept for the next board, and checked by the
    // count itself.
    m_level.assign(teams, Levels - 1);
    for (int i = 0; i < n; ++i) {
        int level = 0;
        for (int l = 1; l < Levels; ++l)
            level += m_network.onSourceSide(node(i, l)) ? 0 : 1;
        m_level[playing[i]] = level;
    }
    return below && excess(room, open) > 0;
}

// The weighted count with the levels kept: the game minimums less the
// weighted rooms, in whole numbers.
long long PointsWeights::excess(const std::vector<int> &room, const std::vector<int> &open) const
{
    long long total = 0;
    std::vector<char> playing(room.size(), 0);
    for (int g : open) {
        const LeagueFixture &f = m_q.games[g];
        total += gameMinimum(m_level[f.home], m_level[f.away]);
        playing[f.home] = playing[f.away] = 1;
    }
    for (std::size_t j = 0; j < room.size(); ++j) {
        if (playing[j])
            total -= static_cast<long long>(Weight[m_level[j]]) * room[j];
    }
    return total;
}

} // namespace outlooksearch
