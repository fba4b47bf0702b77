#include "standings/core/rankexplanation.h"

#include "seasonbuilder.h"
#include "testfolder.h"

#include <gtest/gtest.h>

namespace {

// The explanations are read off standings the engine computed, so each case
// is a small results store that makes one tie-break decide.
class Explanation : public ::testing::Test
{
protected:
    Standings compute(const ResultsBuilder &results, const BonusMalus &bonus = {})
    {
        m_folder.write(ResultStore::FileName, results.bytes());
        const Season season = Season::fromBytes(m_builder.seasonFile());
        const ResultStore store(m_folder.path());
        return computeStandings(season, store, bonus);
    }
    QString key(char home, char away) const { return m_builder.keyOf(QChar(home), QChar(away)); }

    // The criterion between `upper` and the row right below it, which must be `lower`.
    static RankCriterion between(const Standings &s, const QString &upper, const QString &lower)
    {
        for (int i = 0; i + 1 < TeamCount; ++i) {
            if (s.rows[i].name == upper) {
                EXPECT_EQ(s.rows[i + 1].name, lower) << "row below " << qPrintable(upper);
                return separatingCriterion(s.rows[i], s.rows[i + 1]);
            }
        }
        ADD_FAILURE() << "no row for " << qPrintable(upper);
        return RankCriterion::Name;
    }

