#include "online/core/saveentries.h"

#include "testfolder.h"

#include "online/core/stamp.h"
#include "season/core/resultstore.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

const QDateTime Now(QDate(2013, 12, 7), QTime(22, 15));

saveentries::TypedRow typed(const QString &key, const QString &record)
{
    return {key, MatchRecord::fromText(record)};
}

} // namespace

TEST(SaveEntries, StampThenOnlyRowsWithAHomeScore)
{
    const QList<IniFile::Entry> entries =
        saveentries::entriesOf({typed(QStringLiteral("1800"), QStringLiteral("C|||2||||H")),
                                typed(QStringLiteral("1801"), QStringLiteral("A|1|2||3|0|0|B")), // no home score
                                typed(QStringLiteral("1802"), QStringLiteral("D||| 0 |-|||E")),
                                typed(QString(), QStringLiteral("F|||1|1|||G"))}, // a row with no fixture
                               Now);
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0].section, QStringLiteral("Maj"));
    EXPECT_EQ(entries[0].key, QStringLiteral("Maj"));
    EXPECT_EQ(entries[0].value, QStringLiteral("07 déc. 22:15"));
    EXPECT_EQ(entries[1].section, QStringLiteral("Resultats"));
    EXPECT_EQ(entries[1].key, QStringLiteral("1800"));
    EXPECT_EQ(entries[1].value, QStringLiteral("C|||2||||H"));
    EXPECT_EQ(entries[2].value, QStringLiteral("D||| 0 |-|||E")); // as typed, untrimmed
}

TEST(SaveEntries, CharactersThatWouldBreakTheRecordAreDropped)
{
    MatchRecord record = MatchRecord::fromText(QStringLiteral("A|||2|1|||B"));
    record[MatchRecord::HomeYellow] = QStringLiteral("1|2");
    record[MatchRecord::AwayGoals] = QStringLiteral("1\n");
    const QList<IniFile::Entry> entries = saveentries::entriesOf({{QStringLiteral("0100"), record}}, Now);
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[1].value, QStringLiteral("A||12|2|1|||B"));
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
