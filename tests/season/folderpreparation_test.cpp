#include "season/core/folderpreparation.h"

#include "season/core/inifile.h"
#include "season/core/resultstore.h"

#include "specialfiles.h"
#include "testfolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>

namespace {

const QDateTime Now(QDate(2013, 12, 5), QTime(20, 0));
// A store as the update's rules accept it: its sections, each line ended.
const QByteArray Store = "[Resultats]\r\n0100=A|0|0|1|0|0|0|B\r\n[Maj]\r\nMaj=05 dec 19:00\r\n[CV]\r\nCV=1.3\r\n";

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

TEST(PrepareProgramFolder, RemovesOnlyTheProgramsOwnOldTemporariesAndKeepsEverythingElse)
{
    TestFolder folder;
    folder.write(ResultStore::FileName, "[Maj]\r\nMaj=1\r\n");
    // The user's own copies look like leftovers of other programs' saves:
    // they all stay, whatever their age.
    const QStringList names = {QStringLiteral("Resultats2013.ini.Ab12Cd"), QStringLiteral("Resultats2013.ini.backup"),
                               QStringLiteral("Resultats2013.ini.sauve1"), QStringLiteral("Resultats2013.ini.lock"),
                               QStringLiteral("Resultats2013.ini.kestrane-AB12CD.tmp"),
                               QStringLiteral("Resultats2013.ini.kestrane-ab12cd.tmp"),
                               QStringLiteral("Resultats2013.ini.kestrane-young1.tmp"),
                               QStringLiteral("don.K1.kestrane-x1y2z3.tmp"),
                               // The mark alone, with no file's name before it.
                               QStringLiteral(".kestrane-abc123.tmp")};
    for (const QString &name : names) {
        folder.write(name, "[Resultats]\r\n");
        setAge(folder.file(name), Now.addSecs(-120));
    }
    // A save may still need a young one.
    setAge(folder.file(QStringLiteral("Resultats2013.ini.kestrane-young1.tmp")), Now.addSecs(-30));

    const FolderPreparation prepared = prepareProgramFolder(folder.path(), Now);
    QStringList removed = prepared.removedLeftovers;
    removed.sort();
    EXPECT_EQ(removed, QStringList({QStringLiteral("Resultats2013.ini.kestrane-ab12cd.tmp"),
                                    QStringLiteral("don.K1.kestrane-x1y2z3.tmp")}));
    EXPECT_FALSE(prepared.restoredBackup);
    EXPECT_TRUE(prepared.storeReadable());
    // The lock file of a writer long gone went with the lock taken over it.
    EXPECT_EQ(files(folder),
              QStringList({QStringLiteral(".kestrane-abc123.tmp"), QStringLiteral("Resultats2013.ini"),
                           QStringLiteral("Resultats2013.ini.Ab12Cd"), QStringLiteral("Resultats2013.ini.backup"),
                           QStringLiteral("Resultats2013.ini.kestrane-AB12CD.tmp"),
                           QStringLiteral("Resultats2013.ini.kestrane-young1.tmp"),
                           QStringLiteral("Resultats2013.ini.sauve1")}));
    EXPECT_EQ(folder.read(ResultStore::FileName), "[Maj]\r\nMaj=1\r\n");
}

TEST(PrepareProgramFolder, PutsBackTheBackupOfAnInterruptedUpdateOnly)
{
    TestFolder folder;
    folder.write(ResultStore::BackupName, Store);
    FolderPreparation prepared = prepareProgramFolder(folder.path(), Now);
    EXPECT_TRUE(prepared.restoredBackup);
    EXPECT_TRUE(prepared.backupProblem.isEmpty());
    EXPECT_TRUE(prepared.storeReadable());
    EXPECT_EQ(files(folder), QStringList({ResultStore::FileName}));
    EXPECT_EQ(folder.read(ResultStore::FileName), Store);

    // With a store in place the backup is not the truth: both stay.
    folder.write(ResultStore::BackupName, "[Maj]\r\nMaj=older\r\n[CV]\r\nCV=1.3\r\n");
    prepared = prepareProgramFolder(folder.path(), Now);
    EXPECT_FALSE(prepared.restoredBackup);
    EXPECT_EQ(folder.read(ResultStore::FileName), Store);
    EXPECT_EQ(folder.read(ResultStore::BackupName), "[Maj]\r\nMaj=older\r\n[CV]\r\nCV=1.3\r\n");
}

// A backup is put back only when it could be the store: an export that went
// through a dangling link, a FIFO, anything the check refuses stays where it
// is, and the reason is told.
TEST(PrepareProgramFolder, ABackupThatIsNoStoreIsToldAndNotPutBack)
{
    const StoreCheck refuseAll = [](const QByteArray &) { return QStringLiteral("refusé par la règle"); };
    struct Row
    {
        const char *what;
        QByteArray bytes; // written as the backup unless empty
        bool fifo;
        StoreCheck check;
        const char *reason;
    };
    const Row rows[] = {
        {"a web page",
         "<!DOCTYPE html>\n<html><body>Classement</body></html>\n",
         false,
         {},
         "ce n'est pas un fichier de résultats"},
        {"a spreadsheet", "Rang;Equipe;Points\r\n1;Alpha;3\r\n", false, {}, "ce n'est pas un fichier de résultats"},
        {"a FIFO", {}, true, {}, "ce n'est pas un fichier ordinaire"},
        {"a store the check refuses", Store, false, refuseAll, "refusé par la règle"},
    };
    for (const Row &row : rows) {
        TestFolder folder;
        if (row.fifo)
            ASSERT_TRUE(specialfiles::makeFifo(folder.file(ResultStore::BackupName)));
        else
            folder.write(ResultStore::BackupName, row.bytes);
        const FolderPreparation prepared = prepareProgramFolder(folder.path(), Now, row.check);
        EXPECT_FALSE(prepared.restoredBackup) << row.what;
        EXPECT_EQ(prepared.backupProblem, QStringLiteral("La sauvegarde Resultats2013.BU d'une mise à jour "
                                                         "interrompue n'a pas été remise en place : %1.")
                                              .arg(QString::fromUtf8(row.reason)))
            << row.what;
        EXPECT_FALSE(QFileInfo::exists(folder.file(ResultStore::FileName))) << row.what;
        EXPECT_TRUE(QFileInfo(folder.file(ResultStore::BackupName)).exists()) << row.what;
    }
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

// Whatever stands at the store's path, the preparation answers at once.
TEST(PrepareProgramFolder, AStoreThatIsNoRegularFileOrTooLargeIsUnreadable)
{
    using namespace specialfiles;
    struct Row
    {
        const char *what;
        std::function<bool(const QString &path)> make;
        const char *reason;
    };
    const Row rows[] = {
        {"a FIFO", [](const QString &path) { return makeFifo(path); }, "ce n'est pas un fichier ordinaire"},
        {"a link to /dev/zero", [](const QString &path) { return makeLink("/dev/zero", path); },
         "ce n'est pas un fichier ordinaire"},
        {"over 16 MB",
         [](const QString &path) {
             QFile file(path);
             return file.open(QIODevice::WriteOnly) && file.write("[Resultats]\r\n") > 0
                    && file.resize(IniFile::MaxFileBytes + 1);
         },
         "le fichier dépasse 16 Mo"},
    };
    for (const Row &row : rows) {
        TestFolder folder;
        const QString path = folder.file(ResultStore::FileName);
        ASSERT_TRUE(row.make(path)) << row.what;
        const FolderPreparation prepared = prepareProgramFolder(folder.path(), Now);
        EXPECT_EQ(prepared.storeProblem,
                  QStringLiteral("Impossible de lire Resultats2013.ini : %1.").arg(QString::fromUtf8(row.reason)))
            << row.what;
        // Every read yields its default and no write goes through.
        IniFile store(path);
        EXPECT_EQ(store.read(QStringLiteral("Resultats"), QStringLiteral("0100"), QStringLiteral("|||||||")),
                  QStringLiteral("|||||||"))
            << row.what;
        EXPECT_FALSE(store.write(QStringLiteral("Maj"), QStringLiteral("Maj"), QStringLiteral("05 déc 20:00")))
            << row.what;
    }
}

TEST(PrepareProgramFolder, AStoreWithoutAnySectionReadsAsNoResultsButIsToldApart)
{
    TestFolder folder;
    folder.write(ResultStore::FileName, "<!DOCTYPE html>\n<html><body>Classement</body></html>\n");
    FolderPreparation prepared = prepareProgramFolder(folder.path(), Now);
    EXPECT_TRUE(prepared.storeReadable());
    EXPECT_EQ(prepared.storeWarning, QStringLiteral("Resultats2013.ini n'est pas un fichier de résultats : il ne "
                                                    "contient aucune section. Le programme le lit comme un fichier "
                                                    "sans résultat."));

    // An empty store is a store without results yet, nothing to say.
    folder.write(ResultStore::FileName, "");
    prepared = prepareProgramFolder(folder.path(), Now);
    EXPECT_TRUE(prepared.storeWarning.isEmpty());
    folder.write(ResultStore::FileName, Store);
    EXPECT_TRUE(prepareProgramFolder(folder.path(), Now).storeWarning.isEmpty());
}

TEST(PrepareProgramFolder, AStoreThatCannotBeReadIsReportedInFrench)
{
    TestFolder folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir(ResultStore::FileName));
    const FolderPreparation prepared = prepareProgramFolder(folder.path(), Now);
    EXPECT_FALSE(prepared.storeReadable());
    EXPECT_EQ(prepared.storeProblem,
              QStringLiteral("Impossible de lire Resultats2013.ini : c'est un dossier, pas un fichier."));
    EXPECT_TRUE(QFileInfo(folder.file(ResultStore::FileName)).isDir());

    // A backup does not replace a store that is there, readable or not.
    folder.write(ResultStore::BackupName, "[Maj]\r\nMaj=old\r\n");
    EXPECT_FALSE(prepareProgramFolder(folder.path(), Now).restoredBackup);

    EXPECT_EQ(storeReadProblem(folder.file(QStringLiteral("absent.ini"))), QString());
    EXPECT_EQ(storeReadProblem(folder.file(ResultStore::BackupName)), QString());
}
