// Where the program keeps its data: beside the executable when it may write
// there, else in the per-user folder seeded from the installed season,
// without ever overwriting the user's own store or an interrupted update.
#include "shell/core/programfolder.h"

#include "testfolder.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSet>

#include <csignal>

#include <sys/resource.h>

namespace {

class ProgramFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QDir(root.path()).mkpath(QStringLiteral("bin"));
        QDir(root.path()).mkpath(QStringLiteral("share/kestrane"));
        places.executableFolder = root.file(QStringLiteral("bin"));
        places.installedSeason = {root.file(QStringLiteral("nowhere")), root.file(QStringLiteral("share/kestrane"))};
        places.userFolder = root.file(QStringLiteral("home/.local/share/kestrane"));
        // Root writes anywhere: the folders the test calls read-only are told here.
        places.isWritable = [this](const QString &path) { return !readOnly.contains(QDir::cleanPath(path)); };
    }
    void season(const QString &folder, const QByteArray &store = "[Resultats]\r\n0100=A|0|0|1|0|0|0|B\r\n")
    {
        root.write(folder + QStringLiteral("/2013.txt"), "EQU|Alpha\r\n");
        if (!store.isEmpty())
            root.write(folder + QStringLiteral("/Resultats2013.ini"), store);
    }
    void makeReadOnly(const QString &path) { readOnly.insert(QDir::cleanPath(root.file(path))); }
    QString user(const QString &name) const { return places.userFolder + u'/' + name; }

    TestFolder root;
    programfolder::Places places;
    QSet<QString> readOnly;
};

TEST_F(ProgramFolder, TheCommandLineFolderWins)
{
    season(QStringLiteral("bin"));
    places.commandLine = root.file(QStringLiteral("elsewhere"));
    const programfolder::Choice choice = programfolder::choose(places);
    EXPECT_EQ(choice.path, root.file(QStringLiteral("elsewhere")));
    EXPECT_FALSE(QDir(places.userFolder).exists());
}

TEST_F(ProgramFolder, AWritableFolderHoldingTheSeasonStaysTheProgramFolder)
{
    season(QStringLiteral("bin"));
    const programfolder::Choice choice = programfolder::choose(places);
    EXPECT_EQ(choice.path, places.executableFolder);
    EXPECT_FALSE(choice.seeded);
    EXPECT_FALSE(QDir(places.userFolder).exists());
}

TEST_F(ProgramFolder, AReadOnlyProgramFolderSeedsTheUserFolderWithWritableCopies)
{
    season(QStringLiteral("bin"));
    makeReadOnly(QStringLiteral("bin"));
    QFile::setPermissions(root.file(QStringLiteral("bin/Resultats2013.ini")), QFileDevice::ReadOwner);
    const programfolder::Choice choice = programfolder::choose(places);
    EXPECT_EQ(choice.path, places.userFolder);
    EXPECT_TRUE(choice.seeded);
    EXPECT_TRUE(choice.warning.isEmpty());
    EXPECT_EQ(root.read(QStringLiteral("home/.local/share/kestrane/2013.txt")), QByteArray("EQU|Alpha\r\n"));
    EXPECT_TRUE(QFile::permissions(user(QStringLiteral("Resultats2013.ini"))) & QFileDevice::WriteOwner);
}

TEST_F(ProgramFolder, AReadOnlyStoreBesideTheExecutableCountsAsReadOnly)
{
    season(QStringLiteral("bin"));
    makeReadOnly(QStringLiteral("bin/Resultats2013.ini"));
    EXPECT_EQ(programfolder::choose(places).path, places.userFolder);
}

TEST_F(ProgramFolder, AnInstalledCopySeedsFromTheFirstInstalledSeason)
{
    season(QStringLiteral("share/kestrane"));
    const programfolder::Choice choice = programfolder::choose(places);
    EXPECT_EQ(choice.path, places.userFolder);
    EXPECT_TRUE(choice.seeded);
    EXPECT_TRUE(QFile::exists(user(QStringLiteral("2013.txt"))));
    EXPECT_TRUE(QFile::exists(user(QStringLiteral("Resultats2013.ini"))));
}

