#include "online/core/storechanges.h"

#include "seasonbuilder.h"
#include "specialfiles.h"
#include "testfolder.h"

#include <gtest/gtest.h>

namespace {

using Kind = FixtureChange::Kind;

// The first match day fully played with distinct scores, so that all twenty
// teams stand on distinct ranks: in fixture k the home side wins k+1 - 0.
// Fixture 0 is Tango - Alpha, fixture k (1..9) the k-th letter against the
// (19-k)-th. Winners rank 1..10 (fixture 9 first), losers 11..20 (Alpha 11th).
class StoreChangesTest : public ::testing::Test
{
protected:
    ResultsBuilder firstDay() const
    {
        ResultsBuilder results;
        const QStringList codes = builder.codes(1);
        for (int k = 0; k < codes.size(); ++k)
            results.result(Season::fixtureKey(1, k), codes[k].at(0), QString::number(k + 1), QStringLiteral("0"),
                           codes[k].at(1));
        return results;
    }
    StoreChanges compare(const ResultsBuilder &before, const ResultsBuilder &after) const
    {
        return StoreChanges::compare(season, before.bytes(), after.bytes());
    }

    SeasonBuilder builder;
    Season season = Season::fromBytes(builder.seasonFile());
};

} // namespace

TEST_F(StoreChangesTest, AnUnchangedStoreSaysNothingWhateverItsStampOrLayout)
{
    const StoreChanges same =
        compare(firstDay().stamp(QStringLiteral("01 déc. 20:00")),
                firstDay().stamp(QStringLiteral("05 déc. 21:30")).news(QStringLiteral("Bonsoir")));
    EXPECT_TRUE(same.isEmpty());
    EXPECT_TRUE(same.summary().isEmpty());
    EXPECT_TRUE(same.details().isEmpty());
    EXPECT_TRUE(same.fixtureNotes().isEmpty());

    // A score written "02" instead of "2", and a match still to play marked
    // "-" rather than absent, are the same results.
    ResultsBuilder padded = firstDay();
    padded.result(Season::fixtureKey(1, 1), QLatin1Char('B'), QStringLiteral("02"), QStringLiteral("0"),
                  QLatin1Char('S'));
    padded.result(Season::fixtureKey(2, 0), builder.codes(2)[0].at(0), QStringLiteral("-"), QStringLiteral("-"),
                  builder.codes(2)[0].at(1));
    EXPECT_TRUE(compare(firstDay(), padded).isEmpty());
}

TEST_F(StoreChangesTest, ACorrectedScoreNamesTheTeamsThatMoved)
{
    ResultsBuilder corrected = firstDay();
    // Tango 1-0 Alpha becomes 0-1: Alpha takes Tango's tenth place.
    corrected.result(Season::fixtureKey(1, 0), QLatin1Char('T'), QStringLiteral("0"), QStringLiteral("1"),
                     QLatin1Char('A'));
    const StoreChanges changes = compare(firstDay(), corrected);
    EXPECT_EQ(changes.summary(), QStringLiteral("1 score corrigé ; Alpha passe 10e, Tango passe 11e"));
    ASSERT_EQ(changes.fixtures.size(), 1);
    EXPECT_EQ(changes.fixtures[0].kind, Kind::ScoreCorrected);
    EXPECT_EQ(changes.fixtures[0].home, QStringLiteral("Tango"));
    EXPECT_EQ(changes.fixtures[0].away, QStringLiteral("Alpha"));
    ASSERT_EQ(changes.moves.size(), 2);
    EXPECT_EQ(changes.moves[0].before, 11);
    EXPECT_EQ(changes.moves[0].after, 10);
    EXPECT_EQ(changes.fixtureNotes().value(QStringLiteral("0100")),
              QStringLiteral("Score corrigé à la dernière mise à jour (avant : 1-0)"));
    EXPECT_EQ(changes.details(), QStringLiteral("Score corrigé : J1 Tango - Alpha, 0-1 au lieu de 1-0\n"
                                                "Alpha passe de la 11e à la 10e place\n"
                                                "Tango passe de la 10e à la 11e place"));
    // The teams past those named are counted, in the singular when there is one.
    EXPECT_EQ(changes.summary(1),
              QStringLiteral("1 score corrigé ; Alpha passe 10e et 1 autre équipe change de place"));
    EXPECT_EQ(changes.summary(0), QStringLiteral("1 score corrigé ; 2 équipes changent de place"));
}

TEST_F(StoreChangesTest, NewResultsAndCardsAreCountedApart)
{
    ResultsBuilder after = firstDay();
    const QStringList day2 = builder.codes(2);
    for (int k : {0, 1, 2})
        after.result(Season::fixtureKey(2, k), day2[k].at(0), QStringLiteral("0"), QStringLiteral("0"), day2[k].at(1));
    // Cards alone: same score, one more yellow card for the home side.
    after.result(Season::fixtureKey(1, 3), QLatin1Char('D'), QStringLiteral("4"), QStringLiteral("0"), QLatin1Char('Q'),
                 0, 1);
    const StoreChanges changes = compare(firstDay(), after);
    EXPECT_EQ(changes.count(Kind::Added), 3);
    EXPECT_EQ(changes.count(Kind::CardsCorrected), 1);
    // Draws between teams of distinct ranks move some of them.
    EXPECT_TRUE(changes.summary().startsWith(QStringLiteral("3 nouveaux résultats, cartons corrigés sur 1 match ; ")))
        << changes.summary().toStdString();
    const QHash<QString, QString> notes = changes.fixtureNotes();
    EXPECT_EQ(notes.size(), 4);
    EXPECT_EQ(notes.value(QStringLiteral("0200")), QStringLiteral("Nouveau résultat à la dernière mise à jour"));
    EXPECT_EQ(notes.value(QStringLiteral("0103")),
              QStringLiteral("Cartons corrigés à la dernière mise à jour (avant : aucun carton)"));
    EXPECT_TRUE(changes.details().contains(QStringLiteral("Cartons corrigés : J1 Delta - Quebec, jaunes 1-0, rouges "
                                                          "0-0 au lieu de aucun carton")))
        << changes.details().toStdString();
}

