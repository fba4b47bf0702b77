#include "standings/core/outcomerepair.h"

#include "standings/core/leaguepoints.h"

#include <algorithm>
#include <array>

namespace outlooksearch {

namespace {

using leaguepoints::Draw, leaguepoints::Loss, leaguepoints::Win;

// A result by its points to the home side and to the away side.
constexpr std::array<std::pair<int, int>, 3> Results = {{{Win, Loss}, {Draw, Draw}, {Loss, Win}}};

} // namespace

OutcomeRepair::OutcomeRepair(const ContendersQuestion &question, Goal goal)
    : m_q(question)
    , m_goal(goal)
{}

// How far a team is from its line: points over its room (StayWithin) or
// short of its need (Reach).
int OutcomeRepair::breach(int team) const
{
    const int over = m_goal == Goal::Reach ? m_room[team] - m_points[team] : m_points[team] - m_room[team];
    return std::max(0, over);
}

std::uint32_t OutcomeRepair::next()
{
    // splitmix64: quick, and the same sequence everywhere.
    std::uint64_t z = (m_seed += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return std::uint32_t((z ^ (z >> 31)) >> 32);
}

bool OutcomeRepair::find(const std::vector<int> &room, const std::vector<int> &open, const std::vector<int> &lean,
                         SearchStop &stop, long long &budget)
{
    const int teams = int(room.size());
    const int games = int(open.size());
    m_room = room;
    m_points.assign(teams, 0);
    std::vector<std::vector<int>> gamesOf(teams);
    std::vector<int> result(games, 1);
    const bool reach = m_goal == Goal::Reach;
    // The flow's units of a win: 6 when teams must reach a line, 2 when they
    // must stay under one; a game shared about evenly starts as a draw.
    const int winUnits = reach ? 6 : 2;
    for (int i = 0; i < games; ++i) {
        const LeagueFixture &f = m_q.games[open[i]];
        gamesOf[f.home].push_back(i);
        gamesOf[f.away].push_back(i);
        const int l = lean[open[i]];
        result[i] = 2 * l >= winUnits + (reach ? 1 : 0) ? 0 : -2 * l >= winUnits + (reach ? 1 : 0) ? 2 : 1;
        m_points[f.home] += Results[result[i]].first;
        m_points[f.away] += Results[result[i]].second;
    }
    int total = 0;
    for (int j = 0; j < teams; ++j)
        total += breach(j);
    int best = total;
    std::vector<long long> tabuUntil(games, -1);
    std::vector<int> inBreach;
    // Breakout: a team left in breach where no change helps weighs more
    // from then on, which moves the search off the spot.
    std::vector<int> weight(teams, 1);
    for (long long move = 0;; ++move) {
        if (total == 0)
            return true;
        if (move % RepairMovesPerStep == 0 && (budget-- <= 0 || stop.reached()))
            return false;
        inBreach.clear();
        for (int j = 0; j < teams; ++j) {
            if (breach(j) > 0)
                inBreach.push_back(j);
        }
        const int team = inBreach[next() % inBreach.size()];
        // The change of one of its results that helps most, a result changed
        // lately only when it beats the best seen; now and then one at random.
        const bool wander = next() % 10 == 0;
        int chosenGame = -1;
        int chosenResult = 0;
        int chosenDelta = 0;
        int chosenChange = 0;
        int ties = 0;
        for (int i : gamesOf[team]) {
            const LeagueFixture &f = m_q.games[open[i]];
            for (int r = 0; r < 3; ++r) {
                if (r == result[i])
                    continue;
                const int before = breach(f.home) + breach(f.away);
                const int weighedBefore = weight[f.home] * breach(f.home) + weight[f.away] * breach(f.away);
                m_points[f.home] += Results[r].first - Results[result[i]].first;
                m_points[f.away] += Results[r].second - Results[result[i]].second;
                const int change = breach(f.home) + breach(f.away) - before;
                const int delta = weight[f.home] * breach(f.home) + weight[f.away] * breach(f.away) - weighedBefore;
                m_points[f.home] -= Results[r].first - Results[result[i]].first;
                m_points[f.away] -= Results[r].second - Results[result[i]].second;
                if (tabuUntil[i] > move && total + change >= best)
                    continue;
                if (wander) {
                    // Reservoir sampling over every allowed change.
                    if (next() % unsigned(++ties) == 0) {
                        chosenGame = i;
                        chosenResult = r;
                        chosenDelta = delta;
                        chosenChange = change;
                    }
                } else if (chosenGame < 0 || delta < chosenDelta) {
                    chosenGame = i;
                    chosenResult = r;
                    chosenDelta = delta;
                    chosenChange = change;
                    ties = 1;
                } else if (delta == chosenDelta && next() % unsigned(++ties) == 0) {
                    chosenGame = i;
                    chosenResult = r;
                    chosenChange = change;
                }
            }
        }
        if (chosenGame < 0)
            continue;
        const LeagueFixture &f = m_q.games[open[chosenGame]];
        m_points[f.home] += Results[chosenResult].first - Results[result[chosenGame]].first;
        m_points[f.away] += Results[chosenResult].second - Results[result[chosenGame]].second;
        result[chosenGame] = chosenResult;
        total += chosenChange;
        if (!wander && chosenDelta >= 0) {
            for (int j : inBreach)
                ++weight[j];
        }
        best = std::min(best, total);
        tabuUntil[chosenGame] = move + 3 + next() % 5;
    }
}

} // namespace outlooksearch
