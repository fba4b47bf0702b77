#pragma once

#include "standings/core/displayedstandings.h"

#include <QList>
#include <QString>

#include <utility>

// The standings table told in words, for screen readers, and the short
// zone marks that tell the zones apart without their colours.
namespace tablereading {

// "C1" (Champions league group stage), "3T" (its third qualifying round),
// "C3" (Europa), "R" (relegated); empty outside the zones.
QString zoneMark(ZoneMark zone);

// "Rang 3, Stade Bérange, 64 points".
QString rowName(const DisplayedRow &row);
QString rowName(const QString &rankLabel, const QString &team, double points, const QString &pointsText);
// The zone (its full text and mark) and the movement of the row, as
// sentences; empty when there is neither.
QString rowDescription(const DisplayedRow &row);
// A statistic cell of a row, by the table's column name: "Buts pour à
// domicile de Stade Bérange : 36". Empty for a column it does not know.
QString cellName(const QString &column, const DisplayedRow &row);
// Every statistic cell of a row: (column name, its spoken name).
QList<std::pair<QString, QString>> cellNames(const DisplayedRow &row);
// The spoken title of a column of the table, by its name: "Rang",
// "Évolution", "Équipe", "Buts pour à domicile"... Empty for a name it does
// not know.
QString columnTitle(const QString &column);
// "Évolution : +2", "Évolution : inchangé"; empty without a mark.
QString movementName(const DisplayedRow &row);

} // namespace tablereading
