// The window from the keyboard and for screen readers: Tab order, Escape,
// the focus following a panel opened from the keyboard, accessible names,
// and zones told apart by more than their colour.
#include "windowfixture.h"

#include "matchday/ui/gridbox.h"
#include "shared/ui/announcer.h"
#include "shell/ui/command.h"
#include "standings/ui/standingstable.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>

namespace {

// A name that says what an element is for: words, not only a number, and
// for a list box not merely the item it holds ("Aucune" in a list of teams).
bool meaningful(QAccessibleInterface *iface)
{
    const QString said = iface->text(QAccessible::Name).trimmed();
    const bool words = std::any_of(said.begin(), said.end(), [](QChar c) { return c.isLetter(); });
    return words && (iface->role() != QAccessible::ComboBox || said != iface->text(QAccessible::Value).trimmed());
}

// Whether a cell's column header has words. Qt's own item views make a new
// header at each call and keep nothing of it, where ours hand out the one the
// accessibility cache holds: asked twice, a header that comes back new is
// handed to the cache to be deleted, as a screen reader's bridge would leak it.
bool headerSpeaks(QAccessibleTableCellInterface &cell)
{
    const QList<QAccessibleInterface *> headers = cell.columnHeaderCells();
    const QList<QAccessibleInterface *> again = cell.columnHeaderCells();
    const bool speaks = !headers.isEmpty() && meaningful(headers.first());
    for (qsizetype i = 0; i < headers.size() && i < again.size(); ++i) {
        if (headers[i] != again[i]) {
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(headers[i]));
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(again[i]));
        }
    }
    return speaks;
}

QString describe(QAccessibleInterface *iface)
{
    QObject *object = iface->object();
    QAccessibleInterface *parent = iface->parent();
    while (parent && !parent->object())
        parent = parent->parent();
    return QStringLiteral("%1 in %2 (role %3, \"%4\" = \"%5\")")
        .arg(object ? object->objectName() : QStringLiteral("-"),
             parent ? parent->object()->objectName() : QStringLiteral("-"), QString::number(int(iface->role()), 16),
             iface->text(QAccessible::Name), iface->text(QAccessible::Value));
}

// What a screen reader walking the tree meets: every element shown that
// takes the focus or an action, without a meaningful name; every table
// whose column headers say nothing; and the tables found.
struct TreeWalk
{
    QStringList unnamed;
    QStringList silentHeaders;
    QList<QAccessibleInterface *> tables;

    void visit(QAccessibleInterface *iface, int depth = 0)
    {
        if (!iface || !iface->isValid() || iface->state().invisible || depth > 40)
            return;
        const QAccessible::State state = iface->state();
        QAccessibleActionInterface *actions = iface->actionInterface();
        const bool actionable = actions && !actions->actionNames().isEmpty();
        if ((state.focusable || actionable) && !state.disabled && !meaningful(iface))
            unnamed << describe(iface);
        if (QAccessibleTableInterface *table = iface->tableInterface(); table && iface->role() == QAccessible::Table) {
            tables << iface;
            for (int c = 0; c < table->columnCount() && table->rowCount() > 0; ++c) {
                QAccessibleInterface *cell = table->cellAt(0, c);
                if (!cell || !cell->tableCellInterface() || !headerSpeaks(*cell->tableCellInterface()))
                    silentHeaders << describe(iface) + QStringLiteral(" column ") + QString::number(c);
            }
        }
        for (int i = 0; i < iface->childCount(); ++i)
            visit(iface->child(i), depth + 1);
    }
};

// Every element under `iface`, shown or not, that says it has the focus.
void collectFocused(QAccessibleInterface *iface, QStringList &focused, int depth = 0)
{
    if (!iface || !iface->isValid() || depth > 40)
        return;
    if (iface->state().focused)
        focused << describe(iface);
    for (int i = 0; i < iface->childCount(); ++i)
        collectFocused(iface->child(i), focused, depth + 1);
}

class AccessWindow : public WindowFixture
{
protected:
    void startActive()
    {
        start();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    static QWidget *focused() { return QApplication::focusWidget(); }
    static void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    void escape() { QTest::keyClick(focused() ? focused() : window.get(), Qt::Key_Escape); }
    bool shown(const char *name) const
    {
        QWidget *w = widget(QLatin1String(name));
        return w && w->isVisible();
    }
};

} // namespace

