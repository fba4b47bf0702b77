#include "season/core/resultstore.h"

#include "testfolder.h"

#include <gtest/gtest.h>

#include <QFileInfo>

TEST(MatchRecord, SplitsIntoEightFields)
{
    const MatchRecord record = MatchRecord::fromText(QStringLiteral("A|0|1|2|1|3|1|B"));
    EXPECT_EQ(record[MatchRecord::HomeLetter], QStringLiteral("A"));
    EXPECT_EQ(record[MatchRecord::HomeRed], QStringLiteral("0"));
    EXPECT_EQ(record[MatchRecord::HomeYellow], QStringLiteral("1"));
    EXPECT_EQ(record[MatchRecord::HomeGoals], QStringLiteral("2"));
    EXPECT_EQ(record[MatchRecord::AwayGoals], QStringLiteral("1"));
    EXPECT_EQ(record[MatchRecord::AwayYellow], QStringLiteral("3"));
    EXPECT_EQ(record[MatchRecord::AwayRed], QStringLiteral("1"));
    EXPECT_EQ(record[MatchRecord::AwayLetter], QStringLiteral("B"));
    EXPECT_EQ(record.toText(), QStringLiteral("A|0|1|2|1|3|1|B"));
}

TEST(MatchRecord, ShortAndLongTexts)
{
    const MatchRecord shortRecord = MatchRecord::fromText(QStringLiteral("A| 2 "));
    EXPECT_EQ(shortRecord[MatchRecord::HomeRed], QStringLiteral(" 2 "));
    EXPECT_EQ(shortRecord[MatchRecord::AwayLetter], QString());
    EXPECT_EQ(shortRecord.toText(), QStringLiteral("A| 2 ||||||"));

    const MatchRecord longRecord = MatchRecord::fromText(QStringLiteral("A|0|0|1|1|0|0|B|extra|more"));
    EXPECT_EQ(longRecord[MatchRecord::AwayLetter], QStringLiteral("B"));
    EXPECT_EQ(longRecord.toText(), QStringLiteral("A|0|0|1|1|0|0|B"));

    EXPECT_TRUE(MatchRecord::fromText(QString()).isEmpty());
    EXPECT_EQ(MatchRecord().toText(), MatchRecord::EmptyText);
}

TEST(ResultStore, ReadsAFixtureResult)
{
    TestFolder folder;
    folder.write(ResultStore::FileName, "[Resultats]\r\n0100=A|0|1|2|1|3|1|B\r\n");
    const ResultStore store(folder.path());
    const MatchRecord record = store.match(QStringLiteral("0100"));
    ASSERT_FALSE(record.isEmpty());
    EXPECT_EQ(Season::teamNoOfLetter(record[MatchRecord::HomeLetter].at(0)), 0);
    EXPECT_EQ(Season::teamNoOfLetter(record[MatchRecord::AwayLetter].at(0)), 1);
    EXPECT_EQ(record[MatchRecord::HomeGoals], QStringLiteral("2"));
    EXPECT_EQ(record[MatchRecord::AwayGoals], QStringLiteral("1"));
    EXPECT_EQ(record[MatchRecord::HomeRed], QStringLiteral("0"));
    EXPECT_EQ(record[MatchRecord::HomeYellow], QStringLiteral("1"));
    EXPECT_EQ(record[MatchRecord::AwayYellow], QStringLiteral("3"));
    EXPECT_EQ(record[MatchRecord::AwayRed], QStringLiteral("1"));
}

TEST(ResultStore, EmptyRecordIsNoResultButANilDrawIsPlayed)
{
    TestFolder folder;
    folder.write(ResultStore::FileName, "[Resultats]\r\n0101=|||||||\r\n0102=A|||0|0|||B\r\n");
    const ResultStore store(folder.path());
    EXPECT_TRUE(store.match(QStringLiteral("0101")).isEmpty());
    EXPECT_EQ(store.match(QStringLiteral("0101")).fields, store.match(QStringLiteral("0103")).fields);
    EXPECT_TRUE(store.match(QStringLiteral("0103")).isEmpty());
    const MatchRecord draw = store.match(QStringLiteral("0102"));
    EXPECT_FALSE(draw.isEmpty());
    EXPECT_EQ(draw[MatchRecord::HomeGoals], QStringLiteral("0"));
    EXPECT_EQ(draw[MatchRecord::AwayGoals], QStringLiteral("0"));
}

TEST(ResultStore, MissingStoreReadsAsEmptyAndFirstWriteCreatesIt)
{
    TestFolder folder;
    ResultStore store(folder.path());
    EXPECT_EQ(store.path(), folder.file(ResultStore::FileName));
    EXPECT_TRUE(store.match(QStringLiteral("0100")).isEmpty());
    EXPECT_EQ(store.stamp(), QString());
    EXPECT_EQ(store.newsText(), QString());
    EXPECT_EQ(store.version(), QString());
    BonusMalus table{};
    store.loadBonusMalus(table);
    for (float value : table)
        EXPECT_EQ(value, 0.0f);

    // Every write in place is announced, and only those.
    int changes = 0;
    QObject::connect(&store, &ResultStore::changed, [&changes] { ++changes; });
    MatchRecord record;
    record.fields = {"C", "0", " 1", "3 ", "0", "", "", "D"};
    EXPECT_TRUE(store.saveResults(QStringLiteral("07 dec. 22:15"), {{QStringLiteral("0203"), record}}));
    EXPECT_EQ(folder.read(ResultStore::FileName),
              "[Maj]\r\nMaj=07 dec. 22:15\r\n[Resultats]\r\n0203=C|0| 1|3 |0|||D\r\n");
    EXPECT_EQ(store.match(QStringLiteral("0203")).fields, record.fields);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(store.setAdjustment(20, QStringLiteral("1")));
    EXPECT_EQ(changes, 1);
}

