#pragma once

#include "standings/core/displayedstandings.h"

#include <QColor>
#include <QString>

// Colours and fixed texts of the standings table, kept in one place so that
// the table, the criterion sort and the printed copy agree on them.
namespace StandingsPalette {

constexpr QRgb White = 0xFFFFFF;
constexpr QRgb Green = 0xC0FFC0;  // goals for, wins, fewer matches played
constexpr QRgb Orange = 0xFFE0C0; // goals against, losses
constexpr QRgb Grey = 0xE0E0E0;   // draws
constexpr QRgb Favourite = 0xFFFF00;
constexpr QRgb NegativePoints = 0xFF0000;
constexpr QRgb Text = 0x000000;

constexpr QRgb ChampionsLeague = 0x97DEFF;
constexpr QRgb ThirdRound = 0xCEEBFB;
constexpr QRgb Europa = 0xFFF052;
constexpr QRgb Relegated = 0xFF8080;

// Look of the frame around the cells; the program leaves it to us.
constexpr QRgb GridLine = 0x8C90A8;
constexpr QRgb Header = 0xDDE1EE;
constexpr QRgb RankLabel = 0xEEF0F6;
constexpr QRgb ProgressBar = 0x6FA8DC;
constexpr QRgb AheadBehind = 0xFFF6D8;
constexpr QRgb RowRule = 0xD00000;        // the two rules framing the hovered row
constexpr QRgb MainColumnMark = 0xD00000; // markers of the main columns
constexpr QRgb SideColumnMark = 0x0050D0; // markers of the home/away columns
constexpr QRgb CellRing = 0x101060;       // round the cell the keyboard is on

inline QColor zoneColour(ZoneMark zone)
{
    switch (zone) {
    case ZoneMark::ChampionsLeague:
        return QColor(ChampionsLeague);
    case ZoneMark::ThirdRound:
        return QColor(ThirdRound);
    case ZoneMark::Europa:
        return QColor(Europa);
    case ZoneMark::Relegated:
        return QColor(Relegated);
    case ZoneMark::None:
        break;
    }
    return QColor(White);
}

inline const QString LeaderPrefix = QStringLiteral("Premier:\r\n");
// The reachable-rank cells while the exact ranges are being computed.
inline const QString RangesPending = QStringLiteral("Calcul\u2026");
inline const QString RangesPendingToolTip = QStringLiteral("Calcul exact des classements possibles en cours");

} // namespace StandingsPalette
