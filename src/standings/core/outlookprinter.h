#pragma once

#include <QString>

class QTextStream;
class SeasonFolder;

// Prints the exact outlook of the season, one line per team in table order:
// name, current rank, best and worst final rank, then the status words
// ("champion", "titre impossible", "maintenu", "relégué"...: the strongest
// of each side only), all joined by "|". A range that is not exact (its
// allowance of work ran out, or the search failed) ends its line with
// "non définitif" or "échec du calcul", and a note goes to `err`.
// `matchDayArg` empty counts the whole season, otherwise the table counts
// match days 1..N and every fixture after N is still to be played.
// Returns 0, or 2 for a bad match day (the reason goes to `err`).
int printOutlook(SeasonFolder &folder, const QString &matchDayArg, QTextStream &out, QTextStream &err);
