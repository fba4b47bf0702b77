#include "statistics/core/oddsprinter.h"

#include "season/core/seasonfolder.h"
#include "statistics/core/seasonodds.h"

#include <QStringList>
#include <QTextStream>

namespace {

// Plain digits for scripts: no group separator, whatever the size.
QString oneDecimal(double value)
{
    QString text = QString::number(value, 'f', 1);
    if (text == QLatin1String("-0.0"))
        text = QStringLiteral("0.0");
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

} // namespace

int printOdds(SeasonFolder &folder, const QString &matchDayArg, const QString &runsArg, const QString &seedArg,
              QTextStream &out, QTextStream &err)
{
    const int upTo = commandline::matchDayArgument(matchDayArg, err);
    if (upTo < 0)
        return 2;
    const int runs = commandline::countArgument(runsArg, int(seasonodds::DefaultRuns), int(seasonodds::MaxRuns),
                                                QStringLiteral("Nombre de simulations"), err);
    if (runs < 0)
        return 2;
    seasonodds::Request request;
    request.upTo = upTo > 0 ? upTo : seasonodds::latestMatchDayWithResult(folder.store());
    request.runs = runs;
    if (!seedArg.isEmpty()) {
        bool ok = false;
        request.seed = seedArg.trimmed().toULongLong(&ok);
        if (!ok) {
            err << "Graine invalide : " << seedArg << " (nombre entier de 0 à 18446744073709551615 attendu)\n";
            err.flush();
            return 2;
        }
    }
    const seasonodds::Odds odds = seasonodds::compute(folder.season(), folder.store(), folder.bonusMalus(), request);
    for (const seasonodds::TeamOdds &row : odds.rows) {
        QStringList fields{row.name, oneDecimal(row.expectedPoints)};
        for (int rank = 1; rank <= TeamCount; ++rank)
            fields << oneDecimal(row.share(rank));
        out << fields.join(QLatin1Char('|')) << '\n';
    }
    out.flush();
    return 0;
}
