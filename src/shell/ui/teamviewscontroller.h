#pragma once

#include "shell/ui/featureinterfaces.h"
#include "team/core/rankinghistory.h"
#include "team/core/teamsummary.h"

#include <QObject>

class CardsReportView;
class CommandButtons;
class CrestTicker;
class HighlightsPanel;
class Pictures;
class RankingGraphPanel;
class Session;
class TeamCardPanel;
class StatisticsView;
class TeamSummaryPanel;
class QToolButton;
class QWidget;

// The team views: the team card (`FraPlanning`), the summary under the table
// (`Frame3`) with the crest strip beside it (`Frame10`), the ranking graph
// (`Frame4`), the cards per match day (`Text4`) and the season's records
// (`FraPlus`). They read the session's season, store and table on display;
// the ranking history they build is kept for the whole run, and the summary's
// team is the application state's.
// The statistics view (`FraStats`) opens from its button beside "Exporter…"
// under the table, on the match days played, and is built at its first
// opening; a click in its matrix shows that fixture's match day.
class TeamViewsController : public QObject, public TeamPanels
{
    Q_OBJECT
public:
    struct Needs
    {
        Session &session;
        Pictures &pictures;
        CommandButtons &buttons;     // makes the panels' own commands
        Ranking &ranking;            // the graph ends on the table of its last match day
        MatchDayNavigator &matchDay; // the statistics' matrix opens a match day
        QWidget &window;             // where the panels stand
    };

    explicit TeamViewsController(const Needs &needs, QObject *parent = nullptr);

    void showTeamSummary(const QString &team) override;
    void parkCrestStrip() override; // every command and some hovers push the strip away

    void openTeamCard();
    void closeTeamCard();
    // The crests of the strip, once the pictures are ready.
    void showCrests();
    void startCrestTicker();
    void showCrestStrip();    // the ticker's window, after a click on the stamp
    void resumeCrestTicker(); // pointer back over the window background
    void openGraph();
    void closeGraph();
    void openCardOfGraphTeam();
    void showCardsPerMatchDay();
    void toggleHighlights();
    void closeHighlights();
    void openStatistics();
    void closeStatistics();

signals:
    // The card's "Agenda…": the team's matches as a calendar file.
    void calendarWanted(const QString &team);

private:
    void buildCard();
    void buildGraph();
    void buildSummaryCorner();
    void refreshCard(TeamNo team);
    void buildHistory();
    void drawGraph();
    void buildStatistics();
    StatisticsView &statisticsView(); // built at its first opening
    // The history of the statistics' rank evolution: every match day played, built to the end.
    const RankingHistory &playedHistory();

    Needs m_needs;
    TeamCardPanel *m_card = nullptr;           // FraPlanning
    TeamSummaryPanel *m_summary = nullptr;     // Frame3
    CrestTicker *m_ticker = nullptr;           // Frame10
    RankingGraphPanel *m_graph = nullptr;      // Frame4
    CardsReportView *m_cards = nullptr;        // Text4
    HighlightsPanel *m_highlights = nullptr;   // FraPlus
    StatisticsView *m_statistics = nullptr;    // FraStats
    QToolButton *m_statisticsButton = nullptr; // BtStats

    // Kept for the whole run: the history only grows; the tally follows the store.
    RankingHistory m_history;
    RankingHistory m_playedHistory; // the part of it the statistics show
    TallyCache m_tally;
    bool m_building = false;
    bool m_rebuildWanted = false;
};
