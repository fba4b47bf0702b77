#include "standings/core/standingsprinter.h"

#include "season/core/programfolder.h"
#include "season/core/resultstore.h"
#include "season/core/season.h"
#include "standings/core/standingsengine.h"

#include <QDateTime>
#include <QDir>
#include <QStringConverter>
#include <QTextStream>

int printStandings(const QString &programFolder, const QString &matchDayArg, QTextStream &out, QTextStream &err)
{
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    MatchDayNo upTo = 0;
    if (!matchDayArg.isEmpty()) {
        bool ok = false;
        upTo = matchDayArg.trimmed().toInt(&ok);
        if (!ok || upTo < 1 || upTo > MatchDayCount) {
            err << "Journée invalide : " << matchDayArg << " (1 à " << MatchDayCount << " attendu)\n";
            err.flush();
            return 2;
        }
    }

    const std::optional<Season> season = Season::load(QDir(programFolder).filePath(QStringLiteral("2013.txt")));
    if (!season) {
        err << "Absence du fichier 2013.txt\n";
        err.flush();
        return 2;
    }

    // The same preparation as the window's start-up, so both show the same
    // results; a store that is there but unreadable is not "no results".
    const FolderPreparation folder = prepareProgramFolder(programFolder, QDateTime::currentDateTime());
    if (!folder.storeReadable()) {
        err << folder.storeProblem << '\n';
        err.flush();
        return 1;
    }

    const ResultStore store(programFolder);
    BonusMalus bonusMalus{};
    store.loadBonusMalus(bonusMalus);

    const Standings standings = computeStandings(*season, store, bonusMalus, upTo);
    for (const StandingRow &row : standings.rows)
        out << row.rowText() << '\n';
    out.flush();
    return 0;
}