TEST_F(AccessWindow, TabWalksTheSideColumnThenTheMatchDayThenTheCommandsUnderTheTable)
{
    startActive();
    button(Command::GeneralStandings)->setFocus(Qt::TabFocusReason);
    // The side column top to bottom, as it reads.
    // (none: the "Calcul exact" box beside its command)
    const std::optional<Command> column[] = {
        Command::Classifications, Command::PickMatchDay, Command::ReachableRanks, std::nullopt,    Command::FullTable,
        Command::OpenTeamCard,    Command::OpenGraph,    Command::Highlights,     Command::Update, Command::BackupStore,
        Command::Adjustments,     Command::Donors,       Command::Configuration,  Command::Print,  Command::Help,
        Command::About,           Command::Quit,
    };
    for (const std::optional<Command> &command : column) {
        press(Qt::Key_Tab);
        if (!command)
            EXPECT_EQ(focused()->objectName(), QStringLiteral("CheckExact"));
        else
            EXPECT_EQ(focused(), button(*command)) << commands::indexOf(*command);
    }
    // The months, the match days listed beside them and the calendar's
    // lock, then the match grid's first box.
    for (int k = 0; k < 10; ++k) {
        press(Qt::Key_Tab);
        EXPECT_EQ(focused()->objectName(), QStringLiteral("LabMois"));
        EXPECT_EQ(focused()->property("index").toInt(), k);
    }
    int lines = 0;
    for (press(Qt::Key_Tab); focused()->objectName() == QLatin1String("Label2"); press(Qt::Key_Tab))
        ++lines;
    EXPECT_GT(lines, 0);
    EXPECT_EQ(focused()->objectName(), QStringLiteral("Check1"));
    press(Qt::Key_Tab);
    auto *box = qobject_cast<GridBox *>(focused());
    ASSERT_NE(box, nullptr) << focused()->objectName().toStdString();
    EXPECT_EQ(box->property("index").toInt(), 0);

    // Past the last box the focus leaves the grid for the standings table,
    // then the statistics, then the export button.
    widget<GridBox>(QStringLiteral("CR2"), 9)->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Tab);
    EXPECT_EQ(focused(), window->standingsTable().grid());
    press(Qt::Key_Tab);
    EXPECT_EQ(focused()->objectName(), QStringLiteral("BtStats"));
    press(Qt::Key_Tab);
    EXPECT_EQ(focused()->objectName(), QStringLiteral("BtExport"));
    // Shift+Tab from the grid's first box goes back to the side column.
    widget<GridBox>(QStringLiteral("CR1"), 0)->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Backtab);
    EXPECT_EQ(focused()->objectName(), QStringLiteral("Check1"));

    // Space runs the focused command, as a click does.
    button(Command::Highlights)->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    EXPECT_TRUE(shown("FraPlus"));
}

