#pragma once

#include "season/core/season.h"

#include <QWidget>

#include <array>

class CommandButtons;
class MatchGrid;
class MonthCalendarView;
class Pictures;
class Prompt;
class QCheckBox;
class QFrame;
class QLabel;
class QListWidget;
class Session;
class SplashWindow;
class StandingsTable;

// The program's one window: the command buttons, the match-day view, the
// month calendar and the standings table, with the panels that slide in over
// them. It renders the session's data and forwards the user's commands; the
// session owns every piece of data.
class MainWindow : public QWidget
{
    Q_OBJECT
public:
    MainWindow(Session &session, Prompt &prompt, Pictures &pictures, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Runs the start-up sequence and shows the window. False when the program
    // cannot run (no season file): the caller then ends it.
    bool startUp();

    // The operations start-up and the commands chain together.
    void selectCurrentMatchDay();
    void runResultsUpdate();
    void computeStandings(MatchDayNo upTo = 0, bool silent = false);
    void startCrestTicker();
    void refreshDonorsWeekly();
    void markRankMovement(int matchDay);

    CommandButtons &buttons() { return *m_buttons; }
    StandingsTable &standingsTable() { return *m_table; }
    SplashWindow *splash() const { return m_splash; }

signals:
    // Announced so that the features behind them, and tests, can follow.
    void resultsUpdateRequested();
    void donorsFetchRequested();
    void rankMovementRequested(int matchDay);

protected:
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void buildSidebar();
    void buildMatchDayPanel();
    void buildPanels();
    QFrame *makePanel(const char *name, int leftTwips, int width, int height);
    void parkPanels();
    void restorePreferences();
    void offerStaleDataUpdate();
    void showNews();
    void onCommand(int index);
    void writePreferences();

    Session &m_session;
    Prompt &m_prompt;
    Pictures &m_pictures;
    CommandButtons *m_buttons = nullptr;
    StandingsTable *m_table = nullptr;
    MatchGrid *m_grid = nullptr;
    MonthCalendarView *m_months = nullptr;
    SplashWindow *m_splash = nullptr;
    QLabel *m_logo = nullptr;
    QLabel *m_news = nullptr;
    QLabel *m_dueLabel = nullptr;
    QLabel *m_favouriteLabel = nullptr;
    QFrame *m_newsPanel = nullptr;
    std::array<QLabel *, 2> m_sideCaptions{};
    QCheckBox *m_autoUpdate = nullptr;
    QCheckBox *m_highlightFavourite = nullptr;
    QCheckBox *m_trackingAid = nullptr;
    QListWidget *m_favouriteList = nullptr;
    bool m_shutDownDone = false;
};