TEST_F(ProgramFolder, TheUsersOwnStoreIsNeverReplaced)
{
    season(QStringLiteral("share/kestrane"));
    QDir().mkpath(places.userFolder);
    root.write(QStringLiteral("home/.local/share/kestrane/Resultats2013.ini"), "mine");
    programfolder::Choice choice = programfolder::choose(places);
    EXPECT_TRUE(choice.seeded) << "the missing season is copied";
    EXPECT_EQ(root.read(QStringLiteral("home/.local/share/kestrane/Resultats2013.ini")), QByteArray("mine"));

    choice = programfolder::choose(places);
    EXPECT_FALSE(choice.seeded);
    EXPECT_EQ(root.read(QStringLiteral("home/.local/share/kestrane/Resultats2013.ini")), QByteArray("mine"));
}

TEST_F(ProgramFolder, AnInterruptedUpdateKeepsItsBackupInChargeOfTheStore)
{
    season(QStringLiteral("share/kestrane"));
    QDir().mkpath(places.userFolder);
    root.write(QStringLiteral("home/.local/share/kestrane/Resultats2013.BU"), "latest results");
    const programfolder::Choice choice = programfolder::choose(places);
    EXPECT_EQ(choice.path, places.userFolder);
    EXPECT_TRUE(QFile::exists(user(QStringLiteral("2013.txt"))));
    EXPECT_FALSE(QFile::exists(user(QStringLiteral("Resultats2013.ini"))))
        << "the installed store would hide the backup the program puts back";
}

TEST_F(ProgramFolder, WithoutAUserFolderTheSeasonIsReadWhereItLies)
{
    season(QStringLiteral("share/kestrane"));
    root.write(QStringLiteral("home"), "a file where the folder should be");
    const programfolder::Choice choice = programfolder::choose(places);
    EXPECT_EQ(choice.path, root.file(QStringLiteral("share/kestrane")));
    EXPECT_FALSE(choice.warning.isEmpty());
}

// The folder's permissions change between two starts: the store in use
// stays in use, and the results of the other period are never silently lost.
class FolderSwitch : public ProgramFolder
{
protected:
    void SetUp() override
    {
        ProgramFolder::SetUp();
        places.now = QDateTime(QDate(2013, 12, 5), QTime(20, 0, 7));
        season(QStringLiteral("bin"), Older);
        age(QStringLiteral("bin/Resultats2013.ini"), 3);
        QDir().mkpath(places.userFolder);
    }
    void age(const QString &path, int daysAgo)
    {
        QFile f(root.file(path));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(places.now.addDays(-daysAgo), QFileDevice::FileModificationTime));
    }
    void userStore(const QByteArray &bytes, int daysAgo)
    {
        root.write(QStringLiteral("home/.local/share/kestrane/Resultats2013.ini"), bytes);
        age(QStringLiteral("home/.local/share/kestrane/Resultats2013.ini"), daysAgo);
    }
    // The next start, with what this one asked to remember.
    programfolder::Choice restart(const programfolder::Choice &previous)
    {
        places.rememberedFolder = previous.rememberFolder;
        places.toldDifference = previous.difference;
        return programfolder::choose(places);
    }

    const QByteArray Older = "[Resultats]\r\n0100=A|0|0|1|0|0|0|B\r\n";
    const QByteArray Newer = "[Resultats]\r\n0100=A|0|0|1|0|0|0|B\r\n0101=C|0|0|2|2|0|0|D\r\n";
};

