#include "shell/ui/onlinecontroller.h"

#include "online/core/donorsfetch.h"
#include "online/core/donorslist.h"
#include "online/core/publishedcopy.h"
#include "online/core/stamp.h"
#include "online/core/storechanges.h"
#include "online/core/updaterules.h"
#include "online/core/versioncheck.h"
#include "online/ui/donorspanel.h"
#include "season/core/safefile.h"
#include "season/core/textutil.h"
#include "shared/ui/windowareas.h"
#include "shared/ui/windowstyle.h"
#include "shell/core/launcher.h"
#include "shell/core/programinfo.h"
#include "shell/core/prompt.h"
#include "shell/core/session.h"
#include "shell/core/startuprules.h"
#include "shell/core/webpages.h"
#include "shell/ui/commandbuttons.h"
#include "shell/ui/newsline.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

#include <optional>

namespace {
// The update button rests this long after an update (0.000694 day).
constexpr qint64 UpdateRestMs = 60 * 1000;
// Under the match grid, where the fixtures it speaks of are marked.
constexpr QRect ChangesArea(4, 660, 288, 52); // in the match-day area
constexpr int MostTeamsNamed = 3;             // in the line of changes
const QString UpdateStatus = QStringLiteral("Mise à jour des résultats…");
const QString DonorsStatus = QStringLiteral("Liste des donateurs…");
} // namespace

OnlineController::OnlineController(const Needs &needs, QObject *parent)
    : QObject(parent)
    , m_needs(needs)
    , m_update(new ResultsUpdate(needs.session.store(), needs.downloader, this))
    , m_donorsFetch(new DonorsFetch(needs.session.programFolder(), needs.downloader, this))
{
    m_status = new QLabel(&needs.window);
    m_status->setObjectName(QStringLiteral("LabEtat"));
    m_status->setTextFormat(Qt::PlainText);
    m_status->setGeometry(windowareas::Status);
    windowstyle::setColours(m_status, windowstyle::Gold);
    m_status->hide();

    m_changes = new QLabel(&needs.matchDayArea);
    m_changes->setObjectName(QStringLiteral("LabChangements"));
    m_changes->setTextFormat(Qt::PlainText);
    m_changes->setWordWrap(true);
    m_changes->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_changes->setGeometry(ChangesArea);
    m_changes->setAccessibleName(QStringLiteral("Changements de la dernière mise à jour"));
    windowstyle::setColours(m_changes, windowstyle::Gold);
    m_changes->hide();

    connect(m_update, &ResultsUpdate::progress, this, [this](qint64 received, qint64 total) {
        const QLocale &french = text::frenchLocale();
        QString text = QStringLiteral("Mise à jour : %1 Ko reçus").arg(french.toString((received + 1023) / 1024));
        if (total > 0)
            text += QStringLiteral(" sur %1").arg(french.toString((total + 1023) / 1024));
        setActivityText(UpdateActivity, text);
    });
    connect(m_update, &ResultsUpdate::finished, this, &OnlineController::updateFinished);
    connect(m_donorsFetch, &DonorsFetch::finished, this, &OnlineController::donorsFetched);
    connect(&needs.session.store(), &ResultStore::changedElsewhere, this, &OnlineController::tellStoreChange);
    // Once the typed results are saved or let go, the line tells the news again.
    connect(&needs.session.state(), &AppState::unsavedEntriesChanged, this, [this](bool waiting) {
        if (!waiting && m_needs.news.text() == updaterules::ChangedWhileTyping) {
            m_needs.news.setText(m_needs.session.store().newsText());
            m_needs.news.show();
        }
    });
    buildDonorsPanel();
}

void OnlineController::tellStoreChange()
{
    const ResultStore &store = m_needs.session.store();
    emit stampShown(store.stamp());
    if (m_needs.session.state().unsavedEntries()) {
        // The grid keeps what was typed; a save merges it into the new store.
        m_needs.news.setText(updaterules::ChangedWhileTyping);
        m_needs.news.show();
    } else if (store.newsText() != m_needs.news.text()) {
        m_needs.news.setText(store.newsText());
        m_needs.news.show();
    }
}

OnlineController::~OnlineController()
{
    while (!m_activities.isEmpty())
        endActivity(m_activities.first().first);
}

