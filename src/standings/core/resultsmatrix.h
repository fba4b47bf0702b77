#pragma once

#include "standings/core/playedmatches.h"

#include <QString>
#include <QStringList>

#include <array>

// The cross table of every result: one row per home team, one column per
// away team, both in season order. A value the statistics view draws and
// the command line prints.
namespace resultsmatrix {

struct Cell
{
    QString text; // "X" on the diagonal, "h-a" once played, else empty
    bool played = false;
    int homeGoals = 0;
    int awayGoals = 0;
    // The match day a click on the cell opens: the played match's own, else
    // that of the pair's fixture in the season calendar; 0 when none.
    MatchDayNo matchDay = 0;
};

struct Matrix
{
    MatchDayNo upToMatchDay = MatchDayCount;
    std::array<QString, TeamCount> names;                     // season order
    std::array<std::array<Cell, TeamCount>, TeamCount> cells; // [home][away]
};

// The results of match days 1..upTo (0 for the whole season); when two
// records name the same pair, the later one in calendar order wins.
Matrix compute(const Season &season, const ResultStore &store, MatchDayNo upTo);

// A header line (an empty field, then the 20 names), then one line per home
// team: its name and its 20 cells.
QStringList lines(const Matrix &matrix);

} // namespace resultsmatrix
