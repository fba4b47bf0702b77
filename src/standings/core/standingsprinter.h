#pragma once

#include <QString>

class QTextStream;
class SeasonFolder;

// Prints the standings of the season as text, one row per line from rank 1
// down, the fields of each row joined by "|" (first the 12-digit ranking key).
// `matchDayArg` empty means the whole season, otherwise it names the last
// match day counted, 1..38. With `explain`, each line ends with "|" and the
// name of the criterion that put the row ahead of the next one ("points",
// "différence de buts"...), nothing after the bar on the last row.
// Returns 0, or 2 for a bad match day (the reason goes to `err`).
int printStandings(SeasonFolder &folder, const QString &matchDayArg, bool explain, QTextStream &out, QTextStream &err);
