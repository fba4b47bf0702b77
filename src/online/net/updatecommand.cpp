#include "online/net/updatecommand.h"

#include "season/core/seasonfolder.h"

#include <QTextStream>

int runUpdateCommand(SeasonFolder &, const QString &, QTextStream &, QTextStream &err)
{
    err << "--update : pas encore disponible\n";
    return 1;
}
