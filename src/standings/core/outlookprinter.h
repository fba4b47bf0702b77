#pragma once

#include <QString>

class QTextStream;

// Prints the exact outlook of the season in a program folder, one line per
// team in table order: name, current rank, best and worst final rank, then
// the status words ("champion", "titre impossible", "maintenu", "relégué"...),
// all joined by "|". `matchDayArg` as for printStandings: the table counts
// match days 1..N and every fixture after N is still to be played.
// Returns 0 on success, 2 when the match day or the season file is wrong.
int printOutlook(const QString &programFolder, const QString &matchDayArg, QTextStream &out, QTextStream &err);
