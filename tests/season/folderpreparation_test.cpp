#include "season/core/folderpreparation.h"

#include "season/core/resultstore.h"

#include "testfolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QDateTime Now(QDate(2013, 12, 5), QTime(20, 0));

void setAge(const QString &path, const QDateTime &modified)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(modified, QFileDevice::FileModificationTime));
}

QStringList files(const TestFolder &folder)
{
    return QDir(folder.path()).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

TEST(PrepareProgramFolder, RemovesOldLeftoversOfSavesAndKeepsEverythingElse)
{
    TestFolder folder;
    folder.write(ResultStore::FileName, "[Maj]\r\nMaj=1\r\n");
    const QStringList names = {QStringLiteral("Resultats2013.ini.Ab12Cd"), QStringLiteral("Resultats2013.ini.young1"),
                               QStringLiteral("Resultats2013.ini.lock"), QStringLiteral("Resultats2013.ini.abc"),
                               QStringLiteral("Resultats2013.ini.ab-cd_"), QStringLiteral("Autre.ini.Ab12Cd"),
                               QStringLiteral("Resultats2013.ini.bak123")};
    for (const QString &name : names) {
        folder.write(name, "[Resultats]\r\n");
        setAge(folder.file(name), Now.addSecs(-120));
    }
    setAge(folder.file(QStringLiteral("Resultats2013.ini.young1")), Now.addSecs(-30)); // a save may still need it

    const FolderPreparation prepared = prepareProgramFolder(folder.path(), Now);
    EXPECT_EQ(prepared.removedLeftovers, QStringList({QStringLiteral("Resultats2013.ini.Ab12Cd"),
                                                      QStringLiteral("Resultats2013.ini.bak123")}));
    EXPECT_FALSE(prepared.restoredBackup);
    EXPECT_TRUE(prepared.storeReadable());
    // The lock file of a writer long gone went with the lock taken over it.
    EXPECT_EQ(files(folder), QStringList({QStringLiteral("Autre.ini.Ab12Cd"), QStringLiteral("Resultats2013.ini"),
                                          QStringLiteral("Resultats2013.ini.ab-cd_"), QStringLiteral("Resultats2013.ini.abc"),
                                          QStringLiteral("Resultats2013.ini.young1")}));
    EXPECT_EQ(folder.read(ResultStore::FileName), "[Maj]\r\nMaj=1\r\n");
}

TEST(PrepareProgramFolder, PutsBackTheBackupOfAnInterruptedUpdateOnly)
{
    TestFolder folder;
    folder.write(ResultStore::BackupName, "[Maj]\r\nMaj=old\r\n");
    FolderPreparation prepared = prepareProgramFolder(folder.path(), Now);
    EXPECT_TRUE(prepared.restoredBackup);
    EXPECT_TRUE(prepared.storeReadable());
    EXPECT_EQ(files(folder), QStringList({ResultStore::FileName}));
    EXPECT_EQ(folder.read(ResultStore::FileName), "[Maj]\r\nMaj=old\r\n");

    // With a store in place the backup is not the truth: both stay.
    folder.write(ResultStore::BackupName, "[Maj]\r\nMaj=older\r\n");
    prepared = prepareProgramFolder(folder.path(), Now);
    EXPECT_FALSE(prepared.restoredBackup);
    EXPECT_EQ(folder.read(ResultStore::FileName), "[Maj]\r\nMaj=old\r\n");
    EXPECT_EQ(folder.read(ResultStore::BackupName), "[Maj]\r\nMaj=older\r\n");
}

TEST(PrepareProgramFolder, AnEmptyFolderNeedsNothingAndIsLeftUntouched)
{
    TestFolder folder;
    const FolderPreparation prepared = prepareProgramFolder(folder.path(), Now);
    EXPECT_FALSE(prepared.restoredBackup);
    EXPECT_TRUE(prepared.removedLeftovers.isEmpty());
    EXPECT_TRUE(prepared.storeReadable()); // no store is "no results yet"
    EXPECT_TRUE(files(folder).isEmpty());
}

TEST(PrepareProgramFolder, AStoreThatCannotBeReadIsReportedInFrench)
{
    TestFolder folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir(ResultStore::FileName));
    const FolderPreparation prepared = prepareProgramFolder(folder.path(), Now);
    EXPECT_FALSE(prepared.storeReadable());
    EXPECT_EQ(prepared.storeProblem, QStringLiteral("Impossible de lire Resultats2013.ini : c'est un dossier, pas un fichier."));
    EXPECT_TRUE(QFileInfo(folder.file(ResultStore::FileName)).isDir());

    // A backup does not replace a store that is there, readable or not.
    folder.write(ResultStore::BackupName, "[Maj]\r\nMaj=old\r\n");
    EXPECT_FALSE(prepareProgramFolder(folder.path(), Now).restoredBackup);

    EXPECT_EQ(storeReadProblem(folder.file(QStringLiteral("absent.ini"))), QString());
    EXPECT_EQ(storeReadProblem(folder.file(ResultStore::BackupName)), QString());
}