void OnlineController::buildDonorsPanel()
{
    m_panel = new DonorsPanel(&m_needs.window);
    m_panel->setGeometry(windowareas::DonorsPanel);
    m_panel->hide();
    QPushButton *close = m_needs.buttons.create(Command::CloseDonors, m_panel);
    close->setGeometry(m_panel->closeButtonArea());
    windowstyle::styleCommandButton(close);
    connect(m_panel, &DonorsPanel::pointerOverPanel, this, &OnlineController::restartDonorsTicker);
    connect(m_panel, &DonorsPanel::pointerOverName, this, &OnlineController::stopDonorsTicker);
    const AppState &state = m_needs.session.state();
    connect(m_panel, &DonorsPanel::donationClicked, this,
            [this, &state] { m_needs.launcher.openUrl(webpages::donation(state.serverAddress())); });
    connect(m_panel, &DonorsPanel::portalClicked, this,
            [this, &state] { m_needs.launcher.openUrl(webpages::portal(state.portalAddress())); });
}

void OnlineController::beginActivity(int id, const QString &text)
{
    m_activities.append({id, text});
    QApplication::setOverrideCursor(Qt::WaitCursor);
    showStatus();
}

void OnlineController::endActivity(int id)
{
    for (qsizetype i = 0; i < m_activities.size(); ++i) {
        if (m_activities[i].first == id) {
            m_activities.removeAt(i);
            QApplication::restoreOverrideCursor();
            break;
        }
    }
    showStatus();
}

void OnlineController::setActivityText(int id, const QString &text)
{
    for (auto &activity : m_activities) {
        if (activity.first == id)
            activity.second = text;
    }
    showStatus();
}

void OnlineController::showStatus()
{
    if (!m_status)
        return; // the window is going
    m_status->setVisible(!m_activities.isEmpty());
    if (!m_activities.isEmpty()) {
        m_status->setText(m_activities.last().second);
        m_status->raise();
    }
}

void OnlineController::runResultsUpdate()
{
    Session &session = m_needs.session;
    AppState &state = session.state();
    const QDateTime now = session.clock().now();
    if (m_update->isRunning() || updaterules::throttled(state.lastUpdate(), now))
        return;
    // Typed results not saved would be lost under the downloaded store. (Results
    // saved in this folder and not yet published are for the same question.)
    if (state.unsavedEntries() && !m_needs.prompt.ask(updaterules::DiscardTitle, updaterules::discardQuestion()))
        return;
    state.setLastUpdate(now);
    markUpdateButtonResting();
    emit resultsUpdateRequested();
    // The wait cursor only for a transfer under way, which ends it when it finishes.
    if (m_update->start(state.serverAddress()))
        beginActivity(UpdateActivity, UpdateStatus);
    // Until the server answers, the table shows the results already here.
    m_needs.ranking.computeStandings();
}

void OnlineController::markUpdateButtonResting()
{
    const QDateTime last = m_needs.session.state().lastUpdate();
    QPushButton *update = m_needs.buttons.button(Command::Update);
    if (update && last.isValid() && last.msecsTo(m_needs.session.clock().now()) < UpdateRestMs)
        windowstyle::setBackground(update, windowstyle::Resting);
}

void OnlineController::updateFinished(const ResultsUpdate::Outcome &outcome)
{
    Session &session = m_needs.session;
    endActivity(UpdateActivity);
    if (!outcome.unpublished.isEmpty()) {
        // Results saved here and never published would go with the download:
        // the volunteer decides, and without a yes they stay.
        if (m_needs.prompt.ask(updaterules::DiscardTitle,
                               publishedcopy::replaceQuestion(session.season(), outcome.unpublished))) {
            if (m_update->start(session.state().serverAddress(), ResultsUpdate::Unpublished::Replace))
                beginActivity(UpdateActivity, UpdateStatus);
        }
        return;
    }
    if (!outcome.ok) {
        // The store is as it was before, and so are the views.
        m_needs.prompt.inform(updaterules::FailureTitle, updaterules::failureText(outcome.error));
        return;
    }
    if (!checkVersion())
        return;
    showChanges(StoreChanges::compare(session.season(), outcome.previousStore, outcome.newStore));
    if (outcome.upToDate) {
        // The server had nothing new: said where the changes would be.
        m_changes->setText(updaterules::UpToDate);
        m_changes->show();
    }
    // The new store was ranked when it replaced the old one (Session).
    colourStamp(outcome.previousStamp, session.store().stamp());
    m_needs.matchDay.showCurrentMatchDay();
    // As after every new ranking, the day's totals give way.
    m_needs.matchDay.clearDayTotals();
    m_needs.ranking.markRankMovement(session.state().dueMatchDays());
    m_needs.news.show();
}

