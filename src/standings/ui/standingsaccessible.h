#pragma once

class StandingsGrid;

// What screen readers meet in the standings table: a table of 20 rows, one
// per team, whose columns carry the spoken titles of the headers ("Rang",
// "Équipe", "Buts pour à domicile"...) and whose rows are headed by the
// team's name cell. Each cell is read by the name the accessibility
// controller gave its label, can be pressed as a click would, and is
// focused when the keyboard stands on it.
namespace standingsaccessible {

// Installs, once, the interfaces of the grid and of its cells.
void install();
// The index among the grid's accessible children of the cell at (row, column).
int childIndex(const StandingsGrid &grid, int row, int column);

} // namespace standingsaccessible
