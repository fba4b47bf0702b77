#include "team/core/creststrip.h"
#include "team/core/teamcard.h"
#include "team/core/teamsummary.h"

#include "standings/core/rankmovement.h"

#include "teamdata.h"

#include <QFile>

namespace {

class Summary : public TeamData
{
protected:
    TeamSummary summary(char letter, const DisplayedStandings *shown = nullptr)
    {
        const DisplayedStandings standings = shown ? *shown : table();
        return buildTeamSummary(season, name(letter), tallySeason(season, *store), standings);
    }
};

TEST_F(Summary, CountsWinsDefeatsAndDrawsAsTheTableDoes)
{
    load(ResultsBuilder()
             .result(key('A', 'B'), 'A', "3", "1", 'B')
             .result(key('C', 'A'), 'C', "0", "2", 'A')
             .result(key('A', 'D'), 'A', "0", "1", 'D')
             .result(key('E', 'A'), 'E', "1", "1", 'A')
             .result(key('F', 'A'), 'F', "2", "0", 'A'));
    const TeamSummary s = summary('A');
    EXPECT_EQ(s.winsText, QStringLiteral("Matches Gagnés: 2 (Dom:1) (Ext:1)"));
    EXPECT_EQ(s.lossesText, QStringLiteral("Matches Perdus: 2 (Dom:1) (Ext:1)"));
    EXPECT_EQ(s.drawsText, QStringLiteral("Matches Nuls: 1"));
    EXPECT_EQ(s.playedText, QStringLiteral("Matches Joués: 5"));

    // The same counts as the table's columns.
    const DisplayedStandings shown = table();
    for (const DisplayedRow &r : shown.rows) {
        if (r.data.name != name('A'))
            continue;
        EXPECT_EQ(r.data.homeWins + r.data.awayWins, 2);
        EXPECT_EQ(r.data.draws, 1);
    }
}

TEST_F(Summary, AMatchCountsOnlyWithBothScoresAsOnTheCard)
{
    load(ResultsBuilder()
             .result(key('A', 'B'), 'A', "-", "-", 'B')
             .result(key('A', 'C'), 'A', "", "2", 'C')
             .result(key('A', 'D'), 'A', "0", "", 'D')
             .result(key('A', 'E'), 'A', "3", "", 'E') // typed half-way: 3 against an empty box
             .result(key('A', 'F'), 'A', " ", "0", 'F')
             .result(key('A', 'G'), 'A', "2", "1", 'G'));
    const TeamSummary s = summary('A');
    EXPECT_EQ(s.winsText, QStringLiteral("Matches Gagnés: 1 (Dom:1) (Ext:0)"));
    EXPECT_EQ(s.lossesText, QStringLiteral("Matches Perdus: 0 (Dom:0) (Ext:0)"));
    EXPECT_EQ(s.drawsText, QStringLiteral("Matches Nuls: 0"));
    EXPECT_EQ(s.playedText, QStringLiteral("Matches Joués: 1"));
    EXPECT_EQ(summary('C').winsText, QStringLiteral("Matches Gagnés: 0 (Dom:0) (Ext:0)"));
    EXPECT_EQ(summary('E').lossesText, QStringLiteral("Matches Perdus: 0 (Dom:0) (Ext:0)"));
    EXPECT_EQ(summary('B').playedText, QStringLiteral("Matches Joués: 0"));
    EXPECT_EQ(summary('G').playedText, QStringLiteral("Matches Joués: 1"));

    // The card of the same team tells the same.
    const TeamCard card = buildTeamCard(season, *store, team('A'), table(), QString());
    EXPECT_EQ(card.wins(), 1);
    EXPECT_EQ(card.played(), 1);
}

TEST_F(Summary, ResultsOutsideTheTeamsFixturesOrNamingNoTeamAreSkipped)
{
    load(ResultsBuilder()
             // Under a fixture of C and D, a record naming A counts for nobody.
             .raw(key('C', 'D'), QStringLiteral("A|0|0|3|0|0|0|B"))
             .raw(key('A', 'E'), QStringLiteral("A|0|0|3|0|0|0|Z"))
             .raw(key('A', 'F'), QStringLiteral("|0|0|3|0|0|0|F")));
    EXPECT_EQ(summary('A').playedText, QStringLiteral("Matches Joués: 0"));
    EXPECT_EQ(summary('F').playedText, QStringLiteral("Matches Joués: 0"));
}

TEST_F(Summary, RankAndMovementComeFromTheTableAsDisplayed)
{
    load(ResultsBuilder().result(key('A', 'B'), 'A', "3", "1", 'B'));
    DisplayedStandings shown = table();
    std::array<QString, TeamCount> order;
    for (int i = 0; i < TeamCount; ++i)
        order[i] = shown.rows[i].data.name;
    const RankMovements same = rankMovements(order, order);
    for (int i = 0; i < TeamCount; ++i) {
        shown.rows[i].movement = same.movement[i];
        shown.rows[i].movementText = same.text[i];
    }
    const TeamSummary s = summary('A', &shown);
    EXPECT_EQ(s.rankText, QStringLiteral("Classement: 1"));
    EXPECT_EQ(s.movementText, QStringLiteral(" (=)"));
    EXPECT_EQ(s.movement, Movement::Same);
    EXPECT_EQ(s.team, team('A'));

    shown.rows[0].movementText = QStringLiteral("+2");
    EXPECT_EQ(summary('A', &shown).movementText, QStringLiteral(" (+2)"));
    shown.rows[0].movementText.clear();
    EXPECT_EQ(summary('A', &shown).movementText, QString());
}

TEST_F(Summary, CacheFollowsTheStoreFile)
{
    load(ResultsBuilder().result(key('A', 'B'), 'A', "3", "1", 'B'));
    TallyCache cache;
    EXPECT_EQ(cache.tally(season, *store)[team('A')].homeWins, 1);

    // A store replaced on disk (a download) is seen without being told.
    folder.write(
        ResultStore::FileName,
        ResultsBuilder().result(key('A', 'B'), 'A', "3", "1", 'B').result(key('A', 'C'), 'A', "2", "1", 'C').bytes());
    QFile file(folder.file(ResultStore::FileName));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
    file.close();
    EXPECT_EQ(cache.tally(season, *store)[team('A')].homeWins, 2);

    // A write through the program announces itself.
    MatchRecord record = MatchRecord::fromText(QStringLiteral("A|0|0|4|0|0|0|D"));
    ASSERT_TRUE(store->saveResults(store->stamp(), {{key('A', 'D'), record}}));
    cache.invalidate();
    EXPECT_EQ(cache.tally(season, *store)[team('A')].homeWins, 3);
}

TEST(CrestStripTest, CrestsStandInTableOrderAndTriggerStrictlyInsideTheBand)
{
    CrestStrip strip;
    const QList<TeamNo> order = {3, 0, 7, 1, 2, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
    strip.arrange(order, 900);
    EXPECT_EQ(strip.left(), 3000);
    EXPECT_EQ(strip.crestLeft(3), 0);
    EXPECT_EQ(strip.crestLeft(0), 1100);
    EXPECT_EQ(strip.crestLeft(7), 2200);
    EXPECT_EQ(strip.width(), 19 * 1100 + 900 + 10);

    // The teams appear one after the other in the table's order.
    QList<TeamNo> seen;
    int ticks = 0;
    while (!strip.hasLeft()) {
        strip.advance();
        ++ticks;
        for (TeamNo team : strip.teamsInBand()) {
            if (seen.isEmpty() || seen.last() != team)
                seen << team;
        }
    }
    EXPECT_EQ(seen, order);
    EXPECT_EQ(ticks, (3000 + strip.width()) / 25 + 1);

    // Exactly on the band's ends nothing triggers.
    strip.arrange(order, 900);
    while (strip.left() > 1500)
        strip.advance();
    EXPECT_EQ(strip.left(), 1500); // team 3 stands exactly at 1500
    EXPECT_TRUE(strip.teamsInBand().isEmpty());
    strip.advance();
    EXPECT_EQ(strip.teamsInBand(), QList<TeamNo>{3});
    while (strip.left() > 1000)
        strip.advance();
    EXPECT_EQ(strip.left(), 1000); // team 3 exactly at 1000, team 0 at 2100
    EXPECT_TRUE(strip.teamsInBand().isEmpty());

    strip.park();
    EXPECT_EQ(strip.left(), -30000);
    EXPECT_TRUE(strip.hasLeft());
}

} // namespace
