#include "standings/core/outlook.h"

#include "hardtables.h"
#include "outlookreference.h"
#include "seasonbuilder.h"
#include "testfolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

using outlookreference::bruteForce;

// A program folder holding a built season (twenty teams, Alpha to Tango).
class Outlook : public ::testing::Test
{
protected:
    void SetUp() override { m_folder.write(QStringLiteral("2013.txt"), m_builder.seasonFile()); }

    SeasonOutlook outlook(const ResultsBuilder &results, MatchDayNo upTo, const BonusMalus &bonus = {})
    {
        m_folder.write(ResultStore::FileName, results.bytes());
        const Season season = Season::fromBytes(m_builder.seasonFile());
        const ResultStore store(m_folder.path());
        return computeOutlook(season, store, bonus, upTo);
    }
    OutlookProblem problem(const ResultsBuilder &results, MatchDayNo upTo, const BonusMalus &bonus = {})
    {
        m_folder.write(ResultStore::FileName, results.bytes());
        const Season season = Season::fromBytes(m_builder.seasonFile());
        const ResultStore store(m_folder.path());
        return outlookProblem(season, store, computeStandings(season, store, bonus, upTo));
    }

    // Every fixture of match days 1..day drawn 1-1.
    ResultsBuilder drawsUpTo(MatchDayNo day) const
    {
        ResultsBuilder results;
        for (MatchDayNo d = 1; d <= day; ++d) {
            const QStringList codes = m_builder.codes(d);
            for (int i = 0; i < codes.size(); ++i)
                results.result(Season::fixtureKey(d, i), codes[i][0], "1", "1", codes[i][1]);
        }
        return results;
    }
    // Every match of `letter` up to `day` won 2-0 (or lost 0-2), the rest drawn.
    ResultsBuilder oneTeamAlways(QChar letter, bool wins, MatchDayNo day) const
    {
        ResultsBuilder results = drawsUpTo(day);
        const QString good = QStringLiteral("2");
        const QString bad = QStringLiteral("0");
        for (MatchDayNo d = 1; d <= day; ++d) {
            const QStringList codes = m_builder.codes(d);
            for (int i = 0; i < codes.size(); ++i) {
                if (codes[i][0] == letter)
                    results.result(Season::fixtureKey(d, i), codes[i][0], wins ? good : bad, wins ? bad : good,
                                   codes[i][1]);
                else if (codes[i][1] == letter)
                    results.result(Season::fixtureKey(d, i), codes[i][0], wins ? bad : good, wins ? good : bad,
                                   codes[i][1]);
            }
        }
        return results;
    }

    static const TeamOutlook &team(const SeasonOutlook &o, const QString &name)
    {
        for (const TeamOutlook &row : o.rows) {
            if (row.name == name)
                return row;
        }
        static const TeamOutlook none;
        ADD_FAILURE() << "no row for " << qPrintable(name);
        return none;
    }
    static bool has(const OutlookProblem &p, TeamNo home, TeamNo away)
    {
        return std::find(p.remaining.begin(), p.remaining.end(), LeagueFixture{home, away}) != p.remaining.end();
    }

    SeasonBuilder m_builder;
    TestFolder m_folder;
};

TEST_F(Outlook, FixturesLeftAreTheLaterMatchDaysAndThoseWithoutAScore)
{
    ResultsBuilder results = drawsUpTo(6);
    const QStringList day2 = m_builder.codes(2);
    // Postponed, never typed, blanks only: no score, still to be played.
    results.result(Season::fixtureKey(2, 0), day2[0][0], "-", "-", day2[0][1], 1, 0, 0, 0);
    results.raw(Season::fixtureKey(2, 1), MatchRecord::EmptyText);
    results.result(Season::fixtureKey(2, 2), day2[2][0], "  ", " ", day2[2][1]);
    // A score on one side is a result the table counts.
    results.result(Season::fixtureKey(2, 3), day2[3][0], "2", "", day2[3][1]);
    const OutlookProblem p = problem(results, 5);

    EXPECT_EQ(p.remaining.size(), 33u * 10 + 3);
    const auto team = [](QChar letter) { return Season::teamNoOfLetter(letter); };
    for (int i : {0, 1, 2})
        EXPECT_TRUE(has(p, team(day2[i][0]), team(day2[i][1]))) << i;
    EXPECT_FALSE(has(p, team(day2[3][0]), team(day2[3][1])));
    // Match day 6 is in the store but not counted: all of it is still to come.
    for (const QString &code : m_builder.codes(6))
        EXPECT_TRUE(has(p, team(code[0]), team(code[1])));
}

