#pragma once

#include <QDateTime>
#include <QString>

class QTextStream;
class SeasonFolder;

// Prints the match-day view of match day `dayArgument` (1..38) as text: the
// header, one line per fixture, then the day's totals. Returns the exit
// status: 0, or 2 for a bad match day (the reason goes to `err`).
int printMatchDay(SeasonFolder &folder, const QDateTime &now, const QString &dayArgument, QTextStream &out,
                  QTextStream &err);
