// The results update from the author's web server, the version check and the
// donors list, wired into the main window.
#include "shell/ui/mainwindow.h"

#include "online/core/donorsfetch.h"
#include "online/core/donorslist.h"
#include "online/core/resultsupdate.h"
#include "online/core/storechanges.h"
#include "online/core/stamp.h"
#include "online/core/updaterules.h"
#include "online/core/versioncheck.h"
#include "online/ui/donorspanel.h"
#include "season/core/textutil.h"
#include "shell/core/launcher.h"
#include "shell/core/programinfo.h"
#include "shell/core/prompt.h"
#include "shell/core/session.h"
#include "shell/ui/matchdaycontroller.h"
#include "shell/core/startuprules.h"
#include "shell/core/webpages.h"
#include "shell/ui/commandbuttons.h"
#include "shared/ui/windowstyle.h"
#include "standings/ui/standingstable.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QPushButton>

#include <optional>

namespace {
const QRect DonorsPanelArea(264, 8, 296, 300); // over the match-day panel
const QRect StatusArea(8, 708, 240, 16);       // foot of the side column
// Under the match grid, where the fixtures it speaks of are marked.
const QRect ChangesArea(4, 660, 288, 52); // in the match-day panel
} // namespace

// The online features' state: the update and the donors fetch under way, the
// donors panel, and what the window shows while a download runs (busy
// pointer, status line). Downloads run on the event loop; the window stays
// usable and the update's own guard keeps a second one from starting.
class MainWindow::OnlineParts : public QObject
{
public:
    explicit OnlineParts(MainWindow &window)
        : QObject(&window)
        , w(window)
        , update(new ResultsUpdate(window.m_session.store(), window.m_services.downloader, this))
        , donorsFetch(new DonorsFetch(window.m_session.programFolder(), window.m_services.downloader, this))
    {
    }

    ~OnlineParts() override
    {
        while (!activities.isEmpty())
            endActivity(activities.first().first);
    }

    // A download the user should see working: busy pointer and a status line.
    void beginActivity(int id, const QString &text)
    {
        activities.append({id, text});
        QApplication::setOverrideCursor(Qt::WaitCursor);
        showStatus();
    }
    void endActivity(int id)
    {
        for (qsizetype i = 0; i < activities.size(); ++i) {
            if (activities[i].first == id) {
                activities.removeAt(i);
                QApplication::restoreOverrideCursor();
                break;
            }
        }
        showStatus();
    }
    void setActivityText(int id, const QString &text)
    {
        for (auto &activity : activities) {
            if (activity.first == id)
                activity.second = text;
        }
        showStatus();
    }
    void showStatus()
    {
        if (!status)
            return; // the window is going
        status->setVisible(!activities.isEmpty());
        if (!activities.isEmpty()) {
            status->setText(activities.last().second);
            status->raise();
        }
    }

    void updateFinished(const ResultsUpdate::Outcome &outcome);
    // What the update changed, in a line under the grid and marks in it.
    void showChanges(const StoreChanges &found);
    // False when the user takes the newer version: the program is ending.
    bool checkVersion();
    void colourStamp(const QString &previous, const QString &current);

    void openDonors();
    void showDonors();
    void loadDonors();
    void donorsFetched(bool ok);

    enum Activity { UpdateActivity = 1, DonorsActivity = 2 };

    MainWindow &w;
    ResultsUpdate *update;
    DonorsFetch *donorsFetch;
    DonorsPanel *panel = nullptr;
    QPointer<QLabel> status;
    QLabel *changes = nullptr; // LabChangements
    QList<QPair<int, QString>> activities;
    bool matchDayFrameWasVisible = true; // Frame7 before the donors panel covered it
    bool openDonorsAfterFetch = false;   // the Friday refresh opens the panel once fetched
};

