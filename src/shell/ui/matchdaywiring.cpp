// The match-day feature wired into the main window.
#include "shell/ui/mainwindow.h"

#include "shell/core/session.h"
#include "shell/ui/commandbuttons.h"
#include "shell/ui/matchdaycontroller.h"
#include "shell/ui/sendingcontroller.h"

#include <QFrame>
#include <QPushButton>

void MainWindow::installMatchDay()
{
    m_matchDayFeature = new MatchDayController(
        {m_session, m_services.prompt, *m_buttons, m_links, m_links, m_links, *m_matchDayFrame, *this, m_monthsAt}, this);
    connect(m_matchDayFeature, &MatchDayController::matchDayShowing, this, [this] {
        hideClassifications();
        closeHighlights();
        // The sending panel stands where the match day shows.
        m_sendingFeature->hidePanel();
    });
    connect(m_matchDayFeature, &MatchDayController::teamSeasonShowing, this, &MainWindow::closeDonors);
    connect(m_matchDayFeature, &MatchDayController::calendarDayChosen, this, &MainWindow::unlockSecondTeam);
    connect(&m_session.state(), &AppState::sendingOfferedChanged, m_buttons->button(Command::OpenSending),
            &QWidget::setVisible);
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
    m_sendingFeature->openPanel();
}

void MainWindow::sendResults()
{
    m_sendingFeature->send();
}

void MainWindow::closeExportPanel()
{
    m_sendingFeature->closePanel();
}

void MainWindow::insertAdjustment()
{
    m_sendingFeature->insertAdjustment();
}

void MainWindow::keepStoreAtStart()
{
    m_sendingFeature->keepStoreAtStart();
}
