#include "team/core/resultrules.h"

#include "season/core/textutil.h"
#include "standings/core/standingsengine.h"

#include <QStringList>

namespace resultrules {

bool isScore(QStringView goals)
{
    return isPlayedScore(goals);
}

ScoreReading readScore(QStringView homeGoals, QStringView awayGoals)
{
    if (!isScore(homeGoals))
        return ScoreReading::NotPlayed;
    if (!isScore(awayGoals))
        return ScoreReading::Incomplete;
    const int home = text::leadingCount(homeGoals);
    const int away = text::leadingCount(awayGoals);
    return home > away ? ScoreReading::HomeWin : home < away ? ScoreReading::AwayWin : ScoreReading::Draw;
}

QString fixtureKeyOf(const QString &calendarEntry)
{
    const QStringList parts = calendarEntry.split(QLatin1Char('|'));
    if (parts.size() < 3)
        return {};
    return parts[0] + parts[1];
}

QString fixtureCodeOf(const QString &calendarEntry)
{
    const QStringList parts = calendarEntry.split(QLatin1Char('|'));
    return parts.size() < 3 ? QString() : parts[2];
}

MatchDayNo matchDayOfKey(const QString &fixtureKey)
{
    const int day = text::leadingInt(QStringView(fixtureKey).left(2));
    return day >= 1 && day <= MatchDayCount ? day : 0;
}

QString shortDate(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

} // namespace resultrules
