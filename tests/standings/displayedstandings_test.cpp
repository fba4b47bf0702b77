#include "standings/core/displayedstandings.h"

#include "standings/core/criterionsort.h"
#include "standings/core/rankexplanation.h"
#include "standings/core/standingsservice.h"

#include "seasonbuilder.h"
#include "testfolder.h"

#include <gtest/gtest.h>

namespace {

// Twenty rows in rank order with distinct keys, each team having played
// `played` matches; tests then change what they look at.
Standings standingsOf(int played, MatchDayNo upTo = MatchDayCount)
{
    Standings s;
    s.upToMatchDay = upTo;
    for (int i = 0; i < TeamCount; ++i) {
        StandingRow &r = s.rows[i];
        r.team = i;
        r.name = SeasonBuilder::defaultNames()[i];
        r.points = float(60 - 2 * i);
        r.played = int(played);
        r.rankingKey = (70 - 2 * i) * 1e9 + 200999;
    }
    s.playedSides = played * TeamCount;
    s.totalGoals = 0;
    return s;
}

QStringList rankLabels(const DisplayedStandings &d)
{
    QStringList labels;
    for (const DisplayedRow &r : d.rows)
        labels << r.rankLabel;
    return labels;
}

TEST(DisplayedStandings, EqualKeysShareTheirRankNumber)
{
    Standings s = standingsOf(10);
    s.rows[2].rankingKey = s.rows[1].rankingKey;
    s.rows[4].rankingKey = s.rows[3].rankingKey;
    s.rows[19].rankingKey = s.rows[18].rankingKey;
    const QStringList labels = rankLabels(buildDisplayedStandings(s, {}));
    EXPECT_EQ(labels.mid(0, 6), QStringList({"1", "2", "2", "4", "4", "6"}));
    EXPECT_EQ(labels[18], "19");
    EXPECT_EQ(labels[19], "19");
}

TEST(DisplayedStandings, ZonesAreMarkedOnceAMatchIsPlayed)
{
    const DisplayedStandings d = buildDisplayedStandings(standingsOf(1), {});
    EXPECT_TRUE(d.zonesMarked);
    EXPECT_EQ(d.rows[0].zone, ZoneMark::ChampionsLeague);
    EXPECT_EQ(d.rows[1].zoneToolTip, "Qualifié phase de groupe Champions league 2014-15");
    EXPECT_EQ(d.rows[2].zone, ZoneMark::ThirdRound);
    EXPECT_EQ(d.rows[2].zoneToolTip, "Qualifié 3eme tour pour non champions Champions league 2014-14");
    EXPECT_EQ(d.rows[3].zone, ZoneMark::Europa);
    EXPECT_EQ(d.rows[3].zoneToolTip, "Qualifié tour de barrage Kestrane Europa 2014-15");
    for (int i = 4; i < 17; ++i) {
        EXPECT_EQ(d.rows[i].zone, ZoneMark::None) << i;
        EXPECT_TRUE(d.rows[i].zoneToolTip.isEmpty()) << i;
    }
    for (int i = 17; i < TeamCount; ++i) {
        EXPECT_EQ(d.rows[i].zone, ZoneMark::Relegated) << i;
        EXPECT_EQ(d.rows[i].zoneToolTip, "Relégué en Kestrane 2");
    }
}

TEST(DisplayedStandings, RankToolTipsSayWhatSeparatesEachRowFromItsNeighbours)
{
    Standings s = standingsOf(10, 12);
    s.totalGoals = 31;
    // Delta level with Charlie on everything: the name decides between them.
    s.rows[3].points = s.rows[2].points;
    s.rows[3].rankingKey = s.rows[2].rankingKey;
    const DisplayedStandings d = buildDisplayedStandings(s, {});
    const std::array<RowExplanation, TeamCount> why = explainStandings(s);
    for (int i = 0; i < TeamCount; ++i)
        EXPECT_EQ(d.rows[i].rankToolTip, why[i].toolTip) << i;
    EXPECT_EQ(d.rows[0].rankToolTip, "Devant Bravo aux points");
    EXPECT_EQ(d.rows[2].rankToolTip,
              "Derrière Bravo aux points\nDevant Delta à égalité parfaite, départagés par le nom");
    EXPECT_EQ(d.rows[19].rankToolTip, "Derrière Sierra aux points");

    // Sorted by one statistic, the rows are no longer each other's neighbours
    // in the ranking: no explanation rides along.
    for (const DisplayedRow &row : criterion::sortByCriterion(d, QStringLiteral("BP")).rows)
        EXPECT_TRUE(row.rankToolTip.isEmpty()) << qPrintable(row.data.name);

    // The computation behind a displayed ranking comes back from it.
    const Standings back = ::standingsOf(d);
    EXPECT_EQ(back.upToMatchDay, 12);
    EXPECT_EQ(back.totalGoals, 31);
    EXPECT_EQ(back.playedSides, s.playedSides);
    for (int i = 0; i < TeamCount; ++i) {
        EXPECT_EQ(back.rows[i].team, s.rows[i].team);
        EXPECT_EQ(back.rows[i].rankingKey, s.rows[i].rankingKey);
    }
}

TEST(DisplayedStandings, BeforeAnyResultNothingIsMarked)
{
    Standings s = standingsOf(0);
    for (StandingRow &r : s.rows)
        r.points = 0;
    const DisplayedStandings d = buildDisplayedStandings(s, {});
    EXPECT_FALSE(d.zonesMarked);
    for (const DisplayedRow &r : d.rows) {
        EXPECT_EQ(r.zone, ZoneMark::None);
        EXPECT_FALSE(r.belowAverage);
    }
    EXPECT_EQ(d.goalsText, "Nombre de buts au total: 0");
    EXPECT_EQ(d.progressText, "0% des Matches joués");
    EXPECT_EQ(d.progress, 0);
    EXPECT_TRUE(d.leader.isEmpty());
    EXPECT_TRUE(d.title.isEmpty());
}

TEST(DisplayedStandings, FavouriteTeamIsFlaggedByExactName)
{
    Standings s = standingsOf(3);
    s.rows[19].name.clear();
    DisplayContext context;
    context.favouriteTeam = QStringLiteral("Lima");
    DisplayedStandings d = buildDisplayedStandings(s, context);
    for (int i = 0; i < TeamCount; ++i)
        EXPECT_EQ(d.rows[i].favourite, d.rows[i].data.name == "Lima") << i;

    context.favouriteTeam = QStringLiteral("lima");
    d = buildDisplayedStandings(s, context);
    context.favouriteTeam.clear();
    const DisplayedStandings none = buildDisplayedStandings(s, context);
    for (int i = 0; i < TeamCount; ++i) {
        EXPECT_FALSE(d.rows[i].favourite);
        EXPECT_FALSE(none.rows[i].favourite) << "an empty favourite matches no row";
    }
}

TEST(DisplayedStandings, TwentyPlayedIsBelowAnAverageOf20Point05)
{
    Standings s = standingsOf(20);
    s.rows[0].played = 21;
    s.playedSides = 401;
    const DisplayedStandings d = buildDisplayedStandings(s, {});
    EXPECT_FALSE(d.rows[0].belowAverage);
    EXPECT_TRUE(d.rows[1].belowAverage);
    s.playedSides = 400;
    EXPECT_FALSE(buildDisplayedStandings(s, {}).rows[1].belowAverage);
}

TEST(DisplayedStandings, MatchesAheadAndBehindTheCalendar)
{
    Standings s = standingsOf(20);
    s.rows[3].played = 21;
    s.rows[5].played = 19;
    s.rows[7].played = 19;
    s.rows[9].played = 18;
    DisplayContext context;
    context.dueMatchDays = 20;
    EXPECT_EQ(buildDisplayedStandings(s, context).aheadBehindText,
              "0,5 Match en avance pour: Delta. 1,5 Matches en retard pour : Foxtrot, Hotel, Juliett.");

    s.rows[3].played = 20;
    s.rows[9].played = 20;
    EXPECT_EQ(buildDisplayedStandings(s, context).aheadBehindText, "1 Match en retard pour : Foxtrot, Hotel.");

    context.dueMatchDays = 19;
    EXPECT_EQ(buildDisplayedStandings(s, context).aheadBehindText.left(38), "9 Matches en avance pour: Alpha, Bravo");
}

TEST(DisplayedStandings, AheadBehindPanelStaysHiddenWhenTooManyOrAtAnEarlierMatchDay)
{
    DisplayContext context;
    context.dueMatchDays = 21;
    // All twenty behind: ten matches, too many to list.
    EXPECT_TRUE(buildDisplayedStandings(standingsOf(20), context).aheadBehindText.isEmpty());

    Standings early = standingsOf(11, 12);
    early.rows[0].played = 12;
    context.dueMatchDays = 11;
    const DisplayedStandings d = buildDisplayedStandings(early, context);
    EXPECT_TRUE(d.aheadBehindText.isEmpty());
    EXPECT_EQ(d.title, "Classement à la Journée N°12");
}

TEST(DisplayedStandings, SeasonProgressAndGoalTotals)
{
    Standings s = standingsOf(19);
    s.playedSides = 381;
    s.totalGoals = 487;
    DisplayedStandings d = buildDisplayedStandings(s, {});
    EXPECT_DOUBLE_EQ(d.progress, 381.0 / 760);
    EXPECT_EQ(d.progressText, "50% des Matches joués");
    EXPECT_EQ(d.goalsText, "Nombre de buts au total: 487\r\nMoyenne de buts par match :2,56");

    s.playedSides = 20;
    s.totalGoals = 25;
    d = buildDisplayedStandings(s, {});
    EXPECT_EQ(d.progressText, "3% des Matches joués");
    EXPECT_EQ(d.goalsText, "Nombre de buts au total: 25\r\nMoyenne de buts par match :2,50");
}

TEST(DisplayedStandings, HistoryProgressIsMeasuredAgainstTheLastOrdinaryComputation)
{
    Standings s = standingsOf(5);
    s.playedSides = 100;
    DisplayContext context;
    context.historyInProgress = true;
    context.referencePlayedSides = 760;
    DisplayedStandings d = buildDisplayedStandings(s, context);
    EXPECT_DOUBLE_EQ(d.progress, 100.0 / 760);
    EXPECT_EQ(d.progressText, "13%");

    context.referencePlayedSides = 0;
    d = buildDisplayedStandings(s, context);
    EXPECT_TRUE(d.progressText.isEmpty()) << "nothing to measure against: the bar keeps what it showed";
}

TEST(DisplayedStandings, LeaderOnlyWithPoints)
{
    Standings s = standingsOf(2);
    EXPECT_EQ(buildDisplayedStandings(s, {}).leader, "Alpha");
    s.rows[0].points = 0;
    EXPECT_TRUE(buildDisplayedStandings(s, {}).leader.isEmpty());
    s.rows[0].points = 0.5f;
    EXPECT_EQ(buildDisplayedStandings(s, {}).leader, "Alpha");
}

TEST(StandingsService, SilentComputationSetsOnlyTheRankTags)
{
    SeasonBuilder builder;
    TestFolder folder;
    folder.write(ResultStore::FileName, ResultsBuilder()
                                            .result(builder.keyOf('C', 'D'), 'C', "2", "0", 'D')
                                            .stamp(QStringLiteral("06 déc. 20:00"))
                                            .bytes());
    const Season season = Season::fromBytes(builder.seasonFile());
    const ResultStore store(folder.path());
    BonusMalus bonus{};
    StandingsModel model;
    StandingsService service(season, store, bonus, model);
    int changed = 0;
    QObject::connect(&model, &StandingsModel::displayedChanged, &model, [&changed] { ++changed; });

    service.computeStandings(0, true, {});
    EXPECT_EQ(model.rankTags()[0], "Charlie");
    EXPECT_EQ(model.rankTags()[19], "Delta");
    EXPECT_EQ(changed, 0);
    EXPECT_EQ(model.displayed().playedSides, 0);

    service.computeStandings(0, false, {});
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(model.displayed().rows[0].data.name, "Charlie");
    EXPECT_EQ(model.displayed().stamp, "06 déc. 20:00");
    EXPECT_EQ(model.displayed().playedSides, 2);
    EXPECT_EQ(service.referencePlayedSides(), 2);

    // The bonus table is read at each computation, not copied once.
    bonus[3] = 4;
    service.computeStandings(0, true, {});
    EXPECT_EQ(model.rankTags()[0], "Delta");
    EXPECT_EQ(model.displayed().rows[0].data.name, "Charlie");
}

} // namespace
