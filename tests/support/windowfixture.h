#pragma once

// A whole program in a test: the main window over the fixture's folder,
// started as the program starts it.
#include "programfixture.h"

#include "shell/ui/accesscontroller.h"
#include "shell/ui/exportscontroller.h"
#include "shell/ui/mainwindow.h"
#include "shell/ui/matchdaycontroller.h"
#include "shell/ui/pictures.h"
#include "shell/ui/standingscontroller.h"
#include "shell/ui/teamviewscontroller.h"

class WindowFixture : public ProgramFixture
{
protected:
    QWidget *root() const override { return window.get(); }

    // Builds the session and the window and runs start-up; a second call
    // starts the program again on the same folder and settings.
    MainWindow &start(bool expectRunning = true)
    {
        window.reset();
        session = std::make_unique<Session>(folder.path(), clock, *settings);
        session->state().setServerAddress(serverAddress);
        session->state().setPortalAddress(QStringLiteral("http://portail.test/kestrane"));
        pictures = std::make_unique<Pictures>(folder.path());
        window = std::make_unique<MainWindow>(*session,
                                              WindowServices{prompt, *pictures, launcher, printTarget, downloader});
        EXPECT_EQ(window->startUp(), expectRunning);
        return *window;
    }

    std::unique_ptr<Pictures> pictures;
    std::unique_ptr<MainWindow> window;
};
