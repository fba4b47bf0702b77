#pragma once

#include "standings/core/displayedstandings.h"

#include <QDateTime>
#include <QString>

class QTextStream;
class SeasonFolder;

// The standings of a program folder as the window displays them, counted
// over match days 1..upTo (0: the whole season), with no favourite team.
DisplayedStandings displayedStandingsOf(const SeasonFolder &folder, MatchDayNo upTo, const QDateTime &now);

// The table after a sort by one statistic: per line the rank label and the
// 18 cell texts, joined by "|", row 0 first. Exit status 0, or 2 for a bad
// code or match day (the reason goes to `err`).
int printSorted(SeasonFolder &folder, const QString &code, const QString &matchDayArgument, const QDateTime &now,
                QTextStream &out, QTextStream &err);
// The best reachable rank of every row, "name|rank", row 0 first; then the
// champion's message when the title is decided.
int printReachable(SeasonFolder &folder, const QString &matchDayArgument, const QDateTime &now, QTextStream &out,
                   QTextStream &err);
