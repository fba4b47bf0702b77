#include "shell/ui/teamviewscontroller.h"

#include "shared/ui/windowareas.h"
#include "shared/ui/windowstyle.h"
#include "shell/core/session.h"
#include "shell/ui/busypointer.h"
#include "shell/ui/commandbuttons.h"
#include "shell/ui/pictures.h"
#include "team/core/cardsreport.h"
#include "team/core/seasonhighlights.h"
#include "team/core/teamcard.h"
#include "team/ui/cardsreportview.h"
#include "team/ui/crestticker.h"
#include "team/ui/highlightspanel.h"
#include "team/ui/rankinggraphpanel.h"
#include "team/ui/statisticsview.h"
#include "team/ui/teamcardpanel.h"
#include "team/ui/teamsummarypanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>

namespace {

// A history build gives the window a turn at most this often, so that it
// can be closed meanwhile; on the bundled season the whole build is shorter.
constexpr qint64 BuildSliceMs = 16;

// The commands along the top of the card and of the graph, left to right.
constexpr QSize PanelButton(96, 22);
constexpr QPoint CardButtons(706, 6);
constexpr QPoint GraphButtons(700, 8);
constexpr int PanelButtonPitch = 100;

const QString StatisticsCaption = QStringLiteral("Statistiques");
const QString StatisticsTip =
    QStringLiteral("Forme des équipes, classements sur une période, tableau des résultats, séries, évolution");
const QString AgendaCaption = QStringLiteral("Agenda…");
const QString AgendaTip = QStringLiteral("Enregistrer les matches de l'équipe dans un fichier d'agenda (iCalendar)");

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

// The k-th button of a row of panel commands starting at `first`.
QRect panelButtonPlace(QPoint first, int k)
{
    return QRect(first + QPoint(k * PanelButtonPitch, 0), PanelButton);
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

TeamViewsController::TeamViewsController(const Needs &needs, QObject *parent)
    : QObject(parent)
    , m_needs(needs)
{
    buildCard();
    buildGraph();
    m_highlights = overlay(new HighlightsPanel(&needs.window), windowareas::Highlights);
    QPushButton *closeHighlights = needs.buttons.create(Command::CloseHighlights, m_highlights);
    m_highlights->setCloseButton(closeHighlights);
    windowstyle::styleCommandButton(closeHighlights);
    closeHighlights->setFixedSize(PanelButton);

    m_cards = new CardsReportView(&needs.window);
    m_cards->setGeometry(windowareas::CardsReport);
    buildSummaryCorner();
    buildStatistics();

    // An open card follows a save or a download, and the rank of a table
    // computed or sorted anew.
    Session &session = needs.session;
    connect(&session.store(), &ResultStore::changed, this, [this] {
        m_tally.invalidate();
        if (m_card->isVisible())
            refreshCard(m_card->selectedTeam());
        if (m_statistics && m_statistics->isVisible())
            m_statistics->refresh();
    });
    connect(&session.standings(), &StandingsModel::displayedChanged, this, [this] {
        if (m_card->isVisible())
            refreshCard(m_card->selectedTeam());
    });
}

void TeamViewsController::buildCard()
{
    // Overlays cover the match-day view and the table while they are open.
    m_card = overlay(new TeamCardPanel(&m_needs.window), windowareas::TeamCard);
    connect(m_card, &TeamCardPanel::teamChosen, this, &TeamViewsController::refreshCard);
    // The card's team as a calendar file, for the follower's own agenda.
    auto *agenda = new QPushButton(AgendaCaption, m_card);
    agenda->setObjectName(QStringLiteral("BtAgenda"));
    agenda->setToolTip(AgendaTip);
    agenda->setAccessibleDescription(agenda->toolTip());
    agenda->setCursor(Qt::PointingHandCursor);
    agenda->setFocusPolicy(Qt::TabFocus);
    agenda->setGeometry(panelButtonPlace(CardButtons, 0));
    windowstyle::styleCommandButton(agenda);
    connect(agenda, &QPushButton::clicked, this,
            [this] { emit calendarWanted(m_needs.session.season().teamName(m_card->selectedTeam())); });
    // Created after it, so that Tab follows the buttons from left to right.
    panelButton(m_needs.buttons, Command::PrintTeamCard, m_card, panelButtonPlace(CardButtons, 1));
    panelButton(m_needs.buttons, Command::CloseTeamCard, m_card, panelButtonPlace(CardButtons, 2));
}

void TeamViewsController::buildGraph()
{
    m_graph = overlay(new RankingGraphPanel(&m_needs.window), windowareas::Graph);
    panelButton(m_needs.buttons, Command::OpenGraphTeamCard, m_graph, panelButtonPlace(GraphButtons, 0));
    panelButton(m_needs.buttons, Command::PrintGraph, m_graph, panelButtonPlace(GraphButtons, 1));
    panelButton(m_needs.buttons, Command::CloseGraph, m_graph, panelButtonPlace(GraphButtons, 2));
    connect(m_graph, &RankingGraphPanel::teamChosen, this, &TeamViewsController::drawGraph);
    connect(m_graph, &RankingGraphPanel::simulatedClicked, this, &TeamViewsController::buildHistory);
}

void TeamViewsController::buildSummaryCorner()
{
    // The summary and the ticker share the free corner under the table.
    m_summary = new TeamSummaryPanel(&m_needs.window);
    m_summary->setGeometry(windowareas::Summary);
    m_summary->setFrameStyle(QFrame::Box | QFrame::Plain);
    windowstyle::setColours(m_summary, Qt::black, windowstyle::PanelBackground);
    AppState &state = m_needs.session.state();
    connect(m_summary, &TeamSummaryPanel::clicked, this, [this, &state] { showTeamSummary(state.summaryTeam()); });

    m_ticker = new CrestTicker(&m_needs.window);
    m_ticker->setGeometry(windowareas::CrestStrip);
    m_ticker->setFrameStyle(QFrame::Box | QFrame::Plain);
    windowstyle::setColours(m_ticker, Qt::white, windowstyle::SkyBottom);
    const auto summariseTeam = [this, &state](int team) {
        const QString name = m_needs.session.season().teamName(team);
        if (!name.isEmpty() && state.summaryTeam() != name)
            showTeamSummary(name);
    };
    connect(m_ticker, &CrestTicker::teamInBand, this, summariseTeam);
    connect(m_ticker, &CrestTicker::crestPointed, this, summariseTeam);
}

void TeamViewsController::refreshCard(TeamNo team)
{
    Session &session = m_needs.session;
    m_card->showCard(buildTeamCard(session.season(), session.store(), team, session.standings().displayed(),
                                   session.state().favouriteTeam()),
                     m_needs.pictures.crest(team));
}

void TeamViewsController::buildHistory()
{
    // A click on the box during a build asks for one more build after it.
    if (m_building) {
        m_rebuildWanted = true;
        return;
    }
    Session &session = m_needs.session;
    do {
        m_rebuildWanted = false;
        m_building = true;
        m_graph->showLoading();
        BusyPointer busy;
        QApplication::processEvents();
        const QDateTime limit = historyDateLimit(session.clock().now(), m_graph->simulated()->isChecked());
        QElapsedTimer slice;
        slice.start();
        // Closing the panel stops the build after the match day in progress.
        const MatchDayNo last = buildRankingHistory(m_history, session.season(), session.store(), session.bonusMalus(),
                                                    limit, [this, &slice] {
                                                        if (slice.elapsed() >= BuildSliceMs) {
                                                            QApplication::processEvents();
                                                            slice.restart();
                                                        }
                                                        return m_graph->isVisible();
                                                    });
        // The table ends on the ranking after the last match day computed,
        // shown once rather than after every match day.
        if (last > 0)
            m_needs.ranking.computeStandings(last, false);
        m_graph->setTeams(teamNames(session.season()));
        const QString favourite = session.state().favouriteTeam();
        const QString team =
            namesTeam(session.season(), favourite) ? favourite : session.standings().displayed().rows[0].data.name;
        m_graph->selectTeam(session.season().teamNoOfName(team));
        drawGraph();
        m_building = false;
    } while (m_rebuildWanted);
}

void TeamViewsController::drawGraph()
{
    const QString team = m_graph->selectedName();
    m_graph->drawBars(graphBars(m_history, team), graphTitle(team),
                      m_needs.pictures.crest(m_needs.session.season().teamNoOfName(team)));
}

void TeamViewsController::openTeamCard()
{
    m_card->raise();
    Session &session = m_needs.session;
    const Season &season = session.season();
    if (!m_card->isBuilt()) {
        BusyPointer busy;
        m_card->build(teamNames(season));
    }
    const QString request = session.state().cardRequest();
    const QString favourite = session.state().favouriteTeam();
    QString team = session.standings().displayed().rows[0].data.name;
    if (namesTeam(season, request))
        team = request;
    else if (namesTeam(season, favourite))
        team = favourite;
    const TeamNo teamNo = season.teamNoOfName(team);
    m_card->selectTeam(teamNo);
    // Every opening reads the store and the table again, even for the team
    // already selected.
    refreshCard(teamNo);
    m_card->show();
}

void TeamViewsController::closeTeamCard()
{
    m_card->hide();
}

void TeamViewsController::showTeamSummary(const QString &team)
{
    Session &session = m_needs.session;
    const TeamSummary summary = buildTeamSummary(
        session.season(), team, m_tally.tally(session.season(), session.store()), session.standings().displayed());
    QPixmap movement;
    switch (summary.movement) {
    case Movement::Up:
        movement = m_needs.pictures.movement(Pictures::Up);
        break;
    case Movement::Down:
        movement = m_needs.pictures.movement(Pictures::Down);
        break;
    case Movement::Same:
        movement = m_needs.pictures.movement(Pictures::Same);
        break;
    case Movement::None:
        break;
    }
    m_summary->showSummary(summary, m_needs.pictures.crest(summary.team), movement);
    session.state().setSummaryTeam(team);
}

void TeamViewsController::showCrests()
{
    for (QLabel *crest : m_ticker->findChildren<QLabel *>(QStringLiteral("ImBlas")))
        crest->setPixmap(m_needs.pictures.crest(crest->property("index").toInt()));
}

void TeamViewsController::startCrestTicker()
{
    const DisplayedStandings &shown = m_needs.session.standings().displayed();
    showTeamSummary(shown.rows[0].data.name);
    QList<TeamNo> order;
    for (const DisplayedRow &row : shown.rows)
        order << m_needs.session.season().teamNoOfName(row.data.name);
    m_ticker->start(order);
}

void TeamViewsController::showCrestStrip()
{
    m_ticker->show();
    m_ticker->raise();
}

void TeamViewsController::parkCrestStrip()
{
    m_ticker->park();
}

void TeamViewsController::resumeCrestTicker()
{
    m_ticker->resume();
}

void TeamViewsController::openGraph()
{
    m_graph->show();
    m_graph->raise();
    buildHistory();
}

void TeamViewsController::closeGraph()
{
    m_graph->hide();
}

void TeamViewsController::openCardOfGraphTeam()
{
    m_needs.session.state().setCardRequest(m_graph->selectedName());
    openTeamCard();
}

void TeamViewsController::showCardsPerMatchDay()
{
    m_cards->showReport(cardsPerMatchDay(m_needs.session.store()).text());
}

void TeamViewsController::toggleHighlights()
{
    if (m_highlights->isVisible()) {
        m_highlights->hide();
        return;
    }
    BusyPointer busy;
    m_highlights->showValues(highlights::compute(m_needs.session.season(), m_needs.session.store()));
    m_highlights->show();
    m_highlights->raise();
}

void TeamViewsController::closeHighlights()
{
    m_highlights->hide();
}

void TeamViewsController::buildStatistics()
{
    // Only the button at start: the view and its data wait for the first opening.
    m_statisticsButton = new QToolButton(&m_needs.window);
    m_statisticsButton->setObjectName(QStringLiteral("BtStats"));
    m_statisticsButton->setText(StatisticsCaption);
    m_statisticsButton->setToolTip(StatisticsTip);
    m_statisticsButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    windowstyle::setColours(m_statisticsButton, Qt::white, windowstyle::Navy);
    windowstyle::setBold(m_statisticsButton);
    m_statisticsButton->setGeometry(windowareas::StatisticsButton);
    connect(m_statisticsButton, &QToolButton::clicked, this, &TeamViewsController::openStatistics);
}

StatisticsView &TeamViewsController::statisticsView()
{
    if (m_statistics)
        return *m_statistics;
    BusyPointer busy;
    Session &session = m_needs.session;
    m_statistics = new StatisticsView({session.season(), session.store(), session.bonusMalus(),
                                       [this]() -> const RankingHistory & { return playedHistory(); }},
                                      &m_needs.window);
    m_statistics->setGeometry(windowareas::Statistics);
    m_statistics->hide();
    connect(m_statistics, &StatisticsView::closed, this, &TeamViewsController::closeStatistics);
    connect(m_statistics, &StatisticsView::matchDayRequested, this, [this](int day) {
        // The grid shows under the view once it is closed; typed results are
        // settled first, as for any other way to another match day.
        if (!m_needs.matchDay.settleUnsavedEntries())
            return;
        closeStatistics();
        m_needs.matchDay.showMatchDay(day);
    });
    return *m_statistics;
}

void TeamViewsController::openStatistics()
{
    parkCrestStrip();
    Session &session = m_needs.session;
    session.refreshDueMatchDays();
    StatisticsView &view = statisticsView();
    view.setMatchDay(std::clamp<MatchDayNo>(session.state().dueMatchDays(), 1, MatchDayCount));
    view.refresh();
    view.show();
    view.raise();
    view.setFocus(Qt::OtherFocusReason);
}

void TeamViewsController::closeStatistics()
{
    if (m_statistics)
        m_statistics->hide();
    m_statisticsButton->setFocus(Qt::OtherFocusReason);
}

const RankingHistory &TeamViewsController::playedHistory()
{
    Session &session = m_needs.session;
    const QDateTime today = historyDateLimit(session.clock().now(), false);
    // The graph may be building it: its build carries on from where it is.
    if (!m_building) {
        BusyPointer busy;
        buildRankingHistory(m_history, session.season(), session.store(), session.bonusMalus(), today);
    }
    // The graph's history keeps the match days to come it computed with the
    // simulated results; the statistics show the match days played only.
    m_playedHistory = historyUpTo(m_history, session.season(), today);
    return m_playedHistory;
}
