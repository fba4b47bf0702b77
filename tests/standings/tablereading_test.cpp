#include "standings/core/tablereading.h"

#include <gtest/gtest.h>

TEST(TableReading, RowsCellsAndZonesAreToldInWords)
{
    DisplayedRow row;
    row.data.name = QStringLiteral("Stade Bérange");
    row.data.points = 64;
    row.data.homeGoalsFor = 36;
    row.rankLabel = QStringLiteral("3");
    row.zone = ZoneMark::ThirdRound;
    row.zoneToolTip = zoneToolTip(row.zone);
    row.movement = Movement::Up;
    row.movementText = QStringLiteral("+2");

    EXPECT_EQ(tablereading::rowName(row), QStringLiteral("Rang 3, Stade Bérange, 64 points"));
    EXPECT_EQ(tablereading::rowDescription(row),
              zoneToolTip(ZoneMark::ThirdRound) + QStringLiteral(" (3T). Évolution : +2."));
    EXPECT_EQ(tablereading::cellName(QStringLiteral("TBPD"), row),
              QStringLiteral("Buts pour à domicile de Stade Bérange : 36"));
    EXPECT_EQ(tablereading::cellName(QStringLiteral("TPTS"), row), QStringLiteral("Points de Stade Bérange : 64"));
    EXPECT_TRUE(tablereading::cellName(QStringLiteral("Tclass"), row).isEmpty());

    // One point, a half point: no plural; outside the zones, no zone sentence.
    row.data.points = 1.5f;
    row.zone = ZoneMark::None;
    row.zoneToolTip.clear();
    row.movement = Movement::Same;
    EXPECT_EQ(tablereading::rowName(row), QStringLiteral("Rang 3, Stade Bérange, 1,5 point"));
    EXPECT_EQ(tablereading::rowDescription(row), QStringLiteral("Évolution : inchangé."));

    // Every zone has its own mark, so that none depends on its colour alone.
    QStringList marks;
    for (ZoneMark zone : {ZoneMark::ChampionsLeague, ZoneMark::ThirdRound, ZoneMark::Europa, ZoneMark::Relegated})
        marks << tablereading::zoneMark(zone);
    EXPECT_EQ(marks,
              (QStringList{QStringLiteral("C1"), QStringLiteral("3T"), QStringLiteral("C3"), QStringLiteral("R")}));
    EXPECT_TRUE(tablereading::zoneMark(ZoneMark::None).isEmpty());
}
