// The season odds: the goals model worked out by hand on a small season,
// the odds held to what the exact outlook proves, the same figures whatever
// the number of threads, a cancel, and the draws of one fixture against the
// Poisson law.
#include "statistics/core/seasonodds.h"

#include "standings/core/outlook.h"

#include "seasonbuilder.h"
#include "testfolder.h"

#include <gtest/gtest.h>

#include <QThread>

#include <cmath>
#include <memory>

namespace {

struct Loaded
{
    Season season;
    std::unique_ptr<ResultStore> store;
    BonusMalus bonus{};
};

Loaded loadFolder(const QString &folder)
{
    Loaded l;
    l.season = *Season::load(folder + QStringLiteral("/2013.txt"));
    l.store = std::make_unique<ResultStore>(folder);
    l.store->loadBonusMalus(l.bonus);
    return l;
}

class SmallSeason : public ::testing::Test
{
protected:
    void load(const ResultsBuilder &results)
    {
        folder.write(ResultStore::FileName, results.bytes());
        season = Season::fromBytes(builder.seasonFile());
        store = std::make_unique<ResultStore>(folder.path());
    }
    QString key(char home, char away) const { return builder.keyOf(QChar(home), QChar(away)); }

    SeasonBuilder builder;
    TestFolder folder;
    Season season;
    std::unique_ptr<ResultStore> store;
    BonusMalus bonus{};
};

// Match day 1 of the test calendar, with three full scores, a half-entered
// record and a result of match day 2 beyond the cut.
TEST_F(SmallSeason, RatesAndRatingsFollowTheDeclaredFormulas)
{
    const QStringList day1 = builder.codes(1);
    const auto code = [&](int i, int side) { return day1[i].at(side); };
    ResultsBuilder results;
    results.result(Season::fixtureKey(1, 0), code(0, 0), "2", "1", code(0, 1));
    results.result(Season::fixtureKey(1, 1), code(1, 0), "0", "0", code(1, 1));
    results.result(Season::fixtureKey(1, 2), code(2, 0), "3", "1", code(2, 1));
    results.result(Season::fixtureKey(1, 3), code(3, 0), "4", "", code(3, 1)); // half-entered: no rate
    const QStringList day2 = builder.codes(2);
    results.result(Season::fixtureKey(2, 0), day2[0].at(0), "9", "9", day2[0].at(1)); // after the cut
    load(results);

    const seasonodds::Model m = seasonodds::model(season, *store, bonus, 1);
    // Three played matches, 5 home goals and 2 away goals.
    const double mh = (5.0 + 15) / (3 + 10);
    const double ma = (2.0 + 11) / (3 + 10);
    const double mean = (mh + ma) / 2;
    EXPECT_DOUBLE_EQ(m.homeRate, mh);
    EXPECT_DOUBLE_EQ(m.awayRate, ma);
    EXPECT_DOUBLE_EQ(m.meanRate, mean);

    struct Rated
    {
        QChar letter;
        int played, scored, conceded;
    };
    const Rated rated[] = {
        {code(0, 0), 1, 2, 1},    {code(0, 1), 1, 1, 2}, {code(1, 0), 1, 0, 0}, {code(2, 0), 1, 3, 1},
        {code(2, 1), 1, 1, 3},    {code(3, 0), 0, 0, 0}, {code(3, 1), 0, 0, 0}, // the half-entered sides
        {day1[4].at(0), 0, 0, 0},
    };
    for (const Rated &r : rated) {
        const TeamNo team = Season::teamNoOfLetter(r.letter);
        EXPECT_DOUBLE_EQ(m.attack[team], (r.scored + 5 * mean) / ((r.played + 5) * mean)) << r.letter.toLatin1();
        EXPECT_DOUBLE_EQ(m.defence[team], (r.conceded + 5 * mean) / ((r.played + 5) * mean)) << r.letter.toLatin1();
    }

    // The half-entered record counts for the table, so it is not drawn
    // again; match day 2's result is beyond the cut, so it is.
    ASSERT_EQ(m.remaining.size(), std::size_t(FixtureCount - 4));
    const seasonodds::Model::Fixture &f = m.remaining.front();
    EXPECT_EQ(Season::teamLetter(f.home), day1[4].at(0));
    EXPECT_DOUBLE_EQ(f.homeMean, mh * m.attack[f.home] * m.defence[f.away]);
    EXPECT_DOUBLE_EQ(f.awayMean, ma * m.attack[f.away] * m.defence[f.home]);

    // With nothing played the rates are the prior's and every rating is 1.
    load(ResultsBuilder());
    const seasonodds::Model empty = seasonodds::model(season, *store, bonus, 1);
    EXPECT_DOUBLE_EQ(empty.homeRate, 1.5);
    EXPECT_DOUBLE_EQ(empty.awayRate, 1.1);
    EXPECT_DOUBLE_EQ(empty.attack[7], 1.0);
    EXPECT_DOUBLE_EQ(empty.remaining.front().homeMean, 1.5);
}

// Each simulated season, its drawn scores written into a store, ranks as
// the table itself ranks it: adjustments, and head-to-head with the drawn
// goals. Everyone is level before the last two match days but for the 1-0
// home wins of match days 18 and 19, whose return legs are drawn.
TEST_F(SmallSeason, EachSimulatedSeasonRanksAsTheTableRanksIt)
{
    ResultsBuilder base;
    for (MatchDayNo day = 1; day <= 36; ++day) {
        const QStringList codes = builder.codes(day);
        const bool homeWins = day == 18 || day == 19;
        for (int i = 0; i < codes.size(); ++i)
            base.result(Season::fixtureKey(day, i), codes[i].at(0), homeWins ? "1" : "0", "0", codes[i].at(1));
    }
    base.bonusMalus('C', "-1").bonusMalus('D', "1");
    load(base);
    store->loadBonusMalus(bonus);
    const seasonodds::Model m = seasonodds::model(season, *store, bonus, 36);
    ASSERT_EQ(m.remaining.size(), 20u);
    constexpr qint64 Runs = 60;
    constexpr quint64 Seed = 9;
    seasonodds::Request request;
    request.upTo = 36;
    request.runs = Runs;
    request.seed = Seed;
    const seasonodds::Odds odds = seasonodds::compute(season, *store, bonus, request);

    std::array<std::array<qint64, TeamCount>, TeamCount> counts{};
    for (qint64 run = 0; run < Runs; ++run) {
        const std::vector<std::pair<int, int>> scores = seasonodds::drawnScores(m, Seed, run);
        ResultsBuilder full = base;
        for (int i = 0; i < 20; ++i) {
            const QString code = builder.codes(37 + i / 10).at(i % 10);
            ASSERT_EQ(Season::teamNoOfLetter(code.at(0)), m.remaining[i].home);
            full.result(Season::fixtureKey(37 + i / 10, i % 10), code.at(0), QString::number(scores[i].first),
                        QString::number(scores[i].second), code.at(1));
        }
        load(full);
        const Standings table = computeStandings(season, *store, bonus, MatchDayCount);
        for (int rank = 0; rank < TeamCount; ++rank)
            ++counts[table.rows[rank].team][rank];
    }
    for (const seasonodds::TeamOdds &row : odds.rows)
        EXPECT_EQ(row.rankCounts, counts[row.team]) << qPrintable(row.name);
}

// A share as the command line prints it.
double printed(double share)
{
    return QString::number(share, 'f', 1).toDouble();
}

// The odds never leave the proven range, settle what the outlook settles,
// and their printed shares add up to 100 per team and per rank.
TEST(SeasonOdds, StayWithinTheExactOutlookAndAddUpPerTeamAndPerRank)
{
    const QString sample = QStringLiteral(KESTRANE_SAMPLE_DATA);
    const QString lastDay = QStringLiteral(KESTRANE_TEST_DATA "/outlook_lastmatchday");
    const QString decided = QStringLiteral(KESTRANE_TEST_DATA "/title_decided");
    const struct
    {
        QString folder;
        MatchDayNo upTo;
    } cases[] = {{sample, 10},  {sample, 20}, {sample, 30},  {sample, 36}, {sample, 38},
                 {lastDay, 35}, {lastDay, 0}, {decided, 12}, {decided, 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(qPrintable(QStringLiteral("%1 at %2").arg(c.folder).arg(c.upTo)));
        const Loaded l = loadFolder(c.folder);
        seasonodds::Request request;
        request.upTo = c.upTo;
        request.runs = 4000;
        request.seed = 7;
        const seasonodds::Odds odds = seasonodds::compute(l.season, *l.store, l.bonus, request);
        const SeasonOutlook outlook = computeOutlook(l.season, *l.store, l.bonus, c.upTo);
        ASSERT_FALSE(odds.cancelled);
        std::array<double, TeamCount> perRank{};
        for (int i = 0; i < TeamCount; ++i) {
            const seasonodds::TeamOdds &row = odds.rows[i];
            const TeamOutlook &range = outlook.rows[i];
            ASSERT_EQ(row.team, range.team);
            ASSERT_TRUE(range.range.final());
            double perTeam = 0;
            for (int rank = 1; rank <= TeamCount; ++rank) {
                const bool possible = rank >= range.range.best && rank <= range.range.worst;
                if (!possible) {
                    EXPECT_EQ(row.rankCounts[rank - 1], 0) << qPrintable(row.name) << " rank " << rank;
                }
                perTeam += printed(row.share(rank));
                perRank[rank - 1] += printed(row.share(rank));
            }
            EXPECT_NEAR(perTeam, 100, 0.5) << qPrintable(row.name);
            if (range.range.best == range.range.worst) {
                EXPECT_EQ(printed(row.share(range.range.best)), 100.0) << qPrintable(row.name);
            }
            if (c.upTo == MatchDayCount) {
                EXPECT_EQ(printed(row.share(i + 1)), 100.0) << qPrintable(row.name);
            }
        }
        for (int rank = 1; rank <= TeamCount; ++rank)
            EXPECT_NEAR(perRank[rank - 1], 100, 0.5) << "rank " << rank;
    }
}

TEST(SeasonOdds, AreTheSameWithOneThreadOrTwoAndStopWhenCancelled)
{
    const Loaded l = loadFolder(QStringLiteral(KESTRANE_SAMPLE_DATA));
    seasonodds::Request request;
    request.upTo = 20;
    request.runs = 3001; // not a whole number of blocks
    request.seed = 12345;
    request.threads = 1;
    const seasonodds::Odds one = seasonodds::compute(l.season, *l.store, l.bonus, request);
    request.threads = 2;
    const seasonodds::Odds two = seasonodds::compute(l.season, *l.store, l.bonus, request);
    request.seed = 12346;
    const seasonodds::Odds otherSeed = seasonodds::compute(l.season, *l.store, l.bonus, request);
    bool differs = false;
    for (int i = 0; i < TeamCount; ++i) {
        EXPECT_EQ(one.rows[i].rankCounts, two.rows[i].rankCounts) << i;
        EXPECT_EQ(one.rows[i].expectedPoints, two.rows[i].expectedPoints) << i;
        differs = differs || one.rows[i].rankCounts != otherSeed.rows[i].rankCounts;
    }
    EXPECT_TRUE(differs);

    // Progress comes on the calling thread; a cancel raised from it stops
    // the runs long before ten million.
    std::atomic_bool cancel{false};
    const Qt::HANDLE caller = QThread::currentThreadId();
    bool onCaller = true;
    request.runs = seasonodds::MaxRuns;
    request.cancel = &cancel;
    request.progress = [&](qint64 done) {
        onCaller = onCaller && QThread::currentThreadId() == caller;
        if (done > 0)
            cancel = true;
    };
    const seasonodds::Odds stopped = seasonodds::compute(l.season, *l.store, l.bonus, request);
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_TRUE(onCaller);
}

// One fixture left between the two leaders, level on everything: Alpha at
// home to Bravo. Bravo's later name ranks it first on a draw, so Alpha's
// title share is the home win, and the expected points give the rest.
TEST_F(SmallSeason, OneFixtureIsDrawnAsThePoissonLawSays)
{
    const TeamNo alpha = 0, bravo = 1;
    const QString last = key('A', 'B');
    ResultsBuilder results;
    for (MatchDayNo day = 1; day <= MatchDayCount; ++day) {
        const QStringList codes = builder.codes(day);
        for (int i = 0; i < codes.size(); ++i) {
            const QString k = Season::fixtureKey(day, i);
            const TeamNo h = Season::teamNoOfLetter(codes[i].at(0));
            const TeamNo a = Season::teamNoOfLetter(codes[i].at(1));
            if (k == last)
                continue;
            const bool leader = h <= bravo || a <= bravo;
            const bool bothLeaders = h <= bravo && a <= bravo;
            const char *hg = bothLeaders ? "1" : (leader && h <= bravo ? "1" : "0");
            const char *ag = bothLeaders ? "1" : (leader && a <= bravo ? "1" : "0");
            results.result(k, codes[i].at(0), hg, ag, codes[i].at(1));
        }
    }
    load(results);
    const seasonodds::Model m = seasonodds::model(season, *store, bonus, MatchDayCount);
    ASSERT_EQ(m.remaining.size(), 1u);
    const double lh = m.remaining[0].homeMean, la = m.remaining[0].awayMean;
    const auto pmf = [](double mean, int k) { return std::exp(k * std::log(mean) - mean - std::lgamma(k + 1.0)); };
    double win = 0, draw = 0;
    for (int i = 0; i < 60; ++i) {
        for (int j = 0; j < 60; ++j) {
            const double p = pmf(lh, i) * pmf(la, j);
            win += i > j ? p : 0;
            draw += i == j ? p : 0;
        }
    }
    const double loss = 1 - win - draw;

    seasonodds::Request request;
    request.upTo = MatchDayCount;
    request.runs = 200000;
    request.seed = 3;
    const seasonodds::Odds odds = seasonodds::compute(season, *store, bonus, request);
    ASSERT_EQ(odds.rows[0].team + odds.rows[1].team, alpha + bravo);
    const seasonodds::TeamOdds &a = odds.rows[0].team == alpha ? odds.rows[0] : odds.rows[1];
    const seasonodds::TeamOdds &b = odds.rows[0].team == alpha ? odds.rows[1] : odds.rows[0];
    // Shares of 200000 runs: a standard error of at most 0.0011, so 0.005
    // is over four of them; the points' is below 0.004 (0.015 allowed).
    EXPECT_NEAR(a.share(1) / 100, win, 0.005);
    EXPECT_NEAR(b.share(1) / 100, draw + loss, 0.005);
    EXPECT_NEAR(a.expectedPoints - 109, 3 * win + draw, 0.015);
    EXPECT_NEAR(b.expectedPoints - 109, 3 * loss + draw, 0.015);
}

} // namespace
