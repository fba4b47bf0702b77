#include "online/core/exportdata.h"

#include "online/core/stamp.h"
#include "season/core/textutil.h"
#include "standings/core/standingsengine.h"

#include <QRegularExpression>

#include <cmath>

namespace exportdata {

QStringList adjustmentLines(const Season &season, const BonusMalus &bonusMalus)
{
    QStringList lines;
    for (TeamNo team = 0; team < TeamCount; ++team) {
        if (bonusMalus[team] == 0)
            continue;
        // Shown as the table shows points: whole numbers plainly, a fraction
        // with the decimal comma.
        StandingRow row;
        row.points = bonusMalus[team];
        lines << season.teamName(team) + QStringLiteral(": [") + row.pointsText() + QLatin1Char(']');
    }
    return lines;
}

std::optional<int> wholeAdjustment(const QString &typed)
{
    static const QRegularExpression number(QStringLiteral("^\\s*([+-]?)([0-9]{1,6})(?:[.,]([0-9]{0,6}))?\\s*$"));
    const QRegularExpressionMatch match = number.match(typed);
    if (!match.hasMatch())
        return std::nullopt;
    QString plain = match.captured(1) + match.captured(2);
    if (!match.captured(3).isEmpty())
        plain += QLatin1Char('.') + match.captured(3);
    const double value = std::floor(plain.toDouble());
    if (value < -MaxAdjustment || value > MaxAdjustment)
        return std::nullopt;
    return int(value);
}

QString publishedNews(const QString &typed)
{
    return text::foldDiacritics(typed);
}

ResultStore::Publication publication(const QString &news, const QString &version, const QDateTime &now)
{
    return {stamp::format(now), publishedNews(news), version};
}

QString adjustmentRejectedText(const QString &typed)
{
    return QStringLiteral("« %1 » n'est pas un nombre de points entre -%2 et %2 : aucun ajustement n'est "
                          "enregistré.")
        .arg(typed)
        .arg(MaxAdjustment);
}

} // namespace exportdata
