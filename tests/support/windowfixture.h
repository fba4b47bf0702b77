#pragma once

// A whole program in a test: a program folder with the bundled season, a
// clock, answered questions, a recording launcher, printing to a file and
// settings in a temporary file. GUI test programs only.
#include "fakeclock.h"
#include "fakelauncher.h"
#include "fakeprompt.h"
#include "pdfprinttarget.h"
#include "testfolder.h"

#include "online/net/httpdownloader.h"
#include "season/core/usersettings.h"
#include "shell/core/session.h"
#include "shell/ui/mainwindow.h"
#include "shell/ui/pictures.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

class WindowFixture : public ::testing::Test
{
protected:
    static QByteArray sample(const QString &name)
    {
        QFile f(QStringLiteral(KESTRANE_SAMPLE_DATA "/") + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void SetUp() override
    {
        folder.write(QStringLiteral("2013.txt"), sample(QStringLiteral("2013.txt")));
        folder.write(QStringLiteral("Resultats2013.ini"), sample(QStringLiteral("Resultats2013.ini")));
        settings = UserSettings::atFile(settingsDir.filePath(QStringLiteral("kestrane.ini")));
        // A fresh store: no offer to download at start.
        setStoreAge(clock.now().addDays(-1));
    }

    // Builds the session and the window and runs start-up; a second call
    // starts the program again on the same folder and settings.
    MainWindow &start(bool expectRunning = true)
    {
        window.reset();
        session = std::make_unique<Session>(folder.path(), clock, *settings);
        session->state().setServerAddress(serverAddress);
        session->state().setPortalAddress(QStringLiteral("http://portail.test/kestrane"));
        pictures = std::make_unique<Pictures>(folder.path());
        window = std::make_unique<MainWindow>(
            *session, WindowServices{prompt, *pictures, launcher, printTarget, downloader});
        EXPECT_EQ(window->startUp(), expectRunning);
        return *window;
    }

    // Downloads go to a local test server through the program's own HTTP client.
    void useServer(const QString &address)
    {
        serverAddress = address;
        downloader = &http;
    }

    QString storePath() const { return folder.file(QStringLiteral("Resultats2013.ini")); }
    void setStoreAge(const QDateTime &modified)
    {
        QFile f(storePath());
        if (f.open(QIODevice::ReadWrite))
            f.setFileTime(modified, QFileDevice::FileModificationTime);
    }

    // The widgets of one name, ordered by their "index" property.
    template <typename W = QWidget>
    QList<W *> indexed(const QString &name) const
    {
        QList<W *> list = window->findChildren<W *>(name);
        std::sort(list.begin(), list.end(),
                  [](W *a, W *b) { return a->property("index").toInt() < b->property("index").toInt(); });
        return list;
    }
    template <typename W = QWidget>
    W *widget(const QString &name, int index = -1) const
    {
        if (index < 0)
            return window->findChild<W *>(name);
        for (W *w : window->findChildren<W *>(name)) {
            if (w->property("index").toInt() == index)
                return w;
        }
        return nullptr;
    }
    QPushButton *button(Command command) const
    {
        return widget<QPushButton>(QStringLiteral("BtN"), commands::indexOf(command));
    }
    // A click on a command button as the user makes it (the button must be shown).
    void click(Command command)
    {
        QPushButton *b = button(command);
        const int index = commands::indexOf(command);
        ASSERT_NE(b, nullptr) << "no button " << index;
        ASSERT_TRUE(b->isVisible()) << "button " << index << " is hidden";
        QTest::mouseClick(b, Qt::LeftButton);
    }
    QString text(const QString &name, int index = -1) const
    {
        auto *label = widget<QLabel>(name, index);
        return label ? label->text() : QStringLiteral("<no %1>").arg(name);
    }

    TestFolder folder;
    QTemporaryDir settingsDir;
    std::unique_ptr<UserSettings> settings;
    FakeClock clock{QDateTime(QDate(2013, 12, 5), QTime(20, 0))}; // a Thursday in the season
    FakePrompt prompt;
    FakeLauncher launcher;
    PdfPrintTarget printTarget;
    HttpDownloader http; // outlives the window, which may hold its replies
    QString serverAddress = QStringLiteral("http://serveur.test");
    Downloader *downloader = nullptr; // null: no network, every download fails
    std::unique_ptr<Session> session;
    std::unique_ptr<Pictures> pictures;
    std::unique_ptr<MainWindow> window;
};
