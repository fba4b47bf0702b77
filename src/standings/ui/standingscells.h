#pragma once

#include <QColor>
#include <QHash>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

#include <array>

class QLabel;
class QWidget;

// The 20 rows of cells of the standings table and their column headers.
// Cells are plain labels named after the table's columns ("Tclass", "TPTS"...)
// and carry their row in the property "index"; they show what the table is
// told to show and hold no data of their own. Geometry is absolute: rows are
// 250 twips apart, cells leave a one-pixel gap through which the grid shows.
class StandingsCells
{
public:
    static constexpr int Rows = 20;
    static constexpr int HeaderLevelHeight = 16;
    static constexpr int HeaderHeight = 3 * HeaderLevelHeight;

    // How the mouse over a cell is followed by the tracking aid.
    enum class Kind { Rank, Icon, Name, Main, HomeAway };

    explicit StandingsCells(QWidget *parent);

    // nullptr for an unknown column or a row outside 0..19.
    QLabel *cell(const QString &column, int row) const;
    QStringList columnNames() const { return m_names; }
    int columnCount() const { return int(m_names.size()); }
    // x and width of a column (y and height are the caller's); empty for an
    // unknown name.
    QRect columnSpan(const QString &column) const { return m_columnSpan.value(column); }
    static Kind kindOf(const QString &column);

    void resetColumnColours();
    void paintColumns(const QStringList &columns, const QColor &colour);

    static int rowTop(int row);
    static int rowBottom(int row); // the row's bottom edge
    int width() const { return m_width; }
    QRect gridRect() const { return QRect(0, 0, m_width, rowBottom(Rows - 1) + 1); }

private:
    void createHeaders(QWidget *parent);

    QStringList m_names;
    QHash<QString, std::array<QLabel *, Rows>> m_cells;
    QHash<QString, QRect> m_columnSpan; // x and width of each column
    int m_width = 0;
};
