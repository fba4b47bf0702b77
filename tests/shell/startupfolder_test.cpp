// The window's start-up prepares the program folder as the command line does.
#include "windowfixture.h"

#include <QDir>
#include <QFile>

#include <functional>

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
    writeAged(QStringLiteral("Resultats2013.ini.kestrane-xy12zt.tmp"), 61);
    writeAged(QStringLiteral("Resultats2013.ini.kestrane-ab34cd.tmp"), 20);
    writeAged(QStringLiteral("Resultats2013.ini.sauve1"), 3600); // the user's own copy
    EXPECT_TRUE(start());
    EXPECT_TRUE(prompt.messages.isEmpty());
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("Resultats2013.ini.kestrane-xy12zt.tmp"))));
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("Resultats2013.ini.kestrane-ab34cd.tmp"))));
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("Resultats2013.ini.sauve1"))));
    EXPECT_EQ(folder.read(QStringLiteral("Resultats2013.ini")), sample(QStringLiteral("Resultats2013.ini")));
}

// What the preparation of the folder and the choice of the folder found is
// told once each, through the prompt, and the window opens all the same.
TEST_F(StartupFolder, WhatTheFolderHoldsOfStrangeIsToldAndTheWindowOpens)
{
    const QString backup = folder.file(QStringLiteral("Resultats2013.BU"));
    const QString notice = QStringLiteral("Deux fichiers de résultats différents existent : …");
    struct Row
    {
        const char *what;
        std::function<void()> make;
        QString message;
    };
    const Row rows[] = {
        {"a store without any section",
         [&] { folder.write(QStringLiteral("Resultats2013.ini"), "<html><body>Classement</body></html>\n"); },
         QStringLiteral("Resultats2013.ini n'est pas un fichier de résultats : il ne contient aucune section. "
                        "Le programme le lit comme un fichier sans résultat.")},
        {"a backup that is a web page",
         [&] { folder.write(QStringLiteral("Resultats2013.BU"), "<html><body>Classement</body></html>\n"); },
         // Said of the backup: it was never received from the server.
         QStringLiteral("La sauvegarde Resultats2013.BU d'une mise à jour interrompue n'a pas été remise en place : "
                        "ce n'est pas un fichier de résultats.")},
        {"two stores told apart by the choice of the folder",
         [&] {
             folder.write(QStringLiteral("Resultats2013.ini"), sample(QStringLiteral("Resultats2013.ini")));
             session->setFolderNotice(notice);
         },
         notice},
    };
    for (const Row &row : rows) {
        QFile::remove(storePath());
        QFile::remove(backup);
        prompt.messages.clear();
        window.reset();
        session = std::make_unique<Session>(folder.path(), clock, *settings);
        row.make();
        pictures = std::make_unique<Pictures>(folder.path());
        window = std::make_unique<MainWindow>(*session,
                                              WindowServices{prompt, *pictures, launcher, printTarget, downloader});
        EXPECT_TRUE(window->startUp()) << row.what;
        EXPECT_TRUE(window->isVisible()) << row.what;
        ASSERT_EQ(prompt.messages.size(), 1) << row.what;
        EXPECT_TRUE(prompt.messages[0].startsWith(QStringLiteral("Kestrane 1\n") + row.message))
            << row.what << ": " << prompt.messages[0].toStdString();
    }
}
