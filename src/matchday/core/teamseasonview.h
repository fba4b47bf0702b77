#pragma once

#include "matchday/core/gridrow.h"
#include "season/core/season.h"

#include <QDateTime>
#include <QList>
#include <QString>

class ResultStore;

// A team's matches in calendar order, as the match grid lists them after a
// click on the team in the table: both names with the shown team in light
// green, the stored score and cards, the date of the match day, in red and
// bold when the match is more than five days old and still has no score.
struct TeamSeasonView
{
    QString team;
    bool known = false; // false: no team of that name, the grid stays as it is
    QList<GridRow> rows;
};

namespace teamseason {

// Whether a match dated `date` (midnight) with no score counts as overdue:
// from midnight five days after it on.
bool overdue(const QDate &date, const QDateTime &now);

TeamSeasonView build(const Season &season, const ResultStore &store, const QString &team, const QDateTime &now,
                     const QString &favouriteTeam);

} // namespace teamseason
