// The hover feedback of the command buttons and the clicks on the side
// column's title, store name and logo.
#include "shell/ui/mainwindow.h"

#include "shell/core/session.h"
#include "shell/ui/standingscontroller.h"
#include "shell/ui/matchdaycontroller.h"
#include "shell/ui/commandbuttons.h"
#include "shared/ui/windowstyle.h"
#include "standings/ui/standingstable.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace {
// Panels over which the pointer calms every button down.
const std::array CalmingPanels = {"FraCon", "FraDon", "FraPlus", "FraPlanning", "Frame4", "Frame6"};
} // namespace

void MainWindow::trackCalmingPanels()
{
    // The panels hear the pointer over their free space and pass it on to
    // the window, which calms the buttons down.
    for (const char *name : CalmingPanels) {
        if (QWidget *panel = findChild<QWidget *>(QLatin1String(name), Qt::FindDirectChildrenOnly))
            panel->setMouseTracking(true);
    }
}

void MainWindow::resetHover(QWidget *area)
{
    const QString name = area ? area->objectName() : QString();
    const bool background = area == nullptr;
    bool calming = background;
    for (const char *panel : CalmingPanels)
        calming = calming || name == QLatin1String(panel);
    if (calming) {
        for (Command command : commands::all()) {
            if (QPushButton *button = m_buttons->button(command))
                windowstyle::setBackground(button, windowstyle::Navy);
        }
    }
    if (background || name == QLatin1String("FraDon"))
        m_standingsFeature->resetPickerHover();
    if (background) {
        m_matchDayFeature->resetMonthHover();
        standingsTable().clearTrackingMarkers();
        resumeCrestTicker();
    }
    if (calming)
        markUpdateButtonResting();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (auto *button = qobject_cast<QPushButton *>(watched); button && watched->objectName() == QLatin1String("BtN")) {
        if (event->type() == QEvent::Enter) {
            for (Command command : commands::all()) {
                if (QPushButton *other = m_buttons->button(command))
                    windowstyle::setBackground(other, other == button ? windowstyle::Teal : windowstyle::Navy);
            }
            markUpdateButtonResting();
        }
        return false;
    }
    return QWidget::eventFilter(watched, event);
}
