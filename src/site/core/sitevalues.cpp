#include "site/core/sitevalues.h"

#include "online/core/stamp.h"
#include "site/core/siteslug.h"
#include "standings/core/rankmovement.h"

#include <algorithm>
#include <optional>

QString SiteValues::teamPage(TeamNo team) const
{
    return QStringLiteral("equipe-") + slugs.at(team) + QStringLiteral(".html");
}

QString SiteValues::matchDayPage(MatchDayNo day)
{
    return QStringLiteral("journee-%1.html").arg(day, 2, 10, QLatin1Char('0'));
}

namespace sitevalues {

MatchDayNo latestMatchDay(const ResultStore &store)
{
    const IniFile::Hold hold(store.ini());
    for (MatchDayNo day = MatchDayCount; day >= 1; --day) {
        for (int index = 0; index < FixturesPerMatchDay; ++index) {
            const MatchRecord record = store.match(Season::fixtureKey(day, index));
            if (isPlayedScore(record[MatchRecord::HomeGoals]) || isPlayedScore(record[MatchRecord::AwayGoals]))
                return day;
        }
    }
    return 0;
}

QDateTime storeMoment(const Season &season, const QString &stampText, MatchDayNo latest)
{
    const QDate start = season.matchDayDate(1);
    const int year = start.isValid() ? start.year() : 2013;
    std::optional<QDateTime> moment = stamp::parse(stampText, year);
    if (moment && start.isValid() && moment->date() < start.addMonths(-2))
        moment = stamp::parse(stampText, year + 1);
    if (moment)
        return QDateTime(moment->date(), moment->time(), Qt::UTC);
    QDate fallback = season.matchDayDate(latest);
    if (!fallback.isValid())
        fallback = start.isValid() ? start : QDate(year, 8, 1);
    return QDateTime(fallback, QTime(0, 0), Qt::UTC);
}

} // namespace sitevalues

SiteValues siteValues(const Season &season, const ResultStore &store, const BonusMalus &bonusMalus)
{
    SiteValues v{season, store, bonusMalus};
    const IniFile::Hold hold(store.ini());
    v.latest = sitevalues::latestMatchDay(store);
    v.slugs = siteslug::ofTeams(season);

    // The league as it stands: every result counted; teams ahead of or
    // behind the calendar measured against the latest match day played, not
    // against today's date, which the site must not depend on.
    DisplayContext context;
    context.dueMatchDays = v.latest;
    v.table = buildDisplayedStandings(computeStandings(season, store, bonusMalus), context);
    v.table.stamp = store.stamp();

    if (v.latest >= 1) {
        const QDate date = season.matchDayDate(v.latest);
        // Every match day dated up to the latest one played, as the graph builds it.
        buildRankingHistory(v.history, season, store, bonusMalus,
                            QDateTime(date.isValid() ? date : QDate(9999, 12, 31), QTime(0, 0)));
    }
    if (v.latest >= 2 && v.history.has(v.latest) && v.history.has(v.latest - 1)) {
        const RankingHistory::Order &now = v.history.order(v.latest);
        const RankMovements moves = rankMovements(v.history.order(v.latest - 1), now);
        // The marks stand on the order after the latest match day; a row of
        // the general table takes its team's.
        for (DisplayedRow &row : v.table.rows) {
            const auto at = std::find(now.begin(), now.end(), row.data.name);
            if (at == now.end())
                continue;
            row.movement = moves.movement[at - now.begin()];
            row.movementText = moves.text[at - now.begin()];
        }
    }
    for (int i = 0; i < TeamCount; ++i)
        v.teamAt[i] = v.table.rows[i].data.team;

    v.form = formguide::compute(season, store, bonusMalus, 0);
    v.runs = streaks::compute(season, store, bonusMalus, 0);
    v.outlook = computeOutlook(season, store, bonusMalus, 0);
    v.moment = sitevalues::storeMoment(season, v.table.stamp, v.latest);
    return v;
}
