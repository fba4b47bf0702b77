#include "standings/core/outlookprinter.h"

#include "season/core/seasonfolder.h"
#include "standings/core/outlook.h"

#include <QStringList>
#include <QTextStream>

namespace {
const QString NotFinal = QStringLiteral("Calcul exact incomplet : les lignes marquées « non définitif » ou « échec du "
                                        "calcul » donnent des bornes sûres, pas forcément les rangs exacts");
} // namespace

int printOutlook(SeasonFolder &folder, const QString &matchDayArg, QTextStream &out, QTextStream &err)
{
    const int upTo = commandline::matchDayArgument(matchDayArg, err);
    if (upTo < 0)
        return 2;
    const SeasonOutlook outlook = computeOutlook(folder.season(), folder.store(), folder.bonusMalus(), upTo);
    for (const TeamOutlook &row : outlook.rows) {
        QStringList fields{row.name, row.rankLabel, QString::number(row.range.best), QString::number(row.range.worst)};
        fields << row.statusWords;
        out << fields.join(QLatin1Char('|')) << '\n';
    }
    out.flush();
    if (!outlook.final()) {
        err << NotFinal << '\n';
        err.flush();
    }
    return 0;
}
