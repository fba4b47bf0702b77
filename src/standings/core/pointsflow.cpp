#include "standings/core/pointsflow.h"

#include "standings/core/leaguepoints.h"
#include "standings/core/outcomerepair.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cstdlib>
#include <tuple>

// How the points are counted.
//
// Reach counts in sixths of a game: a win brings its winner 6 units, a draw
// 3 to each side (two for the point, one for the point the draw loses). A
// team that needs r points gets 2r units from wins and draws that add up to
// exactly r, but a team whose need is not a multiple of 3 pays for it: with
// r = 3q + 1 it draws once (2r + 1 units) or wins one more game (2r + 4);
// with r = 3q + 2 it draws twice or wins once more (2r + 2 either way, at
// least). So a team asks 2r, 2r + 1 or 2r + 2.
//
// StayWithin counts a win as 2 units and a draw as 1 on each side: every
// game hands out exactly 2. A team with room c and k games takes at most c
// units (a unit costs it at least a point), and at most k + (c - k) / 2
// when c passes k: past one unit a game, each more unit turns a draw into a
// win, which costs two points more. The first unit a team takes from a game
// (a draw, or half a win) and the second (the rest of a win) go through
// nodes of their own, so that the games it does not lose stay within its
// room and its wins within a third of it.
//
// A flow of those units from the games to the teams may share a game in a
// way no result does (Reach: 4 units and 2), so it only rules sets out.
// Whether a real outcome exists is searched three ways in turns:
//  - an outcome repaired result by result (outcomerepair.h), which finds
//    one that exists soonest;
//  - StayWithin: results settled one by one. A real outcome is then a
//    maximum flow handing out every unit, so a unit that no maximum flow
//    gives a team is one no outcome gives it, and a unit that every maximum
//    flow gives it is one every outcome does (the edge's ends lie in
//    different strongly connected parts of the residual network): those
//    results are settled without choosing. Each board is also weighed
//    (pointsweights.h), which rules out boards the flow lets through, and a
//    board shown to have no outcome is remembered, as different results often
//    add up to the same points;
//  - Reach: the draws chosen game by game. With the draws known, each team
//    needs a whole number of wins, one per decisive game, and giving each
//    decisive game's win to one of its two teams is a flow of whole units,
//    which is exact. Each choice is checked by the flow of units (a decided
//    game's units go whole to one side there, an undecided one may still be
//    a draw), which rules out most choices before they are made.

