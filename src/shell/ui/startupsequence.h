#pragma once

#include <QPixmap>

class MatchDayController;
class NewsLine;
class OnlineController;
class Pictures;
class Prompt;
class QWidget;
class SendingController;
class Session;
class ShellPanelsController;
class SplashWindow;
class StandingsController;
class TeamViewsController;

// The start of the program, in its order: the splash, the season, the
// program folder made sound before anything reads the store, the pictures,
// the preferences, the views filled, the window shown, then what start-up
// offers (the download of a stale store, the donors of the week).
class StartupSequence
{
public:
    struct Features
    {
        ShellPanelsController &shell;
        MatchDayController &matchDay;
        SendingController &sending;
        StandingsController &standings;
        TeamViewsController &team;
        OnlineController &online;
        NewsLine &news;
    };

    StartupSequence(QWidget &window, Session &session, Prompt &prompt, Pictures &pictures, const Features &features);

    // False when the program cannot run (no season file): the caller then ends it.
    bool run();
    // The splash while start-up runs, null once it is closed.
    SplashWindow *splash() const { return m_splash; }

private:
    bool openSeason();
    void prepareFolder();
    void showPictures();
    void fillViews();
    void showWindow();
    void offerStaleDataUpdate();
    void closeSplash();

    QWidget &m_window;
    Session &m_session;
    Prompt &m_prompt;
    Pictures &m_pictures;
    Features m_features;
    QPixmap m_logo;
    SplashWindow *m_splash = nullptr;
};
