#include "shell/ui/mainwindow.h"

#include "shared/ui/twips.h"
#include "shell/core/session.h"
#include "shell/ui/commandbuttons.h"
#include "shell/ui/pictures.h"
#include "shell/ui/matchdaycontroller.h"
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
constexpr int NewsPointSize = 9;
constexpr int NewsSmallestPointSize = 7;

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
    buildNewsPanel();

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
    installExports();

    installShell();
    installMatchDay();
    installSending();
    m_teamFeature = new TeamViewsController({m_session, m_services.pictures, *m_buttons, m_links, *this}, this);
    connect(m_teamFeature, &TeamViewsController::calendarWanted, this, &MainWindow::exportTeamCalendar);
    m_links.bind(*this, *m_standingsFeature, *m_matchDayFeature, *m_teamFeature);
    installOnline();
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
    m_logo = new QLabel(this);
    m_logo->setObjectName(QStringLiteral("Image2"));
    m_logo->setGeometry(8, 6, 84, 84);

    auto *title = new QLabel(QStringLiteral("Kestrane 1\n2013 - 2014."), this);
    title->setObjectName(QStringLiteral("Label8"));
    windowstyle::setColours(title, windowstyle::Gold);
    windowstyle::setBold(title, true, 14);
    title->setGeometry(100, 14, SidebarWidth - 100, 56);
    title->installEventFilter(this);

    auto *storeLabel = new QLabel(QStringLiteral("Resultats2013.ini"), this);
    storeLabel->setObjectName(QStringLiteral("Label21"));
    windowstyle::setColours(storeLabel, QColor(0xA0, 0xB0, 0xD0));
    QFont small = storeLabel->font();
    small.setPointSize(7);
    storeLabel->setFont(small);
    storeLabel->setGeometry(100, 70, SidebarWidth - 100, 16);
    storeLabel->setCursor(Qt::PointingHandCursor);
    storeLabel->installEventFilter(this);

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

void MainWindow::buildNewsPanel()
{
    const QStringList sides{QStringLiteral("Domicile"), QStringLiteral("Extérieur")};
    for (int i = 0; i < 2; ++i) {
        m_sideCaptions[i] = new QLabel(sides[i], m_matchDayFrame);
        m_sideCaptions[i]->setObjectName(QStringLiteral("Label27"));
        m_sideCaptions[i]->setProperty("index", i);
        windowstyle::setColours(m_sideCaptions[i], Qt::white);
        m_sideCaptions[i]->setGeometry(i == 0 ? twips(345) : twips(2070), 36, 90, 16);
    }

    // The news line covers the home/away captions while there is news.
    m_newsPanel = new QFrame(this);
    m_newsPanel->setObjectName(QStringLiteral("Frame5"));
    m_newsPanel->setGeometry(m_matchDayFrame->x(), m_matchDayFrame->y() + 34, MatchDayWidth, 20);
    m_newsPanel->setFrameStyle(QFrame::Box | QFrame::Plain);
    windowstyle::setColours(m_newsPanel, QColor(0x80, 0x00, 0x00), QColor(0xFF, 0xFF, 0xE0));
    m_news = new QLabel(m_newsPanel);
    m_news->setObjectName(QStringLiteral("Label14"));
    m_news->setTextFormat(Qt::PlainText);
    m_news->setGeometry(4, 1, MatchDayWidth - 8, 18);
    windowstyle::setBold(m_news);
    m_newsPanel->hide();
}

void MainWindow::setNewsText(const QString &text)
{
    m_newsText = text;
    // The line has one row of the window: a long news takes a smaller font,
    // and what still does not fit is elided, the whole text in the tool tip.
    QFont font = m_news->font();
    int size = NewsPointSize;
    font.setPointSize(size);
    while (size > NewsSmallestPointSize && QFontMetrics(font).horizontalAdvance(text) > m_news->width()) {
        font.setPointSize(--size);
    }
    m_news->setFont(font);
    m_news->setText(QFontMetrics(font).elidedText(text, Qt::ElideRight, m_news->width()));
    m_news->setToolTip(text);
}

QString MainWindow::newsText() const
{
    return m_newsText;
}

void MainWindow::showNews()
{
    const bool news = !m_newsText.isEmpty();
    m_newsPanel->setVisible(news);
    if (news)
        m_newsPanel->raise();
    for (QLabel *caption : m_sideCaptions)
        caption->setVisible(!news);
}

void MainWindow::hideNewsPanel()
{
    m_newsPanel->hide();
    for (QLabel *caption : m_sideCaptions)
        caption->show();
}

void MainWindow::parkPanels()
{
    for (QFrame *panel : findChildren<QFrame *>(QString(), Qt::FindDirectChildrenOnly)) {
        const QVariant left = panel->property("parkedLeft");
        if (left.isValid())
            panel->move(left.toInt(), panel->y());
    }
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
        writePreferences();
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
