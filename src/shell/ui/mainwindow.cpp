#include "shell/ui/mainwindow.h"

#include "matchday/ui/matchgrid.h"
#include "matchday/ui/monthcalendarview.h"
#include "season/core/twips.h"
#include "shell/core/programinfo.h"
#include "shell/core/session.h"
#include "shell/ui/commandbuttons.h"
#include "shell/ui/pictures.h"
#include "standings/ui/standingstable.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>

namespace {
constexpr int SidebarWidth = 255;
constexpr int MatchDayLeft = 3960; // twips: where the match-day view sits
constexpr int TableLeft = 564;
constexpr int WindowWidth = 1278;
constexpr int WindowHeight = 730;

// Commands reachable from the side column, top to bottom.
constexpr std::array SidebarCommands = {4, 20, 10, 29, 21, 33, 12, 25, 9, 32, 31, 16, 27, 35, 7, 6, 0, 13};

// Colours go through palettes rather than a style sheet: a sheet on the
// window would restyle its nine hundred children and slow every start.
void setColours(QWidget *widget, const QColor &text, const QColor &background = QColor())
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::WindowText, text);
    pal.setColor(QPalette::ButtonText, text);
    if (background.isValid()) {
        pal.setColor(QPalette::Window, background);
        pal.setColor(QPalette::Button, background);
        widget->setAutoFillBackground(true);
    }
    widget->setPalette(pal);
}

void setBold(QWidget *widget, int pointSize = 0)
{
    QFont font = widget->font();
    font.setBold(true);
    if (pointSize > 0)
        font.setPointSize(pointSize);
    widget->setFont(font);
}

const QColor Navy(0x00, 0x00, 0x80);
const QColor Gold(0xFF, 0xD7, 0x00);
} // namespace

MainWindow::MainWindow(Session &session, Prompt &prompt, Pictures &pictures, QWidget *parent)
    : QWidget(parent)
    , m_session(session)
    , m_prompt(prompt)
    , m_pictures(pictures)
    , m_buttons(new CommandButtons(this))
{
    setObjectName(QStringLiteral("Main"));
    setFixedSize(WindowWidth, WindowHeight);

    buildSidebar();
    buildMatchDayPanel();

    m_table = new StandingsTable(this);
    m_table->move(TableLeft, 8);
    m_table->setCrestProvider([this](const QString &team) {
        return m_pictures.crest(m_session.season().teamNoOfName(team));
    });

    // The league lines under the table stand on the window's dark background.
    for (const char *name : {"LabMaj", "Label12", "Label9", "Label19"}) {
        if (auto *label = m_table->findChild<QLabel *>(QLatin1String(name)))
            setColours(label, Qt::white);
    }

    buildPanels();
    connect(m_buttons, &CommandButtons::clicked, this, &MainWindow::onCommand);
    connect(&m_session.standings(), &StandingsModel::displayedChanged, this,
            [this] { m_table->showStandings(m_session.standings().displayed()); });
    connect(&m_session.state(), &AppState::trackingAidChanged, m_table, &StandingsTable::setTrackingAid);
    connect(&m_session.state(), &AppState::dueMatchDaysChanged, this,
            [this](int due) { m_dueLabel->setText(QString::number(due)); });
}

MainWindow::~MainWindow() = default;

void MainWindow::buildSidebar()
{
    m_logo = new QLabel(this);
    m_logo->setObjectName(QStringLiteral("Image2"));
    m_logo->setGeometry(8, 6, 84, 84);

    auto *title = new QLabel(QStringLiteral("Kestrane 1\n2013 - 2014."), this);
    title->setObjectName(QStringLiteral("Label8"));
    setColours(title, Gold);
    setBold(title, 14);
    title->setGeometry(100, 14, SidebarWidth - 100, 56);

    auto *storeLabel = new QLabel(QStringLiteral("Resultats2013.ini"), this);
    storeLabel->setObjectName(QStringLiteral("Label21"));
    setColours(storeLabel, QColor(0xA0, 0xB0, 0xD0));
    QFont small = storeLabel->font();
    small.setPointSize(7);
    storeLabel->setFont(small);
    storeLabel->setGeometry(100, 70, SidebarWidth - 100, 16);

    int top = 98;
    for (int index : SidebarCommands) {
        QPushButton *button = m_buttons->create(index, this);
        button->setGeometry(8, top, SidebarWidth - 16, 20);
        setColours(button, Qt::white, Navy);
        setBold(button);
        top += 22;
    }
    m_buttons->button(13)->hide(); // the export command stays hidden until switched on

    m_months = new MonthCalendarView(this);
    m_months->move(12, top + 8);
}

