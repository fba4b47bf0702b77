#include "team/core/cardsreport.h"

#include "season/core/textutil.h"
#include "team/core/resultrules.h"

namespace {
// Eleven slots per match day: a calendar of ten matches leaves the last
// one empty, but a store written for a larger match day still counts.
constexpr int SlotsPerMatchDay = 11;
} // namespace

QStringList CardsReport::lines() const
{
    QStringList lines;
    for (MatchDayNo day = 1; day <= MatchDayCount; ++day) {
        if (yellow[day] + red[day] > 0)
            lines << QStringLiteral("Jour %1: Cj:%2. CR:%3")
                         .arg(day, 2, 10, QLatin1Char('0'))
                         .arg(yellow[day])
                         .arg(red[day]);
    }
    lines << QStringLiteral("Cumul CJ ") + QString::number(totalYellow);
    lines << QStringLiteral("Cumul CR ") + QString::number(totalRed);
    return lines;
}

CardsReport cardsPerMatchDay(const ResultStore &store)
{
    CardsReport report;
    const IniFile::Hold hold(store.ini());
    for (MatchDayNo day = 1; day <= MatchDayCount; ++day) {
        for (int slot = 0; slot < SlotsPerMatchDay; ++slot) {
            const MatchRecord record = store.match(Season::fixtureKey(day, slot));
            if (!record.namesLeagueTeams())
                continue;
            report.yellow[day] += text::leadingCount(record[MatchRecord::AwayYellow])
                                  + text::leadingCount(record[MatchRecord::HomeYellow]);
            report.red[day] +=
                text::leadingCount(record[MatchRecord::AwayRed]) + text::leadingCount(record[MatchRecord::HomeRed]);
        }
        report.totalYellow += report.yellow[day];
        report.totalRed += report.red[day];
    }
    return report;
}
