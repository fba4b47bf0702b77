#pragma once

// The program as a user runs it, for the window's benchmarks: a copy of the
// bundled season (or of KESTRANE_DATA_DIR), a fixed clock, questions answered
// "Non", nothing opened or started, printing cancelled, and settings in a
// temporary file.
#include "fakeclock.h"
#include "fakelauncher.h"
#include "fakeprompt.h"
#include "pdfprinttarget.h"

#include "season/core/usersettings.h"
#include "shell/core/session.h"
#include "shell/ui/accesscontroller.h"
#include "shell/ui/exportscontroller.h"
#include "shell/ui/mainwindow.h"
#include "shell/ui/matchdaycontroller.h"
#include "shell/ui/pictures.h"
#include "shell/ui/standingscontroller.h"
#include "shell/ui/teamviewscontroller.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

// Before the QApplication: offscreen unless a platform is chosen, and a home
// of the benchmark's own, so that it never reads or writes the user's.
inline void useBenchEnvironment(const QTemporaryDir &home)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit());
}

struct BenchProgram
{
    explicit BenchProgram(const QDateTime &now)
        : clock(now)
    {}

    QTemporaryDir folder;
    QTemporaryDir settingsDir;
    FakeClock clock;
    FakePrompt prompt;
    FakeLauncher launcher;
    PdfPrintTarget printTarget;
    std::unique_ptr<UserSettings> settings;
    std::unique_ptr<Session> session;
    std::unique_ptr<Pictures> pictures;
    std::unique_ptr<MainWindow> window;

    static QString sampleFolder()
    {
        return qEnvironmentVariableIsSet("KESTRANE_DATA_DIR") ? qEnvironmentVariable("KESTRANE_DATA_DIR")
                                                              : QStringLiteral(KESTRANE_SAMPLE_DATA);
    }

    bool start(const QString &from = sampleFolder())
    {
        for (const QString &name : {QStringLiteral("2013.txt"), QStringLiteral("Resultats2013.ini")}) {
            if (!QFile::copy(QDir(from).filePath(name), folder.filePath(name)))
                return false;
            // An installed season may be read-only; the copy is the user's.
            QFile(folder.filePath(name)).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        }
        // A fresh store: no offer to download at start.
        QFile store(folder.filePath(QStringLiteral("Resultats2013.ini")));
        if (store.open(QIODevice::ReadWrite))
            store.setFileTime(clock.now().addDays(-1), QFileDevice::FileModificationTime);
        store.close();
        settings = UserSettings::atFile(settingsDir.filePath(QStringLiteral("kestrane.ini")));
        session = std::make_unique<Session>(folder.path(), clock, *settings);
        pictures = std::make_unique<Pictures>(folder.path());
        window = std::make_unique<MainWindow>(*session, WindowServices{prompt, *pictures, launcher, printTarget});
        if (!window->startUp())
            return false;
        settle();
        return true;
    }

    // Lets the window run until it has painted what is pending.
    static void settle() { QApplication::processEvents(); }

    // The widget of that name whose "index" property is `index`.
    QWidget *find(const QString &name, int index) const
    {
        for (QWidget *w : window->findChildren<QWidget *>(name)) {
            if (w->property("index").toInt() == index)
                return w;
        }
        return nullptr;
    }
};
