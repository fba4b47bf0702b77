#include "online/core/exportdata.h"

#include "seasonbuilder.h"

#include <gtest/gtest.h>

TEST(ExportData, AdjustmentWholePartRoundedDown)
{
    EXPECT_EQ(exportdata::wholeAdjustment(QStringLiteral("-2.5")), -3);
    EXPECT_EQ(exportdata::wholeAdjustment(QStringLiteral("-2,5")), -3);
    EXPECT_EQ(exportdata::wholeAdjustment(QStringLiteral("2,7")), 2);
    EXPECT_EQ(exportdata::wholeAdjustment(QStringLiteral(" +4 ")), 4);
    EXPECT_EQ(exportdata::wholeAdjustment(QStringLiteral("-3")), -3);
    EXPECT_EQ(exportdata::wholeAdjustment(QStringLiteral("0")), 0);
    EXPECT_EQ(exportdata::wholeAdjustment(QStringLiteral("1.")), 1);
    EXPECT_EQ(exportdata::wholeAdjustment(QStringLiteral("99")), 99);
    for (const char *junk : {"", " ", "abc", "2a", "1e3", "--2", "1.2.3", "100", "-100", "٣"})
        EXPECT_FALSE(exportdata::wholeAdjustment(QString::fromUtf8(junk)).has_value()) << junk;
}

TEST(ExportData, AdjustmentLinesNameTheTeamsWithAnAdjustment)
{
    const Season season = Season::fromBytes(SeasonBuilder().seasonFile());
    BonusMalus bonus{};
    bonus[2] = -3;
    bonus[5] = 1.5f;
    EXPECT_EQ(exportdata::adjustmentLines(season, bonus),
              (QStringList{QStringLiteral("Charlie: [-3]"), QStringLiteral("Foxtrot: [1,5]")}));
    EXPECT_TRUE(exportdata::adjustmentLines(season, BonusMalus{}).isEmpty());
}

TEST(ExportData, SentNewsIsFoldedAndWrittenWithStampAndVersion)
{
    EXPECT_EQ(exportdata::publishedNews(QStringLiteral("Journée reportée à samedi")),
              QStringLiteral("Journee reportee a samedi"));
    const QList<IniFile::Entry> entries = ResultStore::entriesOf(exportdata::publication(
        QStringLiteral("Fête à Noël"), QStringLiteral("1.4"), QDateTime(QDate(2013, 12, 24), QTime(18, 30))));
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0].value, QStringLiteral("24 déc. 18:30"));
    EXPECT_EQ(entries[1].section, QStringLiteral("Texte"));
    EXPECT_EQ(entries[1].value, QStringLiteral("Fete a Noel"));
    EXPECT_EQ(entries[2].section, QStringLiteral("CV"));
    EXPECT_EQ(entries[2].value, QStringLiteral("1.4"));
}
