#include "standings/core/formguide.h"

#include <algorithm>

namespace formguide {

QString Row::letters() const
{
    QString text;
    text.reserve(qsizetype(matches.size()));
    for (const Match &match : matches)
        text += outcomeLetter(match.outcome);
    return text;
}

Guide compute(const Season &season, const ResultStore &store, const BonusMalus &bonusMalus, MatchDayNo upTo, int last)
{
    Guide guide;
    guide.upToMatchDay = upTo >= 1 && upTo <= MatchDayCount ? upTo : MatchDayCount;
    guide.last = std::clamp(last, 1, MatchDayCount);

    // Every played match of each team, in calendar order.
    std::array<std::vector<Match>, TeamCount> byTeam;
    for (const PlayedMatch &match : playedMatches(store, 1, guide.upToMatchDay)) {
        for (const TeamNo team : {match.home, match.away}) {
            Match seen;
            seen.day = match.day;
            seen.atHome = team == match.home;
            seen.opponent = seen.atHome ? match.away : match.home;
            seen.goalsFor = match.goalsFor(team);
            seen.goalsAgainst = match.goalsAgainst(team);
            seen.outcome = outcomeFor(match, team);
            byTeam[team].push_back(seen);
        }
    }

    const TableOrder order = tableOrder(season, store, bonusMalus, guide.upToMatchDay);
    for (int rank = 0; rank < TeamCount; ++rank) {
        Row &row = guide.rows[rank];
        row.team = order[rank];
        row.name = season.teamName(row.team);
        const std::vector<Match> &all = byTeam[row.team];
        const std::size_t kept = std::min(all.size(), std::size_t(guide.last));
        row.matches.assign(all.end() - std::ptrdiff_t(kept), all.end());
        for (const Match &match : row.matches)
            row.points += pointsOf(match.outcome);
    }
    return guide;
}

QStringList lines(const Guide &guide)
{
    QStringList out;
    out.reserve(TeamCount);
    for (const Row &row : guide.rows)
        out << row.name + QLatin1Char('|') + row.letters() + QLatin1Char('|') + QString::number(row.points);
    return out;
}

} // namespace formguide
