// The views of the table as displayed: the sort by one statistic, the best
// reachable ranks with the champion's announcement, and the movement marks.
#include "standings/core/criterionsort.h"
#include "standings/core/rankmovement.h"
#include "standings/core/titlerace.h"

#include "seasonbuilder.h"

#include <gtest/gtest.h>

namespace {

// A table in rank order: every team with the same numbers, which each test
// then changes where it looks.
DisplayedStandings table(int played = 30)
{
    DisplayedStandings shown;
    for (int i = 0; i < TeamCount; ++i) {
        DisplayedRow &row = shown.rows[i];
        row.data.team = i;
        row.data.name = SeasonBuilder::defaultNames()[i];
        row.data.points = float(60 - i);
        row.data.played = int(played);
        row.data.goalsFor = 40;
        row.data.goalsAgainst = 40;
        row.rankLabel = QString::number(i + 1);
        row.zone = zoneOfRank(i + 1);
    }
    shown.zonesMarked = true;
    return shown;
}

QStringList names(const DisplayedStandings &shown)
{
    QStringList list;
    for (const DisplayedRow &row : shown.rows)
        list << row.data.name;
    return list;
}

QStringList labels(const DisplayedStandings &shown)
{
    QStringList list;
    for (const DisplayedRow &row : shown.rows)
        list << row.rankLabel;
    return list;
}

TEST(CriterionSort, EqualValuesShareTheirRankWhateverThePoints)
{
    DisplayedStandings shown = table();
    // Most draws: 10, 8, 8, 7 for the four teams at the foot of the table.
    shown.rows[19].data.draws = 10;
    shown.rows[18].data.draws = 8;
    shown.rows[17].data.draws = 8;
    shown.rows[16].data.draws = 7;
    const DisplayedStandings sorted = criterion::sortByCriterion(shown, QStringLiteral("MN"));
    EXPECT_EQ(labels(sorted).mid(0, 5), QStringList({"1", "2", "2", "4", "5"}));
    // Equal draws: more points first.
    EXPECT_EQ(names(sorted).mid(0, 4), QStringList({"Tango", "Romeo", "Sierra", "Quebec"}));
    EXPECT_EQ(sorted.title, QStringLiteral("Maximum de matches Nuls"));
    EXPECT_EQ(sorted.highlightedColumns, QStringList({"TMN"}));
    EXPECT_EQ(labels(sorted)[19], "5"); // the sixteen teams with no draw share 5
}

TEST(CriterionSort, BestDefenceThenPointsThenTheLaterName)
{
    DisplayedStandings shown = table();
    shown.rows[5].data.goalsAgainst = 20;                    // 980
    shown.rows[7].data.goalsAgainst = 21;                    // 979
    shown.rows[9].data.goalsAgainst = 20;                    // 980, fewer points than row 5
    shown.rows[12].data.points = shown.rows[13].data.points; // equal everything: later name first
    const DisplayedStandings sorted = criterion::sortByCriterion(shown, QStringLiteral("BC"));
    const QStringList order = names(sorted);
    EXPECT_EQ(order.mid(0, 3), QStringList({"Foxtrot", "Juliett", "Hotel"}));
    EXPECT_LT(order.indexOf("November"), order.indexOf("Mike"));
    EXPECT_EQ(labels(sorted).mid(0, 4), QStringList({"1", "1", "3", "4"}));
}

TEST(CriterionSort, FairPlayAndGoalDifferencePrimaryValues)
{
    DisplayedStandings shown = table();
    for (DisplayedRow &row : shown.rows)
        row.data.fairPlayPoints = 12;
    shown.rows[17].data.fairPlayPoints = 0; // no card at all comes first
    shown.rows[3].data.goalDifference = -12;
    for (int i = 0; i < TeamCount; ++i) {
        if (i != 3)
            shown.rows[i].data.goalDifference = -11;
    }
    EXPECT_EQ(names(criterion::sortByCriterion(shown, QStringLiteral("FP")))[0], "Romeo");
    EXPECT_EQ(names(criterion::sortByCriterion(shown, QStringLiteral("GA")))[19], "Delta");
}

TEST(CriterionSort, WinsAndLossesAddHomeAndAway)
{
    DisplayedStandings shown = table();
    shown.rows[10].data.homeWins = 4;
    shown.rows[10].data.awayWins = 5;   // 9 in all
    shown.rows[11].data.homeWins = 8;   // 8
    shown.rows[12].data.homeLosses = 1; // every other team has 0 losses
    const DisplayedStandings wins = criterion::sortByCriterion(shown, QStringLiteral("MG"));
    EXPECT_EQ(names(wins).mid(0, 2), QStringList({"Kilo", "Lima"}));
    EXPECT_EQ(wins.highlightedColumns, QStringList({"TME", "TMD"}));
    const DisplayedStandings losses = criterion::sortByCriterion(shown, QStringLiteral("MP"));
    EXPECT_EQ(names(losses)[19], "Mike");
    EXPECT_EQ(losses.title, QStringLiteral("Minimum de matches Perdus"));
}

TEST(CriterionSort, SortingTwiceGivesTheSameTable)
{
    DisplayedStandings shown = table();
    for (int i = 0; i < TeamCount; ++i)
        shown.rows[i].data.goalsFor = int((i * 7) % 5 + 30);
    const DisplayedStandings once = criterion::sortByCriterion(shown, QStringLiteral("BP"));
    const DisplayedStandings twice = criterion::sortByCriterion(once, QStringLiteral("BP"));
    EXPECT_EQ(names(once), names(twice));
    EXPECT_EQ(labels(once), labels(twice));
}

TEST(CriterionSort, DropsZonesAndMarksButKeepsTheFavourite)
{
    DisplayedStandings shown = table();
    shown.rows[4].favourite = true;
    shown.rows[4].movement = Movement::Up;
    shown.rows[4].movementText = QStringLiteral("+2");
    shown.rows[2].belowAverage = true;
    shown.aheadBehindText = QStringLiteral("1 Match en retard pour : Alpha, Bravo.");
    const DisplayedStandings sorted = criterion::sortByCriterion(shown, QStringLiteral("BP"));
    EXPECT_FALSE(sorted.zonesMarked);
    for (const DisplayedRow &row : sorted.rows) {
        EXPECT_EQ(row.zone, ZoneMark::None);
        EXPECT_EQ(row.movement, Movement::None);
        EXPECT_TRUE(row.movementText.isEmpty());
        EXPECT_FALSE(row.belowAverage);
        EXPECT_EQ(row.favourite, row.data.name == "Echo");
    }
    EXPECT_TRUE(sorted.aheadBehindText.isEmpty());
    EXPECT_EQ(sorted.leader, sorted.rows[0].data.name);
    EXPECT_TRUE(sorted.leaderNameOnly);
    // An unknown code leaves the table as it is.
    EXPECT_EQ(names(criterion::sortByCriterion(shown, QStringLiteral("XX"))), names(shown));
}

TEST(ReachableRanks, SecondTeamWithThreeOrFourMatchesLeft)
{
    DisplayedStandings shown = table(35);
    shown.rows[0].data.points = 80;
    shown.rows[1].data.points = 70;
    ReachableRanks ranks = computeReachableRanks(shown);
    EXPECT_EQ(ranks.rank[1], 2);
    EXPECT_TRUE(ranks.champion);
    EXPECT_EQ(ranks.championTitle, QStringLiteral("Félicitations !!!"));
    EXPECT_EQ(ranks.championMessage, QStringLiteral("Alpha est champion de Kestrane 1 2014 !!!"));

    shown.rows[1].data.played = 34; // 12 points still to play for
    ranks = computeReachableRanks(shown);
    EXPECT_EQ(ranks.rank[1], 1);
    EXPECT_FALSE(ranks.champion);
}

TEST(ReachableRanks, FractionsDecideAtEqualPoints)
{
    DisplayedStandings shown = table(36);
    for (DisplayedRow &row : shown.rows)
        row.data.points = 0;
    shown.rows[0].data.points = 56;
    shown.rows[0].data.goalDifference = 11;
    shown.rows[1].data.points = 56;
    shown.rows[1].data.goalDifference = 5;
    shown.rows[2].data.points = 50;
    shown.rows[2].data.goalDifference = 10; // 2 matches left: 56 and +10
    const ReachableRanks ranks = computeReachableRanks(shown);
    EXPECT_EQ(ranks.rank[2], 2);
}

TEST(ReachableRanks, EndOfSeasonGivesEachTeamItsOwnRank)
{
    DisplayedStandings shown = table(38);
    shown.rows[7].data.points = shown.rows[6].data.points; // exactly the same score as the team above
    const ReachableRanks ranks = computeReachableRanks(shown);
    for (int i = 0; i < TeamCount; ++i)
        EXPECT_EQ(ranks.rank[i], i == 7 ? 7 : i + 1) << i;
    EXPECT_TRUE(ranks.champion);
}

TEST(ReachableRanks, ChampionOnlyWhenNoOtherTeamCanReachFirstPlace)
{
    // Mended rule: the second team cannot catch the leader, but the third
    // has games in hand and still can; the title is not decided yet.
    DisplayedStandings shown = table(36);
    shown.rows[0].data.points = 80;
    shown.rows[1].data.points = 73;
    shown.rows[2].data.points = 72;
    shown.rows[2].data.played = 34;
    const ReachableRanks ranks = computeReachableRanks(shown);
    EXPECT_EQ(ranks.rank[1], 2);
    EXPECT_EQ(ranks.rank[2], 1);
    EXPECT_FALSE(ranks.champion);
    EXPECT_TRUE(ranks.championMessage.isEmpty());
}

TEST(RankMovements, UpDownAndUnchangedOnTheLaterOrder)
{
    std::array<QString, TeamCount> before;
    for (int i = 0; i < TeamCount; ++i)
        before[i] = SeasonBuilder::defaultNames()[i];
    std::array<QString, TeamCount> after = before;
    std::rotate(after.begin(), after.begin() + 2, after.begin() + 3); // Charlie from third to first
    const RankMovements moves = rankMovements(before, after);
    EXPECT_EQ(after[0], "Charlie");
    EXPECT_EQ(moves.movement[0], Movement::Up);
    EXPECT_EQ(moves.text[0], "+2");
    EXPECT_EQ(moves.movement[1], Movement::Down);
    EXPECT_EQ(moves.text[1], "-1");
    EXPECT_EQ(moves.text[2], "-1");
    EXPECT_EQ(moves.movement[3], Movement::Same);
    EXPECT_EQ(moves.text[3], "=");
}

} // namespace
