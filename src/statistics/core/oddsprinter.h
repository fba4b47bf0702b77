#pragma once

#include <QString>

class QTextStream;
class SeasonFolder;

// Prints the season odds, one line per team in table order at match day N:
// "name|expected points|p1|…|p20", every number with one decimal and the
// decimal comma. `matchDayArg` empty takes the latest match day with a
// result; `runsArg` empty 100000 runs, `seedArg` empty seed 1. Returns 0, or
// 2 for a bad argument (the French reason goes to `err`).
int printOdds(SeasonFolder &folder, const QString &matchDayArg, const QString &runsArg, const QString &seedArg,
              QTextStream &out, QTextStream &err);
