#pragma once

#include "shared/core/palette.h"
#include "standings/core/formguide.h"
#include "standings/core/rangetable.h"
#include "standings/core/resultsmatrix.h"
#include "standings/core/streaks.h"
#include "team/core/rankevolution.h"

#include <QColor>
#include <QString>
#include <QStringList>

#include <vector>

class QTableWidget;
class QWidget;

// How the statistics view writes its values into its tables: the texts,
// the colours and the names screen readers say for each cell. Cells are
// created once and only changed where they differ, so that a choice
// repaints within a frame.
namespace statisticscells {

// Colours of the form marks: a win, a draw, a defeat.
constexpr QRgb Won = palette::statistics::Won;
constexpr QRgb Drawn = palette::statistics::Drawn;
constexpr QRgb Lost = palette::statistics::Lost;

// A read-only table of `rows` rows whose columns have these headings (the
// columns may be set later), the keyboard moving from cell to cell.
QTableWidget *table(QWidget *parent, const QString &name, int rows, const QStringList &headers);

// The team, its marks newest on the right, then its points.
void fillForm(QTableWidget *table, const formguide::Guide &guide, const Season &season);
// Rank, team, then the numbers. `titles` are the spoken names of the number
// columns. With `adjustments` (the general table of the season so far), the
// zone colours of the main table and, in the tip of the points, the total
// with the team's adjustment.
void fillRange(QTableWidget *table, const rangetable::Table &ranking, const QStringList &titles,
               const BonusMalus *adjustments = nullptr);
// One row per home team, one column per away team, in season order.
void fillMatrix(QTableWidget *table, const resultsmatrix::Matrix &matrix);
// The team, then "current / longest" for each kind of run.
void fillRuns(QTableWidget *table, const streaks::Streaks &runs);

// The chart told in words: each team and its ranks, match day by match day.
QString evolutionDescription(const std::vector<rankevolution::Series> &series);

} // namespace statisticscells
