#include "standings/ui/standingsgrid.h"

#include "shared/ui/windowstyle.h"
#include "standings/ui/standingsaccessible.h"
#include "standings/ui/standingspalette.h"

#include <QAccessible>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>

#include <algorithm>

namespace {
constexpr int RingWidth = 2;
} // namespace

StandingsGrid::StandingsGrid(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("StandingsGrid"));
    // Screen readers must meet the cells through the table's interface from
    // the first event on: it is installed before any cell exists.
    standingsaccessible::install();
    m_cells = std::make_unique<StandingsCells>(this);
    resize(m_cells->gridRect().size());
    // Tab only: a click on a row must not take the focus from a box being typed.
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(QStringLiteral("Classement"));
    m_column = int(m_cells->columnNames().indexOf(QStringLiteral("Tclass")));

    m_ring = new QFrame(this);
    m_ring->setObjectName(QStringLiteral("CellRing"));
    m_ring->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_ring->setLineWidth(RingWidth);
    m_ring->setAttribute(Qt::WA_TransparentForMouseEvents);
    windowstyle::setTextColour(m_ring, QColor(StandingsPalette::CellRing));
    m_ring->hide();
}

StandingsGrid::~StandingsGrid() = default;

QLabel *StandingsGrid::cellAt(int row, int column) const
{
    return m_cells->cell(columnName(column), row);
}

QString StandingsGrid::columnName(int column) const
{
    return m_cells->columnNames().value(column);
}

std::pair<int, int> StandingsGrid::positionOf(const QObject *cell) const
{
    // Asked for by screen readers as soon as a label exists, the cells' too.
    if (!cell || !m_cells || cell->parent() != this)
        return {-1, -1};
    const int column = int(m_cells->columnNames().indexOf(cell->objectName()));
    const QVariant row = cell->property("index");
    if (column < 0 || !row.isValid() || cellAt(row.toInt(), column) != cell)
        return {-1, -1};
    return {row.toInt(), column};
}

QRect StandingsGrid::headerRect(int column) const
{
    const QRect span = m_cells->columnSpan(columnName(column));
    return QRect(span.x(), 0, span.width(), StandingsCells::HeaderHeight - 1);
}

void StandingsGrid::setCurrentCell(int row, int column)
{
    row = std::clamp(row, 0, rowCount() - 1);
    column = std::clamp(column, 0, columnCount() - 1);
    if (row == m_row && column == m_column)
        return;
    m_row = row;
    m_column = column;
    if (hasFocus()) {
        showRing();
        tellCurrentCell();
    }
    emit currentCellChanged(row, column);
}

void StandingsGrid::activate(int row, int column)
{
    setCurrentCell(row, column);
    emit cellActivated(m_row, m_column);
}

void StandingsGrid::keyPressEvent(QKeyEvent *event)
{
    const bool control = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Up:
        setCurrentCell(m_row - 1, m_column);
        break;
    case Qt::Key_Down:
        setCurrentCell(m_row + 1, m_column);
        break;
    case Qt::Key_Left:
        setCurrentCell(m_row, m_column - 1);
        break;
    case Qt::Key_Right:
        setCurrentCell(m_row, m_column + 1);
        break;
    case Qt::Key_Home:
        setCurrentCell(control ? 0 : m_row, control ? m_column : 0);
        break;
    case Qt::Key_End:
        setCurrentCell(control ? rowCount() - 1 : m_row, control ? m_column : columnCount() - 1);
        break;
    case Qt::Key_PageUp:
        setCurrentCell(0, m_column);
        break;
    case Qt::Key_PageDown:
        setCurrentCell(rowCount() - 1, m_column);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        activate(m_row, m_column);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void StandingsGrid::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    showRing();
    tellCurrentCell();
    emit currentCellChanged(m_row, m_column);
}

void StandingsGrid::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    m_ring->hide();
}

void StandingsGrid::showRing()
{
    const QLabel *cell = cellAt(m_row, m_column);
    if (!cell)
        return;
    // Over the grid lines round the cell, so that the cell's own text and
    // colours stay as they are.
    m_ring->setGeometry(cell->geometry().adjusted(-RingWidth, -RingWidth, RingWidth, RingWidth));
    m_ring->show();
    m_ring->raise();
}

void StandingsGrid::tellCurrentCell()
{
    // Screen readers follow the focus from cell to cell, as in any table.
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(standingsaccessible::childIndex(*this, m_row, m_column));
    QAccessible::updateAccessibility(&focus);
}