TEST_F(Outlook, PointsAreTheWholePointsOfTheRankingKey)
{
    BonusMalus bonus{};
    bonus[0] = 2.5f;  // Alpha: 5 drawn + 2.5 ranks as 8
    bonus[1] = -0.5f; // Bravo: 5 - 0.5 ranks as 5 (4.5 + 10 rounds up)
    bonus[2] = -3;
    const OutlookProblem p = problem(drawsUpTo(5), 5, bonus);
    EXPECT_EQ(p.points[0], 8);
    EXPECT_EQ(p.points[1], 5);
    EXPECT_EQ(p.points[2], 2);
    EXPECT_EQ(p.points[3], 5);
    // The table's order rides along for teams that are done.
    ASSERT_EQ(p.tablePosition.size(), 20u);
    EXPECT_EQ(p.tablePosition[0], 0);
}

TEST_F(Outlook, NoResultAtAllLeavesEveryTeamBetweenFirstAndTwentieth)
{
    const SeasonOutlook o = outlook(ResultsBuilder(), 0);
    EXPECT_EQ(o.remainingFixtures, 380);
    EXPECT_FALSE(o.championClinched());
    for (const TeamOutlook &row : o.rows) {
        EXPECT_EQ(row.range, (RankRange{1, 20})) << qPrintable(row.name);
        EXPECT_EQ(row.rangeText, QStringLiteral("1\u201320"));
        EXPECT_TRUE(row.statusWords.isEmpty());
        EXPECT_TRUE(row.toolTip.startsWith(QStringLiteral("Classement final possible : du 1er au 20e")));
    }
}

TEST_F(Outlook, TitleClinchedBeforeTheLastMatchDay)
{
    // Alpha wins all its games up to match day 30, everything else is drawn:
    // 90 points against at most 29 + 24 for anyone else.
    const SeasonOutlook o = outlook(oneTeamAlways('A', true, 30), 30);
    const TeamOutlook &alpha = team(o, "Alpha");
    EXPECT_EQ(o.rows[0].name, "Alpha");
    EXPECT_EQ(alpha.range, (RankRange{1, 1}));
    EXPECT_TRUE(o.championClinched());
    EXPECT_EQ(alpha.statusWords, (QStringList{"champion"}));
    EXPECT_EQ(alpha.rangeText, "1");
    EXPECT_TRUE(alpha.toolTip.contains("Classement final assuré : 1er"));
    EXPECT_TRUE(alpha.toolTip.contains("Champion quels que soient les matches restants"));
    for (int i = 1; i < TeamCount; ++i)
        EXPECT_TRUE(o.rows[i].flags.testFlag(OutlookFlag::TitleOutOfReach));
}

TEST_F(Outlook, TeamRelegatedForSure)
{
    // Tango loses everything up to match day 32: 0 points, 18 at most,
    // while everyone else has at least 30.
    const SeasonOutlook o = outlook(oneTeamAlways('T', false, 32), 32);
    const TeamOutlook &tango = team(o, "Tango");
    EXPECT_EQ(tango.range, (RankRange{20, 20}));
    EXPECT_TRUE(tango.flags.testFlag(OutlookFlag::Relegated));
    EXPECT_EQ(tango.statusWords, (QStringList{"relégué"}));
    EXPECT_TRUE(tango.toolTip.contains("Relégation certaine"));
    EXPECT_FALSE(o.championClinched());
}

