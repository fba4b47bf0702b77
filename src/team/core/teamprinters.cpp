#include "team/core/teamprinters.h"

#include "season/core/seasonfolder.h"
#include "standings/core/tableprinter.h"
#include "team/core/cardsreport.h"
#include "team/core/rankinghistory.h"
#include "team/core/seasonhighlights.h"
#include "team/core/teamcard.h"

#include <QTextStream>

#include <algorithm>

namespace {

// The team argument, or NoTeam after telling why on `err`.
TeamNo requiredTeam(const Season &season, const QString &argument, QTextStream &err)
{
    const TeamNo team = teamOfArgument(season, argument);
    if (team == NoTeam)
        err << unknownTeamText(argument) << '\n';
    return team;
}

} // namespace

QString unknownTeamText(const QString &name)
{
    return QStringLiteral("Équipe inconnue : %1").arg(name);
}

int teamOfArgument(const Season &season, const QString &argument)
{
    const QString wanted = argument.trimmed();
    if (wanted.isEmpty())
        return NoTeam;
    const TeamNo exact = season.teamNoOfName(wanted);
    if (exact != NoTeam)
        return exact;
    TeamNo found = NoTeam;
    for (TeamNo team = 0; team < TeamCount; ++team) {
        if (season.teamName(team).compare(wanted, Qt::CaseInsensitive) != 0)
            continue;
        if (found != NoTeam)
            return NoTeam; // two names differ only by case: the argument is ambiguous
        found = team;
    }
    return found;
}

int printCardsReport(SeasonFolder &folder, QTextStream &out, QTextStream &)
{
    for (const QString &line : cardsPerMatchDay(folder.store()).lines())
        out << line << '\n';
    return 0;
}

int printHighlights(SeasonFolder &folder, QTextStream &out, QTextStream &)
{
    for (const QString &value : highlights::compute(folder.season(), folder.store()))
        out << value << "\n--\n";
    return 0;
}

int printRankingHistory(SeasonFolder &folder, const QString &team, bool simulated, const QDateTime &now,
                        QTextStream &out, QTextStream &err)
{
    const TeamNo teamNo = requiredTeam(folder.season(), team, err);
    if (teamNo == NoTeam)
        return 2;
    RankingHistory history;
    buildRankingHistory(history, folder.season(), folder.store(), folder.bonusMalus(),
                        historyDateLimit(now, simulated));
    const QString name = folder.season().teamName(teamNo);
    for (MatchDayNo day = 1; day <= MatchDayCount; ++day) {
        const int rank = history.rankOf(day, name);
        if (rank > 0)
            out << day << '|' << rank << '\n';
    }
    return 0;
}

int printTeamCard(SeasonFolder &folder, const QString &team, const QDateTime &now, QTextStream &out, QTextStream &err)
{
    const TeamNo teamNo = requiredTeam(folder.season(), team, err);
    if (teamNo == NoTeam)
        return 2;
    // The rank is that of the whole season's table; no favourite is marked.
    const DisplayedStandings shown = displayedStandingsOf(folder, 0, now);
    TeamCard card = buildTeamCard(folder.season(), folder.store(), teamNo, shown, QString());
    std::vector<CardRow> rows = card.rows;
    std::stable_sort(rows.begin(), rows.end(),
                     [](const CardRow &a, const CardRow &b) { return a.fixtureNo < b.fixtureNo; });
    for (const CardRow &row : rows) {
        out << QStringLiteral("%1").arg(row.matchDay, 2, 10, QLatin1Char('0')) << '|' << row.dateText << '|'
            << row.homeName << '|' << row.scoreText() << '|' << row.awayName << '|' << row.outcomeWord() << '\n';
    }
    for (const QString &line : card.totalsLines())
        out << line << '\n';
    return 0;
}
