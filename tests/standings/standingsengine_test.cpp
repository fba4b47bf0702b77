#include "standings/core/standingsengine.h"

#include "season/core/textutil.h"

#include "seasonbuilder.h"
#include "standingslookup.h"
#include "testfolder.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

using standingslookup::rank;
using standingslookup::row;

// A program folder holding a built season and results store.
class Engine : public ::testing::Test
{
protected:
    Standings compute(const ResultsBuilder &results, MatchDayNo upTo = 0, const BonusMalus &bonus = {})
    {
        m_folder.write(ResultStore::FileName, results.bytes());
        return computeWith(upTo, bonus);
    }
    Standings computeWith(MatchDayNo upTo = 0, const BonusMalus &bonus = {})
    {
        const Season season = Season::fromBytes(m_builder.seasonFile());
        const ResultStore store(m_folder.path());
        return computeStandings(season, store, bonus, upTo);
    }
    QString key(char home, char away) const { return m_builder.keyOf(QChar(home), QChar(away)); }

    static QStringList names(const Standings &s)
    {
        QStringList list;
        for (const StandingRow &r : s.rows)
            list << r.name;
        return list;
    }

    SeasonBuilder m_builder;
    TestFolder m_folder;
};

TEST_F(Engine, NoResultsGivesReverseAlphabeticalOrderAtTheNeutralKey)
{
    const Standings s = computeWith();
    QStringList expected = SeasonBuilder::defaultNames();
    std::reverse(expected.begin(), expected.end());
    EXPECT_EQ(names(s), expected);
    for (const StandingRow &r : s.rows) {
        EXPECT_EQ(r.keyText(), "010200000999");
        EXPECT_EQ(r.pointsText(), "0");
        EXPECT_EQ(r.played, 0);
    }
    EXPECT_EQ(s.totalGoals, 0);
    EXPECT_EQ(s.playedSides, 0);
    EXPECT_EQ(s.upToMatchDay, 38);
}

TEST_F(Engine, CountsAHomeWinWithItsCards)
{
    // Home 0 red / 1 yellow, away 3 yellow / 1 red, as the volunteers type them.
    const Standings s = compute(ResultsBuilder().raw(key('A', 'B'), "A|0|1|2|1|3|1|B"));
    const StandingRow &alpha = row(s, "Alpha");
    const StandingRow &bravo = row(s, "Bravo");
    EXPECT_EQ(alpha.rowText(), "013201002998|Alpha|3|1|2|1|1|1|2|0|1|0|3|0|1|0|0|0|0");
    EXPECT_EQ(bravo.rowText(), "010199001993|Bravo|0|-1|1|2|6|1|0|1|0|2|0|0|0|0|0|1|0");
    EXPECT_EQ(rank(s, "Alpha"), 1);
    EXPECT_EQ(rank(s, "Bravo"), 20);
    EXPECT_EQ(s.totalGoals, 3);
    EXPECT_EQ(s.playedSides, 2);
}

TEST_F(Engine, AwayWinAndDrawCountOnTheRightSide)
{
    const Standings s =
        compute(ResultsBuilder().result(key('C', 'D'), 'C', "0", "2", 'D').result(key('E', 'F'), 'E', " 1 ", "1", 'F'));
    const StandingRow &delta = row(s, "Delta");
    EXPECT_EQ(delta.points, 3);
    EXPECT_EQ(delta.awayPoints, 3);
    EXPECT_EQ(delta.awayWins, 1);
    EXPECT_EQ(delta.awayGoalsFor, 2);
    EXPECT_EQ(row(s, "Charlie").homeLosses, 1);
    EXPECT_EQ(row(s, "Charlie").homeGoalsAgainst, 2);
    // Surrounding blanks do not stop a score from counting.
    EXPECT_EQ(row(s, "Echo").draws, 1);
    EXPECT_EQ(row(s, "Echo").homePoints, 1);
    EXPECT_EQ(row(s, "Foxtrot").awayPoints, 1);
    EXPECT_EQ(row(s, "Foxtrot").played, 1);
    EXPECT_EQ(s.playedSides, 4);
    EXPECT_EQ(s.totalGoals, 4);
}