void MainWindow::buildMatchDayPanel()
{
    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame7"));
    frame->setGeometry(twips(MatchDayLeft), 8, 296, WindowHeight - 16);

    auto *header = new QLabel(frame);
    header->setObjectName(QStringLiteral("Label1"));
    header->setTextFormat(Qt::PlainText);
    header->setWordWrap(true);
    setBold(header);
    setColours(header, Qt::white);
    header->setGeometry(0, 0, 296, 34);

    const QStringList sides{QStringLiteral("Domicile"), QStringLiteral("Extérieur")};
    for (int i = 0; i < 2; ++i) {
        m_sideCaptions[i] = new QLabel(sides[i], frame);
        m_sideCaptions[i]->setObjectName(QStringLiteral("Label27"));
        m_sideCaptions[i]->setProperty("index", i);
        setColours(m_sideCaptions[i], Qt::white);
        m_sideCaptions[i]->setGeometry(i == 0 ? twips(345) : twips(2070), 36, 90, 16);
    }

    m_grid = new MatchGrid(frame);
    m_grid->move(0, 54);

    auto *totals = new QLabel(frame);
    totals->setObjectName(QStringLiteral("Label26"));
    totals->setTextFormat(Qt::PlainText);
    setColours(totals, Qt::white);
    totals->setGeometry(0, 54 + m_grid->height() + 4, 296, 18);

    QPushButton *save = m_buttons->create(1, frame);
    save->setGeometry(0, totals->geometry().bottom() + 4, 100, 22);
    setColours(save, Qt::white, Navy);
    setBold(save);

    m_dueLabel = new QLabel(QString::number(AppState::InitialDueMatchDays), frame);
    m_dueLabel->setObjectName(QStringLiteral("Label25"));
    m_dueLabel->setToolTip(QStringLiteral("Journées passées"));
    setColours(m_dueLabel, Qt::white);
    m_dueLabel->setGeometry(110, totals->geometry().bottom() + 6, 40, 18);

    // The news line covers the home/away captions while there is news.
    m_newsPanel = new QFrame(this);
    m_newsPanel->setObjectName(QStringLiteral("Frame5"));
    m_newsPanel->setGeometry(frame->x(), frame->y() + 34, 296, 20);
    m_newsPanel->setFrameStyle(QFrame::Box | QFrame::Plain);
    setColours(m_newsPanel, QColor(0x80, 0x00, 0x00), QColor(0xFF, 0xFF, 0xE0));
    m_news = new QLabel(m_newsPanel);
    m_news->setObjectName(QStringLiteral("Label14"));
    m_news->setTextFormat(Qt::PlainText);
    m_news->setGeometry(4, 1, 288, 18);
    setBold(m_news);
    m_newsPanel->hide();
}

QFrame *MainWindow::makePanel(const char *name, int leftTwips, int width, int height)
{
    auto *panel = new QFrame(this);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setProperty("parkedLeft", leftTwips);
    panel->setGeometry(twips(leftTwips), 8, width, height);
    panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    panel->setLineWidth(2);
    setColours(panel, Qt::black, QColor(0xE8, 0xEC, 0xF8));
    panel->hide();
    return panel;
}

