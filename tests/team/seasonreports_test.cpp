#include "team/core/cardsreport.h"
#include "team/core/seasonhighlights.h"

#include "teamdata.h"

namespace {

using highlights::BestMatchDay;
using highlights::LargestDifference;
using highlights::MostCards;
using highlights::MostGoals;
using highlights::Unbeaten;
using highlights::Winless;

class Reports : public TeamData
{
protected:
    std::array<QString, highlights::Count> plus() const { return highlights::compute(season, *store); }
    // The first fixture of a match day, with its teams.
    QString firstOf(int day, QChar &home, QChar &away) const
    {
        const QString code = builder.codes(day).first();
        home = code[0];
        away = code[1];
        return Season::fixtureKey(day, 0);
    }
    QString allNames() const
    {
        QStringList names;
        for (TeamNo t = 0; t < TeamCount; ++t)
            names << season.teamName(t);
        return names.join(QLatin1Char(' '));
    }
};

TEST_F(Reports, CardsReportListsDaysWithCardsThenTotals)
{
    load(ResultsBuilder());
    EXPECT_EQ(cardsPerMatchDay(*store).text(), QStringLiteral("Cumul CJ 0\nCumul CR 0"));

    load(ResultsBuilder()
             .result(Season::fixtureKey(1, 0), 'A', "1", "0", 'B', 0, 2, 1, 0)
             .result(Season::fixtureKey(2, 0), 'C', "1", "0", 'D') // no card: no line
             .result(Season::fixtureKey(3, 0), 'E', "1", "0", 'F', 1, 3, 2, 0)
             .result(Season::fixtureKey(3, 5), 'G', "1", "0", 'H', 0, 1, 1, 0)
             .raw(Season::fixtureKey(3, 10), QStringLiteral("I|0|0|1|0|0||J"))
             .raw(Season::fixtureKey(4, 1), QStringLiteral("K|||2|2|||L"))
             .raw(Season::fixtureKey(5, 1), QStringLiteral("Z|4|4|2|2|4|4|L"))
             .result(Season::fixtureKey(12, 9), 'M', "0", "0", 'N', 0, 0, 0, 2));
    EXPECT_EQ(cardsPerMatchDay(*store).lines(),
              QStringList({QStringLiteral("Jour 01: Cj:3. CR:0"), QStringLiteral("Jour 03: Cj:7. CR:1"),
                           QStringLiteral("Jour 12: Cj:0. CR:2"), QStringLiteral("Cumul CJ 10"),
                           QStringLiteral("Cumul CR 3")}));
}

TEST_F(Reports, HighlightsOfAnEmptySeasonNameAllTwentyTeams)
{
    load(ResultsBuilder());
    const auto values = plus();
    for (int i : {MostGoals, LargestDifference, MostCards, BestMatchDay})
        EXPECT_EQ(values[i], QString()) << i;
    EXPECT_EQ(values[Unbeaten], allNames() + QStringLiteral(":  matches."));
    EXPECT_EQ(values[Winless], allNames() + QStringLiteral(":  matches."));
    EXPECT_EQ(highlights::headings()[Unbeaten], QStringLiteral("Le plus de matches sans défaite:"));
}

TEST_F(Reports, GoalessDrawsFillOnlyTheCardsAndTheRuns)
{
    ResultsBuilder results;
    const QStringList day1 = builder.codes(1);
    for (int i = 0; i < day1.size(); ++i)
        results.result(Season::fixtureKey(1, i), day1[i][0], "0", "0", day1[i][1], 0, i == 4 ? 1 : 0);
    load(results);
    const auto values = plus();
    EXPECT_EQ(values[MostGoals], QString());
    EXPECT_EQ(values[LargestDifference], QString());
    EXPECT_EQ(values[BestMatchDay], QString());
    const QString carded = day1[4];
    EXPECT_EQ(values[MostCards],
              season.teamNameOfLetter(carded[0]) + QLatin1Char('-') + season.teamNameOfLetter(carded[1])
                  + QStringLiteral(" le 10/08/2013: \n0 Carton(s) Rouge(s) et 1 Carton(s) jaune(s)."));
    EXPECT_EQ(values[Unbeaten], allNames() + QStringLiteral(": 1 matches."));
    EXPECT_EQ(values[Winless], allNames() + QStringLiteral(": 1 matches."));
}

TEST_F(Reports, HighlightTextsAndStrictComparisons)
{
    QChar h2, a2, h3, a3;
    const QString day2 = firstOf(2, h2, a2);
    const QString day3 = firstOf(3, h3, a3);
    load(ResultsBuilder()
             .result(day2, h2, "4", "3", a2, 2, 0, 1, 0)
             // Same goal total, difference and card score later: the first keeps them.
             .result(day3, h3, "3", "4", a3, 0, 1, 0, 2)
             .result(Season::fixtureKey(3, 1), builder.codes(3)[1][0], "1", "0", builder.codes(3)[1][1]));
    const auto values = plus();
    const QString prefix = season.teamNameOfLetter(h2) + QLatin1Char('-') + season.teamNameOfLetter(a2)
                           + QStringLiteral(" le 17/08/2013: ");
    EXPECT_EQ(values[MostGoals], prefix + QStringLiteral("7 (4 à 3)"));
    EXPECT_EQ(values[LargestDifference], prefix + QStringLiteral("4 à 3"));
    // Two red cards and one yellow: a score of 7.
    EXPECT_EQ(values[MostCards], prefix + QStringLiteral("\n2 Carton(s) Rouge(s) et 1 Carton(s) jaune(s)."));
    EXPECT_EQ(values[BestMatchDay], QStringLiteral("Le 24/08/2013: 8 buts marqués"));
}

TEST_F(Reports, RunsInProgressFollowTheStoredTexts)
{
    // A beats B, then draws "-" against "-" with C: unbeaten 2. D and E play
    // "2" against "02": no win, no draw.
    const QString ab = key('A', 'B'), ac = key('A', 'C'), de = key('D', 'E');
    ASSERT_LT(ab.left(2).toInt(), 20);
    load(ResultsBuilder()
             .result(ab, 'A', "2", "0", 'B')
             .result(key('C', 'A'), 'C', "-", "-", 'A')
             .result(de, 'D', "2", "02", 'E')
             .raw(ac, QStringLiteral("A|0|0|9|0|0|0|Z")));
    const auto values = plus();
    // Key order: A-B and C-A may come in any order, both extend A's run.
    EXPECT_EQ(values[Unbeaten], name('A') + QStringLiteral(": 2 matches."));
    // B lost, C drew ("-" counts): winless 1 each; A too when the draw came
    // after its win.
    QStringList winless;
    if (key('C', 'A') > ab)
        winless << name('A');
    winless << name('B') << name('C');
    EXPECT_EQ(values[Winless], winless.join(QLatin1Char(' ')) + QStringLiteral(": 1 matches."));
    // Goals are written as stored; the record naming no team (9 goals) counted for nothing.
    EXPECT_EQ(values[MostGoals], name('D') + QLatin1Char('-') + name('E') + QStringLiteral(" le ")
                                     + season.matchDayDate(de.left(2).toInt()).toString(QStringLiteral("dd/MM/yyyy"))
                                     + QStringLiteral(": 4 (2 à 02)"));
}

TEST_F(Reports, ADefeatEndsTheUnbeatenRun)
{
    // A wins on two match days of the first half, then loses in the second.
    QStringList firstHalf;
    for (char opponent : {'B', 'C', 'D', 'E'}) {
        if (builder.matchDayOf('A', QChar(opponent)) <= 19)
            firstHalf << QString(QChar(opponent));
    }
    ASSERT_GE(firstHalf.size(), 2);
    const QChar b = firstHalf[0][0], c = firstHalf[1][0];
    const QString lossKey = builder.keyOf(c, 'A') > builder.keyOf('A', b) ? builder.keyOf(c, 'A') : QString();
    ASSERT_FALSE(lossKey.isEmpty());
    load(ResultsBuilder()
             .result(builder.keyOf('A', b), 'A', "1", "0", b)
             .result(builder.keyOf('A', c), 'A', "1", "0", c)
             .result(lossKey, c, "3", "0", 'A'));
    const auto values = plus();
    EXPECT_EQ(values[Unbeaten], season.teamNameOfLetter(c) + QStringLiteral(": 1 matches."));
}

} // namespace