TEST_F(StoreChangesTest, AdjustmentsAndRemovedResultsCountTooAndLongListsAreCut)
{
    // Alpha, eleventh, loses three points: the ten losers below move up.
    const StoreChanges adjusted = compare(firstDay(), firstDay().bonusMalus(QLatin1Char('A'), QStringLiteral("-3")));
    EXPECT_EQ(adjusted.summary(), QStringLiteral("1 ajustement de points modifié ; Sierra passe 11e, Romeo passe 12e, "
                                                 "Quebec passe 13e et 7 autres équipes changent de place"));
    EXPECT_EQ(adjusted.summary(1), QStringLiteral("1 ajustement de points modifié ; Sierra passe 11e et 9 autres "
                                                  "équipes changent de place"));
    EXPECT_EQ(adjusted.summary(0), QStringLiteral("1 ajustement de points modifié ; 10 équipes changent de place"));
    EXPECT_EQ(adjusted.adjustedTeams, QStringList{QStringLiteral("Alpha")});
    EXPECT_TRUE(adjusted.fixtureNotes().isEmpty());

    // A result taken back: the winner of fixture 9 loses its first place.
    ResultsBuilder removed = firstDay();
    removed.raw(Season::fixtureKey(1, 9), MatchRecord::EmptyText);
    const StoreChanges taken = compare(firstDay(), removed);
    EXPECT_EQ(taken.count(Kind::Removed), 1);
    EXPECT_TRUE(taken.summary().startsWith(QStringLiteral("1 résultat retiré ; "))) << taken.summary().toStdString();
    EXPECT_EQ(taken.fixtureNotes().value(QStringLiteral("0109")),
              QStringLiteral("Résultat retiré à la dernière mise à jour (avant : 10-0)"));

    // A result whose letters name no team of the season counts for nobody in
    // the table: replacing the 9-0 of fixture 8 by one is a removal.
    ResultsBuilder unnamed = firstDay();
    unnamed.raw(Season::fixtureKey(1, 8), QStringLiteral("Z|0|0|9|0|0|0|Y"));
    const StoreChanges lost = compare(firstDay(), unnamed);
    EXPECT_EQ(lost.count(Kind::Removed), 1);
    EXPECT_EQ(lost.fixtures.size(), 1);
    EXPECT_TRUE(lost.summary().startsWith(QStringLiteral("1 résultat retiré ; "))) << lost.summary().toStdString();
    EXPECT_EQ(lost.fixtureNotes().value(QStringLiteral("0108")),
              QStringLiteral("Résultat retiré à la dernière mise à jour (avant : 9-0)"));
}

TEST(StoreChangesText, OrdinalsAndScores)
{
    EXPECT_EQ(storechanges::ordinal(1), QStringLiteral("1er"));
    EXPECT_EQ(storechanges::ordinal(3), QStringLiteral("3e"));
    EXPECT_EQ(storechanges::scoreText(MatchRecord::fromText(QStringLiteral("A|0|2|3|1|1|0|B"))), QStringLiteral("3-1"));
    EXPECT_EQ(storechanges::scoreText(MatchRecord::fromText(QStringLiteral("A|||-|-|||B"))),
              QStringLiteral("non joué"));
    EXPECT_EQ(storechanges::scoreText(MatchRecord::fromText(QStringLiteral("H||1|2||1|3|I"))), QStringLiteral("2-?"));
    EXPECT_EQ(storechanges::scoreText(MatchRecord::fromText(QStringLiteral("H||1|2|-|1|3|I"))), QStringLiteral("2-?"));
    EXPECT_EQ(storechanges::scoreText(MatchRecord::fromText(QStringLiteral("H||1|2|1|1|3|Z"))),
              QStringLiteral("non joué"));
    EXPECT_EQ(storechanges::cardsText(MatchRecord::fromText(QStringLiteral("A|0|2|3|1|1|1|B"))),
              QStringLiteral("jaunes 2-1, rouges 0-1"));
    EXPECT_TRUE(storechanges::cardsText(MatchRecord::fromText(QStringLiteral("A|0|0|3|1|||B"))).isEmpty());
}

// A killed update must leave nothing outside the program folder: the two
// stores are compared where they are, in memory.
TEST_F(StoreChangesTest, TheStoresAreComparedWithoutATemporaryFolder)
{
    ResultsBuilder after = firstDay();
    after.result(Season::fixtureKey(2, 0), builder.codes(2)[0].at(0), QStringLiteral("1"), QStringLiteral("1"),
                 builder.codes(2)[0].at(1));
    TestFolder folder;
    const specialfiles::NoTemporaryFolder noTemporaryFolder(folder.file(QStringLiteral("tmp")));
    const StoreChanges changes = compare(firstDay(), after);
    ASSERT_EQ(changes.fixtures.size(), 1);
    EXPECT_EQ(changes.fixtures[0].kind, Kind::Added);
}

TEST(StoreChangesText, BytesThatAreNoStoreChangeNothingBelieved)
{
    const Season season = Season::fromBytes(SeasonBuilder().seasonFile());
    // Garbage on either side reads as a store without results.
    const StoreChanges changes = StoreChanges::compare(season, QByteArray("\x00\xFF garbage", 11), QByteArray());
    EXPECT_TRUE(changes.isEmpty());
}
