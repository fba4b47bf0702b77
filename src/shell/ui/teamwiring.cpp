// The team views (team card, team summary and crest ticker, ranking graph,
// cards report, season highlights), wired into the main window.
#include "shell/ui/mainwindow.h"

#include "shell/core/session.h"
#include "shell/ui/busypointer.h"
#include "shell/ui/commandbuttons.h"
#include "shell/ui/pictures.h"
#include "shared/ui/windowstyle.h"
#include "standings/ui/standingstable.h"
#include "team/core/cardsreport.h"
#include "team/core/rankinghistory.h"
#include "team/core/seasonhighlights.h"
#include "team/core/teamcard.h"
#include "team/core/teamsummary.h"
#include "team/ui/cardsreportview.h"
#include "team/ui/crestticker.h"
#include "team/ui/highlightspanel.h"
#include "team/ui/rankinggraphpanel.h"
#include "team/ui/teamcardpanel.h"
#include "team/ui/teamsummarypanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>

class MainWindow::TeamParts : public QObject
{
public:
    explicit TeamParts(MainWindow &window) : QObject(&window), w(window) {}

    void refreshCard(TeamNo team);
    void buildHistory();
    void drawGraph();

    MainWindow &w;
    TeamCardPanel *card = nullptr;       // FraPlanning
    TeamSummaryPanel *summary = nullptr; // Frame3
    CrestTicker *ticker = nullptr;       // Frame10
    RankingGraphPanel *graph = nullptr;  // Frame4
    CardsReportView *cards = nullptr;    // Text4
    HighlightsPanel *highlights = nullptr; // FraPlus

    // Kept for the whole run: the history only grows; the tally follows the store.
    RankingHistory history;
    TallyCache tally;
    bool building = false;
    bool rebuildWanted = false;
};

namespace {

// A history build gives the window a turn at most this often, so that it
// can be closed meanwhile; on the bundled season the whole build is shorter.
constexpr qint64 BuildSliceMs = 16;

template <typename Panel>
Panel *overlay(Panel *panel, const QRect &where)
{
    panel->setGeometry(where);
    panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    panel->setLineWidth(2);
    windowstyle::setColours(panel, Qt::black, windowstyle::PanelBackground);
    panel->hide();
    return panel;
}

QPushButton *panelButton(CommandButtons &buttons, Command command, QWidget *panel, const QRect &where)
{
    QPushButton *button = buttons.create(command, panel);
    button->setGeometry(where);
    windowstyle::styleCommandButton(button);
    return button;
}

QStringList teamNames(const Season &season)
{
    QStringList names;
    for (TeamNo team = 0; team < TeamCount; ++team)
        names << season.teamName(team);
    return names;
}

bool namesTeam(const Season &season, const QString &name)
{
    return !name.isEmpty() && season.teamNoOfName(name) != NoTeam;
}

} // namespace

