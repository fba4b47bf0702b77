#include "standings/core/titlerace.h"

#include "standings/core/leaguepoints.h"

QString championMessage(const QString &leader)
{
    return leader + QStringLiteral(" est champion de Kestrane 1 2014 !!!");
}

ReachableRanks computeReachableRanks(const DisplayedStandings &shown)
{
    // A team's score orders equal points by goal difference, then goals for;
    // it is kept in single precision, as the table's numbers always were.
    std::array<float, TeamCount> score{};
    std::array<float, TeamCount> reserve{};
    for (int i = 0; i < TeamCount; ++i) {
        const StandingRow &row = shown.rows[i].data;
        score[i] = row.points + float(row.goalDifference) / 1000.0f + float(row.goalsFor) / 100000.0f;
        reserve[i] = float(leaguepoints::Win) * float(MatchDayCount - row.played);
    }

    ReachableRanks ranks;
    for (int i = 0; i < TeamCount; ++i) {
        ranks.rank[i] = i + 1;
        for (int j = 0; j < TeamCount; ++j) {
            if (score[i] + reserve[i] >= score[j]) {
                ranks.rank[i] = j + 1;
                break;
            }
        }
    }

    // The title is announced only when no team but the leader can still
    // reach first place, a third team with games in hand included.
    ranks.champion = true;
    for (int i = 1; i < TeamCount; ++i) {
        if (ranks.rank[i] == 1)
            ranks.champion = false;
    }
    if (ranks.champion) {
        ranks.championTitle = ChampionTitle;
        ranks.championMessage = championMessage(shown.rows[0].data.name);
    }
    return ranks;
}