TEST_F(AccessWindow, MonthsMatchDaysAndTheTableAtAMatchDayAnswerTheKeyboard)
{
    startActive();
    // A month previewed as the focus reaches it; Enter goes to its match days.
    auto *october = widget<QLabel>(QStringLiteral("LabMois"), 2);
    october->setFocus(Qt::TabFocusReason);
    auto *line = widget<QLabel>(QStringLiteral("Label2"), 0);
    ASSERT_TRUE(line->isVisible());
    EXPECT_TRUE(line->text().contains(QStringLiteral("oct."))) << line->text().toStdString();
    press(Qt::Key_Return);
    EXPECT_EQ(focused(), line);
    EXPECT_TRUE(shown("FocusRing"));
    press(Qt::Key_Tab);
    EXPECT_EQ(focused(), widget<QLabel>(QStringLiteral("Label2"), 1));
    const int day = focused()->property("tag").toInt() + 1;
    press(Qt::Key_Space);
    EXPECT_EQ(session->state().displayedMatchDay(), day);

    // "Classement par Journée" from the keyboard: the numbers take the
    // focus on the match days due, the arrows move, Enter shows that table.
    button(Command::PickMatchDay)->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    const int due = session->state().dueMatchDays();
    ASSERT_EQ(focused()->objectName(), QStringLiteral("Label10"));
    EXPECT_EQ(focused()->property("index").toInt(), due);
    press(Qt::Key_Left);
    EXPECT_EQ(focused()->property("index").toInt(), due - 1);
    press(Qt::Key_Return);
    EXPECT_EQ(session->standings().displayed().upToMatchDay, due - 1);

    // The standings table: the focus comes onto the first team's name, the
    // arrows move from cell to cell, and screen readers follow that cell.
    window->runCommand(Command::GeneralStandings);
    StandingsGrid *grid = window->standingsTable().grid();
    grid->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(shown("CellRing"));
    const auto cellName = [grid] { return grid->cellAt(grid->currentRow(), grid->currentColumn())->objectName(); };
    EXPECT_EQ(grid->currentRow(), 0);
    EXPECT_EQ(cellName(), QStringLiteral("Tclass"));
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    press(Qt::Key_Right);
    EXPECT_EQ(grid->currentRow(), 2);
    EXPECT_EQ(cellName(), QStringLiteral("TPTS"));
    QAccessibleInterface *current = QAccessible::queryAccessibleInterface(grid)->focusChild();
    ASSERT_TRUE(current && current->tableCellInterface());
    EXPECT_TRUE(current->state().focused);
    EXPECT_EQ(current->tableCellInterface()->rowIndex(), 2);
    EXPECT_EQ(current->text(QAccessible::Name), grid->cellAt(2, grid->currentColumn())->accessibleName());
    // Enter on a row does what a click on its name does: the team's season
    // comes into the grid.
    const QString third = window->standingsTable().cell(QStringLiteral("Tclass"), 2)->text();
    press(Qt::Key_Return);
    EXPECT_EQ(session->state().displayedMatchDay(), 0);
    EXPECT_EQ(session->state().cardRequest(), third);
    EXPECT_TRUE(shown("Check2"));
    // Enter on the rank opens the team's card, as its click does.
    press(Qt::Key_Home);
    EXPECT_EQ(cellName(), QStringLiteral("LabClass"));
    press(Qt::Key_Return);
    EXPECT_TRUE(shown("FraPlanning"));
    escape();
    EXPECT_FALSE(shown("FraPlanning"));
}

TEST_F(AccessWindow, AClickLeavesTheFocusInTheBoxBeingTyped)
{
    startActive();
    auto *score = widget<GridBox>(QStringLiteral("R1"), 2);
    score->setFocus(Qt::MouseFocusReason);
    click(Command::Highlights);
    EXPECT_EQ(focused(), score);
    EXPECT_TRUE(shown("FraPlus"));
}

TEST_F(AccessWindow, EscapeClosesEachPanelWithItsOwnCommand)
{
    startActive();
    // Every panel closes with its own close command.
    const QList<QPair<Command, const char *>> panels = {{Command::OpenTeamCard, "FraPlanning"},
                                                        {Command::Highlights, "FraPlus"},
                                                        {Command::Configuration, "FraCon"},
                                                        {Command::About, "FraAP"},
                                                        {Command::Donors, "FraDon"},
                                                        {Command::OpenGraph, "Frame4"},
                                                        {Command::OpenSending, "Frame6"},
                                                        {Command::Adjustments, "List8"}};
    for (const auto &[command, name] : panels) {
        window->runCommand(command);
        ASSERT_TRUE(shown(name)) << name;
        escape();
        EXPECT_FALSE(shown(name)) << name;
    }
    // The export panel gives the match day back.
    EXPECT_TRUE(shown("Frame7"));
}

TEST_F(AccessWindow, APanelOpenedFromTheKeyboardTakesTheFocusAndGivesItBack)
{
    startActive();
    button(Command::Configuration)->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    ASSERT_TRUE(shown("FraCon"));
    QWidget *config = widget(QStringLiteral("FraCon"));
    ASSERT_NE(focused(), nullptr);
    EXPECT_TRUE(config->isAncestorOf(focused())) << focused()->objectName().toStdString();
    escape();
    EXPECT_FALSE(shown("FraCon"));
    EXPECT_EQ(focused(), button(Command::Configuration));

    // The statistics from their button, the same way.
    QWidget *statistics = widget(QStringLiteral("BtStats"));
    statistics->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    ASSERT_TRUE(shown("FraStats"));
    EXPECT_TRUE(widget(QStringLiteral("FraStats"))->isAncestorOf(focused())
                || focused() == widget(QStringLiteral("FraStats")));
    escape();
    EXPECT_FALSE(shown("FraStats"));
    EXPECT_EQ(focused(), statistics);

    // The published version unlocks from the keyboard too; Enter then is
    // the box's own.
    window->runCommand(Command::OpenSending);
    auto *version = widget<QLineEdit>(QStringLiteral("Text2"));
    version->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(version->isReadOnly());
    QTest::keyClicks(version, QStringLiteral("9"));
    EXPECT_TRUE(version->isReadOnly());
    press(Qt::Key_Return);
    EXPECT_FALSE(version->isReadOnly());
    EXPECT_EQ(focused(), version);
    EXPECT_TRUE(window->access().announcer().lastMessage().endsWith(QStringLiteral("Version publiée modifiable.")));
    version->selectAll();
    QTest::keyClicks(version, QStringLiteral("2.5"));
    press(Qt::Key_Return);
    EXPECT_EQ(version->text(), QStringLiteral("2.5"));
    EXPECT_FALSE(version->isReadOnly());

    // Typing in the export panel, Escape closes it too.
    auto *news = widget(QStringLiteral("Text1"));
    news->setFocus(Qt::MouseFocusReason);
    escape();
    EXPECT_FALSE(shown("Frame6"));
}

