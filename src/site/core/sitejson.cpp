#include "site/core/sitejson.h"

#include "season/core/textutil.h"

#include <QList>
#include <QStringList>

#include <utility>

namespace sitejson {

namespace {

QString number(int value)
{
    return QString::number(value);
}

QString nullable(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("null") : string(text);
}

// The points as the table writes them, with a decimal point.
QString points(const StandingRow &row)
{
    return row.pointsText().replace(QLatin1Char(','), QLatin1Char('.'));
}

// A goals field: its count once it holds a score, else null.
QString goals(const QString &field)
{
    return isPlayedScore(field) ? number(text::leadingCount(field)) : QStringLiteral("null");
}

// {"key": value, …} from pairs whose values are JSON already.
QString object(const QList<std::pair<const char *, QString>> &members)
{
    QStringList parts;
    for (const auto &[key, value] : members)
        parts << QLatin1Char('"') + QLatin1String(key) + QStringLiteral("\": ") + value;
    return QLatin1Char('{') + parts.join(QStringLiteral(", ")) + QLatin1Char('}');
}

QString array(const QStringList &items)
{
    if (items.isEmpty())
        return QStringLiteral("[]");
    return QStringLiteral("[\n  ") + items.join(QStringLiteral(",\n  ")) + QStringLiteral("\n]");
}

QStringList matchDays(const SiteValues &v)
{
    QStringList items;
    for (MatchDayNo day = 1; day <= MatchDayCount; ++day) {
        const QDate date = v.season.matchDayDate(day);
        items << object({{"numero", number(day)},
                         {"date", date.isValid() ? string(date.toString(Qt::ISODate)) : QStringLiteral("null")}});
    }
    return items;
}

QStringList teams(const SiteValues &v)
{
    QStringList items;
    for (TeamNo team = 0; team < TeamCount; ++team)
        items << object({{"lettre", string(QString(Season::teamLetter(team)))},
                         {"nom", string(v.teamName(team))},
                         {"page", string(v.teamPage(team))}});
    return items;
}

QStringList matches(const SiteValues &v)
{
    QStringList items;
    for (int fixture = 1; fixture <= v.season.fixtureCount(); ++fixture) {
        const QString entry = v.season.calendarEntry(fixture);
        const QString code = entry.section(QLatin1Char('|'), 2);
        const MatchRecord record = v.store.match(v.season.fixtureKey(fixture));
        items << object({{"journee", number(entry.left(2).toInt())},
                         {"domicile", string(v.season.teamNameOfLetter(code.isEmpty() ? QChar() : code.front()))},
                         {"exterieur", string(v.season.teamNameOfLetter(code.isEmpty() ? QChar() : code.back()))},
                         {"butsDomicile", goals(record[MatchRecord::HomeGoals])},
                         {"butsExterieur", goals(record[MatchRecord::AwayGoals])}});
    }
    return items;
}

QStringList table(const SiteValues &v)
{
    QStringList items;
    for (int r = 0; r < TeamCount; ++r) {
        const DisplayedRow &row = v.table.rows[r];
        const StandingRow &d = row.data;
        QString form;
        for (const formguide::Row &f : v.form.rows) {
            if (f.team == d.team)
                form = f.letters();
        }
        items << object({{"rang", number(row.rankLabel.toInt())},
                         {"nom", string(d.name)},
                         {"page", string(v.teamPage(v.teamAt[r]))},
                         {"points", points(d)},
                         {"joues", number(d.played)},
                         {"gagnes", number(d.homeWins + d.awayWins)},
                         {"nuls", number(d.draws)},
                         {"perdus", number(d.homeLosses + d.awayLosses)},
                         {"butsPour", number(d.goalsFor)},
                         {"butsContre", number(d.goalsAgainst)},
                         {"differenceButs", number(d.goalDifference)},
                         {"pointsFairPlay", number(d.fairPlayPoints)},
                         {"pointsDomicile", number(d.homePoints)},
                         {"pointsExterieur", number(d.awayPoints)},
                         {"gagnesDomicile", number(d.homeWins)},
                         {"gagnesExterieur", number(d.awayWins)},
                         {"perdusDomicile", number(d.homeLosses)},
                         {"perdusExterieur", number(d.awayLosses)},
                         {"butsPourDomicile", number(d.homeGoalsFor)},
                         {"butsPourExterieur", number(d.awayGoalsFor)},
                         {"butsContreDomicile", number(d.homeGoalsAgainst)},
                         {"butsContreExterieur", number(d.awayGoalsAgainst)},
                         {"evolution", nullable(row.movementText)},
                         {"forme", string(form)},
                         {"zone", nullable(row.zoneToolTip)}});
    }
    return items;
}

QStringList outlook(const SiteValues &v)
{
    QStringList items;
    for (const TeamOutlook &row : v.outlook.rows)
        items << object({{"nom", string(row.name)},
                         {"meilleur", number(row.range.best)},
                         {"pire", number(row.range.worst)},
                         {"definitif", row.range.final() ? QStringLiteral("true") : QStringLiteral("false")}});
    return items;
}

} // namespace

QString string(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'"':
            out += QStringLiteral("\\\"");
            break;
        case u'\\':
            out += QStringLiteral("\\\\");
            break;
        case u'\n':
            out += QStringLiteral("\\n");
            break;
        case u'\r':
            out += QStringLiteral("\\r");
            break;
        case u'\t':
            out += QStringLiteral("\\t");
            break;
        default:
            // Other controls, and the two separators a script would take for line ends.
            if (c.unicode() < 0x20 || c.unicode() == 0x2028 || c.unicode() == 0x2029)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + QLatin1Char('"');
}

QByteArray feed(const SiteValues &v)
{
    const QString stamp = v.stampText();
    const QString json = QStringLiteral("{\n\"saison\": ") + string(v.season.title())
                         + QStringLiteral(",\n\"miseAJour\": ") + nullable(stamp) + QStringLiteral(",\n\"journees\": ")
                         + array(matchDays(v)) + QStringLiteral(",\n\"equipes\": ") + array(teams(v))
                         + QStringLiteral(",\n\"matches\": ") + array(matches(v))
                         + QStringLiteral(",\n\"classement\": ") + array(table(v))
                         + QStringLiteral(",\n\"perspectives\": ") + array(outlook(v)) + QStringLiteral("\n}\n");
    return json.toUtf8();
}

} // namespace sitejson