TEST_F(Outlook, APointsAdjustmentDecidesRelegation)
{
    // Everything drawn up to match day 37: 37 points each, one game left.
    // With 3 points taken away a team can still come level (best rank 10:
    // of the nine other games each leaves a team above 37); with 4 it cannot
    // reach 37 at all. Fractions enter as the key rounds them.
    const ResultsBuilder results = drawsUpTo(37);
    for (const auto &[penalty, best] :
         {std::pair{-3.0f, 10}, std::pair{-3.5f, 10}, std::pair{-4.0f, 20}, std::pair{-4.5f, 20}}) {
        BonusMalus bonus{};
        bonus[Season::teamNoOfLetter('Q')] = penalty;
        const SeasonOutlook o = outlook(results, 37, bonus);
        const TeamOutlook &quebec = team(o, "Quebec");
        EXPECT_EQ(quebec.range, (RankRange{best, 20})) << penalty;
        EXPECT_EQ(quebec.flags.testFlag(OutlookFlag::Relegated), best == 20) << penalty;
    }
}

TEST_F(Outlook, SeasonOverGivesTheTableItself)
{
    const SeasonOutlook o = outlook(drawsUpTo(38), 0);
    EXPECT_EQ(o.remainingFixtures, 0);
    for (int i = 0; i < TeamCount; ++i)
        EXPECT_EQ(o.rows[i].range, (RankRange{i + 1, i + 1})) << qPrintable(o.rows[i].name);
    EXPECT_TRUE(o.championClinched());
    EXPECT_EQ(o.rows[16].statusWords, (QStringList{"Europe impossible", "maintenu"}));
    EXPECT_EQ(o.rows[17].statusWords, (QStringList{"relégué"}));
}

TEST_F(Outlook, BoundsThatAreNotFinalAreMarkedInTheCellTheWordsAndTheToolTip)
{
    // Tango has lost everything up to match day 32; the ranges are made up
    // to show how each state reads.
    const ResultsBuilder results = oneTeamAlways('T', false, 32);
    m_folder.write(ResultStore::FileName, results.bytes());
    const Season season = Season::fromBytes(m_builder.seasonFile());
    const ResultStore store(m_folder.path());
    const Standings standings = computeStandings(season, store, {}, 32);
    const OutlookProblem p = outlookProblem(season, store, standings);
    std::vector<RankRange> ranges = solveRankRanges(p);
    const TeamNo tango = Season::teamNoOfLetter('T');
    const TeamNo alpha = Season::teamNoOfLetter('A');
    ranges[tango] = {19, 20, RangeState::OutOfTime};
    ranges[alpha] = {1, 20, RangeState::Failed};
    const SeasonOutlook o = seasonOutlook(standings, p, ranges);
    EXPECT_FALSE(o.final());

    const TeamOutlook &t = team(o, "Tango");
    EXPECT_EQ(t.rangeText, QStringLiteral("19\u201320*"));
    // What the bounds settle still holds; the last word says they are bounds.
    EXPECT_EQ(t.statusWords, (QStringList{"relégué", "non définitif"}));
    EXPECT_TRUE(t.toolTip.startsWith("Classement final compris entre le 19e et le 20e"));
    EXPECT_TRUE(t.toolTip.contains("Calcul arrêté : la recherche a atteint sa limite de travail"));
    EXPECT_FALSE(t.toolTip.contains("Classement final possible"));

    const TeamOutlook &a = team(o, "Alpha");
    EXPECT_EQ(a.rangeText, QStringLiteral("1\u201320*"));
    EXPECT_EQ(a.statusWords, (QStringList{"échec du calcul"}));
    EXPECT_TRUE(a.toolTip.contains("Le calcul exact a échoué"));

    // A final range reads as before, with no mark.
    for (const TeamOutlook &row : o.rows) {
        if (row.team != tango && row.team != alpha) {
            EXPECT_FALSE(row.rangeText.endsWith('*')) << qPrintable(row.name);
            EXPECT_FALSE(row.statusWords.contains("non définitif")) << qPrintable(row.name);
        }
    }
}

