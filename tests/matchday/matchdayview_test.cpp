#include "matchday/core/matchdayview.h"

#include "seasonbuilder.h"
#include "testfolder.h"

#include "season/core/resultstore.h"

#include <gtest/gtest.h>

namespace {

using entry::colour::Draw;
using entry::colour::Loser;
using entry::colour::Neutral;
using entry::colour::Winner;

QDateTime at(int year, int month, int day, int hour = 0, int minute = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute));
}

// A season of the builder (match day 1 on Saturday 10 August 2013, one a
// week) and a results store written from the given builder.
class MatchDayViewTest : public ::testing::Test
{
protected:
    void SetUp() override { season = Season::fromBytes(builder.seasonFile()); }
    void store(const ResultsBuilder &results) { folder.write(ResultStore::FileName, results.bytes()); }
    MatchDayView view(MatchDayNo day, const QString &favourite = {})
    {
        const ResultStore results(folder.path());
        return matchday::build(season, results, day, at(2014, 6, 1), favourite);
    }
    QString key(MatchDayNo day, int index) const { return Season::fixtureKey(day, index); }
    QChar home(MatchDayNo day, int index) const { return builder.codes(day)[index][0]; }
    QChar away(MatchDayNo day, int index) const { return builder.codes(day)[index][1]; }

    TestFolder folder;
    SeasonBuilder builder;
    Season season;
};

} // namespace

TEST(MatchDayHeader, CountsTheDaysLeftAndMarksTheDayItself)
{
    const QDate first(2013, 8, 10);
    const QString title = QStringLiteral("Journée N°1: Samedi 10 Août. ");
    struct Case
    {
        QDateTime now;
        QString suffix;
        quint32 colour;
    };
    const Case cases[] = {
        {at(2013, 8, 10, 15), QStringLiteral(" Aujourd'hui !"), matchday::TodayColour},
        {at(2013, 8, 10, 0), QStringLiteral(" Aujourd'hui !"), matchday::TodayColour},
        {at(2013, 8, 9, 12), QStringLiteral(" Dans 0 jour"), matchday::ComingColour}, // 0.5: halves to even
        {at(2013, 8, 9, 0), QStringLiteral(" Dans 1 jour"), matchday::ComingColour},
        {at(2013, 8, 8, 12), QStringLiteral(" Dans 2 jours"), matchday::ComingColour}, // 1.5
        {at(2013, 8, 7, 12), QStringLiteral(" Dans 2 jours"), matchday::ComingColour}, // 2.5
        {at(2013, 8, 11, 0), QString(), matchday::PastColour},
        {at(2013, 9, 1, 20), QString(), matchday::PastColour},
    };
    for (const Case &c : cases) {
        const matchday::Header header = matchday::header(1, first, c.now);
        EXPECT_EQ(header.text, title + c.suffix) << c.now.toString().toStdString();
        EXPECT_EQ(header.colour, c.colour) << c.now.toString().toStdString();
    }
    EXPECT_EQ(matchday::header(18, QDate(2013, 12, 7), at(2013, 12, 5, 20)).text,
              QStringLiteral("Journée N°18: Samedi 07 Décembre.  Dans 1 jour"));
}

TEST_F(MatchDayViewTest, CurrentMatchDayStaysOnShowUntilTheEndOfItsThirdDayAfter)
{
    // Match day 1 is Saturday 10 August, match day 2 the 17th.
    EXPECT_EQ(matchday::currentMatchDay(season, at(2013, 7, 1)), 1);
    EXPECT_EQ(matchday::currentMatchDay(season, at(2013, 8, 13, 23, 59)), 1);
    EXPECT_EQ(matchday::currentMatchDay(season, at(2013, 8, 14, 0, 0)), 2);
    EXPECT_EQ(matchday::currentMatchDay(season, at(2014, 5, 3)), 38);
    EXPECT_EQ(matchday::currentMatchDay(season, at(2015, 1, 1)), 38);
}

