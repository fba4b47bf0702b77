#include "standings/core/rangetable.h"

#include "standings/core/standingsengine.h"
#include "standings/core/teamnameorder.h"

#include <algorithm>

namespace rangetable {

namespace {

void count(Row &row, const PlayedMatch &match)
{
    const Outcome outcome = outcomeFor(match, row.team);
    ++row.played;
    row.won += outcome == Outcome::Won ? 1 : 0;
    row.drawn += outcome == Outcome::Drawn ? 1 : 0;
    row.lost += outcome == Outcome::Lost ? 1 : 0;
    row.points += pointsOf(outcome);
    row.goalsFor += match.goalsFor(row.team);
    row.goalsAgainst += match.goalsAgainst(row.team);
}

} // namespace

Table compute(const Season &season, const ResultStore &store, MatchDayNo from, MatchDayNo to, Venue venue)
{
    Table table;
    table.from = std::clamp(from, 1, MatchDayCount);
    table.to = std::clamp(to, table.from, MatchDayCount);
    table.venue = venue;

    std::array<Row, TeamCount> byTeam;
    std::array<QString, TeamCount> names;
    for (TeamNo team = 0; team < TeamCount; ++team) {
        byTeam[team].team = team;
        byTeam[team].name = names[team] = season.teamName(team);
    }
    for (const PlayedMatch &match : playedMatches(store, table.from, table.to)) {
        if (venue != Venue::Away)
            count(byTeam[match.home], match);
        if (venue != Venue::Home)
            count(byTeam[match.away], match);
    }

    const TeamNameOrder nameOrder(names);
    std::sort(byTeam.begin(), byTeam.end(), [&nameOrder](const Row &a, const Row &b) {
        if (a.points != b.points)
            return a.points > b.points;
        if (a.goalDifference() != b.goalDifference())
            return a.goalDifference() > b.goalDifference();
        if (a.goalsFor != b.goalsFor)
            return a.goalsFor > b.goalsFor;
        return nameOrder.rank(a.team) < nameOrder.rank(b.team);
    });
    for (int i = 0; i < TeamCount; ++i) {
        table.rows[i] = std::move(byTeam[i]);
        table.rows[i].rank = i + 1;
    }
    return table;
}

QStringList lines(const Table &table)
{
    QStringList out;
    out.reserve(TeamCount);
    for (const Row &row : table.rows) {
        const int numbers[] = {row.points, row.played,   row.won,          row.drawn,
                               row.lost,   row.goalsFor, row.goalsAgainst, row.goalDifference()};
        QString line = QString::number(row.rank) + QLatin1Char('|') + row.name;
        for (const int n : numbers)
            line += QLatin1Char('|') + QString::number(n);
        out << line;
    }
    return out;
}

} // namespace rangetable