// The bundled season, in a throw-away folder, with some results taken out.
class BundledSeason : public ::testing::Test
{
protected:
    // Keeps the store's lines except those of the given fixture keys.
    void copyWithout(const QStringList &keys)
    {
        const QDir sample(QStringLiteral(KESTRANE_SAMPLE_DATA));
        QFile season(sample.filePath(QStringLiteral("2013.txt")));
        QFile store(sample.filePath(ResultStore::FileName));
        ASSERT_TRUE(season.open(QIODevice::ReadOnly) && store.open(QIODevice::ReadOnly));
        m_folder.write(QStringLiteral("2013.txt"), season.readAll());
        QByteArray kept;
        for (const QByteArray &line : store.readAll().split('\n')) {
            if (!keys.contains(QString::fromLatin1(line.left(4))) || line.size() < 5 || line.at(4) != '=')
                kept += line + '\n';
        }
        kept.chop(1);
        m_folder.write(ResultStore::FileName, kept);
    }
    // Problem, exact answer and the outlook's own ranges for the table at `upTo`.
    void expectExactAgainstEveryOutcome(MatchDayNo upTo, std::size_t remaining)
    {
        const std::optional<Season> season = Season::load(m_folder.file(QStringLiteral("2013.txt")));
        ASSERT_TRUE(season);
        const ResultStore store(m_folder.path());
        BonusMalus bonus{};
        store.loadBonusMalus(bonus);
        const Standings standings = computeStandings(*season, store, bonus, upTo);
        const OutlookProblem p = outlookProblem(*season, store, standings);
        ASSERT_EQ(p.remaining.size(), remaining);
        const std::vector<RankRange> expected = bruteForce(p);
        const SeasonOutlook o = computeOutlook(*season, store, bonus, upTo);
        for (const TeamOutlook &row : o.rows)
            EXPECT_EQ(row.range, expected[row.team]) << qPrintable(row.name);
    }

    TestFolder m_folder;
};

TEST_F(BundledSeason, LastMatchDayMatchesEveryOutcome)
{
    copyWithout({});
    expectExactAgainstEveryOutcome(37, 10);
}

TEST_F(BundledSeason, LastTwoMatchDaysWithElevenGamesLeftMatchEveryOutcome)
{
    // Six games of match day 37 and five of match day 38 not played yet.
    copyWithout({"3700", "3702", "3703", "3705", "3707", "3709", "3801", "3802", "3804", "3806", "3808"});
    expectExactAgainstEveryOutcome(0, 11);
}

TEST(HardTables, AreExactAndFinalAndStopEarlyOnlyWithBoundsThatHoldTheExactRange)
{
    const std::optional<Season> season = Season::load(QStringLiteral(KESTRANE_SAMPLE_DATA "/2013.txt"));
    ASSERT_TRUE(season);
    for (const HardTable &table : HardTables) {
        SCOPED_TRACE(table.what);
        const OutlookProblem p = hardProblem(*season, table);
        ASSERT_EQ(p.remaining.size(),
                  std::size_t(10 * (MatchDayCount - table.cut)) + pairsOf(table.postponed, QLatin1Char(',')).size());
        const std::vector<std::pair<int, int>> ranges = pairsOf(table.ranges, QLatin1Char('-'));
        ASSERT_EQ(ranges.size(), std::size_t(TeamCount));
        OutlookSolveStats stats;
        const std::vector<RankRange> exact = solveRankRanges(p, {}, &stats);
        // The exact search on its own too, without the quick passes and the
        // repaired outcomes that find most kept sets before it.
        const std::vector<RankRange> searched = solveRankRanges(p, {.shortcuts = false}, &stats);
        EXPECT_EQ(stats.failures, 0);
        EXPECT_EQ(stats.outOfTime, 0);
        for (int t = 0; t < TeamCount; ++t) {
            EXPECT_EQ(exact[t], (RankRange{ranges[t].first, ranges[t].second})) << t;
            EXPECT_EQ(searched[t], exact[t]) << t;
        }

        // Little work allowed: whatever the search had to settle comes back
        // as the bounds proven by then, marked, which hold the exact range.
        for (const long long limit : {0, 40}) {
            OutlookSolveStats rushed;
            const std::vector<RankRange> bounds = solveRankRanges(p, {.workLimit = limit}, &rushed);
            for (int t = 0; t < TeamCount; ++t) {
                SCOPED_TRACE(testing::Message() << "team " << t << ", limit " << limit);
                EXPECT_LE(bounds[t].best, exact[t].best);
                EXPECT_GE(bounds[t].worst, exact[t].worst);
                EXPECT_TRUE(bounds[t].final() ? bounds[t] == exact[t] : bounds[t].state == RangeState::OutOfTime);
            }
        }
    }
}

