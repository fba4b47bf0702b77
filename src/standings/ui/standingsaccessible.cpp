#include "standings/ui/standingsaccessible.h"

#include "standings/core/tablereading.h"
#include "standings/ui/standingsgrid.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>

#include <vector>

namespace {

// Children of the table: one header per column first, then the cells row
// after row.
QAccessibleInterface *cellInterface(const StandingsGrid *grid, int row, int column)
{
    return grid ? QAccessible::queryAccessibleInterface(grid->cellAt(row, column)) : nullptr;
}

int nameColumn(const StandingsGrid &grid)
{
    for (int c = 0; c < grid.columnCount(); ++c) {
        if (grid.columnName(c) == QLatin1String("Tclass"))
            return c;
    }
    return -1;
}

// The header of one column: not a widget of its own, since the drawn
// headers span several columns on three levels.
class ColumnHeader final : public QAccessibleInterface
{
public:
    ColumnHeader(StandingsGrid *grid, int column)
        : m_grid(grid)
        , m_column(column)
    {}

    bool isValid() const override { return m_grid; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override
    {
        const QAccessibleInterface *table = parent();
        return table ? table->window() : nullptr;
    }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_grid.data()); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !m_grid)
            return {};
        return tablereading::columnTitle(m_grid->columnName(m_column));
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!m_grid)
            return {};
        const QRect local = m_grid->headerRect(m_column);
        return QRect(m_grid->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::ColumnHeader; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = !m_grid || !m_grid->isVisible();
        return state;
    }

private:
    QPointer<StandingsGrid> m_grid;
    int m_column;
};

class TableAccessible final : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit TableAccessible(StandingsGrid *grid)
        : QAccessibleWidget(grid, QAccessible::Table)
        , m_headers(std::size_t(grid->columnCount()), QAccessible::Id(0))
    {}
    ~TableAccessible() override
    {
        for (QAccessible::Id id : m_headers) {
            if (id)
                QAccessible::deleteAccessibleInterface(id);
        }
    }

    StandingsGrid *grid() const { return static_cast<StandingsGrid *>(widget()); }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessibleInterface *header(int column) const
    {
        if (column < 0 || column >= columnCount())
            return nullptr;
        QAccessible::Id &id = m_headers[std::size_t(column)];
        if (!id)
            id = QAccessible::registerAccessibleInterface(new ColumnHeader(grid(), column));
        return QAccessible::accessibleInterface(id);
    }

    int childCount() const override { return columnCount() * (1 + rowCount()); }
    QAccessibleInterface *child(int index) const override
    {
        const int columns = columnCount();
        if (index < 0 || index >= childCount())
            return nullptr;
        if (index < columns)
            return header(index);
        index -= columns;
        return cellAt(index / columns, index % columns);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (!child)
            return -1;
        for (int c = 0; c < columnCount(); ++c) {
            if (m_headers[std::size_t(c)] && QAccessible::accessibleInterface(m_headers[std::size_t(c)]) == child)
                return c;
        }
        const auto [row, column] = grid()->positionOf(child->object());
        return row < 0 ? -1 : standingsaccessible::childIndex(*grid(), row, column);
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint local = grid()->mapFromGlobal(QPoint(x, y));
        for (int c = 0; c < columnCount(); ++c) {
            if (grid()->headerRect(c).contains(local))
                return header(c);
            for (int r = 0; r < rowCount(); ++r) {
                if (grid()->cellAt(r, c)->geometry().contains(local))
                    return cellAt(r, c);
            }
        }
        return nullptr;
    }
    QAccessibleInterface *focusChild() const override
    {
        return grid()->hasFocus() ? cellAt(grid()->currentRow(), grid()->currentColumn()) : nullptr;
    }

    // The table interface. Nothing is selected: the keyboard's place is the focus.
    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override { return cellInterface(grid(), row, column); }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface *> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override
    {
        return tablereading::columnTitle(grid()->columnName(column));
    }
    QString rowDescription(int row) const override
    {
        const QLabel *name = grid()->cellAt(row, nameColumn(*grid()));
        return name ? name->accessibleName() : QString();
    }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return grid()->columnCount(); }
    int rowCount() const override { return grid()->rowCount(); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override {}

private:
    mutable std::vector<QAccessible::Id> m_headers; // registered as first asked for
};

class CellAccessible final : public QAccessibleWidget, public QAccessibleTableCellInterface
{
public:
    CellAccessible(QLabel *label, StandingsGrid *grid)
        : QAccessibleWidget(label, QAccessible::Cell)
        , m_grid(grid)
    {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // The cell's own marks (the zone letters) are told by the name cell's
    // description already.
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        const auto *label = static_cast<const QLabel *>(widget());
        if (t == QAccessible::Name) {
            // A cell left unnamed (a movement mark not set yet) still says
            // which column and row it stands in.
            if (!label->accessibleName().isEmpty())
                return label->accessibleName();
            const QString title = tablereading::columnTitle(label->objectName());
            const QLabel *name = m_grid ? m_grid->cellAt(rowIndex(), nameColumn(*m_grid)) : nullptr;
            return name && !name->text().isEmpty() ? title + QStringLiteral(" de ") + name->text() : title;
        }
        if (t == QAccessible::Value)
            return label->text();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.focusable = true;
        state.focused = m_grid && m_grid->hasFocus() && m_grid->currentRow() == rowIndex()
                        && m_grid->currentColumn() == columnIndex();
        return state;
    }

    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
    void doAction(const QString &action) override
    {
        if (!m_grid)
            return;
        if (action == pressAction()) {
            m_grid->activate(rowIndex(), columnIndex());
        } else if (action == setFocusAction()) {
            m_grid->setCurrentCell(rowIndex(), columnIndex());
            m_grid->setFocus(Qt::OtherFocusReason);
        }
    }
    QStringList keyBindingsForAction(const QString &action) const override
    {
        return action == pressAction() ? QStringList{QStringLiteral("Return")} : QStringList{};
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface *> columnHeaderCells() const override
    {
        auto *table = dynamic_cast<TableAccessible *>(this->table());
        QAccessibleInterface *header = table ? table->header(columnIndex()) : nullptr;
        return header ? QList<QAccessibleInterface *>{header} : QList<QAccessibleInterface *>{};
    }
    QList<QAccessibleInterface *> rowHeaderCells() const override
    {
        // The team's name heads its row.
        if (!m_grid || columnIndex() == nameColumn(*m_grid))
            return {};
        QAccessibleInterface *name = cellInterface(m_grid, rowIndex(), nameColumn(*m_grid));
        return name ? QList<QAccessibleInterface *>{name} : QList<QAccessibleInterface *>{};
    }
    int columnIndex() const override { return m_grid ? m_grid->positionOf(widget()).second : -1; }
    int rowIndex() const override { return m_grid ? m_grid->positionOf(widget()).first : -1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return QAccessible::queryAccessibleInterface(m_grid.data()); }

private:
    QPointer<StandingsGrid> m_grid;
};

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (className == QLatin1String("StandingsGrid"))
        return new TableAccessible(static_cast<StandingsGrid *>(object));
    if (className == QLatin1String("QLabel")) {
        auto *grid = qobject_cast<StandingsGrid *>(object->parent());
        if (grid && grid->positionOf(object).first >= 0)
            return new CellAccessible(static_cast<QLabel *>(object), grid);
    }
    return nullptr;
}

} // namespace

namespace standingsaccessible {

void install()
{
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(factory);
        installed = true;
    }
}

int childIndex(const StandingsGrid &grid, int row, int column)
{
    return grid.columnCount() * (1 + row) + column;
}

} // namespace standingsaccessible