TEST_F(Engine, MissingOrDashedGoalsAreNotPlayed)
{
    const Standings s = compute(ResultsBuilder()
                                    .result(key('A', 'B'), 'A', "2", "", 'B')
                                    .result(key('C', 'D'), 'C', "-", "-", 'D', 1, 0, 2, 0)
                                    .result(key('E', 'F'), 'E', "0", "0", 'F')
                                    .result(key('G', 'H'), 'G', "  ", "1", 'H')
                                    .result(key('I', 'J'), 'I', "0", "", 'J')
                                    .result(key('K', 'L'), 'K', "", "0", 'L'));
    // A score on one side only is a win for that side and a match played by it alone.
    EXPECT_EQ(row(s, "Alpha").points, 3);
    EXPECT_EQ(row(s, "Alpha").played, 1);
    EXPECT_EQ(row(s, "Bravo").played, 0);
    EXPECT_EQ(row(s, "Bravo").awayLosses, 1);
    // "-" against "-" is no draw and no match, but the cards count.
    EXPECT_EQ(row(s, "Charlie").points, 0);
    EXPECT_EQ(row(s, "Charlie").draws, 0);
    EXPECT_EQ(row(s, "Charlie").played, 0);
    EXPECT_EQ(row(s, "Charlie").fairPlayPoints, 3);
    EXPECT_EQ(row(s, "Delta").fairPlayPoints, 2);
    // 0-0 is a played draw, unlike the empty record.
    EXPECT_EQ(row(s, "Echo").draws, 1);
    EXPECT_EQ(row(s, "Foxtrot").played, 1);
    // Blanks only read as an empty score.
    EXPECT_EQ(row(s, "Golf").played, 0);
    EXPECT_EQ(row(s, "Hotel").points, 3);
    // A "0" against an empty box, on either side, is no draw: level goals
    // need both scores to be a draw.
    EXPECT_EQ(row(s, "India").points, 0);
    EXPECT_EQ(row(s, "India").draws, 0);
    EXPECT_EQ(row(s, "India").played, 1);
    EXPECT_EQ(row(s, "Juliett").draws, 0);
    EXPECT_EQ(row(s, "Kilo").draws, 0);
    EXPECT_EQ(row(s, "Lima").points, 0);
    EXPECT_EQ(row(s, "Lima").played, 1);
    EXPECT_EQ(s.playedSides, 1 + 0 + 2 + 1 + 1 + 1);
}

TEST_F(Engine, CreditsTheTeamsTheRecordNamesAndSkipsUnknownLetters)
{
    const Standings s = compute(ResultsBuilder()
                                    .raw(key('A', 'B'), "C|0|0|1|0|0|0|D")
                                    .raw(key('E', 'F'), "Z|0|0|5|0|0|0|F")
                                    .raw(key('G', 'H'), "G|0|0|5|0|0|0|h")
                                    .raw(key('I', 'J'), "|||||||")
                                    .raw(key('K', 'L'), "K|0|0|1|0|0|0|L"));
    EXPECT_EQ(row(s, "Charlie").points, 3);
    EXPECT_EQ(row(s, "Alpha").played, 0);
    EXPECT_EQ(row(s, "Foxtrot").played, 0);
    EXPECT_EQ(row(s, "Golf").played, 0);
    EXPECT_EQ(row(s, "Kilo").points, 3);
    EXPECT_EQ(s.totalGoals, 2);
}

TEST_F(Engine, CountsOnlyMatchDaysUpToTheOneAsked)
{
    ResultsBuilder results;
    results.raw("0100", "A|0|0|1|0|0|0|B").raw("0509", "C|0|0|1|0|0|0|D").raw("0600", "E|0|0|1|0|0|0|F");
    const Standings s = compute(results, 5);
    EXPECT_EQ(s.upToMatchDay, 5);
    EXPECT_EQ(row(s, "Alpha").points, 3);
    EXPECT_EQ(row(s, "Charlie").points, 3);
    EXPECT_EQ(row(s, "Echo").points, 0);
    EXPECT_EQ(s.playedSides, 4);
    EXPECT_EQ(computeWith(0).playedSides, 6);
}

