#include "standings/core/streaks.h"

#include <algorithm>

namespace streaks {

const std::array<QString, KindCount> &headings()
{
    static const std::array<QString, KindCount> texts = {
        QStringLiteral("Victoires"),     QStringLiteral("Sans défaite"), QStringLiteral("Défaites"),
        QStringLiteral("Sans victoire"), QStringLiteral("Buts marqués"), QStringLiteral("Sans but encaissé"),
    };
    return texts;
}

bool extends(Kind kind, const PlayedMatch &match, TeamNo team)
{
    const Outcome outcome = outcomeFor(match, team);
    switch (kind) {
    case Wins:
        return outcome == Outcome::Won;
    case Unbeaten:
        return outcome != Outcome::Lost;
    case Losses:
        return outcome == Outcome::Lost;
    case Winless:
        return outcome != Outcome::Won;
    case Scoring:
        return match.goalsFor(team) > 0;
    case CleanSheets:
        return match.goalsAgainst(team) == 0;
    }
    return false;
}

Streaks compute(const Season &season, const ResultStore &store, const BonusMalus &bonusMalus, MatchDayNo upTo)
{
    Streaks result;
    result.upToMatchDay = upTo >= 1 && upTo <= MatchDayCount ? upTo : MatchDayCount;

    // The current run of a kind grows with each match that extends it and
    // falls to 0 on one that does not; whatever it is after the team's last
    // match is its current run.
    std::array<std::array<Run, KindCount>, TeamCount> byTeam{};
    for (const PlayedMatch &match : playedMatches(store, 1, result.upToMatchDay)) {
        for (const TeamNo team : {match.home, match.away}) {
            for (int kind = 0; kind < KindCount; ++kind) {
                Run &run = byTeam[team][kind];
                run.current = extends(Kind(kind), match, team) ? run.current + 1 : 0;
                run.longest = std::max(run.longest, run.current);
            }
        }
    }

    const TableOrder order = tableOrder(season, store, bonusMalus, result.upToMatchDay);
    for (int rank = 0; rank < TeamCount; ++rank) {
        Row &row = result.rows[rank];
        row.team = order[rank];
        row.name = season.teamName(row.team);
        row.runs = byTeam[row.team];
    }
    return result;
}

QStringList lines(const Streaks &streaks)
{
    QStringList out;
    out.reserve(TeamCount);
    for (const Row &row : streaks.rows) {
        QString line = row.name;
        for (const Run &run : row.runs)
            line += QLatin1Char('|') + QString::number(run.current) + QLatin1Char('/') + QString::number(run.longest);
        out << line;
    }
    return out;
}

} // namespace streaks
