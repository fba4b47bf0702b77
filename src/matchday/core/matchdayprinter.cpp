#include "matchday/core/matchdayprinter.h"

#include "season/core/seasonfolder.h"

#include <QTextStream>

int printMatchDay(SeasonFolder &, const QDateTime &, const QString &, QTextStream &, QTextStream &err)
{
    err << "--print-matchday : pas encore disponible\n";
    return 1;
}
