// The shell's own panels: configuration, about box, the list of points
// adjustments, the standings working list, and the small commands (pages,
// dated copy of the store, printing, the hidden export switch).
#include "shell/ui/mainwindow.h"

#include "online/core/sendingtool.h"
#include "shell/core/launcher.h"
#include "shell/core/programinfo.h"
#include "shell/core/prompt.h"
#include "shell/core/session.h"
#include "shell/core/storebackup.h"
#include "shell/core/webpages.h"
#include "shell/ui/aboutpanel.h"
#include "shell/ui/commandbuttons.h"
#include "shell/ui/configpanel.h"
#include "shell/ui/pictures.h"
#include "shell/ui/windowprinter.h"
#include "shared/ui/windowstyle.h"
#include "standings/core/standingsengine.h"
#include "standings/ui/standingstable.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

class MainWindow::ShellParts : public QObject
{
public:
    using QObject::QObject;
    ConfigPanel *config = nullptr;
    AboutPanel *about = nullptr;
    QListWidget *adjustments = nullptr; // List8
    QListWidget *workingList = nullptr; // List2
};

namespace {

QFrame *preparePanel(QFrame *panel, const QRect &where)
{
    panel->setGeometry(where);
    panel->setProperty("parkedLeft", where.x());
    panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    panel->setLineWidth(2);
    windowstyle::setColours(panel, Qt::black, windowstyle::PanelBackground);
    panel->hide();
    return panel;
}

// An adjustment as the lists show it: a whole number plainly, a fraction
// with the decimal comma.
QString adjustmentText(float value)
{
    StandingRow row;
    row.points = value;
    return row.pointsText();
}

} // namespace

void MainWindow::installShell()
{
    m_shell = new ShellParts(this);
    UserSettings &settings = m_session.settings();

    ConfigPanel *config = new ConfigPanel(this);
    preparePanel(config, QRect(956, 8, 314, 440));
    m_shell->config = config;
    QPushButton *closeConfig = m_buttons->create(Command::CloseConfiguration, config);
    closeConfig->setGeometry(206, 408, 96, 22);
    windowstyle::styleCommandButton(closeConfig);
    connect(config->trackingAid(), &QCheckBox::toggled, &m_session.state(), &AppState::setTrackingAid);
    connect(config->highlightFavourite(), &QCheckBox::toggled, &m_session.state(),
            &AppState::setHighlightFavourite);
    connect(config, &ConfigPanel::favouriteChosen, this, [this, config](int position, const QString &text) {
        config->setFavouriteCaption(text);
        m_session.settings().write(settingkeys::DataSection, settingkeys::FavouriteTeam, text);
        m_session.state().setFavouriteTeam(text);
        config->setCrest(QPixmap());
        if (position <= 0) {
            config->highlightFavourite()->setChecked(false);
        } else {
            config->setCrest(m_services.pictures.crest(position - 1));
            config->highlightFavourite()->setChecked(true);
        }
        selectCurrentMatchDay();
        computeStandings();
    });

    AboutPanel *about = new AboutPanel(programinfo::authorName(settings), this);
    preparePanel(about, QRect(264, 60, 420, 280));
    m_shell->about = about;
    QPushButton *closeAbout = m_buttons->create(Command::CloseAbout, about);
    closeAbout->setGeometry(312, 246, 96, 22);
    windowstyle::styleCommandButton(closeAbout);
    connect(about, &AboutPanel::authorClicked, this,
            [this] { m_services.launcher.openUrl(webpages::home(m_session.state().serverAddress())); });
    connect(about, &AboutPanel::contactClicked, this,
            [this] { m_services.launcher.openUrl(webpages::contact(m_session.state().serverAddress())); });

    m_shell->adjustments = new QListWidget(this);
    m_shell->adjustments->setObjectName(QStringLiteral("List8"));
    m_shell->adjustments->setGeometry(760, 120, 300, 240);
    m_shell->adjustments->hide();
    connect(m_shell->adjustments, &QListWidget::itemClicked, m_shell->adjustments, &QWidget::hide);

    m_shell->workingList = new QListWidget(this);
    m_shell->workingList->setObjectName(QStringLiteral("List2"));
    m_shell->workingList->setGeometry(564, 60, 707, 340);
    m_shell->workingList->hide();
    connect(m_shell->workingList, &QListWidget::itemClicked, m_shell->workingList, &QWidget::hide);
    m_logo->installEventFilter(this);
}