// The tie-break chain: points, goal difference, goals for, head-to-head goals,
// card points, name. Each case levels Alpha and Bravo on everything before the
// criterion it tests; by name alone Bravo would rank above Alpha.
TEST_F(Engine, GoalDifferenceDecidesBetweenEqualPoints)
{
    const Standings s =
        compute(ResultsBuilder().result(key('A', 'C'), 'A', "3", "0", 'C').result(key('B', 'D'), 'B', "1", "0", 'D'));
    EXPECT_EQ(rank(s, "Alpha"), 1);
    EXPECT_EQ(rank(s, "Bravo"), 2);
}

TEST_F(Engine, GoalsForDecideBetweenEqualGoalDifference)
{
    const Standings s =
        compute(ResultsBuilder().result(key('A', 'C'), 'A', "3", "1", 'C').result(key('B', 'D'), 'B', "2", "0", 'D'));
    EXPECT_EQ(rank(s, "Alpha"), 1);
    EXPECT_EQ(rank(s, "Bravo"), 2);
}

TEST_F(Engine, HeadToHeadGoalsDecideBeforeCards)
{
    // Both end on 3 points, goal difference 0, 3 goals for; Alpha won their
    // duel 2-1 but collected more cards.
    const Standings s = compute(ResultsBuilder()
                                    .result(key('A', 'B'), 'A', "2", "1", 'B', 1, 3, 0, 0)
                                    .result(key('A', 'D'), 'A', "1", "2", 'D')
                                    .result(key('B', 'C'), 'B', "2", "1", 'C'));
    EXPECT_EQ(rank(s, "Delta"), 1);
    EXPECT_EQ(rank(s, "Alpha"), 2);
    EXPECT_EQ(rank(s, "Bravo"), 3);
    // Bravo's key loses the duel's balance in its goals-for digits.
    EXPECT_EQ(row(s, "Bravo").keyText(), "013200002999");
    EXPECT_EQ(row(s, "Alpha").keyText(), "013200003993");
}

TEST_F(Engine, HeadToHeadCountsTheWholeSeasonWhateverTheMatchDay)
{
    // Nothing is played in the first five match days, so all twenty are level;
    // Alpha's win over Bravo later in the season still separates the two.
    const QString late = key('A', 'B').left(2).toInt() > 5 ? key('A', 'B') : key('B', 'A');
    const bool alphaAtHome = late == key('A', 'B');
    ASSERT_GT(late.left(2).toInt(), 5);
    ResultsBuilder results;
    if (alphaAtHome)
        results.result(late, 'A', "2", "1", 'B');
    else
        results.result(late, 'B', "1", "2", 'A');
    const Standings s = compute(results, 5);
    EXPECT_EQ(s.playedSides, 0);
    EXPECT_EQ(rank(s, "Alpha"), 19);
    EXPECT_EQ(rank(s, "Bravo"), 20);
    EXPECT_EQ(row(s, "Bravo").keyText(), "010199999999");
    EXPECT_EQ(rank(s, "Charlie"), 18);
}

TEST_F(Engine, HeadToHeadSkipsARecordThatNamesNoTeam)
{
    // Under the key of Alpha's match with Bravo lies a record naming no team
    // of the league. The table skips it, and so does the duel, so the two
    // stay level on everything and the name decides.
    const QString duel = key('A', 'B');
    const Standings s = compute(ResultsBuilder().raw(duel, QStringLiteral("Z|0|0|9|0|0|0|B")), 5);
    EXPECT_EQ(s.playedSides, 0);
    EXPECT_EQ(rank(s, "Bravo"), 19);
    EXPECT_EQ(rank(s, "Alpha"), 20);
    EXPECT_EQ(row(s, "Alpha").keyText(), "010200000999");
}

TEST_F(Engine, CardsDecideWhenTheDuelIsLevel)
{
    const Standings s = compute(ResultsBuilder()
                                    .result(key('A', 'C'), 'A', "1", "0", 'C')
                                    .result(key('B', 'D'), 'B', "1", "0", 'D', 0, 2, 0, 0)
                                    .result(key('A', 'B'), 'A', "1", "1", 'B'));
    EXPECT_EQ(row(s, "Alpha").keyText(), "014201002999");
    EXPECT_EQ(row(s, "Bravo").keyText(), "014201002997");
    EXPECT_EQ(rank(s, "Alpha"), 1);
    EXPECT_EQ(rank(s, "Bravo"), 2);
}

