#include "standings/core/outlookwitness.h"

#include "standings/core/leaguepoints.h"

#include <algorithm>
#include <numeric>
#include <queue>

namespace {

using Question = ContendersQuestion;

// Game orders tried by the greedy passes: as listed, backwards, and the
// games of the teams with the smallest threshold first.
std::vector<std::vector<int>> gameOrders(const Question &q)
{
    std::vector<int> listed(q.games.size());
    std::iota(listed.begin(), listed.end(), 0);
    std::vector<int> backwards(listed.rbegin(), listed.rend());
    std::vector<int> tight = listed;
    std::stable_sort(tight.begin(), tight.end(), [&q](int x, int y) {
        const auto smallest = [&q](int g) {
            return std::min(q.threshold[q.games[g].home], q.threshold[q.games[g].away]);
        };
        return smallest(x) < smallest(y);
    });
    return {listed, backwards, tight};
}

struct Option
{
    int home;
    int away;
};
using leaguepoints::Draw, leaguepoints::Loss, leaguepoints::Win;
constexpr Option Outcomes[] = {{Win, Loss}, {Loss, Win}, {Draw, Draw}};

// Teams above their threshold in one outcome built game by game: each game
// goes the way that pushes the fewest teams over, keeping the most room; a
// team already over takes the win, so its rival gains nothing.
int greedyAbove(const Question &q, const std::vector<int> &order)
{
    constexpr int Plenty = 1 << 20;
    std::vector<int> room = q.threshold;
    for (int g : order) {
        const int h = q.games[g].home;
        const int a = q.games[g].away;
        if (room[h] < 0 || room[a] < 0) {
            room[room[h] < 0 ? h : a] -= Win;
            continue;
        }
        const Option *chosen = &Outcomes[0];
        int chosenOver = 3;
        int chosenRoom = -Plenty;
        for (const Option &o : Outcomes) {
            const int rh = room[h] - o.home;
            const int ra = room[a] - o.away;
            const int over = (rh < 0) + (ra < 0);
            const int left = std::min(rh < 0 ? Plenty : rh, ra < 0 ? Plenty : ra);
            if (over < chosenOver || (over == chosenOver && left > chosenRoom)) {
                chosen = &o;
                chosenOver = over;
                chosenRoom = left;
            }
        }
        room[h] -= chosen->home;
        room[a] -= chosen->away;
    }
    return int(std::count_if(room.begin(), room.end(), [](int r) { return r < 0; }));
}

// Teams reaching their threshold in one outcome built game by game: each
// game goes the way that brings the most teams home, then the most useful
// points, then the win to the team that needs more.
int greedyReaching(const Question &q, const std::vector<int> &order)
{
    std::vector<int> need = q.threshold;
    for (int g : order) {
        const int h = q.games[g].home;
        const int a = q.games[g].away;
        const Option *chosen = &Outcomes[0];
        int chosenScore = -1;
        for (const Option &o : Outcomes) {
            const auto useful = [](int n, int p) { return n > 0 ? std::min(n, p) : 0; };
            const auto arrives = [](int n, int p) { return n > 0 && n - p <= 0 ? 1 : 0; };
            const int score = 100 * (arrives(need[h], o.home) + arrives(need[a], o.away))
                              + 10 * (useful(need[h], o.home) + useful(need[a], o.away))
                              + (o.home == 3 && need[h] >= need[a]) + (o.away == 3 && need[a] > need[h]);
            if (score > chosenScore) {
                chosen = &o;
                chosenScore = score;
            }
        }
        need[h] -= chosen->home;
        need[a] -= chosen->away;
    }
    return int(std::count_if(need.begin(), need.end(), [](int n) { return n <= 0; }));
}

// Wins only: a set of teams all reach their threshold if each gets
// ceil(threshold / 3) wins, one per game, its games against teams outside
// the set all won. That is a flow from games to teams, solved exactly by
// augmenting paths; the answer is each team's shortfall in wins.
class WinFlow
{
public:
    explicit WinFlow(const Question &q)
        : m_q(q)
    {}