void MainWindow::toggleConfiguration()
{
    ConfigPanel *config = m_shell->config;
    if (config->isVisible()) {
        config->hide();
        return;
    }
    config->clearFavouriteChanged();
    config->show();
    config->raise();
    QStringList teams;
    for (TeamNo team = 0; team < TeamCount; ++team)
        teams << m_session.season().teamName(team);
    config->fillTeams(teams, m_session.state().favouriteTeam(),
                      [this](int team) { return m_services.pictures.crest(team); });
}

void MainWindow::hideConfiguration()
{
    m_shell->config->hide();
}

void MainWindow::closeConfiguration()
{
    m_shell->config->hide();
    if (m_shell->config->favouriteChanged())
        selectCurrentMatchDay();
}

void MainWindow::toggleAbout()
{
    if (m_shell->about->isVisible()) {
        m_shell->about->hide();
        return;
    }
    m_shell->about->showVersion(programinfo::fullVersionText());
    m_shell->about->show();
    m_shell->about->raise();
    closeDonors();
}

void MainWindow::hideAbout()
{
    m_shell->about->hide();
}

void MainWindow::toggleAdjustments()
{
    QListWidget *list = m_shell->adjustments;
    if (list->isVisible()) {
        list->hide();
        return;
    }
    list->clear();
    const BonusMalus &bonus = m_session.bonusMalus();
    for (TeamNo team = 0; team < TeamCount; ++team) {
        if (bonus[team] == 0)
            continue;
        const QString sign = bonus[team] > 0 ? QStringLiteral("+") : QString();
        list->addItem(m_session.season().teamName(team) + QStringLiteral(": [ ") + sign
                      + adjustmentText(bonus[team]) + QStringLiteral(" ]"));
    }
    list->show();
    list->raise();
    standingsTable().hideRowRules();
}

void MainWindow::showWorkingList()
{
    QListWidget *list = m_shell->workingList;
    list->clear();
    // The rows as the ranking holds them, lowest key first.
    const DisplayedStandings &shown = m_session.standings().displayed();
    for (int i = TeamCount - 1; i >= 0; --i)
        list->addItem(shown.rows[i].data.rowText());
    list->show();
    list->raise();
}

void MainWindow::copyStoreAside()
{
    const QString failure = storebackup::copyStore(m_session.programFolder(), m_session.clock().now().date());
    if (!failure.isEmpty())
        m_services.prompt.inform(QStringLiteral("Sauvegarde"), failure);
}

void MainWindow::printWindow()
{
    printWindowImage(*this, m_services.printTarget);
}

void MainWindow::openHelpPage()
{
    m_services.launcher.openUrl(webpages::help(m_session.state().serverAddress()));
}

void MainWindow::openStoreFile()
{
    m_services.launcher.openUrl(QUrl::fromLocalFile(m_session.store().path()));
}

void MainWindow::toggleExportSwitch()
{
    AppState &state = m_session.state();
    if (state.sendingOffered()) {
        state.setSendingOffered(false);
        return;
    }
    if (sendingtool::pathIn(m_session.programFolder()).isEmpty())
        return;
    state.setSendingOffered(true);
    // The store then counts as changed since start-up, so a save offers it too.
    m_session.state().setStartTime(m_session.clock().now().addDays(-15));
}

ConfigPanel &MainWindow::configPanel()
{
    return *m_shell->config;
}