TEST_F(Engine, TheLaterNameRanksHigherWhenEverythingIsLevel)
{
    const Standings s =
        compute(ResultsBuilder().result(key('A', 'C'), 'A', "1", "0", 'C').result(key('B', 'D'), 'B', "1", "0", 'D'));
    EXPECT_EQ(row(s, "Alpha").keyText(), row(s, "Bravo").keyText());
    EXPECT_EQ(rank(s, "Bravo"), 1);
    EXPECT_EQ(rank(s, "Alpha"), 2);
}

TEST_F(Engine, AThreeWayTieComparesNeighboursOnly)
{
    // Alpha, Bravo and Charlie all end on 3 points, goal difference 0 and 3
    // goals for. Alpha beat Charlie 3-0, but the two are not neighbours in
    // name order, so that duel is never looked at.
    const Standings s = compute(ResultsBuilder()
                                    .result(key('A', 'C'), 'A', "3", "0", 'C')
                                    .result(key('A', 'E'), 'A', "0", "3", 'E')
                                    .result(key('C', 'D'), 'C', "3", "0", 'D')
                                    .result(key('B', 'F'), 'B', "3", "0", 'F')
                                    .result(key('B', 'G'), 'B', "0", "3", 'G'));
    ASSERT_EQ(row(s, "Alpha").keyText(), "013200003999");
    ASSERT_EQ(row(s, "Charlie").keyText(), "013200003999");
    const int charlie = rank(s, "Charlie");
    EXPECT_EQ(rank(s, "Bravo"), charlie + 1);
    EXPECT_EQ(rank(s, "Alpha"), charlie + 2);
}

TEST_F(Engine, ADuelWonByTwoPassesATeamOneGoalAhead)
{
    // Alpha and Bravo: 4 points, +2, 5 goals for; Charlie: 4 points, +2, 6.
    // Bravo beat Alpha 2-0, which lifts Bravo's key by two above Charlie's.
    const Standings s = compute(ResultsBuilder()
                                    .result(key('B', 'A'), 'B', "2", "0", 'A')
                                    .result(key('A', 'D'), 'A', "4", "0", 'D')
                                    .result(key('A', 'E'), 'A', "1", "1", 'E')
                                    .result(key('B', 'F'), 'B', "3", "3", 'F')
                                    .result(key('C', 'G'), 'C', "3", "1", 'G')
                                    .result(key('C', 'H'), 'C', "3", "3", 'H'));
    EXPECT_EQ(row(s, "Bravo").keyText(), "014202007999");
    EXPECT_EQ(row(s, "Charlie").keyText(), "014202006999");
    EXPECT_EQ(row(s, "Alpha").keyText(), "014202005999");
    EXPECT_EQ(rank(s, "Bravo"), 1);
    EXPECT_EQ(rank(s, "Charlie"), 2);
    EXPECT_EQ(rank(s, "Alpha"), 3);
}

TEST_F(Engine, APointsPenaltyCountsAsPointsLost)
{
    // Alpha's win is cancelled by a penalty of three points: it now ranks
    // like a team without points, below Delta's single draw.
    BonusMalus bonus{};
    bonus[0] = -3;
    const Standings s = compute(
        ResultsBuilder().result(key('A', 'C'), 'A', "1", "0", 'C').result(key('D', 'E'), 'D', "0", "0", 'E'), 0, bonus);
    const StandingRow &alpha = row(s, "Alpha");
    EXPECT_EQ(alpha.pointsText(), "0");
    EXPECT_EQ(alpha.keyText(), "010201001999");
    EXPECT_LT(rank(s, "Echo"), rank(s, "Alpha"));
    EXPECT_LT(rank(s, "Delta"), rank(s, "Alpha"));
    EXPECT_EQ(alpha.homePoints, 3); // the split columns carry no adjustment
}

