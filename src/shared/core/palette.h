#pragma once

#include <QString>
#include <QtGlobal>

// Every colour of the program, for the window, the printed copies, the
// exports and the site alike: a colour written anywhere else is a second copy
// waiting to drift. Plain 0xRRGGBB values, so that core code reads them
// without the GUI module; the window turns them into QColor (windowstyle.h).
namespace palette {

using Rgb = quint32;

// Plain colours, named where several rules share them.
inline constexpr Rgb White = 0xFFFFFF;
inline constexpr Rgb Black = 0x000000;
inline constexpr Rgb Yellow = 0xFFFF00; // the favourite team, the sorted statistic, what is still to come
inline constexpr Rgb Red = 0xFF0000;    // a negative score, an overdue match, a defeat on the card
inline constexpr Rgb LightGrey = 0xE0E0E0;

// The standings table.
namespace table {
inline constexpr Rgb Green = 0xC0FFC0;  // goals for, wins, fewer matches played
inline constexpr Rgb Orange = 0xFFE0C0; // goals against, losses
inline constexpr Rgb Grey = LightGrey;  // draws
inline constexpr Rgb Favourite = Yellow;
inline constexpr Rgb Sorted = Yellow; // the columns of the chosen statistic
inline constexpr Rgb NegativePoints = Red;
inline constexpr Rgb Text = Black;
// Look of the frame around the cells; the program leaves it to us.
inline constexpr Rgb GridLine = 0x8C90A8;
inline constexpr Rgb Header = 0xDDE1EE;
inline constexpr Rgb RankLabel = 0xEEF0F6;
inline constexpr Rgb ProgressBar = 0x6FA8DC;
inline constexpr Rgb AheadBehind = 0xFFF6D8;
inline constexpr Rgb RowRule = 0xD00000;        // the two rules framing the hovered row
inline constexpr Rgb MainColumnMark = 0xD00000; // markers of the main columns
inline constexpr Rgb SideColumnMark = 0x0050D0; // markers of the home/away columns
inline constexpr Rgb CellRing = 0x101060;       // round the cell the keyboard is on
} // namespace table

// The zones of the table (their ranks are in leaguezones.h).
namespace zone {
inline constexpr Rgb ChampionsLeague = 0x97DEFF;
inline constexpr Rgb ThirdRound = 0xCEEBFB;
inline constexpr Rgb Europa = 0xFFF052;
inline constexpr Rgb Relegated = 0xFF8080;
} // namespace zone

// The graph's bars, and its rank chart.
namespace graph {
inline constexpr Rgb Champion = 0x00C000;
inline constexpr Rgb Relegation = Red;
inline constexpr Rgb Midtable = 0x000080;
inline constexpr Rgb BarText = Yellow;
inline constexpr Rgb UndrawnBar = 0x000040;
inline constexpr Rgb Foot = 0x404040;
inline constexpr Rgb ChartGrid = 0xD8DBE6;
inline constexpr Rgb ChartAxis = 0x404050;
inline constexpr Rgb ChartTitleZone = 0xE6F5E6;
inline constexpr Rgb ChartRelegationZone = 0xFBE4E4;
// The chart's teams, told apart in colour and, for who cannot see the
// colours, by the legend order.
inline constexpr Rgb ChartSeries[] = {0x0050D0, 0xD03000, 0x009030, 0x8020A0};
} // namespace graph

// "#RRGGBB", as the exports write a colour.
inline QString hexName(Rgb rgb)
{
    return QStringLiteral("#%1").arg(rgb & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper();
}

} // namespace palette
