#pragma once

#include "season/core/season.h"
#include "shell/ui/commandtable.h"
#include "shell/ui/featurelinks.h"

#include <QHash>
#include <QPixmap>
#include <QWidget>

#include <array>
#include <functional>

class CommandButtons;
class ConfigPanel;
class Downloader;
class Launcher;
class ExportsController;
class MatchDayController;
class NewsLine;
class OnlineController;
class SendingController;
class ShellPanelsController;
class StandingsController;
class TeamViewsController;
class Pictures;
class PrintTarget;
class Prompt;
class QFrame;
class QLabel;
class Session;
class SplashWindow;
class StandingsTable;

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

// The program's one window: the command buttons, the match-day view, the
// month calendar and the standings table, with the panels that slide in over
// them. It renders the session's data and forwards the user's commands; the
// session owns every piece of data.
//
// Each feature keeps its panels and wiring in a file of its own
// (commands.cpp, standingsactions.cpp, matchdaywiring.cpp, teamwiring.cpp,
// onlinewiring.cpp); the operations below are the names the commands and the
// features call each other by.
class MainWindow : public QWidget, public CommandRunner
{
    Q_OBJECT
public:
    MainWindow(Session &session, const WindowServices &services, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Runs the start-up sequence and shows the window. False when the program
    // cannot run (no season file): the caller then ends it.
    bool startUp();
    // Quits at once, without the shutdown writes (a newer version is wanted).
    void endWithoutShutdown();

    // --- Standings (standingscontroller.cpp)
    StandingsController &standings() { return *m_standingsFeature; }
    void computeStandings(MatchDayNo upTo = 0, bool silent = false);
    void markRankMovement(int matchDay);
    void sortByCriterion(const QString &code);
    void showReachableRanks();
    void pickMatchDay(MatchDayNo day);     // a click on the match-day picker
    void selectTeamRow(int row);           // a click on a team of the table
    void showMatchDayPicker();
    void hideMatchDayPicker();
    void toggleClassifications();
    void hideClassifications();
    void unlockSecondTeam();

    // --- Match days and entry (matchdaycontroller.cpp)
    MatchDayController &matchDay() { return *m_matchDayFeature; }
    void selectCurrentMatchDay();
    void showMatchDay(MatchDayNo day);
    void showTeamSeason(const QString &team);
    void saveEnteredResults();
    // Typed results not saved yet ("Valider" showing).
    bool hasUnsavedEntries() const;
    bool settleUnsavedEntries();

    // --- Sending the store (matchdaywiring.cpp)
    void openExportPanel();
    void sendResults();
    void closeExportPanel();
    void insertAdjustment();
    // The store file as start-up found it, which "Envoyer" reviews against.
    void keepStoreAtStart();

    // --- Team views (teamviewscontroller.cpp)
    TeamViewsController &teamViews() { return *m_teamFeature; }
    void openTeamCard();
    void closeTeamCard();
    void showTeamSummary(const QString &team);
    void startCrestTicker();
    void showCrestStrip();                // the ticker's window, after a click on the stamp
    void parkCrestStrip();                // every command and some hovers push the strip away
    void resumeCrestTicker();             // pointer back over the window background
    void openGraph();
    void closeGraph();
    void openCardOfGraphTeam();
    void showCardsPerMatchDay();
    void toggleHighlights();
    void closeHighlights();

    // --- Online (onlinewiring.cpp)
    void runResultsUpdate();
    void toggleDonors();
    void closeDonors();
    void stopDonorsTicker();
    void restartDonorsTicker();
    void refreshDonorsWeekly();

    // --- Exports (exportscontroller.cpp)
    ExportsController &exports() { return *m_exportsFeature; }

    // --- Keyboard and screen readers (accesswiring.cpp)
    // Closes the open panel on top, as its own close command would; false
    // when no panel is open.
    bool closeTopPanel();

    // --- News line and home/away captions
    void setNewsText(const QString &text);
    QString newsText() const;
    // Shows the news panel when there is news, the home/away captions otherwise.
    void showNews();
    void hideNewsPanel();

    // --- Shell panels and small commands (shellwiring.cpp)
    void toggleConfiguration();
    void closeConfiguration();
    void hideConfiguration();
    void toggleAbout();
    void hideAbout();
    void toggleAdjustments();
    void copyStoreAside();
    void printWindow();
    void openHelpPage();

    Session &session() { return m_session; }
    const WindowServices &services() const { return m_services; }
    CommandButtons &buttons() { return *m_buttons; }
    StandingsTable &standingsTable();
    SplashWindow *splash() const { return m_splash; }
    // Runs a command as a click on its button would (the button may be hidden).
    void runCommand(Command command) { m_commands.dispatch(command); }
    void run(Command command) override { runCommand(command); }

signals:
    // Announced so that tests can follow what start-up asked for.
    void resultsUpdateRequested();
    void donorsFetchRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class AccessParts;

    void buildSidebar();
    void installMatchDay();
    void installAccess();
    void trackCalmingPanels();
    void resetHover(QWidget *hovered);
    void markUpdateButtonResting();
    void offerStaleDataUpdate();

    Session &m_session;
    WindowServices m_services;
    CommandButtons *m_buttons = nullptr;
    CommandTable m_commands;
    FeatureLinks m_links;
    QFrame *m_matchDayFrame = nullptr; // Frame7, filled by the match-day view
    QPoint m_monthsAt;                 // the month calendar, under the side column's commands
    SplashWindow *m_splash = nullptr;
    NewsLine *m_news = nullptr;
    QPixmap m_background;

    // Each feature's panels and state; owned by the window as QObject children.
    ShellPanelsController *m_shellFeature = nullptr;
    StandingsController *m_standingsFeature = nullptr;
    MatchDayController *m_matchDayFeature = nullptr;
    SendingController *m_sendingFeature = nullptr;
    TeamViewsController *m_teamFeature = nullptr;
    OnlineController *m_onlineFeature = nullptr;
    ExportsController *m_exportsFeature = nullptr;
    AccessParts *m_access = nullptr;
    bool m_ending = false;
};
