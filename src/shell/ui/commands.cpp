// The command table of the window: what each button does, the housekeeping
// around every command, and the hover feedback of the buttons.
#include "shell/ui/mainwindow.h"

#include "shell/core/session.h"
#include "shell/ui/commandbuttons.h"
#include "shell/ui/windowstyle.h"
#include "standings/ui/standingstable.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace {
// The update button rests this long after an update (0.000694 day).
constexpr qint64 UpdateRestMs = 60 * 1000;

// Panels over which the pointer calms every button down.
const std::array CalmingPanels = {"FraCon", "FraDon", "FraPlus", "FraPlanning", "Frame4", "Frame6"};
} // namespace

void MainWindow::registerCommands()
{
    CommandTable &c = m_commands;
    c.add(0, [this] { close(); });
    c.add(1, [this] { saveEnteredResults(); });
    c.add(2, [this] { sortByCriterion(QStringLiteral("BC")); });
    c.add(3, [this] { sortByCriterion(QStringLiteral("BP")); });
    c.add(4, [this] {
        computeStandings();
        markRankMovement(m_session.state().dueMatchDays());
    });
    c.add(5, [this] { sortByCriterion(QStringLiteral("FP")); });
    c.add(6, [this] { toggleAbout(); });
    c.add(7, [this] { openHelpPage(); });
    c.add(8, [this] { sortByCriterion(QStringLiteral("GA")); });
    c.add(9, [this] { runResultsUpdate(); });
    c.add(10, [this] { showMatchDayPicker(); });
    c.add(11, [this] { closeGraph(); });
    c.add(12, [this] { openGraph(); });
    c.add(13, [this] { openExportPanel(); });
    c.add(14, [this] { sendResults(); });
    c.add(15, [this] { closeExportPanel(); });
    c.add(16, [this] { toggleDonors(); });
    c.add(17, [this] { closeDonors(); });
    c.add(18, [this] { sortByCriterion(QStringLiteral("MG")); });
    c.add(19, [this] {
        computeStandings();
        hideClassifications();
        stopDonorsTicker();
    });
    c.add(20, [this] {
        toggleClassifications();
        stopDonorsTicker();
    });
    c.add(21, [this] {
        if (!settleUnsavedEntries())
            return;
        m_session.state().setCardRequest(QString());
        selectCurrentMatchDay();
        computeStandings();
        markRankMovement(m_session.state().dueMatchDays());
    });
    c.add(22, [this] { sortByCriterion(QStringLiteral("MP")); });
    c.add(23, [this] { sortByCriterion(QStringLiteral("MN")); });
    c.add(24, [this] { closeHighlights(); });
    c.add(25, [this] { toggleHighlights(); });
    c.add(26, [this] { hideAbout(); });
    c.add(27, [this] { toggleConfiguration(); });
    c.add(28, [this] { closeConfiguration(); });
    c.add(29, [this] { showReachableRanks(); });
    c.add(30, [this] { insertAdjustment(); });
    c.add(31, [this] { toggleAdjustments(); });
    c.add(32, [this] { copyStoreAside(); });
    c.add(33, [this] { openTeamCard(); });
    c.add(34, [this] { closeTeamCard(); });
    for (int print : {35, 36, 37})
        c.add(print, [this] { printWindow(); });
    c.add(38, [this] { openCardOfGraphTeam(); });
    c.setHousekeeping([this](int index) { beforeCommand(index); }, [this](int index) { afterCommand(index); });
}

void MainWindow::trackCalmingPanels()
{
    // The panels hear the pointer over their free space and pass it on to
    // the window, which calms the buttons down.
    for (const char *name : CalmingPanels) {
        if (QWidget *panel = findChild<QWidget *>(QLatin1String(name), Qt::FindDirectChildrenOnly))
            panel->setMouseTracking(true);
    }
}

void MainWindow::beforeCommand(int index)
{
    hideNewsPanel();
    m_table->hideAheadBehind();
    parkCrestStrip();
    if (index != 27)
        hideConfiguration();
}

void MainWindow::afterCommand(int index)
{
    if (index != 6)
        hideAbout();
    if (index != 10 && index != 19 && index != 29)
        hideMatchDayPicker();
}

void MainWindow::resetHover(QWidget *area)
{
    const QString name = area ? area->objectName() : QString();
    const bool background = area == nullptr;
    bool calming = background;
    for (const char *panel : CalmingPanels)
        calming = calming || name == QLatin1String(panel);
    if (calming) {
        for (int index = 0; index < CommandButtons::Count; ++index) {
            if (QPushButton *button = m_buttons->button(index))
                windowstyle::setBackground(button, windowstyle::Navy);
        }
    }
    if (background || name == QLatin1String("FraDon"))
        resetPickerHover();
    if (background) {
        resetMonthHover();
        m_table->clearTrackingMarkers();
        resumeCrestTicker();
    }
    if (calming)
        markUpdateButtonResting();
}

void MainWindow::markUpdateButtonResting()
{
    const QDateTime last = m_session.state().lastUpdate();
    QPushButton *update = m_buttons->button(9);
    if (update && last.isValid() && last.msecsTo(m_session.clock().now()) < UpdateRestMs)
        windowstyle::setBackground(update, windowstyle::Resting);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (auto *button = qobject_cast<QPushButton *>(watched); button && watched->objectName() == QLatin1String("BtN")) {
        if (event->type() == QEvent::Enter) {
            for (int index = 0; index < CommandButtons::Count; ++index) {
                if (QPushButton *other = m_buttons->button(index))
                    windowstyle::setBackground(other, other == button ? windowstyle::Teal : windowstyle::Navy);
            }
            markUpdateButtonResting();
        }
        return false;
    }
    if (event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        const QString name = watched->objectName();
        if (name == QLatin1String("Label8"))
            toggleExportSwitch();
        else if (name == QLatin1String("Label21"))
            openStoreFile();
        else if (watched == m_logo)
            showWorkingList();
    }
    return QWidget::eventFilter(watched, event);
}
