// The match-day feature wired into the main window, and the panel that sends
// the store.
#include "shell/ui/mainwindow.h"

#include "online/core/exportdata.h"
#include "online/core/publishreview.h"
#include "online/core/sendingtool.h"
#include "online/ui/exportpanel.h"
#include "shared/ui/windowstyle.h"
#include "shell/core/launcher.h"
#include "shell/core/programinfo.h"
#include "shell/core/prompt.h"
#include "shell/core/session.h"
#include "shell/ui/commandbuttons.h"
#include "shell/ui/matchdaycontroller.h"

#include <QFrame>
#include <QPushButton>

class MainWindow::SendingParts : public QObject
{
public:
    using QObject::QObject;
    ExportPanel *exportPanel = nullptr; // Frame6
    QByteArray storeAtStart; // the store file as start-up found it, reviewed before sending
};

namespace {

constexpr int ExportLeft = 264;
constexpr int ExportTop = 8;
constexpr int ExportWidth = 296;
constexpr int ExportHeight = 714;

QStringList teamNames(const Season &season)
{
    QStringList names;
    for (TeamNo team = 0; team < TeamCount; ++team)
        names << season.teamName(team);
    return names;
}

} // namespace

void MainWindow::installMatchDay()
{
    m_matchDayFeature = new MatchDayController(
        {m_session, m_services.prompt, *m_buttons, m_links, m_links, m_links, *m_matchDayFrame, *this, m_monthsAt}, this);
    connect(m_matchDayFeature, &MatchDayController::matchDayShowing, this, [this] {
        hideClassifications();
        closeHighlights();
        // The export panel stands where the match day shows.
        m_sending->exportPanel->hide();
    });
    connect(m_matchDayFeature, &MatchDayController::teamSeasonShowing, this, &MainWindow::closeDonors);
    connect(m_matchDayFeature, &MatchDayController::calendarDayChosen, this, &MainWindow::unlockSecondTeam);
    connect(&m_session.state(), &AppState::sendingOfferedChanged, m_buttons->button(Command::OpenSending),
            &QWidget::setVisible);
}

void MainWindow::installSending()
{
    m_sending = new SendingParts(this);
    SendingParts &parts = *m_sending;
    parts.exportPanel = new ExportPanel(this);
    parts.exportPanel->setGeometry(ExportLeft, ExportTop, ExportWidth, ExportHeight);
    parts.exportPanel->setFrameStyle(QFrame::Box | QFrame::Plain);
    parts.exportPanel->setLineWidth(2);
    windowstyle::setColours(parts.exportPanel, Qt::black, windowstyle::PanelBackground);
    QPushButton *send = m_buttons->create(Command::Send, parts.exportPanel);
    QPushButton *close = m_buttons->create(Command::CloseSending, parts.exportPanel);
    QPushButton *insert = m_buttons->create(Command::InsertAdjustment, parts.exportPanel);
    for (QPushButton *button : {send, close, insert})
        windowstyle::styleCommandButton(button);
    parts.exportPanel->placeButtons(send, close, insert);
    parts.exportPanel->hide();
    connect(parts.exportPanel, &ExportPanel::newsChanged, this, [this](const QString &published) {
        setNewsText(published);
        showNews();
    });
}

void MainWindow::selectCurrentMatchDay()
{
    m_matchDayFeature->showCurrentMatchDay();
}

void MainWindow::showMatchDay(MatchDayNo day)
{
    m_matchDayFeature->showMatchDay(day);
}

void MainWindow::showTeamSeason(const QString &team)
{
    m_matchDayFeature->showTeamSeason(team);
}

void MainWindow::saveEnteredResults()
{
    m_matchDayFeature->saveEnteredResults();
}

bool MainWindow::hasUnsavedEntries() const
{
    return m_session.state().unsavedEntries();
}

bool MainWindow::settleUnsavedEntries()
{
    return m_matchDayFeature->settleUnsavedEntries();
}

void MainWindow::openExportPanel()
{
    ExportPanel *panel = m_sending->exportPanel;
    m_matchDayFrame->hide();
    const Season &season = m_session.season();
    const QString published = m_session.store().version(QStringLiteral("-"));
    panel->open(newsText(), published, programinfo::versionText(), teamNames(season),
                exportdata::adjustmentLines(season, m_session.bonusMalus()));
    panel->show();
    panel->raise();
    showNews();
}

void MainWindow::sendResults()
{
    ExportPanel *panel = m_sending->exportPanel;
    const QString news = exportdata::publishedNews(panel->news());
    panel->setNews(news);
    ResultStore &store = m_session.store();
    const ResultStore::Publication publication =
        exportdata::publication(news, panel->publishedVersion(), m_session.clock().now());

    // The volunteer sees what the published file changes before anything
    // is written; "Non" leaves the store and the panel as they are.
    // A store that cannot be read is reviewed as such, not as an empty one.
    QByteArray published;
    if (const std::optional<QByteArray> current = store.fileBytes())
        published = publishreview::publishedBytes(*current, ResultStore::entriesOf(publication));
    const QString review = publishreview::listing(m_session.season(), m_sending->storeAtStart, published);
    if (!m_services.prompt.ask(publishreview::Title, review))
        return;

    if (!store.publish(publication)) {
        m_services.prompt.inform(exportdata::SendFailedTitle, exportdata::SendFailedText);
        return;
    }
    setNewsText(news);

    // The store is complete and closed in the program folder: the tool may
    // take it. It runs on its own; the program does not wait for it.
    const QString folder = m_session.programFolder();
    const QString tool = sendingtool::pathIn(folder);
    if (tool.isEmpty()) {
        m_services.prompt.inform(exportdata::SendFailedTitle, exportdata::ToolMissingText);
        return;
    }
    if (!m_services.launcher.startProgram(tool, folder)) {
        m_services.prompt.inform(exportdata::SendFailedTitle, exportdata::ToolFailedText);
        return;
    }
    panel->hide();
    selectCurrentMatchDay();
    m_session.state().setSendingOffered(false);
}

void MainWindow::closeExportPanel()
{
    // The match day comes back from the store, over what was typed before.
    if (!settleUnsavedEntries())
        return;
    m_sending->exportPanel->hide();
    selectCurrentMatchDay();
}

void MainWindow::insertAdjustment()
{
    ExportPanel *panel = m_sending->exportPanel;
    const QString typed = panel->adjustmentText();
    const QString team = panel->chosenTeam();
    if (const std::optional<int> whole = exportdata::wholeAdjustment(typed)) {
        const QString value = QString::number(*whole);
        panel->setAdjustmentText(value);
        if (!team.isEmpty()) {
            if (!m_session.store().setAdjustment(m_session.season().teamNoOfName(team), value))
                m_services.prompt.inform(exportdata::AdjustmentTitle, exportdata::AdjustmentFailedText);
        }
    } else if (!team.isEmpty() || !typed.trimmed().isEmpty()) {
        // Nothing is stored for a text that is not a number of points.
        m_services.prompt.inform(exportdata::AdjustmentTitle, exportdata::adjustmentRejectedText(typed));
    }
    m_session.loadBonusMalus();
    panel->showAdjustments(exportdata::adjustmentLines(m_session.season(), m_session.bonusMalus()));
    computeStandings();
}

void MainWindow::keepStoreAtStart()
{
    // A missing store reads as an empty one: everything sent is then new.
    m_sending->storeAtStart = m_session.store().fileBytes().value_or(QByteArray());
}
