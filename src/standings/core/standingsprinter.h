#pragma once

#include <QString>

class QTextStream;

// Prints the standings of the season in a program folder as text, one row
// per line from rank 1 down, the fields of each row joined by "|" (first the
// 12-digit ranking key). `matchDayArg` empty means the whole season,
// otherwise it names the last match day counted, 1..38.
// Returns 0 on success, 2 when the match day or the season file is wrong
// (the reason goes to `err`).
int printStandings(const QString &programFolder, const QString &matchDayArg, QTextStream &out, QTextStream &err);
// With `explain`, each line ends with "|" and the name of the criterion that
// put the row ahead of the next one ("points", "différence de buts"...),
// nothing after the bar on the last row.
int printStandings(const QString &programFolder, const QString &matchDayArg, bool explain, QTextStream &out,
                   QTextStream &err);