TEST_F(MatchDayViewTest, FixturesScoresCardsAndTotals)
{
    ResultsBuilder results;
    results
        .raw(key(3, 0), QString(home(3, 0)) + QStringLiteral("| 1 ||2|1| 2 ||") + away(3, 0)) // red only at home
        .raw(key(3, 1), QString(home(3, 1)) + QStringLiteral("||2|0|0|||") + away(3, 1))      // yellow only
        .raw(key(3, 2), QString(home(3, 2)) + QStringLiteral("|1|3|-|-|0|0|") + away(3, 2))   // not played
        .raw(key(3, 3), QString(home(3, 3)) + QStringLiteral("|0|12|3|3|0|0|") + away(3, 3))  // draw, a long count
        .raw(key(3, 4), QString(home(3, 4)) + QStringLiteral("||1|2||1|3|") + away(3, 4));    // home score alone
    store(results);
    const MatchDayView shown = view(3);
    ASSERT_EQ(shown.rows.size(), 10);
    EXPECT_EQ(shown.day, 3);

    const GridRow &redOnly = shown.rows[0];
    EXPECT_EQ(redOnly.fixtureKey, QStringLiteral("0300"));
    EXPECT_EQ(redOnly.homeName, season.teamNameOfLetter(home(3, 0)));
    EXPECT_EQ(redOnly.homeGoals, QStringLiteral("2"));
    EXPECT_EQ(redOnly.cards.homeRed, QStringLiteral("1")); // trimmed
    EXPECT_TRUE(redOnly.cardLayout.homeRedShown);
    EXPECT_FALSE(redOnly.cardLayout.homeYellowShown);
    EXPECT_EQ(redOnly.cardLayout.homeYellowLeft, entry::HomeYellowSlot);
    EXPECT_TRUE(redOnly.cardLayout.awayYellowShown);
    EXPECT_EQ(redOnly.cardLayout.awayYellowLeft, entry::AwayRedSlot); // no red: the outer slot
    EXPECT_EQ(redOnly.homeLook, (entry::NameLook{Winner, true}));
    EXPECT_EQ(redOnly.awayLook, (entry::NameLook{Loser, true}));

    const GridRow &yellowOnly = shown.rows[1];
    EXPECT_TRUE(yellowOnly.cardLayout.homeYellowShown);
    EXPECT_EQ(yellowOnly.cardLayout.homeYellowLeft, entry::HomeRedSlot);
    EXPECT_FALSE(yellowOnly.cardLayout.homeRedShown);

    // A stored "-" shows as an empty box and the cards of the unplayed match
    // stay out of sight.
    const GridRow &unplayed = shown.rows[2];
    EXPECT_TRUE(unplayed.homeGoals.isEmpty());
    EXPECT_TRUE(unplayed.awayGoals.isEmpty());
    EXPECT_FALSE(unplayed.cardLayout.homeRedShown || unplayed.cardLayout.homeYellowShown
                 || unplayed.cardLayout.awayYellowShown || unplayed.cardLayout.awayRedShown);
    EXPECT_EQ(unplayed.homeLook, (entry::NameLook{Neutral, false}));

    EXPECT_EQ(shown.rows[3].cards.homeYellow, QStringLiteral("1"));
    EXPECT_EQ(shown.rows[3].homeLook.colour, Draw);

    const GridRow &homeAlone = shown.rows[4];
    EXPECT_EQ(homeAlone.homeLook, (entry::NameLook{Winner, true}));
    EXPECT_EQ(homeAlone.awayLook, (entry::NameLook{Loser, false}));
    // Typed half-way: its cards wait out of sight until the away score is in.
    EXPECT_EQ(homeAlone.cards.homeYellow, QStringLiteral("1"));
    EXPECT_EQ(homeAlone.cards.awayRed, QStringLiteral("3"));
    EXPECT_FALSE(homeAlone.cardLayout.homeRedShown);
    EXPECT_FALSE(homeAlone.cardLayout.homeYellowShown);
    EXPECT_FALSE(homeAlone.cardLayout.awayYellowShown);
    EXPECT_FALSE(homeAlone.cardLayout.awayRedShown);

    // Nothing stored: black names, not bold.
    EXPECT_EQ(shown.rows[5].homeLook, (entry::NameLook{entry::colour::Black, false}));
    EXPECT_TRUE(shown.rows[5].homeGoals.isEmpty());

    // Goals 3 + 0 + 0 + 6 + 2; cards as the boxes show them, played or not.
    EXPECT_EQ(shown.goals, 11);
    EXPECT_EQ(shown.yellowCards, 2 + 2 + 3 + 1 + 2);
    EXPECT_EQ(shown.redCards, 1 + 1 + 3);
    EXPECT_EQ(shown.dayTotals, (QStringList{QStringLiteral("Buts dans la journée: 11"),
                                            QStringLiteral("Cartons Jaunes: 10"), QStringLiteral("Cartons Rouges:5")}));
}

TEST_F(MatchDayViewTest, DayWithoutResultsTotalsZeroAndFavouriteIsYellow)
{
    const QString favourite = season.teamNameOfLetter(away(5, 2));
    const MatchDayView shown = view(5, favourite);
    EXPECT_EQ(shown.dayTotals.last(), QStringLiteral("Cartons Rouges:0"));
    EXPECT_EQ(shown.dayTotals.first(), QStringLiteral("Buts dans la journée: 0"));
    EXPECT_EQ(shown.rows[2].awayBack, entry::colour::Favourite);
    EXPECT_EQ(shown.rows[2].homeBack, entry::colour::White);
    EXPECT_EQ(shown.rows[3].awayBack, entry::colour::White);
    EXPECT_TRUE(view(0).rows.isEmpty());
    EXPECT_TRUE(view(39).rows.isEmpty());
}

TEST_F(MatchDayViewTest, ReturnLegDateBeforeDayTwentyFirstLegScoreFrom)
{
    // Day 19's fixtures return on day 38 (Saturday 26 April 2014); day 20's
    // are the return legs of day 1.
    ResultsBuilder results;
    results.result(key(1, 0), home(1, 0), QStringLiteral("2"), QStringLiteral("1"), away(1, 0))
        .result(key(1, 1), home(1, 1), QStringLiteral("-"), QStringLiteral("-"), away(1, 1))
        .raw(key(1, 2), QString(home(1, 2)) + QStringLiteral("||| 3|1|||") + away(1, 2));
    store(results);

    const MatchDayView nineteen = view(19);
    for (const GridRow &row : nineteen.rows)
        EXPECT_EQ(row.info, QStringLiteral("Retour le: 26 04 14"));

    const MatchDayView twenty = view(20);
    EXPECT_EQ(twenty.rows[0].homeLetter, away(1, 0));
    EXPECT_EQ(twenty.rows[0].info, QStringLiteral("(1-2)"));  // the home side's own goals first
    EXPECT_EQ(twenty.rows[1].info, QString());                // "-" on both sides
    EXPECT_EQ(twenty.rows[2].info, QStringLiteral("(1- 3)")); // fields as stored
    EXPECT_EQ(twenty.rows[3].info, QString());                // no first leg stored
}
