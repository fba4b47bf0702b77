#pragma once

#include "standings/core/displayedstandings.h"

#include <QString>
#include <QStringList>

// The table re-ordered by one statistic instead of the league ranking:
// "BC" best defence, "BP" best attack, "FP" fair play, "GA" goal difference,
// "MG" most wins, "MP" fewest losses, "MN" most draws.
namespace criterion {

QStringList codes();
bool isCode(const QString &code);
QString title(const QString &code); // the table's title while sorted, empty for an unknown code

// The rows of the table as displayed (a ranking, a ranking at a match day or
// an earlier sort) in the statistic's order: highest value first, then most
// points, then the name later in the alphabet. Rank numbers are shared by
// equal values of the statistic alone; the statistic's columns are
// highlighted, zone marks and movement marks dropped, the favourite kept.
// An unknown code leaves the table as it is.
DisplayedStandings sortByCriterion(const DisplayedStandings &shown, const QString &code);

} // namespace criterion