TEST_F(AccessWindow, ScreenReadersHearTheTableTheButtonsThePanelsAndTheGrid)
{
    startActive();
    StandingsTable &table = window->standingsTable();
    // The cells' own texts stay what the table always showed.
    QLabel *leader = table.cell(QStringLiteral("Tclass"), 0);
    EXPECT_EQ(leader->text(), QStringLiteral("JS Câtelbourg"));
    EXPECT_EQ(leader->accessibleName(), QStringLiteral("Rang 1, JS Câtelbourg, 87 points"));
    EXPECT_EQ(table.cell(QStringLiteral("LabClass"), 0)->accessibleName(), leader->accessibleName());
    EXPECT_TRUE(leader->accessibleDescription().startsWith(QStringLiteral("Qualifié phase de groupe")));
    EXPECT_TRUE(leader->accessibleDescription().contains(QStringLiteral("(C1)")));
    EXPECT_EQ(table.cell(QStringLiteral("TPTS"), 0)->accessibleName(), QStringLiteral("Points de JS Câtelbourg : 87"));

    // Each zone wears a short mark besides its colour; rows outside wear none.
    const auto mark = [this](int row) {
        auto *label = widget<QLabel>(QStringLiteral("ZoneMark"), row);
        return label && label->isVisible() ? label->text() : QString();
    };
    EXPECT_EQ(mark(0), QStringLiteral("C1"));
    EXPECT_EQ(mark(2), QStringLiteral("3T"));
    EXPECT_EQ(mark(3), QStringLiteral("C3"));
    EXPECT_EQ(mark(8), QString());
    EXPECT_EQ(mark(19), QStringLiteral("R"));
    // The favourite's yellow covers the zone colour; the mark stays.
    const QString last = table.cell(QStringLiteral("Tclass"), 19)->text();
    session->state().setFavouriteTeam(last);
    window->standings().computeStandings();
    EXPECT_EQ(table.cell(QStringLiteral("Tclass"), 19)->text(), last);
    EXPECT_EQ(mark(19), QStringLiteral("R"));
    EXPECT_TRUE(table.cell(QStringLiteral("Tclass"), 19)
                    ->accessibleDescription()
                    .startsWith(QStringLiteral("Relégué en Kestrane 2 (R).")));

    // Buttons say what they do, panels and areas what they are.
    for (Command command : commands::all()) {
        if (QPushButton *b = button(command)) {
            EXPECT_FALSE(b->accessibleDescription().isEmpty()) << commands::indexOf(command);
        }
    }
    EXPECT_EQ(button(Command::CloseTeamCard)->accessibleDescription(), QStringLiteral("Ferme la fiche de l'équipe"));
    for (const char *name : {"FraCon", "FraAP", "FraDon", "FraPlus", "Frame4", "FraPlanning", "Frame6", "List8",
                             "Text4", "Frame7", "MatchGrid", "Frame3"})
        EXPECT_FALSE(widget(QLatin1String(name))->accessibleName().isEmpty()) << name;

    // Grid boxes name their fixture, then the team and its side.
    const QString home = widget<GridBox>(QStringLiteral("T1"), 0)->text();
    const QString away = widget<GridBox>(QStringLiteral("T2"), 0)->text();
    const QString fixture = home + QStringLiteral(" - ") + away;
    EXPECT_EQ(widget<GridBox>(QStringLiteral("T1"), 0)->accessibleName(),
              fixture + QStringLiteral(", équipe à domicile"));
    EXPECT_EQ(widget<GridBox>(QStringLiteral("R1"), 0)->accessibleName(),
              fixture + QStringLiteral(", buts de ") + home + QStringLiteral(" (domicile)"));
    EXPECT_EQ(widget<GridBox>(QStringLiteral("R2"), 0)->accessibleName(),
              fixture + QStringLiteral(", buts de ") + away + QStringLiteral(" (extérieur)"));
    EXPECT_EQ(widget<GridBox>(QStringLiteral("CJ1"), 0)->accessibleName(),
              fixture + QStringLiteral(", cartons jaunes de ") + home + QStringLiteral(" (domicile)"));
}