void MainWindow::installTeamViews()
{
    m_team = new TeamParts(*this);
    TeamParts &t = *m_team;

    // Overlays cover the match-day view and the table while they are open.
    t.card = overlay(new TeamCardPanel(this), QRect(264, 8, 1007, 714));
    connect(t.card, &TeamCardPanel::teamChosen, &t, &TeamParts::refreshCard);
    // The card's team as a calendar file, for the follower's own agenda.
    auto *agenda = new QPushButton(QStringLiteral("Agenda…"), t.card);
    agenda->setObjectName(QStringLiteral("BtAgenda"));
    agenda->setToolTip(QStringLiteral("Enregistrer les matches de l'équipe dans un fichier d'agenda (iCalendar)"));
    agenda->setAccessibleDescription(agenda->toolTip());
    agenda->setCursor(Qt::PointingHandCursor);
    agenda->setFocusPolicy(Qt::TabFocus);
    agenda->setGeometry(706, 6, 96, 22);
    windowstyle::styleCommandButton(agenda);
    connect(agenda, &QPushButton::clicked, this, [this] {
        exportTeamCalendar(m_session.season().teamName(m_team->card->selectedTeam()));
    });
    // Created after it, so that Tab follows the buttons from left to right.
    panelButton(*m_buttons, Command::PrintTeamCard, t.card, QRect(806, 6, 96, 22));
    panelButton(*m_buttons, Command::CloseTeamCard, t.card, QRect(906, 6, 96, 22));

    t.graph = overlay(new RankingGraphPanel(this), QRect(264, 8, 1007, 642));
    panelButton(*m_buttons, Command::OpenGraphTeamCard, t.graph, QRect(700, 8, 96, 22));
    panelButton(*m_buttons, Command::PrintGraph, t.graph, QRect(800, 8, 96, 22));
    panelButton(*m_buttons, Command::CloseGraph, t.graph, QRect(900, 8, 96, 22));
    connect(t.graph, &RankingGraphPanel::teamChosen, &t, &TeamParts::drawGraph);
    connect(t.graph, &RankingGraphPanel::simulatedClicked, &t, &TeamParts::buildHistory);

    t.highlights = overlay(new HighlightsPanel(this), QRect(667, 8, 420, 330));
    t.highlights->setCloseButton(m_buttons->create(Command::CloseHighlights, t.highlights));
    windowstyle::styleCommandButton(m_buttons->button(Command::CloseHighlights));
    m_buttons->button(Command::CloseHighlights)->setFixedSize(96, 22);

    t.cards = new CardsReportView(this);
    t.cards->setGeometry(637, 207, 203, 383);

    // The summary and the ticker share the free corner under the table.
    t.summary = new TeamSummaryPanel(this);
    t.summary->setGeometry(772, 560, 296, 134);
    t.summary->setFrameStyle(QFrame::Box | QFrame::Plain);
    windowstyle::setColours(t.summary, Qt::black, windowstyle::PanelBackground);
    connect(t.summary, &TeamSummaryPanel::clicked, this, [this] { showTeamSummary(m_team->summary->team()); });

    t.ticker = new CrestTicker(this);
    t.ticker->setGeometry(1072, 560, 199, 103);
    t.ticker->setFrameStyle(QFrame::Box | QFrame::Plain);
    windowstyle::setColours(t.ticker, Qt::white, QColor(0x06, 0x17, 0x38));
    const auto summariseTeam = [this](int team) {
        const QString name = m_session.season().teamName(team);
        if (!name.isEmpty() && m_team->summary->team() != name)
            showTeamSummary(name);
    };
    connect(t.ticker, &CrestTicker::teamInBand, this, summariseTeam);
    connect(t.ticker, &CrestTicker::crestPointed, this, summariseTeam);

    // An open card follows a save or a download, and the rank of a table
    // computed or sorted anew.
    connect(&m_session.store(), &ResultStore::changed, this, [this] {
        m_team->tally.invalidate();
        if (m_team->card->isVisible())
            m_team->refreshCard(m_team->card->selectedTeam());
    });
    connect(&m_session.standings(), &StandingsModel::displayedChanged, this, [this] {
        if (m_team->card->isVisible())
            m_team->refreshCard(m_team->card->selectedTeam());
    });
}

void MainWindow::TeamParts::refreshCard(TeamNo team)
{
    Session &session = w.m_session;
    card->showCard(buildTeamCard(session.season(), session.store(), team, session.standings().displayed(),
                                 session.state().favouriteTeam()),
                   w.m_services.pictures.crest(team));
}

void MainWindow::TeamParts::buildHistory()
{
    // A click on the box during a build asks for one more build after it.
    if (building) {
        rebuildWanted = true;
        return;
    }
    Session &session = w.m_session;
    do {
        rebuildWanted = false;
        building = true;
        graph->showLoading();
        BusyPointer busy;
        QApplication::processEvents();
        const QDateTime limit = historyDateLimit(session.clock().now(), graph->simulated()->isChecked());
        QElapsedTimer slice;
        slice.start();
        // Closing the panel stops the build after the match day in progress.
        const MatchDayNo last = buildRankingHistory(history, session.season(), session.store(), session.bonusMalus(),
                                                    limit, [this, &slice] {
                                                        if (slice.elapsed() >= BuildSliceMs) {
                                                            QApplication::processEvents();
                                                            slice.restart();
                                                        }
                                                        return graph->isVisible();
                                                    });
        // The table ends on the ranking after the last match day computed,
        // shown once rather than after every match day.
        if (last > 0)
            w.computeStandings(last, false);
        graph->setTeams(teamNames(session.season()));
        const QString favourite = session.state().favouriteTeam();
        const QString team = namesTeam(session.season(), favourite) ? favourite
                                                                    : session.standings().displayed().rows[0].data.name;
        graph->selectTeam(session.season().teamNoOfName(team));
        drawGraph();
        building = false;
    } while (rebuildWanted);
}

