#include "shell/ui/startupsequence.h"

#include "online/core/updaterules.h"
#include "season/core/folderpreparation.h"
#include "shell/core/programinfo.h"
#include "shell/core/prompt.h"
#include "shell/core/session.h"
#include "shell/core/startuprules.h"
#include "shell/ui/matchdaycontroller.h"
#include "shell/ui/newsline.h"
#include "shell/ui/onlinecontroller.h"
#include "shell/ui/pictures.h"
#include "shell/ui/sendingcontroller.h"
#include "shell/ui/shellpanelscontroller.h"
#include "shell/ui/splashwindow.h"
#include "shell/ui/standingscontroller.h"
#include "shell/ui/teamviewscontroller.h"

#include <QApplication>
#include <QFileInfo>

StartupSequence::StartupSequence(QWidget &window, Session &session, Prompt &prompt, Pictures &pictures,
                                 const Features &features)
    : m_window(window)
    , m_session(session)
    , m_prompt(prompt)
    , m_pictures(pictures)
    , m_features(features)
{}

bool StartupSequence::run()
{
    m_window.hide();
    m_session.state().setStartTime(m_session.clock().now());
    if (!openSeason())
        return false;
    prepareFolder();
    // From here on the window follows the store, whoever writes it.
    m_session.store().watchFile();
    showPictures();
    fillViews();
    showWindow();

    offerStaleDataUpdate();
    QApplication::processEvents();
    m_features.online.refreshDonorsWeekly();
    m_features.standings.markRankMovement(m_session.state().dueMatchDays());
    return true;
}

bool StartupSequence::openSeason()
{
    m_logo = m_pictures.logo();
    m_splash = new SplashWindow(m_logo, m_session.state().serverAddress());
    m_splash->setAttribute(Qt::WA_DeleteOnClose);
    m_splash->show();
    QApplication::processEvents();

    m_window.setWindowTitle(programinfo::WindowCaption);
    if (m_session.loadSeason())
        return true;
    m_prompt.inform(programinfo::Title, m_session.seasonProblem());
    closeSplash();
    return false;
}

void StartupSequence::prepareFolder()
{
    // Before anything reads the store, as the command line does: an update
    // stopped half-way leaves only the backup, a killed save its temporary
    // copy; and a store that cannot be read must not pass for "no results".
    const FolderPreparation folder =
        prepareProgramFolder(m_session.programFolder(), m_session.clock().now(), updaterules::backupProblem);
    for (const QString &message : {m_session.folderNotice(), m_session.settings().problem(), folder.backupProblem,
                                   folder.storeProblem, folder.storeWarning}) {
        if (!message.isEmpty())
            m_prompt.inform(programinfo::Title, message);
    }
    m_features.sending.keepStoreAtStart();
    m_session.loadBonusMalus();
}

void StartupSequence::showPictures()
{
    std::array<QString, TeamCount> names;
    for (TeamNo team = 0; team < TeamCount; ++team)
        names[team] = m_session.season().teamName(team);
    m_pictures.loadCrests(names);
    m_features.team.showCrests();
    m_features.shell.showLogo(m_logo);
    m_features.shell.parkPanels();
    QApplication::processEvents();
}

void StartupSequence::fillViews()
{
    m_features.matchDay.showMonths();
    m_features.news.setText(m_session.store().newsText());
    m_features.shell.restorePreferences();
    m_features.matchDay.showCurrentMatchDay();
    if (m_session.state().autoUpdate())
        m_features.online.runResultsUpdate();
    else
        m_features.standings.computeStandings();
}

void StartupSequence::showWindow()
{
    QApplication::processEvents();
    m_window.show();
    // On a screen smaller than the window, the window stands in a scrolling
    // frame the size of the screen.
    if (QWidget *frame = m_window.window(); frame != &m_window)
        frame->show();
    m_features.team.startCrestTicker();
    m_features.news.show();
    closeSplash();
}

void StartupSequence::closeSplash()
{
    if (m_splash) {
        m_splash->close();
        m_splash = nullptr;
    }
}

void StartupSequence::offerStaleDataUpdate()
{
    const QFileInfo store(m_session.store().path());
    std::optional<QDateTime> modified;
    if (store.exists())
        modified = store.lastModified();
    const QDateTime now = m_session.clock().now();
    if (startup::staleDataOfferDue(now, modified, m_session.season().matchDayDate(MatchDayCount))
        && m_prompt.ask(startup::staleDataTitle(), startup::staleDataQuestion()))
        m_features.online.runResultsUpdate();
}