TEST_F(AccessWindow, AScreenReaderMeetsNamedElementsATableOfTwentyRowsAndNoStaleFocus)
{
    startActive();
    QAccessibleInterface *main = QAccessible::queryAccessibleInterface(window.get());
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->role(), QAccessible::Window); // read as a frame, not a filler

    const auto walk = [main](const char *when) {
        TreeWalk tree;
        tree.visit(main);
        EXPECT_TRUE(tree.unnamed.isEmpty()) << when << ": " << tree.unnamed.join(QStringLiteral("; ")).toStdString();
        EXPECT_TRUE(tree.silentHeaders.isEmpty())
            << when << ": " << tree.silentHeaders.join(QStringLiteral("; ")).toStdString();
        return tree;
    };
    const TreeWalk opening = walk("à l'ouverture");

    // The standings table: 20 rows of 20 cells under named column headers,
    // each row headed by its team, reached from the window.
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(window->standingsTable().grid());
    ASSERT_TRUE(opening.tables.contains(table));
    EXPECT_EQ(table->role(), QAccessible::Table);
    QAccessibleTableInterface *cells = table->tableInterface();
    EXPECT_EQ(cells->rowCount(), 20);
    EXPECT_EQ(cells->columnCount(), 20);
    QAccessibleInterface *points = cells->cellAt(0, 3);
    ASSERT_NE(points, nullptr);
    EXPECT_EQ(points->role(), QAccessible::Cell);
    EXPECT_EQ(points->text(QAccessible::Name), QStringLiteral("Points de JS Câtelbourg : 87"));
    QAccessibleTableCellInterface *place = points->tableCellInterface();
    EXPECT_EQ(place->columnHeaderCells().value(0)->text(QAccessible::Name), QStringLiteral("Points"));
    EXPECT_EQ(place->rowHeaderCells().value(0)->text(QAccessible::Name),
              QStringLiteral("Rang 1, JS Câtelbourg, 87 points"));
    EXPECT_EQ(cells->cellAt(19, 0)->tableCellInterface()->columnHeaderCells().value(0)->text(QAccessible::Name),
              QStringLiteral("Rang"));
    EXPECT_EQ(table->indexOfChild(points), table->indexOfChild(cells->cellAt(0, 0)) + 3);

    // Every panel as it opens, and the statistics page by page.
    const QList<QPair<Command, const char *>> panels = {
        {Command::OpenTeamCard, "fiche"},          {Command::Highlights, "records"},
        {Command::Configuration, "configuration"}, {Command::Donors, "donateurs"},
        {Command::OpenGraph, "graphique"},         {Command::OpenSending, "expédition"},
        {Command::Adjustments, "ajustements"}};
    for (const auto &[command, when] : panels) {
        window->runCommand(command);
        walk(when);
        escape();
    }
    QWidget *statistics = widget(QStringLiteral("BtStats"));
    statistics->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    auto *pages = widget<QTabWidget>(QStringLiteral("TabStats"));
    ASSERT_TRUE(pages && pages->isVisible());
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        walk(qPrintable(pages->tabText(page)));
    }
    // Into a table and out of the view: nothing of it stays focused.
    pages->setCurrentIndex(0);
    widget(QStringLiteral("TableForm"))->setFocus(Qt::TabFocusReason);
    escape();
    ASSERT_FALSE(shown("FraStats"));
    QStringList stale;
    collectFocused(QAccessible::queryAccessibleInterface(widget(QStringLiteral("FraStats"))), stale);
    EXPECT_TRUE(stale.isEmpty()) << stale.join(QStringLiteral("; ")).toStdString();
}