TEST(HardTables, WithNoWorkAllowedTheBoundsProvenWithoutSearchingAreKept)
{
    // The count of points of the whole group of contenders proves, before
    // any step, that team 1 cannot finish first and that twelve teams at
    // most can come level with the leader (team 9): ranges out of time keep
    // those, and what they settle.
    const std::optional<Season> season = Season::load(QStringLiteral(KESTRANE_SAMPLE_DATA "/2013.txt"));
    ASSERT_TRUE(season);
    const std::vector<RankRange> bounds = solveRankRanges(hardProblem(*season, HardTables[1]), {.workLimit = 0});
    EXPECT_EQ(bounds[1], (RankRange{2, 20, RangeState::OutOfTime}));
    EXPECT_TRUE(outlookFlags(bounds[1]).testFlag(OutlookFlag::TitleOutOfReach));
    EXPECT_EQ(bounds[9], (RankRange{1, 15, RangeState::OutOfTime}));
}

TEST(HardTables, TheAnswerDoesNotDependOnTheSpeedOfTheMachine)
{
    // Work allowed cut to where several questions stop on their way: a
    // machine slowed down at every step stops them at the same place.
    const std::optional<Season> season = Season::load(QStringLiteral(KESTRANE_SAMPLE_DATA "/2013.txt"));
    ASSERT_TRUE(season);
    const OutlookProblem p = hardProblem(*season, HardTables[1]);
    OutlookSolveStats quick;
    const std::vector<RankRange> fast = solveRankRanges(p, {.workLimit = 60}, &quick);
    ASSERT_GT(quick.outOfTime, 0);
    OutlookSolveStats slowed;
    const std::vector<RankRange> slow = solveRankRanges(
        p, {.workLimit = 60, .onStep = [] { std::this_thread::sleep_for(std::chrono::microseconds(300)); }}, &slowed);
    EXPECT_EQ(slow, fast);
    EXPECT_EQ(slowed.work, quick.work);
}

TEST(HardTables, ACancelRaisedDuringAQuestionStopsItAtItsNextStep)
{
    const std::optional<Season> season = Season::load(QStringLiteral(KESTRANE_SAMPLE_DATA "/2013.txt"));
    ASSERT_TRUE(season);
    const OutlookProblem p = hardProblem(*season, HardTables[1]);
    // The cancel comes on the tenth step of the searches, in the middle of
    // a question: no step is taken after it, and no range from that team
    // on counts as an answer.
    std::atomic_bool cancelled{false};
    int steps = 0;
    int afterCancel = 0;
    OutlookSolveOptions options{.cancel = &cancelled};
    options.onStep = [&] {
        if (cancelled)
            ++afterCancel;
        else if (++steps == 10)
            cancelled = true;
    };
    const std::vector<RankRange> ranges = solveRankRanges(p, options);
    EXPECT_EQ(steps, 10);
    EXPECT_EQ(afterCancel, 0);
    EXPECT_FALSE(outlookComplete(ranges));
    const auto firstStopped = std::find_if(ranges.begin(), ranges.end(), [](const RankRange &r) { return !r.final(); });
    for (auto r = firstStopped; r != ranges.end(); ++r)
        EXPECT_EQ(r->state, RangeState::Cancelled) << r - ranges.begin();
    // A cancelled solve is not kept.
    OutlookCache cache;
    cancelled = true;
    cache.ranges(p, {.cancel = &cancelled});
    EXPECT_FALSE(cache.find(p));
}

// What the reachable-rank overlay answers from the table alone: the best
// rank whose current points a team can equal with all its remaining games
// won (goal differences set aside), and the champion message when the
// second team cannot reach first place.
int overlayBest(const OutlookProblem &p, TeamNo team)
{
    int games = 0;
    for (const LeagueFixture &f : p.remaining)
        games += f.home == team || f.away == team;
    std::vector<int> points = p.points;
    std::sort(points.begin(), points.end(), std::greater<>());
    for (int rank = 1; rank <= int(points.size()); ++rank) {
        if (p.points[team] + 3 * games >= points[rank - 1])
            return rank;
    }
    return int(points.size());
}

// Teams past those given sit far below on 10 points, done with their season.
OutlookProblem twentyTeams(std::vector<int> top, std::vector<LeagueFixture> games)
{
    OutlookProblem p;
    p.points = std::move(top);
    p.points.resize(20, 10);
    p.remaining = std::move(games);
    return p;
}