TEST(ResultStore, StampNewsAndVersion)
{
    TestFolder folder;
    folder.write(ResultStore::FileName, "[Resultats]\r\n[Maj]\r\nMaj=06 d\xE9"
                                        "c. 20:00\r\n[Texte]\r\nTexte=Match report\xE9\r\n[CV]\r\nCV=1.3\r\n");
    const ResultStore store(folder.path());
    EXPECT_EQ(store.stamp(), QStringLiteral("06 déc. 20:00"));
    EXPECT_EQ(store.newsText(), QStringLiteral("Match reporté"));
    EXPECT_EQ(store.version(), QStringLiteral("1.3"));
}

TEST(ResultStore, BonusMalusFromTheStore)
{
    TestFolder folder;
    folder.write(ResultStore::FileName, "[BonMal]\r\nC=-2\r\nd=1.5\r\nE=abc\r\nF=\r\n");
    ResultStore store(folder.path());
    BonusMalus table{};
    table.fill(7.0f);
    store.loadBonusMalus(table);
    EXPECT_EQ(table[2], -2.0f);
    EXPECT_EQ(table[3], 1.5f);
    EXPECT_EQ(table[4], 0.0f); // present but not a number
    EXPECT_EQ(table[5], 7.0f); // empty: left as it was
    EXPECT_EQ(table[0], 7.0f);
    EXPECT_EQ(table[19], 7.0f);

    // A removed key does not reset the adjustment already loaded.
    folder.write(ResultStore::FileName, "[BonMal]\r\nD=1\r\n");
    store.loadBonusMalus(table);
    EXPECT_EQ(table[2], -2.0f);
    EXPECT_EQ(table[3], 1.0f);
}

TEST(ResultStore, WritesBonusMalusUnderTheTeamLetter)
{
    TestFolder folder;
    ResultStore store(folder.path());
    EXPECT_TRUE(store.setAdjustment(2, QStringLiteral("-3")));
    EXPECT_TRUE(store.setAdjustment(19, QStringLiteral("1")));
    EXPECT_FALSE(store.setAdjustment(20, QStringLiteral("1")));
    EXPECT_FALSE(store.setAdjustment(-1, QStringLiteral("1")));
    EXPECT_EQ(folder.read(ResultStore::FileName), "[BonMal]\r\nC=-3\r\nT=1\r\n");
}

TEST(ResultStore, RestoresTheBackupOfAnInterruptedUpdate)
{
    TestFolder folder;
    ResultStore store(folder.path());
    EXPECT_FALSE(store.restoreInterruptedUpdate());

    folder.write(ResultStore::BackupName, "[Maj]\r\nMaj=old\r\n");
    EXPECT_TRUE(store.restoreInterruptedUpdate());
    EXPECT_FALSE(QFileInfo::exists(folder.file(ResultStore::BackupName)));
    EXPECT_EQ(store.stamp(), QStringLiteral("old"));

    // With a store in place the backup is left alone.
    folder.write(ResultStore::BackupName, "[Maj]\r\nMaj=older\r\n");
    EXPECT_FALSE(store.restoreInterruptedUpdate());
    EXPECT_EQ(store.stamp(), QStringLiteral("old"));
    EXPECT_EQ(folder.read(ResultStore::BackupName), "[Maj]\r\nMaj=older\r\n");
}

TEST(ResultStore, AdjustmentsAreBoundedToThreeDigits)
{
    TestFolder folder;
    folder.write(ResultStore::FileName, "[BonMal]\r\nA=99999999999999999999\r\nB=-99999999999999999999\r\nC=999\r\n"
                                        "D=-1000\r\nE=1000.5\r\nF=-998.5\r\nG="
                                            + QByteArray(400, '9') + "\r\n");
    const ResultStore store(folder.path());
    BonusMalus table{};
    store.loadBonusMalus(table);
    EXPECT_EQ(table[0], 999.0f);
    EXPECT_EQ(table[1], -999.0f);
    EXPECT_EQ(table[2], 999.0f);
    EXPECT_EQ(table[3], -999.0f);
    EXPECT_EQ(table[4], 999.0f);
    EXPECT_EQ(table[5], -998.5f);
    EXPECT_EQ(table[6], 999.0f);
}

TEST(ResultStore, StoreSavedWithAByteOrderMarkReadsAsUtf8)
{
    TestFolder folder;
    // Without the mark skipped, the first header would not be one and every
    // result of the section would be lost.
    folder.write(ResultStore::FileName, "\xEF\xBB\xBF[Resultats]\r\n0100=A|0|1|2|1|3|1|B\r\n"
                                        "[Texte]\r\nTexte=Report\xC3\xA9 \xC3\xA0 no\xC3\xABl\r\n");
    ResultStore store(folder.path());
    EXPECT_EQ(store.match(QStringLiteral("0100")).toText(), QStringLiteral("A|0|1|2|1|3|1|B"));
    EXPECT_EQ(store.newsText(), QStringLiteral("Reporté à noël"));

    // What the program writes into it is UTF-8 too, and the mark stays.
    EXPECT_TRUE(store.saveResults(QStringLiteral("06 déc. 20:00"), {}));
    const QByteArray bytes = folder.read(ResultStore::FileName);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF[Resultats]\r\n"));
    EXPECT_TRUE(bytes.endsWith("[Maj]\r\nMaj=06 d\xC3\xA9"
                               "c. 20:00\r\n"));
    EXPECT_EQ(store.stamp(), QStringLiteral("06 déc. 20:00"));
}
