// The results update from the author's web server, the version check and the
// donors list, wired into the main window.
#include "shell/ui/mainwindow.h"

#include "shell/core/session.h"
#include "shell/core/startuprules.h"

class MainWindow::OnlineParts : public QObject
{
public:
    using QObject::QObject;
};

void MainWindow::installOnline()
{
    m_online = new OnlineParts(this);
}

void MainWindow::runResultsUpdate()
{
    emit resultsUpdateRequested();
    computeStandings();
}

void MainWindow::toggleDonors()
{
}

void MainWindow::closeDonors()
{
}

void MainWindow::stopDonorsTicker()
{
}

void MainWindow::restartDonorsTicker()
{
}

void MainWindow::refreshDonorsWeekly()
{
    UserSettings &settings = m_session.settings();
    const QDateTime now = m_session.clock().now();
    const QString lastFetch = settings.read(settingkeys::DonorsSection, settingkeys::DonorsFetched, QStringLiteral("-"));
    if (!startup::donorsRefreshDue(now, lastFetch))
        return;
    emit donorsFetchRequested();
    settings.write(settingkeys::DonorsSection, settingkeys::DonorsFetched, startup::dateTimeText(now));
}