    SeasonBuilder m_builder;
    TestFolder m_folder;
};

TEST_F(Explanation, PointsComeFirst)
{
    // Alpha's 1-0 win is worth more than the four goals of Echo's draw.
    const Standings s =
        compute(ResultsBuilder().result(key('A', 'D'), 'A', "1", "0", 'D').result(key('B', 'E'), 'B', "4", "4", 'E'));
    EXPECT_EQ(between(s, "Alpha", "Echo"), RankCriterion::Points);
}

TEST_F(Explanation, GoalDifferenceThenGoalsFor)
{
    const Standings s = compute(ResultsBuilder()
                                    .result(key('A', 'E'), 'A', "3", "0", 'E')
                                    .result(key('B', 'F'), 'B', "3", "1", 'F')
                                    .result(key('C', 'G'), 'C', "2", "0", 'G'));
    // Alpha +3; Bravo and Charlie +2, Bravo with 3 goals to 2.
    EXPECT_EQ(between(s, "Alpha", "Bravo"), RankCriterion::GoalDifference);
    EXPECT_EQ(between(s, "Bravo", "Charlie"), RankCriterion::GoalsFor);
}

TEST_F(Explanation, HeadToHeadBetweenTeamsLevelOnTheCountedNumbers)
{
    // Both on 3 points, goal difference 0, 3 goals for; Alpha won their
    // duel 2-1, though with more cards.
    const Standings s = compute(ResultsBuilder()
                                    .result(key('A', 'B'), 'A', "2", "1", 'B', 1, 3, 0, 0)
                                    .result(key('A', 'D'), 'A', "1", "2", 'D')
                                    .result(key('B', 'C'), 'B', "2", "1", 'C'));
    EXPECT_EQ(between(s, "Delta", "Alpha"), RankCriterion::GoalDifference);
    EXPECT_EQ(between(s, "Alpha", "Bravo"), RankCriterion::HeadToHead);
}

TEST_F(Explanation, HeadToHeadThatLiftsATeamPastOneWithMoreGoals)
{
    // Alpha and Bravo: 4 points, +2, 5 goals for; Charlie: 4 points, +2, 6.
    // Bravo's 2-0 over Alpha lands in its goals-for digits and passes Charlie,
    // who stays ahead of Alpha on goals scored.
    const Standings s = compute(ResultsBuilder()
                                    .result(key('B', 'A'), 'B', "2", "0", 'A')
                                    .result(key('A', 'D'), 'A', "4", "0", 'D')
                                    .result(key('A', 'E'), 'A', "1", "1", 'E')
                                    .result(key('B', 'F'), 'B', "3", "3", 'F')
                                    .result(key('C', 'G'), 'C', "3", "1", 'G')
                                    .result(key('C', 'H'), 'C', "3", "3", 'H'));
    EXPECT_EQ(between(s, "Bravo", "Charlie"), RankCriterion::HeadToHead);
    EXPECT_EQ(between(s, "Charlie", "Alpha"), RankCriterion::GoalsFor);
}

TEST_F(Explanation, FairPlayWhenTheDuelIsLevel)
{
    const Standings s = compute(ResultsBuilder()
                                    .result(key('A', 'C'), 'A', "1", "0", 'C')
                                    .result(key('B', 'D'), 'B', "1", "0", 'D', 0, 2, 0, 0)
                                    .result(key('A', 'B'), 'A', "1", "1", 'B'));
    EXPECT_EQ(between(s, "Alpha", "Bravo"), RankCriterion::FairPlay);
}

TEST_F(Explanation, TheNameWhenEverythingIsLevel)
{
    const Standings s =
        compute(ResultsBuilder().result(key('A', 'C'), 'A', "1", "0", 'C').result(key('B', 'D'), 'B', "1", "0", 'D'));
    EXPECT_EQ(between(s, "Bravo", "Alpha"), RankCriterion::Name);
    // No result at all: twenty rows level on everything.
    const Standings none = compute(ResultsBuilder());
    for (int i = 0; i + 1 < TeamCount; ++i)
        EXPECT_EQ(separatingCriterion(none.rows[i], none.rows[i + 1]), RankCriterion::Name);
}

TEST_F(Explanation, APointsAdjustmentIsPoints)
{
    BonusMalus bonus{};
    bonus[0] = -3;
    const Standings s = compute(
        ResultsBuilder().result(key('A', 'C'), 'A', "5", "0", 'C').result(key('D', 'E'), 'D', "0", "0", 'E'), bonus);
    // Alpha's win is cancelled: the draw's single point puts Delta ahead
    // of Alpha's five goals.
    EXPECT_EQ(between(s, "Echo", "Delta"), RankCriterion::Name);
    EXPECT_EQ(between(s, "Delta", "Alpha"), RankCriterion::Points);
}

TEST_F(Explanation, TextsForEveryRow)
{
    const Standings s = compute(ResultsBuilder()
                                    .result(key('A', 'E'), 'A', "3", "0", 'E')
                                    .result(key('B', 'F'), 'B', "3", "1", 'F')
                                    .result(key('C', 'G'), 'C', "2", "0", 'G'));
    const auto rows = explainStandings(s);
    EXPECT_EQ(rows[0].ahead, "Devant Bravo à la différence de buts");
    EXPECT_TRUE(rows[0].behind.isEmpty());
    EXPECT_EQ(rows[0].toolTip, rows[0].ahead);
    EXPECT_EQ(rows[1].behind, "Derrière Alpha à la différence de buts");
    EXPECT_EQ(rows[1].ahead, "Devant Charlie au nombre de buts marqués");
    EXPECT_EQ(rows[1].toolTip, rows[1].behind + "\n" + rows[1].ahead);
    EXPECT_EQ(rows[2].aheadOfNext, RankCriterion::Points);
    EXPECT_FALSE(rows[19].aheadOfNext);
    EXPECT_TRUE(rows[19].ahead.isEmpty());
    EXPECT_FALSE(rows[19].behind.isEmpty());
}

TEST(ExplanationTexts, EveryCriterionHasItsWords)
{
    EXPECT_EQ(aheadText(RankCriterion::GoalDifference, QStringLiteral("Stade Bérange")),
              "Devant Stade Bérange à la différence de buts");
    const std::pair<RankCriterion, const char *> names[] = {
        {RankCriterion::Points, "points"},         {RankCriterion::GoalDifference, "différence de buts"},
        {RankCriterion::GoalsFor, "buts marqués"}, {RankCriterion::HeadToHead, "confrontations directes"},
        {RankCriterion::FairPlay, "fair-play"},    {RankCriterion::Name, "nom"},
    };
    for (const auto &[criterion, name] : names) {
        EXPECT_EQ(criterionName(criterion), QString::fromUtf8(name));
        EXPECT_TRUE(behindText(criterion, "X").startsWith("Derrière X "));
    }
}

} // namespace
