// Numbers no league produces, as a hostile or careless hand may type them
// into the store: the standings stay defined, bounded and in order.
#include "standings/core/standingsengine.h"

#include "seasonbuilder.h"
#include "standingslookup.h"
#include "testfolder.h"

#include <gtest/gtest.h>

namespace {

using standingslookup::rank;
using standingslookup::row;

class Bounds : public ::testing::Test
{
protected:
    Standings compute(const QByteArray &store)
    {
        m_folder.write(ResultStore::FileName, store);
        const Season season = Season::fromBytes(m_builder.seasonFile());
        const ResultStore results(m_folder.path());
        BonusMalus bonus{};
        results.loadBonusMalus(bonus);
        return computeStandings(season, results, bonus);
    }
    QString key(char home, char away) const { return m_builder.keyOf(QChar(home), QChar(away)); }

    SeasonBuilder m_builder;
    TestFolder m_folder;
};

TEST_F(Bounds, ANumberPastTheBoundInAnyFieldCountsAsTheBound)
{
    for (const char *typed : {"999", "1000", "2147483648", "99999999999", " 99999999999999999999 "}) {
        const QString x = QString::fromLatin1(typed);
        const Standings s =
            compute(ResultsBuilder().raw(key('A', 'B'), QStringLiteral("A|%1|%1|%1|%1|%1|%1|B").arg(x)).bytes());
        for (const char *name : {"Alpha", "Bravo"}) {
            const StandingRow &r = row(s, QString::fromLatin1(name));
            EXPECT_EQ(r.goalsFor, 999) << typed;
            EXPECT_EQ(r.goalsAgainst, 999) << typed;
            EXPECT_EQ(r.goalDifference, 0) << typed;
            EXPECT_EQ(r.fairPlayPoints, 3 * 999 + 999) << typed;
            EXPECT_EQ(r.draws, 1) << typed;
            EXPECT_EQ(r.pointsText(), "1") << typed;
            // Card points past three digits count as 999 in the key.
            EXPECT_EQ(r.keyText(), "011200999000") << typed;
        }
        EXPECT_EQ(row(s, "Alpha").homeGoalsFor, 999);
        EXPECT_EQ(row(s, "Bravo").awayGoalsAgainst, 999);
        EXPECT_EQ(s.totalGoals, 2 * 999) << typed;
    }
}

TEST_F(Bounds, NegativeCountsReadAsZero)
{
    const Standings s = compute(ResultsBuilder().raw(key('A', 'B'), "A|-5|-1|-3|0|-2147483648|-7|B").bytes());
    EXPECT_EQ(row(s, "Alpha").fairPlayPoints, 0);
    EXPECT_EQ(row(s, "Bravo").fairPlayPoints, 0);
    EXPECT_EQ(row(s, "Alpha").goalsFor, 0);
    EXPECT_EQ(row(s, "Alpha").draws, 1); // -3 against 0 is 0-0, both typed
}

TEST_F(Bounds, AHugeHomeScoreRanksTheTeamFirstNotLast)
{
    // 40000 goals once wrapped to -25515 in a 16-bit total.
    const Standings s = compute(ResultsBuilder().result(key('A', 'B'), 'A', "40000", "0", 'B').bytes());
    EXPECT_EQ(rank(s, "Alpha"), 1);
    EXPECT_EQ(row(s, "Alpha").goalsFor, 999);
    EXPECT_EQ(row(s, "Alpha").goalDifference, 999);
    EXPECT_EQ(row(s, "Alpha").keyText(), "013999999999"); // goal difference + 200 held at 999
    EXPECT_EQ(rank(s, "Bravo"), 20);
    EXPECT_EQ(row(s, "Bravo").goalDifference, -999);
    EXPECT_EQ(row(s, "Bravo").keyText(), "010000000999"); // goal difference + 200 held at 0
}

TEST_F(Bounds, EveryFixtureCreditingOneTeamStaysExact)
{
    // All 380 records name Alpha at home with every number at the bound:
    // far past anything the 16-bit totals could hold.
    ResultsBuilder results;
    for (MatchDayNo day = 1; day <= MatchDayCount; ++day) {
        for (int index = 0; index < FixturesPerMatchDay; ++index)
            results.raw(Season::fixtureKey(day, index), "A|999|999|999|0|999|999|B");
    }
    const Standings s = compute(results.bytes());
    const StandingRow &alpha = row(s, "Alpha");
    EXPECT_EQ(alpha.goalsFor, 380 * 999);
    EXPECT_EQ(alpha.homeGoalsFor, 380 * 999);
    EXPECT_EQ(alpha.goalDifference, 380 * 999);
    EXPECT_EQ(alpha.fairPlayPoints, 380 * 4 * 999);
    EXPECT_EQ(alpha.played, 380);
    EXPECT_EQ(alpha.homeWins, 380);
    EXPECT_EQ(alpha.pointsText(), "1140");
    EXPECT_EQ(alpha.keyText(), "1150999999000");
    const StandingRow &bravo = row(s, "Bravo");
    EXPECT_EQ(bravo.goalsAgainst, 380 * 999);
    EXPECT_EQ(bravo.goalDifference, -380 * 999);
    EXPECT_EQ(bravo.awayLosses, 380);
    EXPECT_EQ(s.totalGoals, 380 * 999);
    EXPECT_EQ(s.playedSides, 760);
    EXPECT_EQ(rank(s, "Alpha"), 1);
    EXPECT_EQ(rank(s, "Bravo"), 20);
}

TEST_F(Bounds, HugeAdjustmentsGiveSaneKeysAtEitherEnd)
{
    const Standings s = compute(ResultsBuilder()
                                    .bonusMalus('A', "99999999999999999999")
                                    .bonusMalus('B', "-99999999999999999999")
                                    .bonusMalus('C', "-999")
                                    .bonusMalus('D', "1000")
                                    .bytes());
    EXPECT_EQ(row(s, "Alpha").pointsText(), "999");
    EXPECT_EQ(row(s, "Alpha").keyText(), "1009200000999");
    EXPECT_EQ(row(s, "Bravo").pointsText(), "-999");
    EXPECT_EQ(row(s, "Bravo").keyText(), "-988799999001");
    EXPECT_EQ(row(s, "Charlie").keyText(), "-988799999001");
    EXPECT_EQ(row(s, "Delta").keyText(), "1009200000999");
    // Level keys fall back to the later name first, at the top and the bottom.
    EXPECT_EQ(rank(s, "Delta"), 1);
    EXPECT_EQ(rank(s, "Alpha"), 2);
    EXPECT_EQ(rank(s, "Charlie"), 19);
    EXPECT_EQ(rank(s, "Bravo"), 20);
    for (const StandingRow &r : s.rows)
        EXPECT_FALSE(r.keyText().startsWith(QLatin1String("--"))) << qPrintable(r.keyText());
}

} // namespace
