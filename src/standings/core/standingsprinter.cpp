#include "standings/core/standingsprinter.h"

#include "standings/core/printsource.h"
#include "standings/core/rankexplanation.h"
#include "standings/core/standingsengine.h"

#include <QStringConverter>
#include <QTextStream>

int printStandings(const QString &programFolder, const QString &matchDayArg, QTextStream &out, QTextStream &err)
{
    return printStandings(programFolder, matchDayArg, false, out, err);
}

int printStandings(const QString &programFolder, const QString &matchDayArg, bool explain, QTextStream &out,
                   QTextStream &err)
{
    out.setEncoding(QStringConverter::Utf8);
    PrintSource source;
    if (const int status = source.load(programFolder, matchDayArg, err))
        return status;

    const Standings standings = computeStandings(*source.season, *source.store, source.bonusMalus,
                                                 source.upToMatchDay);
    for (int i = 0; i < TeamCount; ++i) {
        out << standings.rows[i].rowText();
        if (explain) {
            out << '|';
            if (i + 1 < TeamCount)
                out << criterionName(separatingCriterion(standings.rows[i], standings.rows[i + 1]));
        }
        out << '\n';
    }
    out.flush();
    return 0;
}
