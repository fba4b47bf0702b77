#include "shell/ui/mainwindow.h"

#include "shared/ui/twips.h"
#include "shell/core/session.h"
#include "shell/ui/commandbuttons.h"
#include "shell/ui/pictures.h"
#include "shell/ui/exportscontroller.h"
#include "shell/ui/matchdaycontroller.h"
#include "shell/ui/newsline.h"
#include "shell/ui/onlinecontroller.h"
#include "shell/ui/sendingcontroller.h"
#include "shell/ui/shellpanelscontroller.h"
#include "shell/ui/standingscontroller.h"
#include "shell/ui/teamviewscontroller.h"
#include "shared/ui/windowstyle.h"
#include "standings/ui/standingstable.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {
constexpr int SidebarWidth = 255;
constexpr int MatchDayLeft = 3960; // twips: where the match-day view sits
constexpr int MatchDayWidth = 296;
constexpr int TableLeft = 564;
constexpr int WindowWidth = 1278;
constexpr int WindowHeight = 730;

// Commands reachable from the side column, top to bottom; the export
// command stays hidden until a save or the title's switch offers it.
constexpr std::array SidebarCommands = {
    Command::GeneralStandings, Command::Classifications, Command::PickMatchDay, Command::ReachableRanks,
    Command::FullTable,        Command::OpenTeamCard,    Command::OpenGraph,    Command::Highlights,
    Command::Update,           Command::BackupStore,     Command::Adjustments,  Command::Donors,
    Command::Configuration,    Command::Print,           Command::Help,         Command::About,
    Command::Quit,             Command::OpenSending,
};
} // namespace

MainWindow::MainWindow(Session &session, const WindowServices &services, QWidget *parent)
    : QWidget(parent)
    , m_session(session)
    , m_services(services)
    , m_buttons(new CommandButtons(this))
    , m_commands(*this)
{
    setObjectName(QStringLiteral("Main"));
    setFixedSize(WindowWidth, WindowHeight);
    // The window's own pointer moves reset the hover marks of the buttons,
    // the months and the tracking aid.
    setMouseTracking(true);

    buildSidebar();
    m_matchDayFrame = new QFrame(this);
    m_matchDayFrame->setObjectName(QStringLiteral("Frame7"));
    m_matchDayFrame->setGeometry(twips(MatchDayLeft), 8, MatchDayWidth, WindowHeight - 16);
    m_news = new NewsLine(*this, *m_matchDayFrame, this);

    m_standingsFeature = new StandingsController({m_session, m_services.prompt, m_services.pictures, *m_buttons,
                                                  m_links, m_links, m_links, *this},
                                                 this);
    connect(m_standingsFeature, &StandingsController::pickerOpening, this, [this] {
        closeHighlights();
        closeDonors();
    });
    connect(m_standingsFeature, &StandingsController::teamRowChosen, this, &MainWindow::hideNewsPanel);
    StandingsTable &table = m_standingsFeature->table();
    connect(&table, &StandingsTable::goalsClicked, this, &MainWindow::showCardsPerMatchDay);
    connect(&table, &StandingsTable::stampClicked, this, [this] {
        startCrestTicker();
        showCrestStrip();
    });
    // Just above the table, below every panel that slides in over it.
    m_exportsFeature = new ExportsController({m_session, m_services.prompt, *this}, this);

    m_shellFeature = new ShellPanelsController({m_session, m_services.prompt, m_services.pictures,
                                                m_services.launcher, m_services.printTarget, *m_buttons, m_links,
                                                m_links, *this},
                                               this);
    connect(m_shellFeature, &ShellPanelsController::aboutOpening, this, &MainWindow::closeDonors);
    connect(m_shellFeature, &ShellPanelsController::adjustmentsShown, this,
            [this] { standingsTable().hideRowRules(); });
    installMatchDay();
    m_sendingFeature = new SendingController({m_session, m_services.prompt, m_services.launcher, *m_buttons, m_links,
                                              m_links, *m_news, *this, *m_matchDayFrame},
                                             this);
    m_teamFeature = new TeamViewsController({m_session, m_services.pictures, *m_buttons, m_links, *this}, this);
    connect(m_teamFeature, &TeamViewsController::calendarWanted, m_exportsFeature,
            &ExportsController::exportTeamCalendar);
    m_links.bind(*this, *m_standingsFeature, *m_matchDayFeature, *m_teamFeature);
    m_onlineFeature = new OnlineController({m_session, m_services.prompt, m_services.launcher, m_services.downloader,
                                            *m_buttons, m_links, m_links, *m_news, *this, *m_matchDayFrame},
                                           this);
    connect(m_onlineFeature, &OnlineController::resultsUpdateRequested, this, &MainWindow::resultsUpdateRequested);
    connect(m_onlineFeature, &OnlineController::donorsFetchRequested, this, &MainWindow::donorsFetchRequested);
    connect(m_onlineFeature, &OnlineController::newerVersionChosen, this, &MainWindow::endWithoutShutdown);
    connect(m_onlineFeature, &OnlineController::stampShown, &standingsTable(), &StandingsTable::setStamp);
    connect(m_onlineFeature, &OnlineController::stampColoured, &standingsTable(), &StandingsTable::setStampColour);
    trackCalmingPanels();

    connect(m_buttons, &CommandButtons::clicked, this, [this](Command command) { m_commands.dispatch(command); });
    for (Command command : commands::all()) {
        if (QPushButton *button = m_buttons->button(command))
            button->installEventFilter(this);
    }
    // Last: it orders and names what every feature has built.
    installAccess();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildSidebar()
{
    int top = 98;
    for (Command command : SidebarCommands) {
        QPushButton *button = m_buttons->create(command, this);
        button->setGeometry(8, top, SidebarWidth - 16, 20);
        windowstyle::styleCommandButton(button);
        top += 22;
    }
    m_buttons->button(Command::OpenSending)->hide();

    m_monthsAt = QPoint(12, top + 8);
}

void MainWindow::setNewsText(const QString &text)
{
    m_news->setText(text);
}

QString MainWindow::newsText() const
{
    return m_news->text();
}

void MainWindow::showNews()
{
    m_news->show();
}

void MainWindow::hideNewsPanel()
{
    m_news->hide();
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
        gradient.setColorAt(0, QColor(0x0B, 0x2A, 0x66));
        gradient.setColorAt(1, QColor(0x06, 0x17, 0x38));
        sky.fillRect(rect(), gradient);
    }
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.drawPixmap(dirty, m_background,
                       QRectF(dirty.topLeft() * ratio, dirty.size() * ratio));
}

