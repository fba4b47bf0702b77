#pragma once

#include <QString>

class QTextStream;

// Prints the standings of the season in a program folder as text, one row
// per line from rank 1 down, the fields of each row joined by "|" (first the
// 12-digit ranking key). `matchDayArg` empty means the whole season,
// otherwise it names the last match day counted, 1..38.
// The program folder is prepared as the window's start-up does it
// (prepareProgramFolder). Returns 0 on success, 2 when the match day or the
// season file is wrong, 1 when the results store is there but cannot be read
// (the reason goes to `err`).
int printStandings(const QString &programFolder, const QString &matchDayArg, QTextStream &out, QTextStream &err);
