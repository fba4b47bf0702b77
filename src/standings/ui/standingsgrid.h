#pragma once

#include "standings/ui/standingscells.h"

#include <QWidget>

#include <memory>
#include <utility>

class QFrame;
class QLabel;

// The 20 rows of cells of the standings table and their headers, as one
// widget the keyboard reaches: Tab stops on it, the arrows move a current
// cell, Enter or Space on a cell asks for what a click on it does. Screen
// readers read it as a table with row and column headers (see
// standingsaccessible.h). A mouse click leaves the focus where it was, and
// the only mark added to the look is a ring round the current cell while
// the table has the focus.
class StandingsGrid : public QWidget
{
    Q_OBJECT
public:
    explicit StandingsGrid(QWidget *parent = nullptr);
    ~StandingsGrid() override;

    StandingsCells &cells() { return *m_cells; }
    const StandingsCells &cells() const { return *m_cells; }
    int rowCount() const { return StandingsCells::Rows; }
    int columnCount() const { return m_cells->columnCount(); }
    // The cell at (row, column) in screen order; nullptr outside the table.
    QLabel *cellAt(int row, int column) const;
    QString columnName(int column) const;
    // The row and column of one of the cells; -1 and -1 for anything else.
    std::pair<int, int> positionOf(const QObject *cell) const;
    // Where the column's header stands, in the grid's pixels.
    QRect headerRect(int column) const;

    int currentRow() const { return m_row; }
    int currentColumn() const { return m_column; }
    void setCurrentCell(int row, int column);
    // Makes (row, column) current and asks for what a click on it does.
    void activate(int row, int column);

signals:
    void currentCellChanged(int row, int column);
    void cellActivated(int row, int column);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showRing();
    void tellCurrentCell();

    std::unique_ptr<StandingsCells> m_cells;
    QFrame *m_ring = nullptr;
    int m_row = 0;
    int m_column = 0;
};
