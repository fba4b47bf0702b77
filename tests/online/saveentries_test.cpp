#include "online/core/saveentries.h"

#include "testfolder.h"

#include "online/core/stamp.h"
#include "season/core/resultstore.h"
#include "season/core/season.h"

#include <QFile>

#include <optional>

#include <gtest/gtest.h>

namespace {

const QDateTime Now(QDate(2013, 12, 7), QTime(22, 15));

saveentries::TypedRow typed(const QString &key, const QString &record)
{
    return {key, MatchRecord::fromText(record)};
}

} // namespace

TEST(SaveEntries, OnlyRowsWithAHomeScore)
{
    const QList<ResultStore::Result> results =
        saveentries::storableResults({typed(QStringLiteral("1800"), QStringLiteral("C|||2||||H")),
                                      typed(QStringLiteral("1801"), QStringLiteral("A|1|2||3|0|0|B")), // no home score
                                      typed(QStringLiteral("1802"), QStringLiteral("D||| 0 |-|||E")),
                                      typed(QString(), QStringLiteral("F|||1|1|||G"))}); // a row with no fixture
    ASSERT_EQ(results.size(), 2);
    EXPECT_EQ(results[0].first, QStringLiteral("1800"));
    EXPECT_EQ(results[0].second.toText(), QStringLiteral("C|||2||||H"));
    EXPECT_EQ(results[1].second.toText(), QStringLiteral("D||| 0 |-|||E")); // as typed, untrimmed
}

TEST(SaveEntries, RowsLeftOutForWantOfAHomeScoreAreToldWithTheirReason)
{
    TestFolder folder;
    folder.write(ResultStore::FileName, "[Resultats]\r\n1800=C|||2|1|||H\r\n1803=G|||-|-|||J\r\n"
                                        "1804=K|1||||||L\r\n");
    ResultStore store(folder.path());
    using Reason = saveentries::Refusal::Reason;
    const struct
    {
        const char *key;
        const char *typed;
        std::optional<Reason> refused;
    } rows[] = {
        {"1800", "C||||||1|H", Reason::CardsOnly},     // scores emptied, a red card typed
        {"1801", "A||||3|||B", Reason::AwayScoreOnly}, // away score alone
        {"1805", "M|||||1||N", Reason::CardsOnly},     // a yellow card alone
        {"1806", "O|||||||P", std::nullopt},           // nothing typed, nothing stored
        {"1803", "G|||||||J", std::nullopt},           // "-" stored shows empty: as stored
        {"1804", "K|1||||||L", std::nullopt},          // cards stored without a score, left as they were
        {"1807", "Q|||1||||R", std::nullopt},          // a home score: saved
    };
    QList<saveentries::TypedRow> typedRows;
    for (const auto &row : rows)
        typedRows << typed(QLatin1String(row.key), QLatin1String(row.typed));
    const QList<saveentries::Refusal> refused = saveentries::refusals(store, typedRows);
    qsizetype next = 0;
    for (const auto &row : rows) {
        if (!row.refused)
            continue;
        ASSERT_LT(next, refused.size()) << row.key;
        EXPECT_EQ(refused[next].key, QLatin1String(row.key));
        EXPECT_EQ(refused[next].reason, *row.refused) << row.key;
        EXPECT_EQ(refused[next].typed.toText(), QLatin1String(row.typed));
        ++next;
    }
    EXPECT_EQ(refused.size(), next);

    // The stored result whose boxes were all emptied stays, and says how to unplay it.
    const QList<saveentries::Refusal> cleared =
        saveentries::refusals(store, {typed(QStringLiteral("1800"), QStringLiteral("C|||||||H"))});
    ASSERT_EQ(cleared.size(), 1);
    EXPECT_EQ(cleared[0].reason, Reason::ResultCleared);

    // The save writes the rest, keeps the stored record of a refused row and names the row.
    const saveentries::Outcome outcome = saveentries::save(store, typedRows, Now, Now);
    EXPECT_TRUE(outcome.saved);
    EXPECT_EQ(outcome.refused.size(), next);
    EXPECT_EQ(store.match(QStringLiteral("1800")).toText(), QStringLiteral("C|||2|1|||H"));
    EXPECT_EQ(store.match(QStringLiteral("1807")).toText(), QStringLiteral("Q|||1||||R"));
    const Season season = Season::fromBytes(QByteArray("EQU|Alpha\r\nEQU|Beta\r\nEQU|Gamma\r\n"));
    const QString text = saveentries::refusedText(season, {outcome.refused[1]});
    EXPECT_EQ(text, QStringLiteral("Ces lignes n'ont pas été enregistrées :\n"
                                   "Journée 18, Alpha - Beta : score de l'équipe à l'extérieur sans score de "
                                   "l'équipe à domicile\n"
                                   "Leurs cases restent telles que vous les avez tapées : complétez-les puis "
                                   "appuyez de nouveau sur \"Valider\"."));
}

TEST(SaveEntries, CharactersThatWouldBreakTheRecordAreDropped)
{
    MatchRecord record = MatchRecord::fromText(QStringLiteral("A|||2|1|||B"));
    record[MatchRecord::HomeYellow] = QStringLiteral("1|2");
    record[MatchRecord::AwayGoals] = QStringLiteral("1\n");
    const QList<ResultStore::Result> results = saveentries::storableResults({{QStringLiteral("0100"), record}});
    ASSERT_EQ(results.size(), 1);
    EXPECT_EQ(results[0].second.toText(), QStringLiteral("A||12|2|1|||B"));
}

TEST(SaveEntries, OneStepKeepsOtherRecordsAndTellsWhetherTheStoreChangedSinceStart)
{
    TestFolder folder;
    folder.write(ResultStore::FileName, "[Resultats]\r\n0100=A|0|1|2|1|3|1|B\r\n1800=C|||1|1|||H\r\n"
                                        "[Texte]\r\nTexte=Bonjour\r\n");
    ResultStore store(folder.path());
    const QDateTime modified = QFileInfo(store.path()).lastModified();

    const QList<saveentries::TypedRow> rows = {typed(QStringLiteral("1800"), QStringLiteral("C|||2||||H"))};
    saveentries::Outcome outcome = saveentries::save(store, rows, Now, modified.addSecs(60));
    EXPECT_TRUE(outcome.saved);
    EXPECT_FALSE(outcome.changedSinceStart); // the store was older than the start
    EXPECT_EQ(store.match(QStringLiteral("1800")).toText(), QStringLiteral("C|||2||||H"));
    EXPECT_EQ(store.match(QStringLiteral("0100")).toText(), QStringLiteral("A|0|1|2|1|3|1|B"));
    EXPECT_EQ(store.newsText(), QStringLiteral("Bonjour"));
    EXPECT_EQ(stamp::parse(store.stamp(), 2013), Now);

    // The save itself is a change since a start that came before it.
    outcome = saveentries::save(store, {}, Now, modified.addSecs(-60));
    EXPECT_TRUE(outcome.changedSinceStart);
    EXPECT_FALSE(saveentries::changedSince(folder.file(QStringLiteral("absent.ini")), Now));
}

TEST(SaveEntries, AFailedSaveWritesNothing)
{
    TestFolder folder;
    ResultStore store(folder.path() + QStringLiteral("/no-such-folder"));
    const saveentries::Outcome outcome =
        saveentries::save(store, {typed(QStringLiteral("0100"), QStringLiteral("A|||1|0|||B"))}, Now, Now);
    EXPECT_FALSE(outcome.saved);
    EXPECT_FALSE(QFile::exists(store.path()));
}