void MainWindow::installOnline()
{
    m_online = new OnlineParts(*this);
    OnlineParts &parts = *m_online;

    parts.status = new QLabel(this);
    parts.status->setObjectName(QStringLiteral("LabEtat"));
    parts.status->setTextFormat(Qt::PlainText);
    parts.status->setGeometry(StatusArea);
    windowstyle::setColours(parts.status, windowstyle::Gold);
    parts.status->hide();

    parts.changes = new QLabel(m_matchDayFrame);
    parts.changes->setObjectName(QStringLiteral("LabChangements"));
    parts.changes->setTextFormat(Qt::PlainText);
    parts.changes->setWordWrap(true);
    parts.changes->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    parts.changes->setGeometry(ChangesArea);
    parts.changes->setAccessibleName(QStringLiteral("Changements de la dernière mise à jour"));
    windowstyle::setColours(parts.changes, windowstyle::Gold);
    parts.changes->hide();

    connect(parts.update, &ResultsUpdate::progress, &parts, [&parts](qint64 received, qint64 total) {
        const QLocale &french = text::frenchLocale();
        QString text = QStringLiteral("Mise à jour : %1 Ko reçus").arg(french.toString((received + 1023) / 1024));
        if (total > 0)
            text += QStringLiteral(" sur %1").arg(french.toString((total + 1023) / 1024));
        parts.setActivityText(OnlineParts::UpdateActivity, text);
    });
    connect(parts.update, &ResultsUpdate::finished, &parts,
            [&parts](const ResultsUpdate::Outcome &outcome) { parts.updateFinished(outcome); });
    connect(parts.donorsFetch, &DonorsFetch::finished, &parts, [&parts](bool ok) { parts.donorsFetched(ok); });

    parts.panel = new DonorsPanel(this);
    parts.panel->setGeometry(DonorsPanelArea);
    parts.panel->hide();
    QPushButton *close = m_buttons->create(Command::CloseDonors, parts.panel);
    close->setGeometry(parts.panel->closeButtonArea());
    windowstyle::styleCommandButton(close);
    connect(parts.panel, &DonorsPanel::pointerOverPanel, this, &MainWindow::restartDonorsTicker);
    connect(parts.panel, &DonorsPanel::pointerOverName, this, &MainWindow::stopDonorsTicker);
    connect(parts.panel, &DonorsPanel::donationClicked, this,
            [this] { m_services.launcher.openUrl(webpages::donation(m_session.state().serverAddress())); });
    connect(parts.panel, &DonorsPanel::portalClicked, this,
            [this] { m_services.launcher.openUrl(webpages::portal(m_session.state().portalAddress())); });
}

void MainWindow::runResultsUpdate()
{
    AppState &state = m_session.state();
    const QDateTime now = m_session.clock().now();
    if (m_online->update->isRunning() || updaterules::throttled(state.lastUpdate(), now))
        return;
    if (hasUnsavedEntries() && !m_services.prompt.ask(updaterules::DiscardTitle, updaterules::discardQuestion()))
        return;
    state.setLastUpdate(now);
    markUpdateButtonResting();
    emit resultsUpdateRequested();
    m_online->beginActivity(OnlineParts::UpdateActivity, QStringLiteral("Mise à jour des résultats…"));
    m_online->update->start(state.serverAddress());
    // Until the server answers, the table shows the results already here.
    computeStandings();
}

void MainWindow::OnlineParts::updateFinished(const ResultsUpdate::Outcome &outcome)
{
    Session &session = w.m_session;
    endActivity(UpdateActivity);
    if (!outcome.ok) {
        // The store is as it was before: the views show it again.
        w.m_services.prompt.inform(updaterules::FailureTitle, updaterules::failureText(outcome.error));
        w.computeStandings();
        return;
    }
    if (!checkVersion())
        return;
    showChanges(StoreChanges::compare(session.season(), outcome.previousStore, outcome.newStore));
    session.loadBonusMalus();
    colourStamp(outcome.previousStamp, session.store().stamp());
    w.selectCurrentMatchDay();
    w.computeStandings();
    w.markRankMovement(session.state().dueMatchDays());
    w.showNews();
}

void MainWindow::OnlineParts::showChanges(const StoreChanges &found)
{
    // Each successful update replaces the previous one's line and marks.
    // The line names fewer teams rather than run out of its room; the tool
    // tip has them all.
    QString line;
    const QFontMetrics metrics(changes->font());
    for (int named = 3; named >= 0; --named) {
        line = found.summary(named);
        if (metrics.boundingRect(QRect(0, 0, changes->width(), 1000), Qt::TextWordWrap, line).height()
            <= changes->height())
            break;
    }
    const QString details = found.details();
    changes->setText(line);
    changes->setToolTip(details);
    changes->setAccessibleDescription(details);
    changes->setVisible(!line.isEmpty());
    w.m_matchDayFeature->markChangedFixtures(found.fixtureNotes());
}