TEST_F(Engine, AFractionalAdjustmentShowsButEntersTheKeyRounded)
{
    BonusMalus bonus{};
    bonus[0] = 1.5f;  // 14.5 rounds up to 15, not to the even 14
    bonus[1] = -0.5f; // 9.5 rounds to 10
    bonus[2] = 0.25f;
    const Standings s = compute(ResultsBuilder().result(key('A', 'D'), 'A', "2", "0", 'D'), 0, bonus);
    EXPECT_EQ(row(s, "Alpha").pointsText(), "4,5");
    EXPECT_EQ(row(s, "Alpha").keyText(), "015202002999");
    EXPECT_EQ(row(s, "Bravo").pointsText(), "-0,5");
    EXPECT_EQ(row(s, "Bravo").keyText(), "010200000999");
    EXPECT_EQ(row(s, "Charlie").pointsText(), "0,25");
    EXPECT_EQ(row(s, "Charlie").keyText(), "010200000999");
    EXPECT_EQ(rank(s, "Alpha"), 1);

    bonus[0] = -0.5f; // 12.5 rounds away from zero too
    const Standings h = computeWith(0, bonus);
    EXPECT_EQ(row(h, "Alpha").pointsText(), "2,5");
    EXPECT_EQ(row(h, "Alpha").keyText(), "013202002999");
}

TEST_F(Engine, AStoreReplacedBetweenTwoComputationsIsSeen)
{
    const Season season = Season::fromBytes(m_builder.seasonFile());
    const ResultStore store(m_folder.path());
    m_folder.write(ResultStore::FileName, ResultsBuilder().result(key('A', 'B'), 'A', "1", "0", 'B').bytes());
    EXPECT_EQ(computeStandings(season, store, {}).rows[0].name, "Alpha");

    // A download replaces the whole file; the next computation reads the new one.
    TestFolder download;
    download.write(ResultStore::FileName, ResultsBuilder().result(key('C', 'D'), 'C', "0", "3", 'D').bytes());
    ASSERT_TRUE(QFile::remove(m_folder.file(ResultStore::FileName)));
    ASSERT_TRUE(QFile::rename(download.file(ResultStore::FileName), m_folder.file(ResultStore::FileName)));
    EXPECT_EQ(computeStandings(season, store, {}).rows[0].name, "Delta");

    QFile::remove(m_folder.file(ResultStore::FileName));
    EXPECT_EQ(computeStandings(season, store, {}).playedSides, 0);
}

TEST(EngineNames, FrenchNameOrderWithoutRegardToCase)
{
    // With no result the standings are the names in reverse French order:
    // "Évian" sorts with the E's, lower case with upper case, a name before
    // the longer names it begins, and names equal but for case by code.
    QStringList names = SeasonBuilder::defaultNames();
    names[4] = QStringLiteral("Évian");
    names[5] = QStringLiteral("estac");
    names[6] = QStringLiteral("Nord");
    names[7] = QStringLiteral("Nord Est");
    names[8] = QStringLiteral("zèbre");
    names[9] = QStringLiteral("ZÈBRE");
    SeasonBuilder builder(names);
    TestFolder folder;
    const Season season = Season::fromBytes(builder.seasonFile());
    const ResultStore store(folder.path());
    const Standings s = computeStandings(season, store, BonusMalus{});
    QStringList order;
    for (const StandingRow &r : s.rows)
        order << r.name;
    const QStringList expected = {"zèbre", "ZÈBRE",    "Tango",    "Sierra",  "Romeo", "Quebec", "Papa",
                                  "Oscar", "November", "Nord Est", "Nord",    "Mike",  "Lima",   "Kilo",
                                  "Évian", "estac",    "Delta",    "Charlie", "Bravo", "Alpha"};
    EXPECT_EQ(order, expected);
}

TEST(EngineRows, FieldsAndKeyText)
{
    StandingRow r;
    r.name = QStringLiteral("Alpha");
    r.points = 47.5f;
    r.goalDifference = -3;
    r.rankingKey = 57197040995.0;
    EXPECT_EQ(r.keyText(), "057197040995");
    EXPECT_EQ(r.pointsText(), "47,5");
    const QStringList f = r.fields();
    ASSERT_EQ(f.size(), 19);
    EXPECT_EQ(f[1], "Alpha");
    EXPECT_EQ(f[3], "-3");
    r.points = 50;
    EXPECT_EQ(r.pointsText(), "50");
}

} // namespace
