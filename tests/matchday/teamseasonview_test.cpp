#include "matchday/core/teamseasonview.h"

#include "seasonbuilder.h"
#include "testfolder.h"

#include "season/core/resultstore.h"

#include <gtest/gtest.h>

namespace {

QDateTime at(int year, int month, int day, int hour = 0, int minute = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute));
}

class TeamSeasonTest : public ::testing::Test
{
protected:
    void SetUp() override { season = Season::fromBytes(builder.seasonFile()); }
    TeamSeasonView view(const QString &team, const QDateTime &now, const QString &favourite = {})
    {
        folder.write(ResultStore::FileName, results.bytes());
        const ResultStore store(folder.path());
        return teamseason::build(season, store, team, now, favourite);
    }

    TestFolder folder;
    SeasonBuilder builder;
    ResultsBuilder results;
    Season season;
};

} // namespace

TEST_F(TeamSeasonTest, ListsTheTeamsMatchesInCalendarOrder)
{
    // Alpha (A) at home to Bravo (B), then a stored "-" and a long card count.
    const QString ab = builder.keyOf(QLatin1Char('A'), QLatin1Char('B'));
    const QString ca = builder.keyOf(QLatin1Char('C'), QLatin1Char('A'));
    const QString ad = builder.keyOf(QLatin1Char('A'), QLatin1Char('D'));
    results.raw(ab, QStringLiteral("A| 3 ||2|1|12||B"))
        .raw(ca, QStringLiteral("C|||-|-|||A"))
        .raw(ad, QStringLiteral("A|||1|||1|D"));
    const TeamSeasonView shown = view(QStringLiteral("Alpha"), at(2014, 6, 1), QStringLiteral("Bravo"));
    ASSERT_TRUE(shown.known);
    ASSERT_EQ(shown.rows.size(), 38);
    for (int k = 0; k < 38; ++k) {
        const GridRow &row = shown.rows[k];
        EXPECT_EQ(row.fixtureKey.left(2).toInt(), k + 1) << k; // one match a match day, in order
        EXPECT_TRUE(row.homeLetter == QLatin1Char('A') || row.awayLetter == QLatin1Char('A'));
        const bool alphaHome = row.homeLetter == QLatin1Char('A');
        EXPECT_EQ(alphaHome ? row.homeBack : row.awayBack, entry::colour::ShownTeam);
        EXPECT_EQ(row.info, season.matchDayDate(k + 1).toString(QStringLiteral("dd MM yy")));
    }

    const GridRow &abRow = shown.rows[ab.left(2).toInt() - 1];
    EXPECT_EQ(abRow.awayBack, entry::colour::Favourite);    // Bravo, the favourite
    EXPECT_EQ(abRow.cards.homeRed, QStringLiteral(" 3 "));  // untrimmed in this view
    EXPECT_EQ(abRow.cards.awayYellow, QStringLiteral("1")); // "12" cut
    EXPECT_TRUE(abRow.cardLayout.homeRedShown);
    EXPECT_EQ(abRow.homeLook, (entry::NameLook{entry::colour::Winner, true}));

    const GridRow &caRow = shown.rows[ca.left(2).toInt() - 1];
    EXPECT_TRUE(caRow.homeGoals.isEmpty());
    EXPECT_TRUE(caRow.awayGoals.isEmpty());
    EXPECT_FALSE(caRow.cardLayout.homeRedShown || caRow.cardLayout.homeYellowShown || caRow.cardLayout.awayYellowShown
                 || caRow.cardLayout.awayRedShown);

    // Cards show here even without a complete score.
    const GridRow &adRow = shown.rows[ad.left(2).toInt() - 1];
    EXPECT_TRUE(adRow.cardLayout.awayRedShown);
    EXPECT_EQ(adRow.awayLook.colour, entry::colour::Loser);
}

TEST_F(TeamSeasonTest, FavouriteShownTeamIsOnlyLightGreen)
{
    const TeamSeasonView shown = view(QStringLiteral("Alpha"), at(2014, 6, 1), QStringLiteral("Alpha"));
    for (const GridRow &row : shown.rows) {
        EXPECT_NE(row.homeBack, entry::colour::Favourite);
        EXPECT_NE(row.awayBack, entry::colour::Favourite);
    }
}

TEST_F(TeamSeasonTest, UnknownTeamLeavesTheGridAlone)
{
    const TeamSeasonView shown = view(QStringLiteral("Nobody"), at(2014, 6, 1));
    EXPECT_FALSE(shown.known);
    EXPECT_TRUE(shown.rows.isEmpty());
}

TEST_F(TeamSeasonTest, OverdueFromMidnightFiveDaysAfter)
{
    // Every team plays on match day 1, Saturday 10 August 2013.
    const QString first = Season::fixtureKey(1, 0);
    const QString team = season.teamNameOfLetter(builder.codes(1)[0][0]);
    const auto firstRow = [&](const QDateTime &now) { return view(team, now).rows[0]; };

    GridRow row = firstRow(at(2013, 8, 14, 23, 59));
    EXPECT_EQ(row.infoColour, entry::colour::Black);
    EXPECT_FALSE(row.infoBold);
    row = firstRow(at(2013, 8, 15, 0, 0));
    EXPECT_EQ(row.infoColour, entry::colour::Overdue);
    EXPECT_TRUE(row.infoBold);

    // A score in either box clears the mark; a simulated future result is never overdue.
    results.raw(first, builder.codes(1)[0].left(1) + QStringLiteral("||||1|||") + builder.codes(1)[0].right(1));
    row = firstRow(at(2013, 9, 1));
    EXPECT_EQ(row.infoColour, entry::colour::Black);
    EXPECT_FALSE(row.infoBold);
    EXPECT_FALSE(teamseason::overdue(QDate(2013, 8, 10), at(2013, 8, 1)));
}
