#include "standings/core/outlookprinter.h"

#include "standings/core/outlook.h"
#include "standings/core/printsource.h"

#include <QStringConverter>
#include <QStringList>
#include <QTextStream>

int printOutlook(const QString &programFolder, const QString &matchDayArg, QTextStream &out, QTextStream &err)
{
    out.setEncoding(QStringConverter::Utf8);
    PrintSource source;
    if (const int status = source.load(programFolder, matchDayArg, err))
        return status;

    const SeasonOutlook outlook = computeOutlook(*source.season, *source.store, source.bonusMalus,
                                                 source.upToMatchDay);
    for (const TeamOutlook &row : outlook.rows) {
        QStringList fields{row.name, row.rankLabel, QString::number(row.range.best), QString::number(row.range.worst)};
        fields << row.statusWords;
        out << fields.join(QLatin1Char('|')) << '\n';
    }
    out.flush();
    return 0;
}
