#pragma once

#include <QString>

class QTextStream;
class SeasonFolder;

// The statistics views as text, for scripts: UTF-8 lines whose fields are
// joined by "|". Each returns the exit status, 0 or 2 for a bad argument
// (the French reason going to `err`, nothing to `out`). Empty arguments take
// their defaults: match day 38, the last 5 matches, match days 1 to 38.
namespace statisticsprinter {

int printForm(SeasonFolder &folder, const QString &matchDayArg, const QString &lastArg, QTextStream &out,
              QTextStream &err);
int printTable(SeasonFolder &folder, const QString &fromArg, const QString &toArg, bool home, bool away,
               QTextStream &out, QTextStream &err);
int printMatrix(SeasonFolder &folder, const QString &matchDayArg, QTextStream &out, QTextStream &err);
int printStreaks(SeasonFolder &folder, const QString &matchDayArg, QTextStream &out, QTextStream &err);

} // namespace statisticsprinter