    std::vector<int> shortfall(const std::vector<bool> &in) const
    {
        const int teams = int(m_q.threshold.size());
        std::vector<int> need(teams, 0);
        for (int j = 0; j < teams; ++j) {
            if (in[j])
                need[j] = (std::max(0, m_q.threshold[j]) + 2) / 3;
        }
        std::vector<int> inside;
        for (int g = 0; g < int(m_q.games.size()); ++g) {
            const LeagueFixture &f = m_q.games[g];
            if (in[f.home] && in[f.away])
                inside.push_back(g);
            else if (in[f.home])
                --need[f.home];
            else if (in[f.away])
                --need[f.away];
        }
        for (int &n : need)
            n = std::max(0, n);

        // Games hand their win to a team; a team takes as many as it needs.
        std::vector<int> winner(inside.size(), -1);
        std::vector<std::vector<int>> won(teams);
        for (std::size_t k = 0; k < inside.size(); ++k)
            augment(int(k), inside, winner, won, need);
        std::vector<int> result(teams, 0);
        for (int j = 0; j < teams; ++j)
            result[j] = need[j] - int(won[j].size());
        return result;
    }

private:
    // Gives game k's win to a team that still needs one, moving earlier wins
    // along a path of games when the direct choices are full (breadth first
    // over teams).
    void augment(int k, const std::vector<int> &inside, std::vector<int> &winner, std::vector<std::vector<int>> &won,
                 const std::vector<int> &need) const
    {
        const int teams = int(need.size());
        std::vector<int> viaGame(teams, -2); // game that brought the search to this team
        std::queue<int> frontier;
        const auto reach = [&](int team, int game) {
            if (viaGame[team] == -2) {
                viaGame[team] = game;
                frontier.push(team);
            }
        };
        reach(m_q.games[inside[k]].home, int(k));
        reach(m_q.games[inside[k]].away, int(k));
        while (!frontier.empty()) {
            const int team = frontier.front();
            frontier.pop();
            if (int(won[team].size()) < need[team]) {
                // Walk back: each game on the path changes hands.
                for (int t = team;;) {
                    const int game = viaGame[t];
                    const int previous = winner[game];
                    winner[game] = t;
                    won[t].push_back(game);
                    if (previous < 0)
                        return;
                    auto &list = won[previous];
                    list.erase(std::find(list.begin(), list.end(), game));
                    t = previous;
                }
            }
            for (int game : won[team]) {
                const LeagueFixture &f = m_q.games[inside[game]];
                reach(f.home == team ? f.away : f.home, game);
            }
        }
    }

    const Question &m_q;
};

// Starts from every contender, drops the one furthest short until the rest
// can all be given their wins, then takes back whoever still fits.
int reachingByWins(const Question &q)
{
    const int teams = int(q.threshold.size());
    const WinFlow flow(q);
    std::vector<bool> in(teams, true);
    std::vector<int> dropped;
    for (;;) {
        const std::vector<int> shortfall = flow.shortfall(in);
        const auto worst = std::max_element(shortfall.begin(), shortfall.end());
        if (*worst <= 0)
            break;
        const int j = int(worst - shortfall.begin());
        in[j] = false;
        dropped.push_back(j);
    }
    std::sort(dropped.begin(), dropped.end(), [&q](int x, int y) { return q.threshold[x] < q.threshold[y]; });
    for (int j : dropped) {
        in[j] = true;
        const std::vector<int> shortfall = flow.shortfall(in);
        if (std::any_of(shortfall.begin(), shortfall.end(), [](int s) { return s > 0; }))
            in[j] = false;
    }
    return int(std::count(in.begin(), in.end(), true));
}

} // namespace

namespace outlookwitness {

int fewestAboveFound(const Question &question)
{
    int best = int(question.threshold.size());
    for (const std::vector<int> &order : gameOrders(question))
        best = std::min(best, greedyAbove(question, order));
    return best;
}

int mostReachingFound(const Question &question)
{
    int best = reachingByWins(question);
    for (const std::vector<int> &order : gameOrders(question))
        best = std::max(best, greedyReaching(question, order));
    return best;
}

} // namespace outlookwitness
