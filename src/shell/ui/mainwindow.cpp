#include "shell/ui/mainwindow.h"

#include "shared/ui/accessiblewidgets.h"
#include "shared/ui/windowareas.h"
#include "shared/ui/windowstyle.h"
#include "shell/core/session.h"
#include "shell/ui/accesscontroller.h"
#include "shell/ui/commandbuttons.h"
#include "shell/ui/commandtable.h"
#include "shell/ui/exportscontroller.h"
#include "shell/ui/matchdaycontroller.h"
#include "shell/ui/newsline.h"
#include "shell/ui/onlinecontroller.h"
#include "shell/ui/scrollingframe.h"
#include "shell/ui/sendingcontroller.h"
#include "shell/ui/shellpanelscontroller.h"
#include "shell/ui/standingscontroller.h"
#include "shell/ui/startupsequence.h"
#include "shell/ui/teamviewscontroller.h"
#include "standings/ui/standingstable.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QPainter>
#include <QPushButton>

namespace {

// Panels over whose free space the pointer calms every button down.
const std::array CalmingPanels = {"FraCon", "FraDon", "FraPlus", "FraPlanning", "Frame4", "Frame6"};

} // namespace

MainWindow::MainWindow(Session &session, const WindowServices &services, QWidget *parent)
    : QWidget(parent)
    , m_session(session)
    , m_services(services)
    , m_buttons(new CommandButtons(this))
{
    // Before any widget: screen readers may ask for them from their first event.
    accessiblewidgets::install();
    setObjectName(QStringLiteral("Main"));
    setFixedSize(windowareas::Window);
    // The window's own pointer moves reset the hover marks of the buttons,
    // the months and the tracking aid.
    setMouseTracking(true);

    const QPoint monthsAt = buildSideColumn();
    m_matchDayArea = new QFrame(this);
    m_matchDayArea->setObjectName(QStringLiteral("Frame7"));
    m_matchDayArea->setGeometry(windowareas::MatchDay);
    m_news = new NewsLine(*this, *m_matchDayArea, this);
    buildFeatures(monthsAt);
    connectFeatures();
    m_buttons->listenForShortcuts(*this);
    trackCalmingPanels();
    // Last: it orders and names what every feature has built.
    m_access = new AccessController({m_session, *m_buttons, *m_commands, m_standings->table(), *this}, this);
}

MainWindow::~MainWindow()
{
    // The frame hands the window back before it goes.
    m_frame.reset();
}

QPoint MainWindow::buildSideColumn()
{
    QRect place = windowareas::FirstCommand;
    for (Command command : commands::sideColumn()) {
        QPushButton *button = m_buttons->create(command, this);
        button->setGeometry(place);
        windowstyle::styleCommandButton(button);
        place.translate(0, windowareas::CommandPitch);
    }
    m_buttons->button(Command::OpenSending)->hide();
    // The month calendar under the last command.
    return QPoint(0, place.top()) + windowareas::MonthsOffset;
}

// The order of creation is the order in which the features' panels stack,
// and in which Tab reaches their boxes: the table and its export button
// first, the panels that slide in over them after.
void MainWindow::buildFeatures(QPoint monthsAt)
{
    Session &s = m_session;
    WindowServices &w = m_services;
    m_standings =
        new StandingsController({s, w.prompt, w.pictures, *m_buttons, m_links, m_links, m_links, *this}, this);
    m_exports = new ExportsController({s, w.prompt, *this}, this);
    m_shellPanels = new ShellPanelsController(
        {s, w.prompt, w.pictures, w.launcher, w.printTarget, *m_buttons, m_links, m_links, *this}, this);
    m_matchDay = new MatchDayController(
        {s, w.prompt, *m_buttons, m_links, m_links, m_links, *m_matchDayArea, *this, monthsAt}, this);
    m_sending = new SendingController(
        {s, w.prompt, w.launcher, *m_buttons, m_links, m_links, *m_news, *this, *m_matchDayArea}, this);
    m_teamViews = new TeamViewsController({s, w.pictures, *m_buttons, m_links, m_links, *this}, this);
    m_online = new OnlineController(
        {s, w.prompt, w.launcher, w.downloader, *m_buttons, m_links, m_links, *m_news, *this, *m_matchDayArea}, this);
    m_commands = std::make_unique<CommandTable>(CommandTargets{
        *this, *m_standings, *m_matchDay, *m_sending, *m_teamViews, *m_online, *m_shellPanels, *m_news, s.state()});
    m_links.bind(*m_commands, *m_standings, *m_matchDay, *m_teamViews);
    m_startup =
        std::make_unique<StartupSequence>(*this, s, w.prompt, w.pictures,
                                          StartupSequence::Features{*m_shellPanels, *m_matchDay, *m_sending,
                                                                    *m_standings, *m_teamViews, *m_online, *m_news});
}

