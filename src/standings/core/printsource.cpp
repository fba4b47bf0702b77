#include "standings/core/printsource.h"

#include <QDir>
#include <QStringConverter>
#include <QTextStream>

int PrintSource::load(const QString &programFolder, const QString &matchDayArg, QTextStream &err)
{
    err.setEncoding(QStringConverter::Utf8);
    upToMatchDay = 0;
    if (!matchDayArg.isEmpty()) {
        bool ok = false;
        upToMatchDay = matchDayArg.trimmed().toInt(&ok);
        if (!ok || upToMatchDay < 1 || upToMatchDay > MatchDayCount) {
            err << "Journée invalide : " << matchDayArg << " (1 à " << MatchDayCount << " attendu)\n";
            err.flush();
            return 2;
        }
    }

    season = Season::load(QDir(programFolder).filePath(QStringLiteral("2013.txt")));
    if (!season) {
        err << "Absence du fichier 2013.txt\n";
        err.flush();
        return 2;
    }

    store = std::make_unique<ResultStore>(programFolder);
    store->loadBonusMalus(bonusMalus);
    return 0;
}
