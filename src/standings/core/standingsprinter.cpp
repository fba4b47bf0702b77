#include "standings/core/standingsprinter.h"

#include "season/core/seasonfolder.h"
#include "standings/core/rankexplanation.h"
#include "standings/core/standingsengine.h"

#include <QDateTime>
#include <QStringConverter>
#include <QTextStream>

int printStandings(SeasonFolder &folder, const QString &matchDayArg, bool explain, QTextStream &out, QTextStream &err)
{
    const int upTo = commandline::matchDayArgument(matchDayArg, err);
    if (upTo < 0)
        return 2;
    const Standings standings = computeStandings(folder.season(), folder.store(), folder.bonusMalus(), upTo);
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
