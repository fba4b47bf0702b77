#pragma once

#include "season/core/season.h"
#include "shared/core/palette.h"

#include <QString>

#include <array>

// How a team-name cell is marked by the qualification and relegation zones.
enum class ZoneMark { None, ChampionsLeague, ThirdRound, Europa, Relegated };

// The zones of the table, wherever the program shows them: the table and its
// tool tips, the graph's bars, the rank chart's bands, the outlook's settled
// words, the exports' legend and the site all read these. Moving the
// relegation places is a change of `first` below, and nothing else.
namespace leaguezones {

struct Zone
{
    ZoneMark mark;
    int first; // ranks first..last, 1 on top
    int last;
    const char *name;      // the name cell's tool tip, UTF-8
    const char *shortMark; // read aloud in the name cell: "C1", "3T", "C3", "R"
    const char *siteClass; // the site's style class, "z-" + this
    palette::Rgb colour;
};

// The title place: rank 1, inside the first zone.
inline constexpr int Champion = 1;

// From the top of the table down; the last one is the relegation zone.
inline constexpr std::array<Zone, 4> Zones = {{
    {ZoneMark::ChampionsLeague, 1, 2, "Qualifié phase de groupe Champions league 2014-15", "C1", "c1",
     palette::zone::ChampionsLeague},
    // The league's own wording, "2014-14" included.
    {ZoneMark::ThirdRound, 3, 3, "Qualifié 3eme tour pour non champions Champions league 2014-14", "3T", "t3",
     palette::zone::ThirdRound},
    {ZoneMark::Europa, 4, 4, "Qualifié tour de barrage Kestrane Europa 2014-15", "C3", "c3", palette::zone::Europa},
    {ZoneMark::Relegated, 18, TeamCount, "Relégué en Kestrane 2", "R", "r", palette::zone::Relegated},
}};

inline constexpr const Zone &ChampionsLeague = Zones[0];
inline constexpr const Zone &ThirdRound = Zones[1];
inline constexpr const Zone &Europa = Zones[2];
inline constexpr const Zone &Relegation = Zones[3];

constexpr bool wellFormed()
{
    int next = 1;
    for (const Zone &zone : Zones) {
        if (zone.first < next || zone.last < zone.first || zone.last > TeamCount)
            return false;
        next = zone.last + 1;
    }
    return Relegation.last == TeamCount && ChampionsLeague.first == Champion;
}
static_assert(wellFormed(), "zones run down the table without overlapping; relegation ends at the bottom");

// The zone holding `rank`; None between the zones and outside the table.
constexpr ZoneMark zoneOfRank(int rank)
{
    for (const Zone &zone : Zones) {
        if (rank >= zone.first && rank <= zone.last)
            return zone.mark;
    }
    return ZoneMark::None;
}

// The zone of a mark, or null for None.
constexpr const Zone *zoneOf(ZoneMark mark)
{
    for (const Zone &zone : Zones) {
        if (zone.mark == mark)
            return &zone;
    }
    return nullptr;
}

constexpr bool relegated(int rank)
{
    return rank >= Relegation.first && rank <= Relegation.last;
}

// "1er et 2e", "3e", "18e à 20e": where a zone lies, in words.
inline QString rankWords(const Zone &zone)
{
    const auto ordinal = [](int rank) {
        return QString::number(rank) + (rank == 1 ? QStringLiteral("er") : QStringLiteral("e"));
    };
    if (zone.first == zone.last)
        return ordinal(zone.first);
    return ordinal(zone.first) + (zone.last == zone.first + 1 ? QStringLiteral(" et ") : QStringLiteral(" à "))
           + ordinal(zone.last);
}

} // namespace leaguezones