bool MainWindow::OnlineParts::checkVersion()
{
    ResultStore &store = w.m_session.store();
    const QString published = store.version(QStringLiteral("-"));
    if (versioncheck::offerDue(published, programinfo::Major, programinfo::Minor)) {
        const QString program = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
        if (w.m_services.prompt.ask(versioncheck::title(program, published), versioncheck::question())) {
            w.m_services.launcher.openUrl(webpages::help(w.m_session.state().serverAddress()));
            w.endWithoutShutdown();
            return false;
        }
    }
    w.setNewsText(store.newsText());
    w.standingsTable().setStamp(store.stamp());
    w.showNews();
    return true;
}

void MainWindow::OnlineParts::colourStamp(const QString &previous, const QString &current)
{
    // Stamps carry no year: both are read in the current one.
    const int year = w.m_session.clock().now().date().year();
    const std::optional<updaterules::StampColour> colour =
        updaterules::updateStampColour(stamp::parse(previous, year), stamp::parse(current, year));
    if (colour)
        w.standingsTable().setStampColour(QColor::fromRgb(updaterules::rgb(*colour)));
}

void MainWindow::toggleDonors()
{
    if (!m_online->panel->isHidden())
        closeDonors();
    else
        m_online->openDonors();
}

void MainWindow::OnlineParts::openDonors()
{
    matchDayFrameWasVisible = !w.m_matchDayFrame->isHidden();
    panel->show();
    panel->raise();
    w.m_matchDayFrame->hide();
    showDonors();
}

void MainWindow::OnlineParts::showDonors()
{
    const QFileInfo copy(donorsFetch->localPath());
    std::optional<QDateTime> modified;
    if (copy.exists())
        modified = copy.lastModified();
    if (donorslist::copyIsFresh(modified, w.m_session.clock().now())) {
        loadDonors();
        panel->startTicker();
        return;
    }
    // A fetch already under way (the Friday refresh) fills the panel when done.
    if (!donorsFetch->isRunning()) {
        beginActivity(DonorsActivity, QStringLiteral("Liste des donateurs…"));
        donorsFetch->start(w.m_session.state().serverAddress(), w.m_session.clock().now());
    }
}

void MainWindow::OnlineParts::loadDonors()
{
    QFile copy(donorsFetch->localPath());
    if (copy.open(QIODevice::ReadOnly))
        panel->setNames(donorslist::parse(copy.readAll()));
}

void MainWindow::OnlineParts::donorsFetched(bool ok)
{
    endActivity(DonorsActivity);
    const bool openNow = ok && openDonorsAfterFetch;
    openDonorsAfterFetch = false;
    if (openNow && panel->isHidden()) {
        openDonors();
        return;
    }
    // A failed fetch keeps the previous copy: its names are still worth showing.
    if (!panel->isHidden() && QFile::exists(donorsFetch->localPath())) {
        loadDonors();
        panel->startTicker();
    }
}

void MainWindow::closeDonors()
{
    DonorsPanel *panel = m_online->panel;
    panel->stopTicker();
    // Only a panel that is open has a remembered match-day panel to give back.
    if (panel->isHidden())
        return;
    panel->hide();
    m_matchDayFrame->setVisible(m_online->matchDayFrameWasVisible);
}

void MainWindow::stopDonorsTicker()
{
    m_online->panel->stopTicker();
}

void MainWindow::restartDonorsTicker()
{
    m_online->panel->startTicker();
}

void MainWindow::refreshDonorsWeekly()
{
    UserSettings &settings = m_session.settings();
    const QDateTime now = m_session.clock().now();
    const QString lastFetch = settings.read(settingkeys::DonorsSection, settingkeys::DonorsFetched, QStringLiteral("-"));
    if (!startup::donorsRefreshDue(now, lastFetch))
        return;
    emit donorsFetchRequested();
    // Written whatever the outcome, so a failing server is not asked at every start.
    settings.write(settingkeys::DonorsSection, settingkeys::DonorsFetched, startup::dateTimeText(now));
    m_online->openDonorsAfterFetch = true;
    if (!m_online->donorsFetch->isRunning()) {
        m_online->beginActivity(OnlineParts::DonorsActivity, QStringLiteral("Liste des donateurs…"));
        m_online->donorsFetch->start(m_session.state().serverAddress(), now);
    }
}
