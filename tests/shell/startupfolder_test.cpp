// The window's start-up prepares the program folder as the command line does.
#include "windowfixture.h"

#include <QDir>
#include <QFile>

namespace {

class StartupFolder : public WindowFixture
{
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        QFile::remove(storePath()); // each test makes the folder it needs
    }

    bool start()
    {
        WindowFixture::start(true);
        return window->isVisible();
    }

    void writeAged(const QString &name, qint64 secondsAgo)
    {
        folder.write(name, sample(QStringLiteral("Resultats2013.ini")));
        QFile f(folder.file(name));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(clock.now().addSecs(-secondsAgo), QFileDevice::FileModificationTime));
    }
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
