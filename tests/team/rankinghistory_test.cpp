#include "team/core/rankinghistory.h"

#include "team/core/rankevolution.h"

#include "teamdata.h"

namespace {

class History : public TeamData
{
protected:
    MatchDayNo build(RankingHistory &history, const QDateTime &limit, const std::function<bool()> &carryOn = {})
    {
        return buildRankingHistory(history, season, *store, BonusMalus{}, limit, carryOn);
    }
    static QDateTime at(int year, int month, int day, int hour = 20)
    {
        return QDateTime(QDate(year, month, day), QTime(hour, 0));
    }
};

TEST(GraphBarTest, HeightsTopsCaptionsAndColours)
{
    const GraphBar first = graphBar(1);
    EXPECT_EQ(first.height, 6850);
    EXPECT_EQ(first.top, 1950);
    EXPECT_EQ(first.caption, QStringLiteral("1"));
    EXPECT_EQ(first.colour, 0xFF00C000u);

    const GraphBar eighteenth = graphBar(18);
    EXPECT_EQ(eighteenth.height, 900);
    EXPECT_EQ(eighteenth.top, 7900);
    EXPECT_EQ(eighteenth.caption, QStringLiteral("18"));
    EXPECT_EQ(eighteenth.colour, 0xFFFF0000u);

    const GraphBar seventeenth = graphBar(17);
    EXPECT_EQ(seventeenth.height, 1250);
    EXPECT_EQ(seventeenth.top, 7550);
    EXPECT_EQ(seventeenth.colour, 0xFF000080u);

    EXPECT_EQ(graphBar(20).height, 200);
    EXPECT_EQ(graphBar(20).top, 8600);
    EXPECT_EQ(graphTitle(QStringLiteral("Alpha")), QStringLiteral("Evolution du classement de : Alpha"));
}

TEST_F(History, OneOrderPerMatchDayUpToTheDateLimit)
{
    // A wins on match day 1, every other match is drawn.
    ResultsBuilder results;
    for (const QString &code : builder.codes(1)) {
        const bool aPlays = code.contains(QLatin1Char('A'));
        results.result(Season::fixtureKey(1, builder.codes(1).indexOf(code)), code[0],
                       aPlays && code[0] == 'A' ? "1" : "0", aPlays && code[1] == 'A' ? "1" : "0", code[1]);
    }
    load(results);
    RankingHistory history;
    // Match day 1 is 10 August, match day 2 17 August.
    EXPECT_EQ(build(history, at(2013, 8, 16)), 1);
    EXPECT_TRUE(history.has(1));
    EXPECT_FALSE(history.has(2));
    EXPECT_EQ(history.rankOf(1, name('A')), 1);
    EXPECT_EQ(history.order(1)[0], name('A'));
    EXPECT_EQ(history.rankOf(1, QStringLiteral("Nobody")), 0);

    // A match day counts from midnight on its date.
    EXPECT_EQ(build(history, QDateTime(QDate(2013, 8, 17), QTime(0, 0))), 2);
    const auto bars = graphBars(history, name('A'));
    ASSERT_TRUE(bars[0].has_value());
    EXPECT_EQ(bars[0]->height, 6850);
    EXPECT_TRUE(bars[1].has_value());
    EXPECT_FALSE(bars[2].has_value());
}

TEST_F(History, EmptyBeforeTheFirstDateAndFutureEntriesKept)
{
    load(ResultsBuilder());
    RankingHistory history;
    EXPECT_EQ(build(history, at(2013, 8, 9)), 0);
    EXPECT_TRUE(history.isEmpty());

    const QDateTime now = at(2013, 12, 5);
    EXPECT_EQ(build(history, historyDateLimit(now, true)), 38);
    EXPECT_TRUE(history.has(38));
    // Without the simulated results the later match days are not computed
    // again, but their entries stay.
    EXPECT_EQ(build(history, historyDateLimit(now, false)), 17);
    EXPECT_TRUE(history.has(38));
    EXPECT_EQ(historyDateLimit(now, true), now.addDays(1000));
}

TEST_F(History, StopsAfterTheMatchDayWhenAskedTo)
{
    load(ResultsBuilder());
    RankingHistory history;
    int asked = 0;
    EXPECT_EQ(build(history, at(2014, 6, 1), [&asked] { return ++asked < 5; }), 5);
    EXPECT_TRUE(history.has(5));
    EXPECT_FALSE(history.has(6));
}

TEST_F(History, EvolutionOfChosenTeamsReadsTheHistory)
{
    load(ResultsBuilder());
    // After match day 1 the teams stand in letter order, after match day 2
    // the other way round; nothing is known after that.
    RankingHistory history;
    RankingHistory::Order first;
    RankingHistory::Order second;
    for (int r = 0; r < TeamCount; ++r) {
        first[r] = season.teamName(r);
        second[r] = season.teamName(TeamCount - 1 - r);
    }
    history.set(1, first);
    history.set(2, second);

    // Repeats, numbers outside the league and a fifth team are left out.
    const auto chart = rankevolution::compute(
        history, season, {team('A'), team('T'), team('A'), -1, 25, team('D'), team('E'), team('F')});
    ASSERT_EQ(chart.size(), 4u);
    EXPECT_EQ(chart[0].name, name('A'));
    EXPECT_EQ(chart[1].name, name('T'));
    EXPECT_EQ(chart[3].name, name('E'));
    EXPECT_EQ(chart[0].ranks[0], 1);
    EXPECT_EQ(chart[0].ranks[1], 20);
    EXPECT_EQ(chart[0].ranks[2], 0);
    EXPECT_EQ(chart[1].ranks[0], 20);
    EXPECT_EQ(chart[1].ranks[1], 1);
    EXPECT_EQ(chart[2].ranks[1], 17);
    EXPECT_EQ(rankevolution::lastKnownMatchDay(chart), 2);
    EXPECT_EQ(rankevolution::lastKnownMatchDay(rankevolution::compute(RankingHistory(), season, {0, 1})), 0);
}

} // namespace