void MainWindow::TeamParts::drawGraph()
{
    const QString team = graph->selectedName();
    graph->drawBars(graphBars(history, team), graphTitle(team),
                    w.m_services.pictures.crest(w.m_session.season().teamNoOfName(team)));
}

void MainWindow::openTeamCard()
{
    TeamParts &t = *m_team;
    t.card->raise();
    const Season &season = m_session.season();
    if (!t.card->isBuilt()) {
        BusyPointer busy;
        t.card->build(teamNames(season));
    }
    const QString request = m_session.state().cardRequest();
    const QString favourite = m_session.state().favouriteTeam();
    QString team = m_session.standings().displayed().rows[0].data.name;
    if (namesTeam(season, request))
        team = request;
    else if (namesTeam(season, favourite))
        team = favourite;
    const TeamNo teamNo = season.teamNoOfName(team);
    t.card->selectTeam(teamNo);
    // Every opening reads the store and the table again, even for the team
    // already selected.
    t.refreshCard(teamNo);
    t.card->show();
}

void MainWindow::closeTeamCard()
{
    m_team->card->hide();
}

void MainWindow::showTeamSummary(const QString &team)
{
    TeamParts &t = *m_team;
    const TeamSummary summary = buildTeamSummary(m_session.season(), team,
                                                 t.tally.tally(m_session.season(), m_session.store()),
                                                 m_session.standings().displayed());
    QPixmap movement;
    switch (summary.movement) {
    case Movement::Up:
        movement = m_services.pictures.movement(Pictures::Up);
        break;
    case Movement::Down:
        movement = m_services.pictures.movement(Pictures::Down);
        break;
    case Movement::Same:
        movement = m_services.pictures.movement(Pictures::Same);
        break;
    case Movement::None:
        break;
    }
    t.summary->showSummary(summary, m_services.pictures.crest(summary.team), movement);
    m_session.state().setSummaryTeam(team);
}

void MainWindow::startCrestTicker()
{
    const DisplayedStandings &shown = m_session.standings().displayed();
    showTeamSummary(shown.rows[0].data.name);
    QList<TeamNo> order;
    for (const DisplayedRow &row : shown.rows)
        order << m_session.season().teamNoOfName(row.data.name);
    m_team->ticker->start(order);
}

void MainWindow::showCrestStrip()
{
    m_team->ticker->show();
    m_team->ticker->raise();
}

void MainWindow::parkCrestStrip()
{
    m_team->ticker->park();
}

void MainWindow::resumeCrestTicker()
{
    m_team->ticker->resume();
}

void MainWindow::openGraph()
{
    TeamParts &t = *m_team;
    t.graph->show();
    t.graph->raise();
    t.buildHistory();
}

void MainWindow::closeGraph()
{
    m_team->graph->hide();
}

void MainWindow::openCardOfGraphTeam()
{
    m_session.state().setCardRequest(m_team->graph->selectedName());
    openTeamCard();
}

void MainWindow::showCardsPerMatchDay()
{
    m_team->cards->showReport(cardsPerMatchDay(m_session.store()).text());
}

void MainWindow::toggleHighlights()
{
    HighlightsPanel *panel = m_team->highlights;
    if (panel->isVisible()) {
        panel->hide();
        return;
    }
    BusyPointer busy;
    panel->showValues(highlights::compute(m_session.season(), m_session.store()));
    panel->show();
    panel->raise();
}

void MainWindow::closeHighlights()
{
    m_team->highlights->hide();
}
