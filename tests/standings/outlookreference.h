#pragma once

// The reference answers the exact outlook is checked against: every outcome
// of every fixture left, enumerated one after the other.
#include "standings/core/rankoutlook.h"

#include <algorithm>
#include <ostream>
#include <vector>

inline void PrintTo(const RankRange &r, std::ostream *os)
{
    *os << r.best << "-" << r.worst;
}

namespace outlookreference {

// Two finished teams level on points keep their table order when no team
// with games left can finish on those points.
inline bool knownAhead(const OutlookProblem &p, int a, int b)
{
    if (p.tablePosition.empty() || p.points[a] != p.points[b] || p.tablePosition[a] > p.tablePosition[b])
        return false;
    std::vector<int> games(p.teamCount(), 0);
    for (const LeagueFixture &f : p.remaining) {
        ++games[f.home];
        ++games[f.away];
    }
    if (games[a] > 0 || games[b] > 0)
        return false;
    for (int k = 0; k < p.teamCount(); ++k) {
        // Reachable totals of k, one game at a time.
        std::vector<int> totals{p.points[k]};
        for (int g = 0; g < games[k]; ++g) {
            std::vector<int> next;
            for (int total : totals) {
                for (int gain : {0, 1, 3})
                    next.push_back(total + gain);
            }
            totals = next;
        }
        if (games[k] > 0 && std::find(totals.begin(), totals.end(), p.points[a]) != totals.end())
            return false;
    }
    return true;
}

// Every outcome of every fixture left, one after the other: the reference
// the solver must match exactly.
inline std::vector<RankRange> bruteForce(const OutlookProblem &p)
{
    const int n = p.teamCount();
    std::vector<std::vector<bool>> ahead(n, std::vector<bool>(n, false));
    for (int a = 0; a < n; ++a) {
        for (int b = 0; b < n; ++b)
            ahead[a][b] = a != b && knownAhead(p, a, b);
    }
    const int games = int(p.remaining.size());
    std::vector<RankRange> range(n, RankRange{n, 1});
    // Outcome 0 is a home win, 1 a draw, 2 an away win; points follow each
    // change of outcome instead of being added up again.
    static constexpr int HomeGain[] = {3, 1, 0};
    static constexpr int AwayGain[] = {0, 1, 3};
    std::vector<int> outcome(games, 0);
    std::vector<int> final = p.points;
    for (const LeagueFixture &f : p.remaining)
        final[f.home] += 3;
    for (;;) {
        for (int t = 0; t < n; ++t) {
            int above = 0;
            int levelOrAbove = 0;
            for (int j = 0; j < n; ++j) {
                if (j == t)
                    continue;
                above += final[j] > final[t] || (final[j] == final[t] && ahead[j][t]);
                levelOrAbove += final[j] > final[t] || (final[j] == final[t] && !ahead[t][j]);
            }
            range[t].best = std::min(range[t].best, 1 + above);
            range[t].worst = std::max(range[t].worst, 1 + levelOrAbove);
        }
        int g = 0;
        for (; g < games; ++g) {
            const LeagueFixture &f = p.remaining[g];
            const int next = (outcome[g] + 1) % 3;
            final[f.home] += HomeGain[next] - HomeGain[outcome[g]];
            final[f.away] += AwayGain[next] - AwayGain[outcome[g]];
            outcome[g] = next;
            if (next != 0)
                break;
        }
        if (g == games)
            break;
    }
    return range;
}

// Rounds of a double round robin (circle method), any even team count.
inline std::vector<std::vector<LeagueFixture>> roundRobin(int n)
{
    std::vector<std::vector<LeagueFixture>> rounds;
    for (int r = 0; r < n - 1; ++r) {
        std::vector<LeagueFixture> round;
        const auto at = [r, n](int k) { return (k + r) % (n - 1); };
        round.push_back(r % 2 == 0 ? LeagueFixture{n - 1, at(0)} : LeagueFixture{at(0), n - 1});
        for (int k = 1; k < n / 2; ++k)
            round.push_back({at(k), at(n - 1 - k)});
        rounds.push_back(round);
    }
    for (int r = 0; r < n - 1; ++r) {
        std::vector<LeagueFixture> back;
        for (const LeagueFixture &f : rounds[r])
            back.push_back({f.away, f.home});
        rounds.push_back(back);
    }
    return rounds;
}

} // namespace outlookreference
