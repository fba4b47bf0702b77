// The match-day view, results entry, the month calendar and the export panel,
// wired into the main window.
#include "shell/ui/mainwindow.h"

#include "matchday/ui/matchgrid.h"
#include "matchday/ui/monthcalendarview.h"
#include "season/core/twips.h"
#include "shell/core/session.h"
#include "shell/ui/commandbuttons.h"
#include "shell/ui/windowstyle.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

class MainWindow::MatchDayParts : public QObject
{
public:
    using QObject::QObject;
    MatchGrid *grid = nullptr;
    QLabel *header = nullptr;
    QLabel *dayTotals = nullptr;
    QLabel *due = nullptr;
};

void MainWindow::installMatchDay()
{
    m_matchDay = new MatchDayParts(this);
    QFrame *frame = m_matchDayFrame;

    m_matchDay->header = new QLabel(frame);
    m_matchDay->header->setObjectName(QStringLiteral("Label1"));
    m_matchDay->header->setTextFormat(Qt::PlainText);
    m_matchDay->header->setWordWrap(true);
    windowstyle::setBold(m_matchDay->header);
    windowstyle::setColours(m_matchDay->header, Qt::white);
    m_matchDay->header->setGeometry(0, 0, frame->width(), 34);

    m_matchDay->grid = new MatchGrid(frame);
    m_matchDay->grid->move(0, 54);

    m_matchDay->dayTotals = new QLabel(frame);
    m_matchDay->dayTotals->setObjectName(QStringLiteral("Label26"));
    m_matchDay->dayTotals->setTextFormat(Qt::PlainText);
    windowstyle::setColours(m_matchDay->dayTotals, Qt::white);
    const int bottom = 54 + m_matchDay->grid->height() + 4;
    m_matchDay->dayTotals->setGeometry(0, bottom, frame->width(), 18);

    QPushButton *save = m_buttons->create(1, frame);
    save->setGeometry(0, bottom + 22, 100, 22);
    windowstyle::styleCommandButton(save);

    m_matchDay->due = new QLabel(QString::number(AppState::InitialDueMatchDays), frame);
    m_matchDay->due->setObjectName(QStringLiteral("Label25"));
    windowstyle::setColours(m_matchDay->due, Qt::white);
    m_matchDay->due->setGeometry(110, bottom + 24, 40, 18);
    connect(&m_session.state(), &AppState::dueMatchDaysChanged, m_matchDay->due,
            [label = m_matchDay->due](int due) { label->setText(QString::number(due)); });
}

void MainWindow::selectCurrentMatchDay()
{
    m_session.refreshDueMatchDays();
}

void MainWindow::showMatchDay(MatchDayNo)
{
}

void MainWindow::showTeamSeason(const QString &)
{
}

void MainWindow::markSecondTeam(const QString &)
{
}

void MainWindow::setGridHeader(const QString &text)
{
    m_matchDay->header->setText(text);
}

void MainWindow::clearDayTotals()
{
    m_matchDay->dayTotals->clear();
}

void MainWindow::saveEnteredResults()
{
}

bool MainWindow::hasUnsavedEntries() const
{
    return false;
}

void MainWindow::openExportPanel()
{
}

void MainWindow::sendResults()
{
}

void MainWindow::closeExportPanel()
{
    selectCurrentMatchDay();
}

void MainWindow::insertAdjustment()
{
}

void MainWindow::resetMonthHover()
{
}