void OnlineController::showChanges(const StoreChanges &found)
{
    // Each successful update replaces the previous one's line and marks.
    // The line names fewer teams rather than run out of its room; the tool
    // tip has them all.
    QString line;
    const QFontMetrics metrics(m_changes->font());
    for (int named = MostTeamsNamed; named >= 0; --named) {
        line = found.summary(named);
        if (metrics.boundingRect(QRect(0, 0, m_changes->width(), 1000), Qt::TextWordWrap, line).height()
            <= m_changes->height())
            break;
    }
    const QString details = found.details();
    m_changes->setText(line);
    windowstyle::setPlainToolTip(m_changes, details);
    m_changes->setAccessibleDescription(details);
    m_changes->setVisible(!line.isEmpty());
    m_needs.matchDay.markChangedFixtures(found.fixtureNotes());
}

bool OnlineController::checkVersion()
{
    ResultStore &store = m_needs.session.store();
    const QString published = store.version(QStringLiteral("-"));
    if (versioncheck::offerDue(published, programinfo::Major, programinfo::Minor)) {
        const QString program = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
        if (m_needs.prompt.ask(versioncheck::title(program, published), versioncheck::question())) {
            m_needs.launcher.openUrl(webpages::help(m_needs.session.state().serverAddress()));
            emit newerVersionChosen();
            return false;
        }
    }
    m_needs.news.setText(store.newsText());
    emit stampShown(store.stamp());
    m_needs.news.show();
    return true;
}

void OnlineController::colourStamp(const QString &previous, const QString &current)
{
    // Stamps carry no year: both are read in the current one.
    const int year = m_needs.session.clock().now().date().year();
    const std::optional<updaterules::StampColour> colour =
        updaterules::updateStampColour(stamp::parse(previous, year), stamp::parse(current, year));
    if (colour)
        emit stampColoured(QColor::fromRgb(updaterules::rgb(*colour)));
}

void OnlineController::toggleDonors()
{
    if (!m_panel->isHidden())
        closeDonors();
    else
        openDonors();
}

void OnlineController::openDonors()
{
    m_matchDayWasVisible = !m_needs.matchDayArea.isHidden();
    m_panel->show();
    m_panel->raise();
    m_needs.matchDayArea.hide();
    showDonors();
}

void OnlineController::showDonors()
{
    const QFileInfo copy(m_donorsFetch->localPath());
    std::optional<QDateTime> modified;
    if (copy.exists())
        modified = copy.lastModified();
    Session &session = m_needs.session;
    if (donorslist::copyIsFresh(modified, session.clock().now())) {
        loadDonors();
        m_panel->startTicker();
        return;
    }
    // A fetch already under way (the Friday refresh) fills the panel when done.
    if (m_donorsFetch->start(session.state().serverAddress(), session.clock().now()))
        beginActivity(DonorsActivity, DonorsStatus);
}

void OnlineController::loadDonors()
{
    // Read as a regular file of a list's size: a FIFO or a device in its
    // place would hold the window.
    const safefile::Read copy = safefile::read(m_donorsFetch->localPath(), donorslist::MaxListBytes);
    if (copy.ok())
        m_panel->setNames(donorslist::parse(copy.bytes));
}

void OnlineController::donorsFetched(bool ok)
{
    endActivity(DonorsActivity);
    const bool openNow = ok && m_openDonorsAfterFetch;
    m_openDonorsAfterFetch = false;
    if (openNow && m_panel->isHidden()) {
        openDonors();
        return;
    }
    // A failed fetch keeps the previous copy: its names are still worth showing.
    if (!m_panel->isHidden() && QFile::exists(m_donorsFetch->localPath())) {
        loadDonors();
        m_panel->startTicker();
    }
}

void OnlineController::closeDonors()
{
    m_panel->stopTicker();
    // Only a panel that is open has a remembered match-day area to give back.
    if (m_panel->isHidden())
        return;
    m_panel->hide();
    m_needs.matchDayArea.setVisible(m_matchDayWasVisible);
}

void OnlineController::stopDonorsTicker()
{
    m_panel->stopTicker();
}

void OnlineController::restartDonorsTicker()
{
    m_panel->startTicker();
}

void OnlineController::refreshDonorsWeekly()
{
    Session &session = m_needs.session;
    UserSettings &settings = session.settings();
    const QDateTime now = session.clock().now();
    const QString lastFetch =
        settings.read(settingkeys::DonorsSection, settingkeys::DonorsFetched, QStringLiteral("-"));
    if (!startup::donorsRefreshDue(now, lastFetch))
        return;
    emit donorsFetchRequested();
    // Written whatever the outcome, so a failing server is not asked at every start.
    settings.write(settingkeys::DonorsSection, settingkeys::DonorsFetched, startup::dateTimeText(now));
    m_openDonorsAfterFetch = true;
    // A fetch already under way carries on; the list opens when it ends.
    if (m_donorsFetch->start(session.state().serverAddress(), now))
        beginActivity(DonorsActivity, DonorsStatus);
}
