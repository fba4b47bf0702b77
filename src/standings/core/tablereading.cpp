#include "standings/core/tablereading.h"

#include "standings/core/leaguezones.h"

#include <iterator>

namespace tablereading {

namespace {

// Spoken titles of the statistic columns (the headers are abbreviations),
// and where each takes its number from; points are told apart.
struct Column
{
    const char *name;
    const char *title;
    int StandingRow::*value;
};

constexpr Column Columns[] = {
    {"TPTS", "Points", nullptr},
    {"TDelta", "Différence de buts", &StandingRow::goalDifference},
    {"TBP", "Buts pour", &StandingRow::goalsFor},
    {"TBC", "Buts contre", &StandingRow::goalsAgainst},
    {"MJ", "Matches joués", &StandingRow::played},
    {"FP", "Points de fair-play", &StandingRow::fairPlayPoints},
    {"TBPD", "Buts pour à domicile", &StandingRow::homeGoalsFor},
    {"TBPE", "Buts pour à l'extérieur", &StandingRow::awayGoalsFor},
    {"TBCD", "Buts contre à domicile", &StandingRow::homeGoalsAgainst},
    {"TBCE", "Buts contre à l'extérieur", &StandingRow::awayGoalsAgainst},
    {"TPD", "Points à domicile", &StandingRow::homePoints},
    {"TPE", "Points à l'extérieur", &StandingRow::awayPoints},
    {"TMD", "Matches gagnés à domicile", &StandingRow::homeWins},
    {"TME", "Matches gagnés à l'extérieur", &StandingRow::awayWins},
    {"TMpD", "Matches perdus à domicile", &StandingRow::homeLosses},
    {"TMpE", "Matches perdus à l'extérieur", &StandingRow::awayLosses},
    {"TMN", "Matches nuls", &StandingRow::draws},
};

QString nameOf(const Column &column, const StandingRow &row)
{
    const QString value = column.value ? QString::number(row.*column.value) : row.pointsText();
    return QString::fromUtf8(column.title) + QStringLiteral(" de ") + row.name + QStringLiteral(" : ") + value;
}

} // namespace

QString zoneMark(ZoneMark zone)
{
    const leaguezones::Zone *z = leaguezones::zoneOf(zone);
    return z ? QString::fromLatin1(z->shortMark) : QString();
}

QString rowName(const DisplayedRow &row)
{
    return rowName(row.rankLabel, row.data.name, row.data.points, row.data.pointsText());
}

QString rowName(const QString &rankLabel, const QString &team, double points, const QString &pointsText)
{
    // "1 point", "0 point", "-1 point": the plural starts at 2 in French.
    const bool plural = qAbs(points) >= 2;
    return QStringLiteral("Rang %1, %2, %3 point%4")
        .arg(rankLabel, team, pointsText, plural ? QStringLiteral("s") : QString());
}

QString rowDescription(const DisplayedRow &row)
{
    QStringList sentences;
    if (row.zone != ZoneMark::None && !row.zoneToolTip.isEmpty())
        sentences << QStringLiteral("%1 (%2).").arg(row.zoneToolTip, zoneMark(row.zone));
    if (const QString movement = movementName(row); !movement.isEmpty())
        sentences << movement + QLatin1Char('.');
    return sentences.join(QLatin1Char(' '));
}

QString cellName(const QString &column, const DisplayedRow &row)
{
    for (const Column &c : Columns) {
        if (column == QLatin1String(c.name))
            return nameOf(c, row.data);
    }
    return {};
}

QList<std::pair<QString, QString>> cellNames(const DisplayedRow &row)
{
    QList<std::pair<QString, QString>> names;
    names.reserve(std::size(Columns));
    for (const Column &c : Columns)
        names.append({QLatin1String(c.name), nameOf(c, row.data)});
    return names;
}

QString columnTitle(const QString &column)
{
    if (column == QLatin1String("LabClass"))
        return QStringLiteral("Rang");
    if (column == QLatin1String("ImEvol"))
        return QStringLiteral("Évolution");
    if (column == QLatin1String("Tclass"))
        return QStringLiteral("Équipe");
    for (const Column &c : Columns) {
        if (column == QLatin1String(c.name))
            return QString::fromUtf8(c.title);
    }
    return {};
}

QString movementName(const DisplayedRow &row)
{
    switch (row.movement) {
    case Movement::None:
        return {};
    case Movement::Same:
        return QStringLiteral("Évolution : inchangé");
    case Movement::Up:
    case Movement::Down:
        break;
    }
    return QStringLiteral("Évolution : ") + row.movementText;
}

} // namespace tablereading
