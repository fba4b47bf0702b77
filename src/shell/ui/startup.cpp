// The start-up and shutdown sequences of the main window, in their order.
#include "shell/ui/mainwindow.h"

#include "online/core/updaterules.h"
#include "season/core/folderpreparation.h"
#include "season/core/textutil.h"
#include "shell/core/programinfo.h"
#include "shell/core/prompt.h"
#include "shell/core/session.h"
#include "shell/ui/matchdaycontroller.h"
#include "shell/core/startuprules.h"
#include "shell/ui/commandbuttons.h"
#include "shell/ui/configpanel.h"
#include "shell/ui/pictures.h"
#include "shell/ui/shellpanelscontroller.h"
#include "shell/ui/splashwindow.h"
#include "standings/ui/standingstable.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

bool MainWindow::startUp()
{
    hide();
    AppState &state = m_session.state();
    state.setStartTime(m_session.clock().now());

    const QPixmap logo = m_services.pictures.logo();
    m_splash = new SplashWindow(logo, state.serverAddress());
    m_splash->setAttribute(Qt::WA_DeleteOnClose);
    m_splash->show();
    QApplication::processEvents();

    setWindowTitle(programinfo::WindowCaption);

    if (!m_session.loadSeason()) {
        m_services.prompt.inform(programinfo::Title, m_session.seasonProblem());
        m_splash->close();
        m_splash = nullptr;
        return false;
    }
    // Before anything reads the store, as the command line does: an update
    // stopped half-way leaves only the backup, a killed save its temporary
    // copy; and a store that cannot be read must not pass for "no results".
    const FolderPreparation folder =
        prepareProgramFolder(m_session.programFolder(), m_session.clock().now(), updaterules::storeProblem);
    for (const QString &message :
         {m_session.folderNotice(), folder.backupProblem, folder.storeProblem, folder.storeWarning}) {
        if (!message.isEmpty())
            m_services.prompt.inform(programinfo::Title, message);
    }
    keepStoreAtStart();
    m_session.loadBonusMalus();

    std::array<QString, TeamCount> names;
    for (TeamNo team = 0; team < TeamCount; ++team)
        names[team] = m_session.season().teamName(team);
    m_services.pictures.loadCrests(names);
    for (QLabel *crest : findChildren<QLabel *>(QStringLiteral("ImBlas")))
        crest->setPixmap(m_services.pictures.crest(crest->property("index").toInt()));
    m_shellFeature->showLogo(logo);

    m_shellFeature->parkPanels();
    QApplication::processEvents();

    m_matchDayFeature->showMonths();

    setNewsText(m_session.store().newsText());
    m_shellFeature->restorePreferences();

    selectCurrentMatchDay();
    if (state.autoUpdate())
        runResultsUpdate();
    else
        computeStandings();

    QApplication::processEvents();
    show();
    startCrestTicker();
    showNews();
    if (m_splash) {
        m_splash->close();
        m_splash = nullptr;
    }

    offerStaleDataUpdate();
    QApplication::processEvents();
    refreshDonorsWeekly();
    markRankMovement(state.dueMatchDays());
    return true;
}

void MainWindow::offerStaleDataUpdate()
{
    const QFileInfo store(m_session.store().path());
    std::optional<QDateTime> modified;
    if (store.exists())
        modified = store.lastModified();
    const QDateTime now = m_session.clock().now();
    if (startup::staleDataOfferDue(now, modified, m_session.season().matchDayDate(MatchDayCount))
        && m_services.prompt.ask(startup::staleDataTitle(), startup::staleDataQuestion()))
        runResultsUpdate();
}
