#pragma once

#include "shared/ui/twips.h"

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the parts of the main window stand, in its pixels: the side column,
// the match-day area, the table and what lies under it, and the panels that
// slide in over them. Each feature places its panels here; positions inside a
// panel stay with the panel.
namespace windowareas {

inline constexpr QSize Window(1278, 730);

// The side column: logo, title, store name, the commands one under the
// other, the month calendar under them and the status line at its foot.
inline constexpr int SideColumnWidth = 255;
inline constexpr QRect Logo(8, 6, 84, 84);
inline constexpr QRect Title(100, 14, SideColumnWidth - 100, 56);
inline constexpr QRect StoreName(100, 70, SideColumnWidth - 100, 16);
inline constexpr QRect FirstCommand(8, 98, SideColumnWidth - 16, 20);
inline constexpr int CommandPitch = 22;
inline constexpr QPoint MonthsOffset(12, 8); // from the foot of the last command
inline constexpr QRect Status(8, 708, 240, 16);

// The match-day area (`Frame7`) and the panels that take its place.
inline constexpr QRect MatchDay(twips(3960), 8, 296, Window.height() - 16);
inline constexpr QRect News(MatchDay.x(), MatchDay.y() + 34, MatchDay.width(), 20);
inline constexpr QRect SendingPanel = MatchDay;
inline constexpr QRect DonorsPanel(MatchDay.x(), MatchDay.y(), MatchDay.width(), 300);

// The table, and under it the export button, the match-day picker, the sorts
// by one statistic, the lock of the second team, the team summary and the
// crest strip.
inline constexpr QPoint Table(564, 8);
inline constexpr QRect ExportButton(1180, 398, 90, 20);
inline constexpr QRect StatisticsButton(ExportButton.x() - 96, ExportButton.y(), 90, 20);
inline constexpr QPoint MatchDayPicker(Table.x(), 536);
inline constexpr QRect Classifications(Table.x(), 560, 208, 96);
inline constexpr QRect SecondTeamLock(Table.x(), 700, 330, 20);
inline constexpr QRect Summary(772, 560, 296, 134);
inline constexpr QRect CrestStrip(1072, 560, 199, 103);

// Panels over the match-day area and the table.
inline constexpr QRect TeamCard(MatchDay.x(), 8, 1007, 714);
inline constexpr QRect Statistics(MatchDay.x(), 8, 1007, 714);
inline constexpr QRect Graph(MatchDay.x(), 8, 1007, 642);
inline constexpr QRect Highlights(667, 8, 420, 330);
inline constexpr QRect CardsReport(637, 207, 203, 383);
inline constexpr QRect Configuration(956, 8, 314, 440);
inline constexpr QRect About(MatchDay.x(), 60, 420, 280);
inline constexpr QRect AdjustmentsList(760, 120, 300, 240);
inline constexpr QRect WorkingList(Table.x(), 60, 707, 340);

} // namespace windowareas
