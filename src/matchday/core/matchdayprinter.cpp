#include "matchday/core/matchdayprinter.h"

#include "matchday/core/matchdayview.h"
#include "season/core/seasonfolder.h"

#include <QStringConverter>
#include <QTextStream>

namespace {

// A card box prints what it shows: nothing while it is hidden (the match is
// not played).
QString shown(const QString &text, bool visible)
{
    return visible ? text : QString();
}

} // namespace

int printMatchDay(SeasonFolder &folder, const QDateTime &now, const QString &dayArgument, QTextStream &out,
                  QTextStream &err)
{
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    bool ok = false;
    const int day = dayArgument.trimmed().toInt(&ok);
    if (!ok || day < 1 || day > MatchDayCount) {
        err << "Journée invalide : " << dayArgument << " (1 à " << MatchDayCount << " attendu)\n";
        err.flush();
        return 2;
    }

    const MatchDayView view = matchday::build(folder.season(), folder.store(), day, now, QString());
    out << view.header << '\n';
    for (const GridRow &row : view.rows) {
        const QStringList fields = {row.homeName,
                                    row.homeGoals,
                                    row.awayGoals,
                                    row.awayName,
                                    shown(row.cards.homeRed, row.cardLayout.homeRedShown),
                                    shown(row.cards.homeYellow, row.cardLayout.homeYellowShown),
                                    shown(row.cards.awayYellow, row.cardLayout.awayYellowShown),
                                    shown(row.cards.awayRed, row.cardLayout.awayRedShown),
                                    row.info};
        out << fields.join(QLatin1Char('|')) << '\n';
    }
    for (const QString &line : view.dayTotals)
        out << line << '\n';
    out.flush();
    return 0;
}