// What one feature does makes way in another: the panels a view covers
// close, the table hears of the stamp, the team views of the table's clicks.
void MainWindow::connectFeatures()
{
    connect(m_buttons, &CommandButtons::clicked, this, &MainWindow::runCommand);
    connect(m_buttons, &CommandButtons::hovered, m_online, &OnlineController::markUpdateButtonResting);
    connect(&m_session.state(), &AppState::sendingOfferedChanged, m_buttons->button(Command::OpenSending),
            &QWidget::setVisible);

    connect(m_standings, &StandingsController::pickerOpening, m_teamViews, &TeamViewsController::closeHighlights);
    connect(m_standings, &StandingsController::pickerOpening, m_online, &OnlineController::closeDonors);
    connect(m_standings, &StandingsController::teamRowChosen, m_news, &NewsLine::hide);
    StandingsTable &table = m_standings->table();
    connect(&table, &StandingsTable::goalsClicked, m_teamViews, &TeamViewsController::showCardsPerMatchDay);
    connect(&table, &StandingsTable::stampClicked, m_teamViews, &TeamViewsController::startCrestTicker);
    connect(&table, &StandingsTable::stampClicked, m_teamViews, &TeamViewsController::showCrestStrip);

    connect(m_matchDay, &MatchDayController::matchDayShowing, m_standings, &StandingsController::hideClassifications);
    connect(m_matchDay, &MatchDayController::matchDayShowing, m_teamViews, &TeamViewsController::closeHighlights);
    connect(m_matchDay, &MatchDayController::matchDayShowing, m_sending, &SendingController::hidePanel);
    connect(m_matchDay, &MatchDayController::teamSeasonShowing, m_online, &OnlineController::closeDonors);
    connect(m_matchDay, &MatchDayController::calendarDayChosen, m_standings, &StandingsController::unlockSecondTeam);

    connect(m_shellPanels, &ShellPanelsController::aboutOpening, m_online, &OnlineController::closeDonors);
    connect(m_shellPanels, &ShellPanelsController::adjustmentsShown, &table, &StandingsTable::hideRowRules);
    connect(m_teamViews, &TeamViewsController::calendarWanted, m_exports, &ExportsController::exportTeamCalendar);

    connect(m_online, &OnlineController::resultsUpdateRequested, this, &MainWindow::resultsUpdateRequested);
    connect(m_online, &OnlineController::donorsFetchRequested, this, &MainWindow::donorsFetchRequested);
    connect(m_online, &OnlineController::newerVersionChosen, this, &MainWindow::endWithoutShutdown);
    connect(m_online, &OnlineController::stampShown, &table, &StandingsTable::setStamp);
    connect(m_online, &OnlineController::stampColoured, &table, &StandingsTable::setStampColour);
    // The statistics view will open here from its button under the table, and
    // ask the match days to show a match day (team/ui/statisticsview).
}

void MainWindow::fitScreen(const QRect &room)
{
    if (m_frame || room.isEmpty() || (room.width() >= width() && room.height() >= height()))
        return;
    m_frame = std::make_unique<ScrollingFrame>(*this, room);
}

bool MainWindow::startUp()
{
    return m_startup->run();
}

SplashWindow *MainWindow::splash() const
{
    return m_startup->splash();
}

StandingsTable &MainWindow::standingsTable()
{
    return m_standings->table();
}

void MainWindow::runCommand(Command command)
{
    m_commands->run(command);
}

void MainWindow::trackCalmingPanels()
{
    // The panels hear the pointer over their free space and pass it on to
    // the window, which calms the buttons down.
    for (const char *name : CalmingPanels) {
        if (QWidget *panel = findChild<QWidget *>(QLatin1String(name), Qt::FindDirectChildrenOnly))
            panel->setMouseTracking(true);
    }
}

// The pointer on the window's background (`area` null) or over one of its
// areas: the hover marks it left behind go.
void MainWindow::resetHover(QWidget *area)
{
    const QString name = area ? area->objectName() : QString();
    const bool background = area == nullptr;
    bool calming = background;
    for (const char *panel : CalmingPanels)
        calming = calming || name == QLatin1String(panel);
    if (calming)
        m_buttons->calm();
    if (background || name == QLatin1String("FraDon"))
        m_standings->resetPickerHover();
    if (background) {
        m_matchDay->resetMonthHover();
        m_standings->table().clearTrackingMarkers();
        m_teamViews->resumeCrestTicker();
    }
    if (calming)
        m_online->markUpdateButtonResting();
}

void MainWindow::paintEvent(QPaintEvent *event)
{
    // The gradient is drawn once; every repaint then only copies the part
    // it needs.
    const qreal ratio = devicePixelRatioF();
    if (m_background.size() != size() * ratio) {
        m_background = QPixmap(size() * ratio);
        m_background.setDevicePixelRatio(ratio);
        QPainter sky(&m_background);
        QLinearGradient gradient(0, 0, 0, height());
        gradient.setColorAt(0, windowstyle::SkyTop);
        gradient.setColorAt(1, windowstyle::SkyBottom);
        sky.fillRect(rect(), gradient);
    }
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.drawPixmap(dirty, m_background, QRectF(dirty.topLeft() * ratio, dirty.size() * ratio));
}

void MainWindow::mouseMoveEvent(QMouseEvent *event)
{
    // Moves over widgets that do not follow the mouse themselves arrive here
    // too; only the bare window (or the match-day area's empty space) counts
    // as the background.
    QWidget *under = childAt(event->position().toPoint());
    while (under && under->parentWidget() != this)
        under = under->parentWidget();
    resetHover(under == m_matchDayArea ? nullptr : under);
    QWidget::mouseMoveEvent(event);
}

void MainWindow::endWithoutShutdown()
{
    m_ending = true;
    hide();
    QCoreApplication::exit(0);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // "Quitter" and the window's own close settle typed results first, as
    // every other way off the match day does.
    if (!m_ending && !m_matchDay->settleUnsavedEntries()) {
        event->ignore();
        return;
    }
    if (!m_ending)
        m_shellPanels->writePreferences();
    event->accept();
}
