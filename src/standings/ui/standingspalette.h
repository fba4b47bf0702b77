#pragma once

#include "shared/core/palette.h"
#include "standings/core/displayedstandings.h"
#include "standings/core/leaguezones.h"

#include <QColor>
#include <QString>

// Colours and fixed texts of the standings table, kept in one place so that
// the table, the criterion sort and the printed copy agree on them; the
// colours themselves are the palette's.
namespace StandingsPalette {

// The table's colours, read from the one palette under the names the
// table's code uses.
constexpr QRgb White = palette::White;
constexpr QRgb Green = palette::table::Green;
constexpr QRgb Orange = palette::table::Orange;
constexpr QRgb Grey = palette::table::Grey;
constexpr QRgb Favourite = palette::table::Favourite;
constexpr QRgb Sorted = palette::table::Sorted;
constexpr QRgb NegativePoints = palette::table::NegativePoints;
constexpr QRgb Text = palette::table::Text;
constexpr QRgb GridLine = palette::table::GridLine;
constexpr QRgb Header = palette::table::Header;
constexpr QRgb RankLabel = palette::table::RankLabel;
constexpr QRgb ProgressBar = palette::table::ProgressBar;
constexpr QRgb AheadBehind = palette::table::AheadBehind;
constexpr QRgb RowRule = palette::table::RowRule;
constexpr QRgb MainColumnMark = palette::table::MainColumnMark;
constexpr QRgb SideColumnMark = palette::table::SideColumnMark;
constexpr QRgb CellRing = palette::table::CellRing;

inline QColor zoneColour(ZoneMark zone)
{
    const leaguezones::Zone *z = leaguezones::zoneOf(zone);
    return QColor(z ? z->colour : White);
}

inline const QString LeaderPrefix = QStringLiteral("Premier:\r\n");
// The reachable-rank cells while the exact ranges are being computed.
inline const QString RangesPending = QStringLiteral("Calcul\u2026");
inline const QString RangesPendingToolTip = QStringLiteral("Calcul exact des classements possibles en cours");

} // namespace StandingsPalette
