#include "standings/core/pointsflow.h"

#include "standings/core/leaguepoints.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

// The exact search of Reach sets (pointsflow.cpp says why it is exact): the
// draws chosen game by game, each choice checked by the flow of units, and
// once every draw is known, who wins the other games is a flow of whole
// wins.

namespace outlooksearch {

using leaguepoints::Win;

bool PointsFlow::decided(const Drawing &d)
{
    const std::vector<int> &open = d.board.open;
    const int games = int(open.size());
    std::vector<int> left = d.board.room;
    for (int i = 0; i < games; ++i) {
        if (d.state[i] == Game::Draw) {
            --left[m_q.games[open[i]].home];
            --left[m_q.games[open[i]].away];
        }
    }
    const bool reach = m_goal == Goal::Reach;
    const int source = 0;
    const int sink = 1;
    const auto teamNode = [games](int j) { return 2 + games + j; };
    m_network.reset(2 + games + m_teams);
    int wanted = 0;
    for (int i = 0; i < games; ++i) {
        if (d.state[i] != Game::Decisive)
            continue;
        const LeagueFixture &f = m_q.games[open[i]];
        m_network.add(source, 2 + i, 1);
        wanted += reach ? 0 : 1;
        for (int team : {f.home, f.away}) {
            if (reach || left[team] >= Win)
                m_network.add(2 + i, teamNode(team), 1);
        }
    }
    for (int j = 0; j < m_teams; ++j) {
        if (reach) {
            const int wins = (std::max(0, left[j]) + Win - 1) / Win;
            if (wins > 0)
                m_network.add(teamNode(j), sink, wins);
            wanted += wins;
        } else {
            if (left[j] < 0)
                return false;
            m_network.add(teamNode(j), sink, left[j] / Win);
        }
    }
    return m_network.run(source, sink) >= wanted;
}

Verdict PointsFlow::drawsFrom(Drawing &d, SearchStop &stop, long long &budget)
{
    if (budget-- <= 0)
        return Verdict::Impossible;
    if (stop.reached())
        return Verdict::Stopped;
    if (!relaxed(d))
        return Verdict::Impossible;
    const std::vector<int> &open = d.board.open;
    const int games = int(open.size());
    const bool reach = m_goal == Goal::Reach;

    // Two quick completions before choosing: every undecided game decisive,
    // then a draw wherever it costs neither side a win (its points left are
    // not a multiple of 3), the others decisive.
    std::vector<int> left = d.board.room;
    std::vector<int> margin(m_teams, 0);
    for (int i = 0; i < games; ++i) {
        if (d.state[i] == Game::Draw) {
            --left[m_q.games[open[i]].home];
            --left[m_q.games[open[i]].away];
        }
    }
    Drawing tried{d.board, d.state, {}};
    bool anyOpen = false;
    for (Game &g : tried.state) {
        anyOpen = anyOpen || g == Game::Open;
        if (g == Game::Open)
            g = Game::Decisive;
    }
    if (decided(tried))
        return Verdict::Possible;
    if (!anyOpen)
        return Verdict::Impossible;
    std::vector<int> spare = left;
    for (int i = 0; i < games; ++i) {
        if (d.state[i] != Game::Open)
            continue;
        const LeagueFixture &f = m_q.games[open[i]];
        const auto drawFree = [&](int team) { return spare[team] > 0 && spare[team] % 3 != 0; };
        if (drawFree(f.home) && drawFree(f.away)) {
            tried.state[i] = Game::Draw;
            --spare[f.home];
            --spare[f.away];
        }
    }
    if (tried.state != d.state && decided(tried))
        return Verdict::Possible;
    // Then as the flow shares the games: a draw where it shares one evenly.
    const int winUnits = reach ? 6 : 2;
    for (int i = 0; i < games; ++i) {
        if (d.state[i] == Game::Open)
            tried.state[i] = 2 * std::abs(d.lean[i]) < winUnits ? Game::Draw : Game::Decisive;
    }
    if (decided(tried))
        return Verdict::Possible;

    // The undecided game of the team with the least margin (Reach: points it
    // can do without; StayWithin: room beyond a point a game), the one the
    // flow shares most evenly; first what the flow leans to.
    for (int i = 0; i < games; ++i) {
        if (d.state[i] == Game::Draw)
            continue;
        for (int team : {m_q.games[open[i]].home, m_q.games[open[i]].away})
            margin[team] += reach ? Win : -1;
    }
    for (int j = 0; j < m_teams; ++j)
        margin[j] += reach ? -left[j] : left[j];
    int chosen = -1;
    std::pair<int, int> chosenKey{INT_MAX, INT_MAX};
    for (int i = 0; i < games; ++i) {
        if (d.state[i] != Game::Open)
            continue;
        const LeagueFixture &f = m_q.games[open[i]];
        const std::pair<int, int> key{std::min(margin[f.home], margin[f.away]),
                                      std::abs(2 * std::abs(d.lean[i]) - winUnits)};
        if (key < chosenKey) {
            chosen = i;
            chosenKey = key;
        }
    }
    const bool drawFirst = 2 * std::abs(d.lean[chosen]) < winUnits;
    for (const Game g : {drawFirst ? Game::Draw : Game::Decisive, drawFirst ? Game::Decisive : Game::Draw}) {
        d.state[chosen] = g;
        const Verdict v = drawsFrom(d, stop, budget);
        if (v != Verdict::Impossible || budget < 0)
            return v;
    }
    d.state[chosen] = Game::Open;
    return Verdict::Impossible;
}

} // namespace outlooksearch
