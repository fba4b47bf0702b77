#include "season/core/usersettings.h"

#include "specialfiles.h"
#include "testfolder.h"

#include <gtest/gtest.h>

#include <QDir>

TEST(UserSettings, SectionsAndKeysIgnoreCase)
{
    TestFolder folder;
    auto settings = UserSettings::atFile(folder.file("settings.ini"));
    settings->write(settingkeys::DataSection, settingkeys::FavouriteTeam, QStringLiteral("Stade Rennais"));
    settings->write(settingkeys::DonorsSection, settingkeys::DonorsFetched, QStringLiteral("06/12/2013 20:00:00"));
    EXPECT_EQ(settings->read("data", "ep"), QStringLiteral("Stade Rennais"));
    EXPECT_EQ(settings->read("DATA", "Ep"), QStringLiteral("Stade Rennais"));
    EXPECT_EQ(settings->read("Data", "VSET"), QStringLiteral("06/12/2013 20:00:00"));

    settings->write("data", "EP", QStringLiteral("Aucune"));
    EXPECT_EQ(settings->read(settingkeys::DataSection, settingkeys::FavouriteTeam), QStringLiteral("Aucune"));
}

TEST(UserSettings, AbsentKeysGiveTheDefault)
{
    TestFolder folder;
    auto settings = UserSettings::atFile(folder.file("settings.ini"));
    EXPECT_EQ(settings->read(settingkeys::DonorsSection, settingkeys::DonorsFetched, "-"), QStringLiteral("-"));
    EXPECT_EQ(settings->read(settingkeys::DataSection, settingkeys::AutoUpdate), QString());
}

TEST(UserSettings, ValuesOutliveTheObjectAsText)
{
    TestFolder folder;
    const QString path = folder.file("settings.ini");
    {
        auto settings = UserSettings::atFile(path);
        EXPECT_EQ(settings->fileName(), path);
        settings->write(settingkeys::DataSection, settingkeys::AutoUpdate, QStringLiteral("1"));
        settings->write(settingkeys::DataSection, settingkeys::HighlightFavourite, QStringLiteral("0"));
        settings->write(settingkeys::DataSection, settingkeys::FavouriteTeam, QStringLiteral("Évian TG, \"FC\" / x=y"));
    }
    EXPECT_TRUE(QFile::exists(path));
    auto again = UserSettings::atFile(path);
    EXPECT_EQ(again->read("Data", "C4"), QStringLiteral("1"));
    EXPECT_EQ(again->read("Data", "C5"), QStringLiteral("0"));
    EXPECT_EQ(again->read("Data", "EP"), QStringLiteral("Évian TG, \"FC\" / x=y"));
}

TEST(UserSettings, ApplicationSettingsLiveInTheUsersConfigurationFolder)
{
    // The test program points the configuration folder at a temporary home.
    const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    ASSERT_FALSE(configHome.isEmpty());
    UserSettings settings(QStringLiteral("Kestrane1"));
    settings.write("Data", "C6", "1");
    EXPECT_EQ(settings.fileName(), QDir(configHome).filePath("Kestrane1/Kestrane1.ini"));
    EXPECT_TRUE(QFile::exists(settings.fileName()));
    EXPECT_EQ(UserSettings(QStringLiteral("Kestrane1")).read("data", "c6"), QStringLiteral("1"));
    EXPECT_EQ(UserSettings(QStringLiteral("Autre")).read("data", "c6", "0"), QStringLiteral("0"));
}

// A FIFO at the settings file's path, at the start or later, is neither read
// nor written: the run keeps its settings in memory and can tell why.
TEST(UserSettings, AFifoInPlaceOfTheFileIsLeftAloneAndTheRunGoesOn)
{
    TestFolder folder;
    const specialfiles::WatchedFifo fifo(folder.file("fifo.ini"));
    ASSERT_TRUE(fifo.made());
    auto settings = UserSettings::atFile(folder.file("fifo.ini"));
    EXPECT_EQ(settings->read("data", "ep", "-"), QStringLiteral("-"));
    settings->write("Data", "EP", QStringLiteral("Bravo"));
    EXPECT_EQ(settings->read("data", "ep"), QStringLiteral("Bravo"));
    EXPECT_EQ(settings->problem(), QStringLiteral("Impossible de lire les réglages %1 : ce n'est pas un fichier "
                                                  "ordinaire. Ceux de cette session ne seront pas enregistrés.")
                                       .arg(folder.file("fifo.ini")));

    settings = UserSettings::atFile(folder.file("plain.ini"));
    settings->write("Data", "C4", QStringLiteral("1"));
    ASSERT_TRUE(settings->problem().isEmpty() && QFile::remove(folder.file("plain.ini")));
    const specialfiles::WatchedFifo later(folder.file("plain.ini"));
    settings->write("Data", "C5", QStringLiteral("1"));
    EXPECT_EQ(settings->read("data", "c4") + settings->read("data", "c5"), QStringLiteral("11"));
    EXPECT_FALSE(settings->problem().isEmpty());
    EXPECT_EQ(fifo.readers() + later.readers(), 0) << "a FIFO was opened";
}