void MainWindow::mouseMoveEvent(QMouseEvent *event)
{
    // Moves over widgets that do not follow the mouse themselves arrive here
    // too; only the bare window (or the match-day area's empty space) counts
    // as the background.
    QWidget *under = childAt(event->position().toPoint());
    while (under && under->parentWidget() != this)
        under = under->parentWidget();
    resetHover(under == m_matchDayFrame ? nullptr : under);
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
    if (!m_ending)
        m_shellFeature->writePreferences();
    event->accept();
}

// Until every feature has its controller, the window answers for them.
StandingsTable &MainWindow::standingsTable()
{
    return m_standingsFeature->table();
}

void MainWindow::computeStandings(MatchDayNo upTo, bool silent)
{
    m_standingsFeature->computeStandings(upTo, silent);
}

void MainWindow::markRankMovement(int matchDay)
{
    m_standingsFeature->markRankMovement(matchDay);
}

void MainWindow::sortByCriterion(const QString &code)
{
    m_standingsFeature->sortByCriterion(code);
}

void MainWindow::showReachableRanks()
{
    m_standingsFeature->showReachableRanks();
}

void MainWindow::pickMatchDay(MatchDayNo day)
{
    m_standingsFeature->pickMatchDay(day);
}

void MainWindow::selectTeamRow(int row)
{
    m_standingsFeature->selectTeamRow(row);
}

void MainWindow::showMatchDayPicker()
{
    m_standingsFeature->showMatchDayPicker();
}

void MainWindow::hideMatchDayPicker()
{
    m_standingsFeature->hideMatchDayPicker();
}

void MainWindow::toggleClassifications()
{
    m_standingsFeature->toggleClassifications();
}

void MainWindow::hideClassifications()
{
    m_standingsFeature->hideClassifications();
}

void MainWindow::unlockSecondTeam()
{
    m_standingsFeature->unlockSecondTeam();
}

void MainWindow::openTeamCard()
{
    m_teamFeature->openTeamCard();
}

void MainWindow::closeTeamCard()
{
    m_teamFeature->closeTeamCard();
}

void MainWindow::startCrestTicker()
{
    m_teamFeature->startCrestTicker();
}

void MainWindow::showCrestStrip()
{
    m_teamFeature->showCrestStrip();
}

void MainWindow::parkCrestStrip()
{
    m_teamFeature->parkCrestStrip();
}

void MainWindow::resumeCrestTicker()
{
    m_teamFeature->resumeCrestTicker();
}

void MainWindow::openGraph()
{
    m_teamFeature->openGraph();
}

void MainWindow::closeGraph()
{
    m_teamFeature->closeGraph();
}

void MainWindow::openCardOfGraphTeam()
{
    m_teamFeature->openCardOfGraphTeam();
}

void MainWindow::showCardsPerMatchDay()
{
    m_teamFeature->showCardsPerMatchDay();
}

void MainWindow::toggleHighlights()
{
    m_teamFeature->toggleHighlights();
}

void MainWindow::closeHighlights()
{
    m_teamFeature->closeHighlights();
}

void MainWindow::showTeamSummary(const QString &team)
{
    m_teamFeature->showTeamSummary(team);
}

void MainWindow::runResultsUpdate()
{
    m_onlineFeature->runResultsUpdate();
}

void MainWindow::toggleDonors()
{
    m_onlineFeature->toggleDonors();
}

void MainWindow::closeDonors()
{
    m_onlineFeature->closeDonors();
}

void MainWindow::stopDonorsTicker()
{
    m_onlineFeature->stopDonorsTicker();
}

void MainWindow::restartDonorsTicker()
{
    m_onlineFeature->restartDonorsTicker();
}

void MainWindow::refreshDonorsWeekly()
{
    m_onlineFeature->refreshDonorsWeekly();
}

void MainWindow::markUpdateButtonResting()
{
    m_onlineFeature->markUpdateButtonResting();
}

void MainWindow::toggleConfiguration()
{
    m_shellFeature->toggleConfiguration();
}

void MainWindow::closeConfiguration()
{
    m_shellFeature->closeConfiguration();
}

void MainWindow::hideConfiguration()
{
    m_shellFeature->hideConfiguration();
}

void MainWindow::toggleAbout()
{
    m_shellFeature->toggleAbout();
}

void MainWindow::hideAbout()
{
    m_shellFeature->hideAbout();
}

void MainWindow::toggleAdjustments()
{
    m_shellFeature->toggleAdjustments();
}

void MainWindow::copyStoreAside()
{
    m_shellFeature->copyStoreAside();
}

void MainWindow::printWindow()
{
    m_shellFeature->printWindow();
}

void MainWindow::openHelpPage()
{
    m_shellFeature->openHelpPage();
}
