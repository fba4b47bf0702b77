#pragma once

#include <QDateTime>
#include <QString>

class QTextStream;
class SeasonFolder;

// Prints the match-day view of match day `dayArgument` (1..38) as text: the
// header, one line per fixture (home name, goals, goals, away name, home red,
// home yellow, away yellow, away red, return-leg text, joined by "|"), then
// the day's three totals lines. Returns the exit status: 0, or 2 for a bad
// match day (the reason goes to `err`).
int printMatchDay(SeasonFolder &folder, const QDateTime &now, const QString &dayArgument, QTextStream &out,
                  QTextStream &err);
