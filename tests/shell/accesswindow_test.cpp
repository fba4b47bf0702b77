// The window from the keyboard and for screen readers: Tab order, Escape,
// the focus following a panel opened from the keyboard, accessible names,
// and zones told apart by more than their colour.
#include "windowfixture.h"

#include "matchday/ui/gridbox.h"
#include "shell/ui/command.h"
#include "standings/ui/standingstable.h"

#include <QApplication>
#include <QListWidget>

namespace {

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

    // Past the last box the focus leaves the grid for the statistics, then
    // the export button.
    widget<GridBox>(QStringLiteral("CR2"), 9)->setFocus(Qt::TabFocusReason);
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

    // Typing in the export panel, Escape closes it too.
    window->runCommand(Command::OpenSending);
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

    // Grid boxes name the team they belong to.
    const QString home = widget<GridBox>(QStringLiteral("T1"), 0)->text();
    EXPECT_EQ(widget<GridBox>(QStringLiteral("R1"), 0)->accessibleName(), QStringLiteral("Buts de ") + home);
    EXPECT_EQ(widget<GridBox>(QStringLiteral("CJ1"), 0)->accessibleName(), QStringLiteral("Cartons jaunes de ") + home);
}
