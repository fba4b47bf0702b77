#include "team/core/teamcard.h"

#include "standings/core/criterionsort.h"

#include "teamdata.h"

#include <array>

namespace {

class Card : public TeamData
{
protected:
    TeamCard card(char letter, const QString &favourite = {}, const DisplayedStandings *shown = nullptr)
    {
        const DisplayedStandings standings = shown ? *shown : table();
        return buildTeamCard(season, *store, team(letter), standings, favourite);
    }
    const CardRow &row(const TeamCard &c, char home, char away) const
    {
        for (const CardRow &r : c.rows) {
            if (r.fixtureKey == key(home, away))
                return r;
        }
        static const CardRow none;
        ADD_FAILURE() << "no row " << home << away;
        return none;
    }
    int block(char home, char away, char team) const
    {
        return (builder.matchDayOf(QChar(home), QChar(away)) > 19 ? 2 : 0) + (team == away ? 1 : 0);
    }
};

TEST_F(Card, HomeFixturesThenAwayFixturesEachInCalendarOrder)
{
    load(ResultsBuilder());
    const TeamCard c = card('A');
    ASSERT_EQ(c.rows.size(), 38u);
    // In the built season Alpha plays away on match days 1 to 10 and 30 to
    // 38, at home on 11 to 29. Rows: the home column, then the away column;
    // halves: 1 for match days 1..19, 2 for 20..38.
    const std::array<int, 38> days = {11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29,
                                      1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 30, 31, 32, 33, 34, 35, 36, 37, 38};
    const QString halves = QStringLiteral("1111111112222222222"
                                          "1111111111222222222");
    for (int i = 0; i < 38; ++i) {
        const CardRow &r = c.rows[i];
        EXPECT_EQ(r.teamAtHome, i < 19) << i;
        EXPECT_EQ(r.awayColumn, i >= 19) << i;
        EXPECT_EQ(r.matchDay, days[i]) << i;
        EXPECT_EQ(r.secondHalf, halves[i] == QLatin1Char('2')) << i;
        if (i != 0 && i != 19) {
            EXPECT_LT(c.rows[i - 1].fixtureNo, r.fixtureNo) << i;
        }
        EXPECT_EQ(r.homeName, season.teamNameOfLetter(r.homeLetter));
    }
    const CardRow &first = c.rows[0];
    EXPECT_EQ(first.fixtureKey,
              Season::fixtureKey(first.matchDay,
                                 builder.codes(first.matchDay).indexOf(QString(first.homeLetter) + first.awayLetter)));
    // Match day 2 of the built season is 17 August 2013.
    for (const CardRow &r : c.rows) {
        if (r.matchDay == 2) {
            EXPECT_EQ(r.dateText, QStringLiteral("17 08 13"));
        }
    }
}

TEST_F(Card, MarkersAndCountersFollowTheOnePlayedRule)
{
    load(ResultsBuilder()
             .result(key('A', 'B'), 'A', "3", "1", 'B', 1, 2, 1, 0)
             .result(key('C', 'A'), 'C', "2", "2", 'A', 0, 1, 3, 1)
             .result(key('A', 'D'), 'A', "0", "1", 'D')
             .result(key('E', 'A'), 'E', "-", "-", 'A')
             .result(key('A', 'F'), 'A', "2", "", 'F')
             .result(key('A', 'G'), 'A', "0", "", 'G')
             .result(key('A', 'H'), 'A', "1", "  ", 'H')
             .result(key('I', 'A'), 'I', "   ", "1", 'A'));
    const TeamCard c = card('A');

    EXPECT_EQ(row(c, 'A', 'B').outcome, CardOutcome::Won);
    EXPECT_EQ(row(c, 'C', 'A').outcome, CardOutcome::Drawn);
    EXPECT_EQ(row(c, 'A', 'D').outcome, CardOutcome::Lost);
    // "-" shows as empty boxes and the match is not played.
    EXPECT_EQ(row(c, 'E', 'A').outcome, CardOutcome::NotPlayed);
    EXPECT_EQ(row(c, 'E', 'A').homeGoals, QString());
    EXPECT_EQ(row(c, 'E', 'A').awayGoals, QString());
    // Half-entered: white and counted nowhere, even 0 against nothing.
    EXPECT_EQ(row(c, 'A', 'F').outcome, CardOutcome::Incomplete);
    EXPECT_EQ(row(c, 'A', 'G').outcome, CardOutcome::Incomplete);
    EXPECT_EQ(row(c, 'A', 'H').outcome, CardOutcome::Incomplete);
    EXPECT_EQ(row(c, 'I', 'A').outcome, CardOutcome::NotPlayed);
    EXPECT_EQ(row(c, 'J', 'A').outcome, CardOutcome::NotPlayed);

    std::array<BarGroup, 4> expected{};
    ++expected[block('A', 'B', 'A')].wins;
    ++expected[block('C', 'A', 'A')].draws;
    ++expected[block('A', 'D', 'A')].losses;
    int unplayed = 0;
    for (const CardRow &r : c.rows) {
        if (r.outcome == CardOutcome::NotPlayed) {
            ++expected[r.block()].unplayed;
            ++unplayed;
        }
    }
    EXPECT_EQ(unplayed, 38 - 3 - 3);
    for (int g = 0; g < 4; ++g) {
        EXPECT_EQ(c.groups[g].wins, expected[g].wins) << g;
        EXPECT_EQ(c.groups[g].draws, expected[g].draws) << g;
        EXPECT_EQ(c.groups[g].losses, expected[g].losses) << g;
        EXPECT_EQ(c.groups[g].unplayed, expected[g].unplayed) << g;
        EXPECT_EQ(c.groups[g].total, expected[g].wins + expected[g].draws + expected[g].losses + expected[g].unplayed);
        EXPECT_EQ(c.groups[g].winCaption, QStringLiteral("\n%1").arg(expected[g].wins));
    }
    const BarGroup &season = c.groups[TeamCard::SeasonGroup];
    EXPECT_EQ(season.total, 3);
    EXPECT_EQ(season.winCaption, QStringLiteral("\nVictoires: 1"));
    EXPECT_EQ(season.drawCaption, QStringLiteral("\nNuls: 1"));
    EXPECT_EQ(season.lossCaption, QStringLiteral("\nDéfaites: 1"));

    // Goals of every box, as the table counts them: 3+2+0+2+0+1+1 for, 1+2+1 against.
    EXPECT_EQ(c.goalsFor, 9);
    EXPECT_EQ(c.goalsAgainst, 4);
    EXPECT_EQ(c.pointsText(), QStringLiteral("Points: 4"));
    EXPECT_EQ(c.redCardsText(), QStringLiteral("Cartons Rouges: 2"));
    EXPECT_EQ(c.yellowCardsText(), QStringLiteral("Cartons Jaunes: 5"));
    EXPECT_EQ(c.averageForText(), QStringLiteral("3,0 par match."));
    EXPECT_EQ(c.averageAgainstText(), QStringLiteral("1,33 par match."));
    EXPECT_EQ(row(c, 'A', 'B').outcomeWord(), QStringLiteral("victoire"));
    EXPECT_EQ(row(c, 'A', 'F').scoreText(), QStringLiteral("2-"));
}

TEST_F(Card, AveragesKeepOneDecimalAndAtMostTwo)
{
    EXPECT_EQ(perMatchText(3, 1), QStringLiteral("3,0 par match."));
    EXPECT_EQ(perMatchText(7, 4), QStringLiteral("1,75 par match."));
    EXPECT_EQ(perMatchText(5, 3), QStringLiteral("1,67 par match."));
    EXPECT_EQ(perMatchText(3, 2), QStringLiteral("1,5 par match."));
    EXPECT_EQ(perMatchText(0, 0), QStringLiteral("0,0 par match."));

    load(ResultsBuilder().result(key('A', 'B'), 'A', "3", "1", 'B'));
    const TeamCard c = card('A');
    EXPECT_EQ(c.averageForText(), QStringLiteral("3,0 par match."));
    EXPECT_EQ(c.goalsForText(), QStringLiteral("Buts Marqués: 3"));
    EXPECT_EQ(c.goalsAgainstText(), QStringLiteral("Buts Encaissés: 1"));
}

TEST_F(Card, ATeamWithNothingPlayedHasItsOwnEmptyCard)
{
    load(ResultsBuilder().result(key('B', 'C'), 'B', "4", "0", 'C'));
    const TeamCard c = card('A');
    EXPECT_EQ(c.played(), 0);
    EXPECT_EQ(c.groups[TeamCard::SeasonGroup].total, 0);
    EXPECT_EQ(c.groups[0].total + c.groups[1].total + c.groups[2].total + c.groups[3].total, 38);
    EXPECT_EQ(c.averageForText(), QStringLiteral("0,0 par match."));
    EXPECT_EQ(c.averageAgainstText(), QStringLiteral("0,0 par match."));
    EXPECT_EQ(c.pointsText(), QStringLiteral("Points: 0"));
    EXPECT_EQ(c.goalsForText(), QStringLiteral("Buts Marqués: 0"));
}

TEST_F(Card, RecordsNamingNoTeamCountForNobody)
{
    load(ResultsBuilder()
             .raw(key('A', 'B'), QStringLiteral("Z|0|0|3|1|0|0|B"))
             .raw(key('C', 'A'), QStringLiteral("|1|1|0|2|1|1|")));
    const TeamCard c = card('A');
    EXPECT_EQ(row(c, 'A', 'B').outcome, CardOutcome::NotPlayed);
    EXPECT_EQ(row(c, 'A', 'B').homeGoals, QString());
    EXPECT_EQ(row(c, 'C', 'A').outcome, CardOutcome::NotPlayed);
    EXPECT_EQ(c.goalsFor + c.goalsAgainst + c.redCards + c.yellowCards, 0);
}

TEST_F(Card, FavouriteOpponentMarkedButNeverTheCardsOwnTeam)
{
    load(ResultsBuilder());
    const TeamCard c = card('A', name('B'));
    EXPECT_TRUE(row(c, 'A', 'B').awayFavourite);
    EXPECT_TRUE(row(c, 'B', 'A').homeFavourite);
    EXPECT_FALSE(row(c, 'A', 'C').awayFavourite);

    const TeamCard own = card('A', name('A'));
    for (const CardRow &r : own.rows)
        EXPECT_FALSE(r.homeFavourite || r.awayFavourite);
}

TEST_F(Card, RankIsTheLabelOfTheTableAsDisplayed)
{
    // A leads on points, B has the best defence.
    load(ResultsBuilder()
             .result(key('A', 'C'), 'A', "5", "3", 'C')
             .result(key('A', 'D'), 'A', "4", "3", 'D')
             .result(key('B', 'E'), 'B', "0", "0", 'E'));
    const DisplayedStandings ranking = table();
    EXPECT_EQ(card('A', {}, &ranking).rankText(), QStringLiteral("Classement: 1"));

    const DisplayedStandings sorted = criterion::sortByCriterion(ranking, QStringLiteral("BC"));
    QString sortedLabel;
    for (const DisplayedRow &r : sorted.rows) {
        if (r.data.name == name('A'))
            sortedLabel = r.rankLabel;
    }
    ASSERT_NE(sortedLabel, QStringLiteral("1"));
    EXPECT_EQ(card('A', {}, &sorted).rankText(), QStringLiteral("Classement: ") + sortedLabel);

    // The table at match day 0 of nothing: a team missing from it has no rank.
    DisplayedStandings empty;
    EXPECT_EQ(card('A', {}, &empty).rankText(), QStringLiteral("Classement: "));
}

} // namespace