TEST(OutlookAgainstOverlay, TwoTeamsAheadWhoStillMeetCannotBothBeLeftBehind)
{
    // Alpha and Bravo on 60 meet in the last game; Charlie on 57 plays Delta.
    // Charlie's 60 equals their points now, yet one of them takes a point
    // from their game: Charlie can be second at best.
    const OutlookProblem p = twentyTeams({60, 60, 57, 40}, {{0, 1}, {2, 3}});
    EXPECT_EQ(overlayBest(p, 2), 1);
    const std::vector<RankRange> exact = solveRankRanges(p);
    EXPECT_EQ(exact, bruteForce(p));
    EXPECT_EQ(exact[2].best, 2);
}

TEST(OutlookAgainstOverlay, AThirdTeamWithGamesInHandKeepsTheTitleOpen)
{
    // Alpha 70 and Bravo 63 have two games left, Charlie 62 four (two
    // postponed). Bravo cannot reach 70, which is all the champion message
    // looks at; Charlie still can.
    const OutlookProblem p =
        twentyTeams({70, 63, 62, 30, 30, 30, 30}, {{0, 3}, {0, 4}, {1, 5}, {1, 6}, {2, 3}, {2, 4}, {2, 5}, {2, 6}});
    EXPECT_GT(overlayBest(p, 1), 1); // the message would say Alpha is champion
    EXPECT_EQ(overlayBest(p, 2), 1);
    const std::vector<RankRange> exact = solveRankRanges(p);
    EXPECT_EQ(exact, bruteForce(p));
    EXPECT_EQ(exact[0], (RankRange{1, 2}));
    EXPECT_EQ(exact[2].best, 1);
    EXPECT_FALSE(outlookFlags(exact[0]).testFlag(OutlookFlag::ChampionClinched));
}

TEST(OutlookFlags, ZonesFollowTheTableColours)
{
    const auto flags = [](int best, int worst) { return outlookFlags(RankRange{best, worst}); };
    EXPECT_EQ(flags(1, 1), OutlookFlag::ChampionClinched | OutlookFlag::ChampionsLeagueClinched
                               | OutlookFlag::ThirdRoundClinched | OutlookFlag::EuropaClinched
                               | OutlookFlag::RelegationAvoided);
    EXPECT_EQ(flags(2, 3), OutlookFlag::TitleOutOfReach | OutlookFlag::ThirdRoundClinched | OutlookFlag::EuropaClinched
                               | OutlookFlag::RelegationAvoided);
    EXPECT_EQ(flags(5, 17), OutlookFlag::TitleOutOfReach | OutlookFlag::ChampionsLeagueOutOfReach
                                | OutlookFlag::ThirdRoundOutOfReach | OutlookFlag::EuropaOutOfReach
                                | OutlookFlag::RelegationAvoided);
    EXPECT_EQ(flags(4, 18), OutlookFlag::TitleOutOfReach | OutlookFlag::ChampionsLeagueOutOfReach
                                | OutlookFlag::ThirdRoundOutOfReach);
    EXPECT_EQ(flags(18, 20), OutlookFlag::TitleOutOfReach | OutlookFlag::ChampionsLeagueOutOfReach
                                 | OutlookFlag::ThirdRoundOutOfReach | OutlookFlag::EuropaOutOfReach
                                 | OutlookFlag::Relegated);
}

TEST(OutlookCacheTest, AnswersAKnownQuestionWithoutSolvingAgain)
{
    OutlookCache cache(2);
    const OutlookProblem a{{3, 0, 1}, {{0, 1}}, {}};
    OutlookProblem b = a;
    b.points[2] = 2;
    OutlookProblem c = a;
    c.remaining.push_back({1, 2});
    EXPECT_FALSE(cache.find(a));
    EXPECT_EQ(cache.ranges(a), solveRankRanges(a));
    EXPECT_EQ(cache.find(a), solveRankRanges(a));
    // Another store or match day asks another question.
    EXPECT_FALSE(cache.find(b));
    cache.ranges(b);
    cache.find(a); // a is now the most recent
    cache.ranges(c);
    EXPECT_TRUE(cache.find(a));
    EXPECT_FALSE(cache.find(b));
    EXPECT_TRUE(cache.find(c));
}

} // namespace
