// The window's start-up prepares the program folder as the command line does.
#include "fakeclock.h"
#include "fakeprompt.h"
#include "testfolder.h"

#include "season/core/usersettings.h"
#include "shell/core/session.h"
#include "shell/ui/mainwindow.h"
#include "shell/ui/pictures.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QByteArray sample(const QString &name)
{
    QFile f(QStringLiteral(KESTRANE_SAMPLE_DATA "/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class StartupFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.write(QStringLiteral("2013.txt"), sample(QStringLiteral("2013.txt")));
        settings = UserSettings::atFile(settingsDir.filePath(QStringLiteral("kestrane.ini")));
    }

    bool start()
    {
        session = std::make_unique<Session>(folder.path(), clock, *settings);
        pictures = std::make_unique<Pictures>(folder.path());
        window = std::make_unique<MainWindow>(*session, prompt, *pictures);
        return window->startUp();
    }

    void writeAged(const QString &name, qint64 secondsAgo)
    {
        folder.write(name, sample(QStringLiteral("Resultats2013.ini")));
        QFile f(folder.file(name));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(clock.now().addSecs(-secondsAgo), QFileDevice::FileModificationTime));
    }

    TestFolder folder;
    QTemporaryDir settingsDir;
    std::unique_ptr<UserSettings> settings;
    FakeClock clock{QDateTime(QDate(2013, 12, 5), QTime(20, 0))};
    FakePrompt prompt;
    std::unique_ptr<Session> session;
    std::unique_ptr<Pictures> pictures;
    std::unique_ptr<MainWindow> window;
};

} // namespace

TEST_F(StartupFolder, AStoreThatCannotBeReadIsToldAndTheWindowStillOpens)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Resultats2013.ini")));
    EXPECT_TRUE(start());
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_EQ(prompt.messages[0],
              QStringLiteral("Kestrane 1\nImpossible de lire Resultats2013.ini : c'est un dossier, pas un fichier."));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(StartupFolder, LeftoversOfKilledSavesGoWhenOlderThanAMinute)
{
    writeAged(QStringLiteral("Resultats2013.ini"), 3600);
    writeAged(QStringLiteral("Resultats2013.ini.Xy12Zt"), 61);
    writeAged(QStringLiteral("Resultats2013.ini.Ab34Cd"), 20);
    EXPECT_TRUE(start());
    EXPECT_TRUE(prompt.messages.isEmpty());
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("Resultats2013.ini.Xy12Zt"))));
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("Resultats2013.ini.Ab34Cd"))));
    EXPECT_EQ(folder.read(QStringLiteral("Resultats2013.ini")), sample(QStringLiteral("Resultats2013.ini")));
}
