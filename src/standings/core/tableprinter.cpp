#include "standings/core/tableprinter.h"

#include "season/core/seasonfolder.h"
#include "standings/core/criterionsort.h"
#include "standings/core/standingsengine.h"
#include "standings/core/titlerace.h"

#include <QTextStream>

DisplayedStandings displayedStandingsOf(const SeasonFolder &folder, MatchDayNo upTo, const QDateTime &now)
{
    const Standings standings = computeStandings(folder.season(), folder.store(), folder.bonusMalus(), upTo);
    DisplayContext context;
    context.dueMatchDays = folder.season().dueMatchDays(now, MatchDayCount);
    DisplayedStandings shown = buildDisplayedStandings(standings, context);
    shown.stamp = folder.store().stamp();
    return shown;
}

int printSorted(SeasonFolder &folder, const QString &code, const QString &matchDayArgument, const QDateTime &now,
                QTextStream &out, QTextStream &err)
{
    if (!criterion::isCode(code)) {
        err << "Critère inconnu : " << code << " (" << criterion::codes().join(QStringLiteral(", ")) << " attendu)\n";
        return 2;
    }
    const int upTo = commandline::matchDayArgument(matchDayArgument, err);
    if (upTo < 0)
        return 2;
    const DisplayedStandings sorted = criterion::sortByCriterion(displayedStandingsOf(folder, upTo, now), code);
    for (const DisplayedRow &row : sorted.rows)
        out << row.rankLabel << '|' << row.data.fields().mid(1).join(QLatin1Char('|')) << '\n';
    return 0;
}

int printReachable(SeasonFolder &folder, const QString &matchDayArgument, const QDateTime &now, QTextStream &out,
                   QTextStream &err)
{
    const int upTo = commandline::matchDayArgument(matchDayArgument, err);
    if (upTo < 0)
        return 2;
    const DisplayedStandings shown = displayedStandingsOf(folder, upTo, now);
    const ReachableRanks ranks = computeReachableRanks(shown);
    for (int i = 0; i < TeamCount; ++i)
        out << shown.rows[i].data.name << '|' << ranks.rank[i] << '\n';
    if (ranks.champion)
        out << ranks.championMessage << '\n';
    return 0;
}
