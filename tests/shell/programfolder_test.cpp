// Where the program keeps its data: beside the executable when it may write
// there, else in the per-user folder seeded from the installed season,
// without ever overwriting the user's own store or an interrupted update.
#include "shell/core/programfolder.h"

#include "testfolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSet>

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

} // namespace