TEST_F(FolderSwitch, WritableAgainTheProgramFolderDoesNotBringBackItsOlderStore)
{
    // Saved in the user folder while the program folder was read-only.
    userStore(Newer, 1);
    const programfolder::Choice choice = programfolder::choose(places);
    EXPECT_EQ(choice.path, places.userFolder);
    EXPECT_TRUE(choice.notice.contains(user(QStringLiteral("Resultats2013.ini")))) << choice.notice.toStdString();
    EXPECT_TRUE(choice.notice.contains(QStringLiteral("plus récent"))) << choice.notice.toStdString();
    EXPECT_EQ(root.read(QStringLiteral("bin/Resultats2013.ini")), Older) << "nothing is written over either";

    // Told once; the choice stays.
    const programfolder::Choice next = restart(choice);
    EXPECT_EQ(next.path, places.userFolder);
    EXPECT_TRUE(next.notice.isEmpty());
}

TEST_F(FolderSwitch, ReadOnlyAgainTheNewerStoreOfTheProgramFolderIsCopiedAndTheOlderKept)
{
    // An older store from a read-only period, then newer results saved in
    // the program folder once it was writable; now it is read-only again.
    userStore(Older + "; mon ancien fichier\r\n", 10);
    root.write(QStringLiteral("bin/Resultats2013.ini"), Newer);
    age(QStringLiteral("bin/Resultats2013.ini"), 1);
    makeReadOnly(QStringLiteral("bin"));
    const QString userStorePath = QStringLiteral("home/.local/share/kestrane/Resultats2013.ini");
    const QString kept = QStringLiteral("home/.local/share/kestrane/Resultats2013-ancien-20131205-200007.ini");

    // A disk that cannot take the copy whole: the user's store stays in its
    // place, whole, and in use.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = rlim_t(Newer.size() / 2);
    setrlimit(RLIMIT_FSIZE, &small);
    const programfolder::Choice refused = programfolder::choose(places);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(refused.path, places.userFolder);
    EXPECT_EQ(root.read(userStorePath), Older + "; mon ancien fichier\r\n");
    EXPECT_FALSE(QFileInfo::exists(root.file(kept)));
    EXPECT_TRUE(refused.notice.contains(QStringLiteral("n'ont pas pu y être recopiés")))
        << refused.notice.toStdString();

    const programfolder::Choice choice = programfolder::choose(places);
    EXPECT_EQ(choice.path, places.userFolder);
    EXPECT_EQ(root.read(userStorePath), Newer);
    EXPECT_EQ(root.read(QStringLiteral("home/.local/share/kestrane/Resultats2013-ancien-20131205-200007.ini")),
              Older + "; mon ancien fichier\r\n");
    EXPECT_TRUE(choice.notice.contains(QStringLiteral("Resultats2013-ancien-20131205-200007.ini")))
        << choice.notice.toStdString();

    // Both now hold the same results: nothing more to say.
    EXPECT_TRUE(restart(choice).notice.isEmpty());
    EXPECT_EQ(restart(choice).path, places.userFolder);
}

TEST_F(FolderSwitch, TheOnlyStoreIsUsedWhereverItLies)
{
    // A program folder without a store, a user folder with one: the store
    // is where the results are.
    QFile::remove(root.file(QStringLiteral("bin/Resultats2013.ini")));
    userStore(Newer, 1);
    EXPECT_EQ(programfolder::choose(places).path, places.userFolder);
}

TEST_F(FolderSwitch, TheSameStoreInBothPlacesStaysWhereItLived)
{
    userStore(Older, 1);
    places.rememberedFolder = places.userFolder;
    programfolder::Choice choice = programfolder::choose(places);
    EXPECT_EQ(choice.path, places.userFolder);
    EXPECT_TRUE(choice.notice.isEmpty());
    places.rememberedFolder = places.executableFolder;
    choice = programfolder::choose(places);
    EXPECT_EQ(choice.path, places.executableFolder);
    EXPECT_EQ(choice.rememberFolder, places.executableFolder);

    // Last used in the program folder, which is now read-only: the same
    // store in the user folder takes over, where a save can land.
    makeReadOnly(QStringLiteral("bin"));
    choice = programfolder::choose(places);
    EXPECT_EQ(choice.path, places.userFolder);
    EXPECT_TRUE(choice.notice.isEmpty());
}

} // namespace
