#include "team/core/teamprinters.h"

#include "season/core/seasonfolder.h"

#include <QTextStream>

namespace {
int notYet(QTextStream &err, const char *option)
{
    err << option << " : pas encore disponible\n";
    return 1;
}
} // namespace

int printCardsReport(SeasonFolder &, QTextStream &, QTextStream &err)
{
    return notYet(err, "--print-cards");
}

int printHighlights(SeasonFolder &, QTextStream &, QTextStream &err)
{
    return notYet(err, "--print-highlights");
}

int printRankingHistory(SeasonFolder &, const QString &, bool, const QDateTime &, QTextStream &, QTextStream &err)
{
    return notYet(err, "--print-history");
}

int printTeamCard(SeasonFolder &, const QString &, QTextStream &, QTextStream &err)
{
    return notYet(err, "--print-team");
}