namespace outlooksearch {

using leaguepoints::Loss, leaguepoints::Win;

int PointsFlow::unitsToReach(int points)
{
    const int r = std::max(0, points);
    return 2 * r + r % 3;
}

long long PointsFlow::unitsWithin(int room, int games)
{
    const long long c = std::max(0, room);
    const long long k = std::max(0, games);
    return c <= k ? c : std::min(2 * k, k + (c - k) / 2);
}

PointsFlow::PointsFlow(const ContendersQuestion &question, Goal goal, bool repair)
    : m_q(question)
    , m_goal(goal)
    , m_teams(int(question.threshold.size()))
    , m_repair(question, goal)
    , m_useRepair(repair)
    , m_weights(question)
{}

PointsBoard PointsFlow::boardFor(const std::vector<char> &kept) const
{
    PointsBoard b;
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

bool PointsFlow::settleForced(PointsBoard &b) const
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
            b.room[f.home] -= settled == f.home ? Win : Loss;
            b.room[f.away] -= settled == f.away ? Win : Loss;
            b.open[i] = b.open.back();
            b.open.pop_back();
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
int PointsFlow::forcedWinner(const PointsBoard &b, const std::vector<int> &games, const LeagueFixture &f) const
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

bool PointsFlow::allows(const PointsBoard &b)
{
    Drawing d{b, std::vector<Game>(b.open.size(), Game::Open), {}};
    if (!relaxed(d))
        return false;
    m_lean.resize(m_q.games.size());
    for (std::size_t i = 0; i < b.open.size(); ++i)
        m_lean[b.open[i]] = d.lean[i];
    return true;
}

bool PointsFlow::relaxed(Drawing &d)
{
    const std::vector<int> &open = d.board.open;
    const int games = int(open.size());
    if (games == 0)
        return true;
    std::vector<int> left = d.board.room;
    std::vector<int> undecided(m_teams, 0);
    std::vector<int> decisive(m_teams, 0);
    for (int i = 0; i < games; ++i) {
        const LeagueFixture &f = m_q.games[open[i]];
        for (int team : {f.home, f.away}) {
            if (d.state[i] == Game::Draw)
                --left[team];
            else
                ++(d.state[i] == Game::Open ? undecided : decisive)[team];
        }
    }
    const bool reach = m_goal == Goal::Reach;
    const int source = 0;
    const int sink = 1;
    const auto teamNode = [games](int j) { return 2 + games + j; };
    // StayWithin: the first unit a team takes from a game (a draw, or half
    // a win) goes through one node, the second unit of a win through
    // another, so that the team's games not lost stay within its room (a
    // point each at least) and its wins within a third of it.
    const auto firstNode = [games, this](int j) { return 2 + games + m_teams + j; };
    const auto winNode = [games, this](int j) { return 2 + games + 2 * m_teams + j; };
    m_network.reset(2 + games + (reach ? 1 : 3) * m_teams);
    // By game: the edges of the home side's first unit and win, then the away side's.
    m_edgesOf.assign(games, {-1, -1, -1, -1});
    int wanted = 0;
    for (int i = 0; i < games; ++i) {
        if (d.state[i] == Game::Draw)
            continue;
        const LeagueFixture &f = m_q.games[open[i]];
        m_network.add(source, 2 + i, reach ? 6 : 2);
        wanted += reach ? 0 : 2;
        for (int team : {f.home, f.away}) {
            if (reach) {
                m_edgesOf[i][team == f.home ? 0 : 2] = m_network.add(2 + i, teamNode(team), 6);
                continue;
            }
            // A team that cannot afford a win takes at most a draw's unit.
            if (d.state[i] == Game::Open || left[team] >= Win)
                m_edgesOf[i][team == f.home ? 0 : 2] = m_network.add(2 + i, firstNode(team), 1);
            if (left[team] >= Win)
                m_edgesOf[i][team == f.home ? 1 : 3] = m_network.add(2 + i, winNode(team), 1);
        }
    }
    for (int j = 0; j < m_teams; ++j) {
        const int a = undecided[j];
        const int k = decisive[j];
        if (reach) {
            if (left[j] <= 0)
                continue;
            // The fewest units: d draws among its undecided games, wins for the rest.
            int fewest = INT_MAX;
            for (int draws = 0; draws <= std::min(a, left[j]); ++draws) {
                const int wins = (left[j] - draws + 2) / 3;
                if (wins + draws <= a + k)
                    fewest = std::min(fewest, 6 * wins + 3 * draws);
            }
            if (fewest == INT_MAX)
                return false;
            m_network.add(teamNode(j), sink, fewest);
            wanted += fewest;
        } else {
            if (left[j] < 0)
                return false;
            if (a + k == 0)
                continue;
            // The most units: w wins, the decisive games first, then draws
            // in the undecided games left.
            int most = 0;
            for (int wins = 0; wins <= std::min(a + k, left[j] / 3); ++wins)
                most = std::max(most, 2 * wins + std::min(left[j] - 3 * wins, a - std::max(0, wins - k)));
            m_network.add(teamNode(j), sink, most);
            m_network.add(firstNode(j), teamNode(j), std::min(left[j], a + k));
            m_network.add(winNode(j), teamNode(j), left[j] / Win);
        }
    }
    if (m_network.run(source, sink) < wanted)
        return false;
    d.lean.assign(games, 0);
    for (int i = 0; i < games; ++i) {
        const auto flow = [this](int edge) { return edge >= 0 ? m_network.flowOn(edge) : 0; };
        const std::array<int, 4> &e = m_edgesOf[i];
        d.lean[i] = flow(e[0]) + flow(e[1]) - flow(e[2]) - flow(e[3]);
    }
    return true;
}

Verdict PointsFlow::outcomeWithin(PointsBoard b, SearchStop &stop, long long &allowance)
{
    if (!settleForced(b) || !allows(b))
        return Verdict::Impossible;
    // Searches in turns, each with its part of a growing share of the
    // allowance, until one concludes. Repairing an outcome finds one that
    // exists soonest, and gets half of each turn. StayWithin sets are ruled
    // out by settling results one by one, the flow checked and narrowed at
    // each; Reach sets mostly by choosing the draws (three quarters of the
    // rest), as an outcome may hand a team more than the flow asks and the
    // flow cannot settle results there.
    const bool reach = m_goal == Goal::Reach;
    if (!reach) {
        allowance -= PointsWeights::Steps;
        if (stop.reached(PointsWeights::Steps))
            return Verdict::Stopped;
        if (m_weights.rulesOut(b.room, b.open))
            return Verdict::Impossible;
    }
    const std::vector<int> lean = m_lean;
    for (long long share = 64;; share *= 4) {
        const long long turn = std::min(share, std::max(0LL, allowance));
        // The repair finds most outcomes that exist within a few hundred
        // steps: past that, most of each turn goes to the exact searches.
        const long long repairPart = !m_useRepair ? 0 : share <= 256 ? turn / 2 : turn / 8;
        if (repairPart > 0) {
            long long budget = repairPart;
            const bool found = m_repair.find(b.room, b.open, lean, stop, budget);
            allowance -= repairPart - std::max(0LL, budget);
            if (found)
                return Verdict::Possible;
            if (stop.reached())
                return Verdict::Stopped;
        }
        const long long exact = turn - repairPart;
        const long long drawsPart = reach ? exact - exact / 4 : 0;
        for (const bool drawing : {false, true}) {
            const long long part = drawing ? drawsPart : exact - drawsPart;
            if (part == 0)
                continue;
            long long budget = part;
            Verdict v;
            if (drawing) {
                Drawing d{b, std::vector<Game>(b.open.size(), Game::Open), {}};
                v = drawsFrom(d, stop, budget);
            } else {
                v = resultsFrom(b, stop, budget);
            }
            allowance -= part - std::max(0LL, budget);
            if (budget >= 0)
                return v;
        }
        if (turn < share || allowance <= 0) {
            allowance = -1;
            return Verdict::Impossible;
        }
    }
}

Verdict PointsFlow::resultsFrom(PointsBoard b, SearchStop &stop, long long &budget)
{
    if (budget-- <= 0)
        return Verdict::Impossible;
    if (stop.reached())
        return Verdict::Stopped;
    if (!settleForced(b))
        return Verdict::Impossible;
    if (b.open.empty())
        return Verdict::Possible;
    std::string key = boardKey(b);
    if (m_noOutcome.count(key))
        return Verdict::Impossible;
    if (!allows(b))
        return Verdict::Impossible;
    // Results the flow leaves no choice about are settled, and the flow
    // checked again, each time a step.
    for (;;) {
        const int settled = settleByFlow(b);
        if (settled < 0)
            return Verdict::Impossible;
        if (settled == 0)
            break;
        if (!settleForced(b))
            return Verdict::Impossible;
        if (b.open.empty())
            return Verdict::Possible;
        if (budget-- <= 0)
            return Verdict::Impossible;
        if (stop.reached())
            return Verdict::Stopped;
        if (!allows(b))
            return Verdict::Impossible;
    }
    if (m_goal == Goal::StayWithin) {
        budget -= PointsWeights::Steps - 1;
        if (budget < 0)
            return Verdict::Impossible;
        if (stop.reached(PointsWeights::Steps - 1))
            return Verdict::Stopped;
        if (m_weights.rulesOut(b.room, b.open))
            return Verdict::Impossible;
    }
    const Verdict v = resultsAfter(b, stop, budget);
    // Only a search that ran to its end proves the board has no outcome.
    if (v == Verdict::Impossible && budget >= 0 && m_noOutcome.size() < MaxBoardsKept)
        m_noOutcome.insert(std::move(key));
    return v;
}

// The board as the search sees it: which games are open and what each team
// with a game open may still take or must still gain. Teams without open
// games were checked by settleForced(), which also leaves a team with open
// games between 0 and three points a game of room: one byte holds it.
std::string PointsFlow::boardKey(const PointsBoard &b) const
{
    std::string key((m_q.games.size() + 7) / 8 + std::size_t(m_teams), '\0');
    std::vector<int> games(m_teams, 0);
    for (int g : b.open) {
        key[std::size_t(g / 8)] = char(key[std::size_t(g / 8)] | (1 << (g % 8)));
        ++games[m_q.games[g].home];
        ++games[m_q.games[g].away];
    }
    const std::size_t at = (m_q.games.size() + 7) / 8;
    for (int j = 0; j < m_teams; ++j)
        key[at + std::size_t(j)] = char(games[j] > 0 ? std::clamp(b.room[j], -1, 126) : 127);
    return key;
}

// StayWithin: a real outcome of the open games is a flow of units that
// hands out every unit (a win's two to its winner, a draw's one to each
// side), so a unit no maximum flow can give a team is one no outcome gives
// it either, and a unit every maximum flow gives it is one every outcome
// does. Reach has no such rule: an outcome may hand a team more than the
// flow asks for. Returns the games settled, or -1 when a game has no result
// left.
int PointsFlow::settleByFlow(PointsBoard &b)
{
    m_results.assign(b.open.size(), 7);
    if (m_goal == Goal::Reach)
        return 0;
    const auto never = [this](int edge) {
        return edge < 0 || (m_network.flowOn(edge) == 0 && m_network.fixedFlow(edge));
    };
    const auto always = [this](int edge) {
        return edge >= 0 && m_network.flowOn(edge) > 0 && m_network.fixedFlow(edge);
    };
    int settled = 0;
    std::vector<int> open;
    m_results.clear();
    for (std::size_t i = 0; i < b.open.size(); ++i) {
        const std::array<int, 4> &e = m_edgesOf[i];
        const bool homeWin = !never(e[0]) && !never(e[1]) && !always(e[2]) && !always(e[3]);
        const bool draw = !never(e[0]) && !never(e[2]) && !always(e[1]) && !always(e[3]);
        const bool awayWin = !never(e[2]) && !never(e[3]) && !always(e[0]) && !always(e[1]);
        const int choices = int(homeWin) + int(draw) + int(awayWin);
        if (choices == 0)
            return -1;
        const LeagueFixture &f = m_q.games[b.open[i]];
        if (choices > 1) {
            open.push_back(b.open[i]);
            m_results.push_back(char(int(homeWin) | int(draw) << 1 | int(awayWin) << 2));
            continue;
        }
        b.room[f.home] -= homeWin ? Win : draw ? leaguepoints::Draw : Loss;
        b.room[f.away] -= awayWin ? Win : draw ? leaguepoints::Draw : Loss;
        ++settled;
    }
    b.open = std::move(open);
    return settled;
}

Verdict PointsFlow::resultsAfter(const PointsBoard &b, SearchStop &stop, long long &budget)
{
    std::vector<int> games(m_teams, 0);
    for (int g : b.open) {
        ++games[m_q.games[g].home];
        ++games[m_q.games[g].away];
    }
    const bool reach = m_goal == Goal::Reach;
    const auto margin = [&](int team) { return reach ? Win * games[team] - b.room[team] : b.room[team]; };
    // The game with the fewest results left, between the two teams with the
    // least margin: its result matters most to both.
    std::size_t at = 0;
    std::tuple<int, int, int> chosenKey{INT_MAX, INT_MAX, INT_MAX};
    const std::vector<char> results = m_results;
    for (std::size_t i = 0; i < b.open.size(); ++i) {
        const LeagueFixture &f = m_q.games[b.open[i]];
        const std::tuple<int, int, int> key{std::popcount(unsigned(results[i])),
                                            std::max(margin(f.home), margin(f.away)),
                                            std::min(margin(f.home), margin(f.away))};
        if (key < chosenKey) {
            at = i;
            chosenKey = key;
        }
    }
    const LeagueFixture &f = m_q.games[b.open[at]];
    const int winUnits = reach ? 3 : 2;
    const int lean = m_lean[b.open[at]];
    const int first = lean >= winUnits ? Win : lean <= -winUnits ? Loss : b.room[f.home] >= b.room[f.away] ? Win : Loss;
    std::array<std::pair<int, int>, 3> outcomes = {std::pair{first, Win - first}, std::pair{1, 1},
                                                   std::pair{Win - first, first}};
    if (lean > -winUnits && lean < winUnits)
        std::swap(outcomes[0], outcomes[1]);
    for (const auto &[home, away] : outcomes) {
        if (!(results[at] & (home == Win ? 1 : home == Loss ? 4 : 2)))
            continue;
        PointsBoard next = b;
        next.room[f.home] -= home;
        next.room[f.away] -= away;
        next.open[at] = next.open.back();
        next.open.pop_back();
        const Verdict v = resultsFrom(std::move(next), stop, budget);
        if (v != Verdict::Impossible || budget < 0)
            return v;
    }
    return Verdict::Impossible;
}

} // namespace outlooksearch