void MainWindow::buildPanels()
{
    makePanel("FraPlanning", 0, 540, 700);
    makePanel("Frame4", -1500, 700, 500);
    makePanel("Frame6", 4605, 420, 320);
    makePanel("Frame8", 10245, 200, 260);
    makePanel("FraDon", 4440, 300, 200);
    QFrame *crestStrip = makePanel("Frame10", 9585, 560, 120);
    // The crests and movement arrows live in the crest strip; every view that
    // needs a picture asks Pictures, these are the strip's own copies.
    for (int team = 0; team < TeamCount; ++team) {
        auto *crest = new QLabel(crestStrip);
        crest->setObjectName(QStringLiteral("ImBlas"));
        crest->setProperty("index", team);
        crest->setGeometry(4 + 27 * team, 8, 26, 26);
        crest->setScaledContents(true);
    }
    for (int i = 0; i < 3; ++i) {
        auto *arrow = new QLabel(crestStrip);
        arrow->setObjectName(QStringLiteral("Image11"));
        arrow->setProperty("index", i);
        arrow->setGeometry(4 + 20 * i, 60, 16, 16);
        arrow->setPixmap(m_pictures.movement(static_cast<Pictures::Movement>(i)));
    }
    makePanel("FraPlus", 3960, 560, 500);
    makePanel("FraAP", 0, 420, 260);

    QFrame *config = makePanel("FraCon", 10020, 300, 420);
    m_autoUpdate = new QCheckBox(QStringLiteral("Mise à jour automatique au lancement"), config);
    m_autoUpdate->setObjectName(QStringLiteral("Check4"));
    m_highlightFavourite = new QCheckBox(QStringLiteral("Surligner son équipe préférée"), config);
    m_highlightFavourite->setObjectName(QStringLiteral("Check5"));
    m_trackingAid = new QCheckBox(QStringLiteral("Activer l'aide au suivi dans les tableaux"), config);
    m_trackingAid->setObjectName(QStringLiteral("Check6"));
    int top = 8;
    for (QCheckBox *box : {m_autoUpdate, m_highlightFavourite, m_trackingAid}) {
        box->setGeometry(8, top, 284, 20);
        top += 24;
    }
    connect(m_trackingAid, &QCheckBox::toggled, &m_session.state(), &AppState::setTrackingAid);
    m_favouriteLabel = new QLabel(config);
    m_favouriteLabel->setObjectName(QStringLiteral("LabEQPref"));
    m_favouriteLabel->setTextFormat(Qt::PlainText);
    m_favouriteLabel->setGeometry(8, top, 220, 20);
    auto *crest = new QLabel(config);
    crest->setObjectName(QStringLiteral("Image9"));
    crest->setGeometry(236, top, 48, 48);
    m_favouriteList = new QListWidget(config);
    m_favouriteList->setObjectName(QStringLiteral("List6"));
    m_favouriteList->setGeometry(8, top + 52, 284, 300);
    QPushButton *closeConfig = m_buttons->create(28, config);
    closeConfig->setGeometry(200, 388, 92, 22);
    setColours(closeConfig, Qt::white, Navy);
}

void MainWindow::parkPanels()
{
    for (QFrame *panel : findChildren<QFrame *>(QString(), Qt::FindDirectChildrenOnly)) {
        const QVariant left = panel->property("parkedLeft");
        if (left.isValid())
            panel->move(twips(left.toInt()), panel->y());
    }
}

void MainWindow::onCommand(int index)
{
    // Everything beyond quitting and the plain standings is dispatched by the
    // features that own it as they come.
    switch (index) {
    case 0:
        close();
        break;
    case 4:
        computeStandings();
        markRankMovement(m_session.state().dueMatchDays());
        break;
    default:
        break;
    }
}

void MainWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QLinearGradient sky(0, 0, 0, height());
    sky.setColorAt(0, QColor(0x0B, 0x2A, 0x66));
    sky.setColorAt(1, QColor(0x06, 0x17, 0x38));
    painter.fillRect(rect(), sky);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    writePreferences();
    event->accept();
}
