#pragma once

#include "shell/ui/command.h"
#include "shell/ui/featurelinks.h"

#include <QPixmap>
#include <QWidget>

#include <memory>

class AccessController;
class CommandButtons;
class CommandTable;
class Downloader;
class ExportsController;
class Launcher;
class MatchDayController;
class NewsLine;
class OnlineController;
class Pictures;
class PrintTarget;
class Prompt;
class QFrame;
class ScrollingFrame;
class SendingController;
class Session;
class ShellPanelsController;
class SplashWindow;
class StandingsController;
class StandingsTable;
class StartupSequence;
class TeamViewsController;

// What the window needs from outside: the user's answers, the pictures, the
// desktop (pages, programs), the printer and the web server. The program
// passes the real ones, tests their fakes.
struct WindowServices
{
    Prompt &prompt;
    Pictures &pictures;
    Launcher &launcher;
    PrintTarget &printTarget;
    Downloader *downloader = nullptr; // null: no network, every download fails
};

// The program's one window. It lays out its areas (the side column of
// commands, the match-day area, the table) and composes the features that
// fill them: standings, match days and entry, team views, online, sending,
// exports, shell panels, keyboard and accessibility. Each feature owns its
// panels and state; the window builds them, links them and passes the
// pointer's moves over its free space on. The session owns every piece of
// data.
class MainWindow : public QWidget
{
    Q_OBJECT
public:
    MainWindow(Session &session, const WindowServices &services, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Before start-up: on a screen whose free area `room` is smaller than the
    // window, the window will show in a scrolling frame of that size, its own
    // layout unchanged.
    void fitScreen(const QRect &room);
    // Runs the start-up sequence and shows the window. False when the program
    // cannot run (no season file): the caller then ends it.
    bool startUp();
    // Quits at once, without the shutdown writes (a newer version is wanted).
    void endWithoutShutdown();
    // Runs a command as a click on its button would (the button may be hidden).
    void runCommand(Command command);

    Session &session() { return m_session; }
    CommandButtons &buttons() { return *m_buttons; }
    SplashWindow *splash() const;
    StandingsTable &standingsTable();
    // The features, as tests and benchmarks drive them.
    StandingsController &standings() { return *m_standings; }
    MatchDayController &matchDay() { return *m_matchDay; }
    TeamViewsController &teamViews() { return *m_teamViews; }
    ExportsController &exports() { return *m_exports; }
    AccessController &access() { return *m_access; }

signals:
    // Announced so that tests can follow what start-up asked for.
    void resultsUpdateRequested();
    void donorsFetchRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QPoint buildSideColumn();
    void buildFeatures(QPoint monthsAt);
    void connectFeatures();
    void trackCalmingPanels();
    void resetHover(QWidget *area);

    Session &m_session;
    WindowServices m_services;
    CommandButtons *m_buttons = nullptr;
    QFrame *m_matchDayArea = nullptr; // Frame7, filled by the match days
    NewsLine *m_news = nullptr;
    FeatureLinks m_links;
    StandingsController *m_standings = nullptr;
    ExportsController *m_exports = nullptr;
    ShellPanelsController *m_shellPanels = nullptr;
    MatchDayController *m_matchDay = nullptr;
    SendingController *m_sending = nullptr;
    TeamViewsController *m_teamViews = nullptr;
    OnlineController *m_online = nullptr;
    AccessController *m_access = nullptr;
    std::unique_ptr<CommandTable> m_commands;
    std::unique_ptr<StartupSequence> m_startup;
    std::unique_ptr<ScrollingFrame> m_frame; // only on a screen too small
    QPixmap m_background;
    bool m_ending = false;
};
