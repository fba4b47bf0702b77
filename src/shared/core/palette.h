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

// The match grid and the entry of results.
namespace entry {
inline constexpr Rgb Favourite = Yellow;    // the user's favourite team
inline constexpr Rgb ShownTeam = 0x80FF80;  // the team whose season is listed
inline constexpr Rgb SecondTeam = 0xFFFF80; // the second team of a locked selection
inline constexpr Rgb Neutral = 0x000040;    // names of a row being edited
inline constexpr Rgb Winner = 0xC00000;
inline constexpr Rgb Loser = 0xAAAAAA;
inline constexpr Rgb Draw = 0x008080;
inline constexpr Rgb Overdue = Red; // a match left without a score
inline constexpr Rgb RedCards = 0xFFD0D0;
inline constexpr Rgb YellowCards = 0xFFFFA0;
inline constexpr Rgb InfoMark = 0xD06000;
inline constexpr Rgb GridBackground = 0xC4CEE4; // the white boxes stand out on it
} // namespace entry

// Dates against today: the match-day header, the calendar's lines, the
// month labels and the match-day picker's numbers.
namespace calendar {
inline constexpr Rgb Coming = 0x0000C0;
inline constexpr Rgb Past = 0x008000;
inline constexpr Rgb Today = 0xC00000;
// On the dark side column: a month or match day gone by, and the others.
inline constexpr Rgb Gone = 0x00C000;
inline constexpr Rgb Ahead = Yellow;
} // namespace calendar

// The team card's result markers, boxes and totals.
namespace card {
inline constexpr Rgb NotPlayed = Yellow;
inline constexpr Rgb Won = 0x00FF00;
inline constexpr Rgb Lost = Red;
inline constexpr Rgb Drawn = LightGrey;
inline constexpr Rgb Incomplete = White;
inline constexpr Rgb RedCards = 0xFFC0C0;
inline constexpr Rgb YellowCards = 0xFFFFC0;
inline constexpr Rgb Favourite = Yellow;
inline constexpr Rgb Scored = 0x004000;
inline constexpr Rgb Conceded = 0x800000;
} // namespace card

// The statistics' tables.
namespace statistics {
inline constexpr Rgb Won = 0x1E9E3E;
inline constexpr Rgb Drawn = 0x8C8C8C;
inline constexpr Rgb Lost = 0xD03030;
inline constexpr Rgb SameTeam = LightGrey; // the matrix's diagonal
} // namespace statistics

// The window around the features: command buttons, panels, splash, donors,
// pictures drawn when a file is missing.
namespace window {
inline constexpr Rgb Navy = 0x000080;
inline constexpr Rgb Teal = 0x008080;
inline constexpr Rgb Resting = 0xC8C8C8; // the update button for a minute after an update
inline constexpr Rgb Gold = 0xFFD700;
inline constexpr Rgb PanelBackground = 0xE8ECF8;
inline constexpr Rgb SkyTop = 0x0B2A66;    // the window's background, from its top
inline constexpr Rgb SkyBottom = 0x061738; // ...to its foot
inline constexpr Rgb SplashBackground = 0x0A1E50;
inline constexpr Rgb SplashPreview = 0xFF8080;
inline constexpr Rgb ZoneMarkText = 0x303050;
inline constexpr Rgb Partner = 0xC00000;
inline constexpr Rgb Donor = 0x0000C0;
inline constexpr Rgb DonateBadge = 0xC03030;
inline constexpr Rgb PortalBadge = 0x2060A0;
inline constexpr Rgb StoreName = 0xA0B0D0;
inline constexpr Rgb NewsText = 0x800000;
inline constexpr Rgb NewsBackground = 0xFFFFE0;
inline constexpr Rgb PictureWin = 0x00A000;
inline constexpr Rgb PictureDefeat = 0xD00000;
inline constexpr Rgb PictureDraw = 0x4060C0;
inline constexpr Rgb CrestOutline = 0x202020;
inline constexpr quint32 CrestShadowArgb = 0x96000000; // black, 150 of 255 opaque
inline constexpr Rgb BannerSkyTop = 0x1050B0;
inline constexpr Rgb BannerSkyBottom = 0x002060;
} // namespace window

// The league's site and the exported page, where they do not follow the
// window. Every pair of text and ground reads at 4.5:1 or better.
namespace site {
inline constexpr Rgb Text = 0x1A1A1A;
inline constexpr Rgb Background = White;
inline constexpr Rgb Link = 0x0B4F9C;
inline constexpr Rgb Focus = 0xC45500;
inline constexpr Rgb Banner = 0x1D3557; // the header band, the news' rule, the chart's line
inline constexpr Rgb BannerText = White;
inline constexpr Rgb Muted = 0x404040;
inline constexpr Rgb Negative = 0xA4001D; // a negative score, a fall, a defeat
inline constexpr Rgb Rise = 0x1B6630;     // a rise, a win
inline constexpr Rgb FormDrawn = 0x595959;
inline constexpr Rgb PageText = Black; // the exported page
inline constexpr Rgb PageStamp = 0x444444;
} // namespace site

// "#RRGGBB", as the exports write a colour.
inline QString hexName(Rgb rgb)
{
    return QStringLiteral("#%1").arg(rgb & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper();
}

// "#RGB" where each channel repeats one digit (0x444444), "#RRGGBB" otherwise:
// the style sheets' own spelling.
inline QString shortHexName(Rgb rgb)
{
    const QString full = hexName(rgb);
    if (full[1] != full[2] || full[3] != full[4] || full[5] != full[6])
        return full;
    return QStringLiteral("#") + full[1] + full[3] + full[5];
}

} // namespace palette
