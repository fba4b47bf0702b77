// The commands of the window as the user clicks them: the housekeeping around
// every command, the hover feedback, the sorts' buttons, the configuration and
// about panels and the adjustments list.
#include "contrast.h"
#include "windowfixture.h"

#include "shared/ui/fittedtext.h"
#include "shell/ui/command.h"
#include "shell/ui/commandbuttons.h"
#include "standings/ui/standingstable.h"

#include <QCheckBox>
#include <QDir>
#include <QEnterEvent>
#include <QListWidget>
#include <QSignalSpy>
#include <QUrlQuery>

namespace {

const QColor Yellow(0xFF, 0xFF, 0x00);
const QColor White(0xFF, 0xFF, 0xFF);
const QColor ChampionsLeague(0x97, 0xDE, 0xFF);

class Commands : public WindowFixture
{
protected:
    QColor background(QWidget *w) const { return w->palette().color(QPalette::Button); }
    void hover(QWidget *w)
    {
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(w, &enter);
    }
    void moveOverBackground()
    {
        // The strip below the window's panels is bare background.
        QTest::mouseMove(window.get(), QPoint(window->width() - 3, window->height() - 3));
    }
    QListWidget *favouriteList() const { return widget<QListWidget>(QStringLiteral("List6")); }
    void chooseFavourite(const QString &team)
    {
        const QList<QListWidgetItem *> items = favouriteList()->findItems(team, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << team.toStdString();
        favouriteList()->scrollToItem(items[0]);
        const QRect where = favouriteList()->visualItemRect(items[0]);
        QTest::mouseClick(favouriteList()->viewport(), Qt::LeftButton, {}, where.center());
    }
    QString teamName(TeamNo team) const { return session->season().teamName(team); }

    const QColor navy{0x00, 0x00, 0x80};
    const QColor teal{0x00, 0x80, 0x80};
};

// A shortcut runs its command by the path of a click, and only when the
// command's button is enabled: "Valider" with nothing typed stays still, and
// the update asks about typed results as its button does.
TEST_F(Commands, ShortcutsRunTheirCommandsLikeAClick)
{
    struct Row
    {
        const char *name;
        QKeyCombination keys;
        bool typed; // a score typed and not saved when the key is pressed
        std::optional<Command> ran;
    };
    const Row rows[] = {
        {"Ctrl+S with nothing typed", Qt::CTRL | Qt::Key_S, false, std::nullopt},
        {"Ctrl+S saves what is typed", Qt::CTRL | Qt::Key_S, true, Command::Save},
        {"Ctrl+P prints", Qt::CTRL | Qt::Key_P, false, Command::Print},
        {"F5 updates, asking first about typed results", Qt::Key_F5, true, Command::Update},
    };
    keepResultsUpTo(17);
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        start();
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        window->matchDay().showMatchDay(18);
        if (row.typed) {
            typeInto("R1", 0, QStringLiteral("2"));
            typeInto("R2", 0, QStringLiteral("1"));
        } else {
            window->setFocus();
        }
        prompt.questions.clear();
        QSignalSpy ran(&window->buttons(), &CommandButtons::clicked);
        QWidget *focus = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
        QTest::keyClick(focus, row.keys.key(), row.keys.keyboardModifiers());
        EXPECT_EQ(ran.size(), row.ran ? 1 : 0);
        if (row.ran && !ran.isEmpty()) {
            EXPECT_EQ(ran[0][0].value<Command>(), *row.ran);
        }
        if (row.ran == Command::Save) {
            EXPECT_EQ(stored(QStringLiteral("1800")), QStringLiteral("H|||2|1|||I"));
        }
        if (row.ran == Command::Update) {
            EXPECT_EQ(prompt.questions.size(), 1) << prompt.questions.join(u'|').toStdString();
        }
    }
    // The buttons show their actions' captions, the program's own texts.
    EXPECT_EQ(button(Command::ReachableRanks)->text(), QStringLiteral("Classement Possible !!!"));
    EXPECT_EQ(button(Command::Adjustments)->text(), QStringLiteral("Bonus - Malus"));
}

TEST_F(Commands, EveryCommandClosesTheNewsAndTheConfiguration)
{
    start();
    ASSERT_TRUE(widget(QStringLiteral("Frame5"))->isVisible()); // the bundled store has news
    click(Command::Configuration);
    QWidget *config = widget(QStringLiteral("FraCon"));
    EXPECT_TRUE(config->isVisible());
    EXPECT_FALSE(widget(QStringLiteral("Frame5"))->isVisible());
    EXPECT_TRUE(indexed(QStringLiteral("Label27"))[0]->isVisible());
    click(Command::Configuration);
    EXPECT_FALSE(config->isVisible()); // the same button closes it

    click(Command::Configuration);
    click(Command::GeneralStandings);
    EXPECT_FALSE(config->isVisible()); // any other button closes it too
}

TEST_F(Commands, AboutBoxShowsTheVersionAndClosesWithAnyOtherCommand)
{
    start();
    click(Command::About);
    QWidget *about = widget(QStringLiteral("FraAP"));
    ASSERT_TRUE(about->isVisible());
    EXPECT_EQ(text(QStringLiteral("Label24"), 6), QStringLiteral("Version: 1.3.0"));
    EXPECT_EQ(text(QStringLiteral("Label24"), 0), QStringLiteral("Championnat de Kestrane 1."));
    click(Command::About);
    EXPECT_FALSE(about->isVisible());
    click(Command::About);
    click(Command::CloseAbout);
    EXPECT_FALSE(about->isVisible());
    click(Command::About);
    click(Command::GeneralStandings);
    EXPECT_FALSE(about->isVisible());
}

TEST_F(Commands, ChoosingAFavouriteWritesItAndPaintsItsRowYellow)
{
    start();
    click(Command::Configuration);
    ASSERT_EQ(favouriteList()->count(), 21);
    EXPECT_EQ(favouriteList()->item(0)->text(), QStringLiteral("Aucune"));
    const QString team = teamName(3);
    chooseFavourite(team);
    EXPECT_EQ(settings->read(QStringLiteral("Data"), QStringLiteral("EP")), team);
    EXPECT_EQ(session->state().favouriteTeam(), team);
    EXPECT_EQ(text(QStringLiteral("LabEQPref")), team);
    EXPECT_TRUE(widget<QCheckBox>(QStringLiteral("Check5"))->isChecked());
    EXPECT_FALSE(widget<QLabel>(QStringLiteral("Image9"))->pixmap().isNull());
    for (QLabel *name : indexed<QLabel>(QStringLiteral("Tclass"))) {
        if (name->text() == team) {
            EXPECT_EQ(name->palette().color(QPalette::Window), QColor(0xFF, 0xFF, 0x00));
        }
    }

    // Opening the panel again keeps one "Aucune" and the twenty teams.
    click(Command::CloseConfiguration);
    click(Command::Configuration);
    EXPECT_EQ(favouriteList()->count(), 21);
    chooseFavourite(QStringLiteral("Aucune"));
    EXPECT_FALSE(widget<QCheckBox>(QStringLiteral("Check5"))->isChecked());
    EXPECT_TRUE(widget<QLabel>(QStringLiteral("Image9"))->pixmap().isNull());
    EXPECT_EQ(settings->read(QStringLiteral("Data"), QStringLiteral("EP")), QStringLiteral("Aucune"));
}

TEST_F(Commands, AdjustmentsListShowsSignsAndIsEmptyWithoutAny)
{
    start();
    click(Command::Adjustments);
    auto *list = widget<QListWidget>(QStringLiteral("List8"));
    ASSERT_TRUE(list->isVisible());
    ASSERT_EQ(list->count(), 2); // the bundled store: D=-3 and K=-1
    EXPECT_EQ(list->item(0)->text(), teamName(3) + QStringLiteral(": [ -3 ]"));
    EXPECT_EQ(list->item(1)->text(), teamName(10) + QStringLiteral(": [ -1 ]"));
    // Its title stands above its lines.
    auto *title = list->findChild<QLabel *>(QStringLiteral("LabListTitle"));
    ASSERT_NE(title, nullptr);
    EXPECT_TRUE(title->isVisible());
    EXPECT_EQ(title->text(), QStringLiteral("Bonus - Malus"));
    EXPECT_LE(title->geometry().bottom(), list->viewport()->geometry().top());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    EXPECT_FALSE(list->isVisible()); // a click in the list closes it
    // Below its last line too.
    click(Command::Adjustments);
    ASSERT_TRUE(list->isVisible());
    const QPoint below = list->visualItemRect(list->item(1)).bottomLeft() + QPoint(10, 20);
    ASSERT_EQ(list->itemAt(below), nullptr);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, below);
    EXPECT_FALSE(list->isVisible());

    folder.write(QStringLiteral("Resultats2013.ini"), "[BonMal]\r\nB=2\r\n");
    setStoreAge(clock.now().addDays(-1));
    start();
    click(Command::Adjustments);
    list = widget<QListWidget>(QStringLiteral("List8"));
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), teamName(1) + QStringLiteral(": [ +2 ]"));
    click(Command::Adjustments);
    EXPECT_FALSE(list->isVisible());

    folder.write(QStringLiteral("Resultats2013.ini"), "[BonMal]\r\nB=0\r\n");
    setStoreAge(clock.now().addDays(-1));
    start();
    click(Command::Adjustments);
    EXPECT_EQ(widget<QListWidget>(QStringLiteral("List8"))->count(), 0);
}

TEST_F(Commands, HoverPaintsTheButtonTealAndTheOthersNavy)
{
    start();
    hover(button(Command::GeneralStandings));
    EXPECT_EQ(background(button(Command::GeneralStandings)), teal);
    EXPECT_EQ(background(button(Command::PickMatchDay)), navy);
    hover(button(Command::PickMatchDay));
    EXPECT_EQ(background(button(Command::GeneralStandings)), navy);
    EXPECT_EQ(background(button(Command::PickMatchDay)), teal);
    moveOverBackground();
    EXPECT_EQ(background(button(Command::PickMatchDay)), navy);

    // The free space of each of these panels calms the buttons down as the
    // window's background does.
    const std::pair<const char *, Command> panels[] = {
        {"FraCon", Command::Configuration},     {"FraDon", Command::Donors},    {"FraPlus", Command::Highlights},
        {"FraPlanning", Command::OpenTeamCard}, {"Frame4", Command::OpenGraph}, {"Frame6", Command::OpenSending}};
    for (const auto &[name, command] : panels) {
        window->runCommand(command);
        QWidget *panel = widget(QLatin1String(name));
        ASSERT_TRUE(panel->isVisible()) << name;
        QPoint free(-1, -1);
        for (int y = 4; y < panel->height() && free.x() < 0; y += 4) {
            for (int x = 4; x < panel->width() && free.x() < 0; x += 4) {
                if (window->childAt(panel->mapTo(window.get(), QPoint(x, y))) == panel)
                    free = QPoint(x, y);
            }
        }
        ASSERT_GE(free.x(), 0) << name;
        moveOverBackground(); // a move to where the pointer already is would not count
        hover(button(Command::GeneralStandings));
        ASSERT_EQ(background(button(Command::GeneralStandings)), teal);
        QTest::mouseMove(panel, free);
        EXPECT_EQ(background(button(Command::GeneralStandings)), navy) << name;
    }

    // For a minute after an update the update button rests in grey, its
    // caption dark to stay readable on it.
    session->state().setLastUpdate(clock.now().addSecs(-30));
    hover(button(Command::GeneralStandings));
    const QColor grey(0xC8, 0xC8, 0xC8);
    EXPECT_EQ(background(button(Command::Update)), grey);
    EXPECT_GE(contrastRatio(button(Command::Update)->palette().color(QPalette::ButtonText), grey), 4.5);
    session->state().setLastUpdate(clock.now().addSecs(-61));
    hover(button(Command::GeneralStandings));
    EXPECT_EQ(background(button(Command::Update)), navy);
    EXPECT_EQ(button(Command::Update)->palette().color(QPalette::ButtonText), QColor(Qt::white));
}

TEST_F(Commands, TrackingMarkersLeaveWhenThePointerReachesTheBackground)
{
    settings->write(QStringLiteral("Data"), QStringLiteral("C6"), QStringLiteral("1"));
    start();
    QLabel *cell = widget<QLabel>(QStringLiteral("TPTS"), 5);
    QTest::mouseMove(cell, QPoint(3, 3));
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(cell, &enter);
    QList<QWidget *> markers = indexed(QStringLiteral("FraLIM"));
    ASSERT_EQ(markers.size(), 4);
    EXPECT_TRUE(markers[2]->isVisibleTo(window.get()));
    moveOverBackground();
    for (QWidget *marker : markers)
        EXPECT_FALSE(marker->isVisibleTo(window.get()));
}

TEST_F(Commands, SortButtonsReorderTheTableAndPaintTheirColumn)
{
    start();
    click(Command::Classifications); // the classification buttons
    ASSERT_TRUE(widget(QStringLiteral("Frame8"))->isVisible());
    // They are the only way into the sorts: every caption shows whole.
    for (Command command :
         {Command::SortBestDefence, Command::SortBestAttack, Command::SortFairPlay, Command::SortGoalAverage,
          Command::SortMostWins, Command::SortMostLosses, Command::SortMostDraws, Command::CloseClassifications}) {
        QPushButton *sort = button(command);
        EXPECT_EQ(sort->text(), commands::caption(command));
        EXPECT_TRUE(fittedtext::fits(sort, sort->font(), sort->text())) << commands::indexOf(command);
    }
    click(Command::SortBestDefence);
    EXPECT_EQ(text(QStringLiteral("Label12")), QStringLiteral("Minimum de buts encaissés"));
    const QStringList against = column(QStringLiteral("TBC"));
    for (int i = 1; i < TeamCount; ++i)
        EXPECT_LE(against[i - 1].toInt(), against[i].toInt());
    EXPECT_EQ(cellColour(QStringLiteral("TBC"), 7), Yellow);
    EXPECT_EQ(cellColour(QStringLiteral("TBP"), 7), QColor(0xC0, 0xFF, 0xC0));
    EXPECT_EQ(text(QStringLiteral("Label9")), text(QStringLiteral("Tclass"), 0)); // the name alone
    // No qualification colours on a sorted table.
    EXPECT_EQ(cellColour(QStringLiteral("Tclass"), 0), White);

    click(Command::SortBestAttack);
    EXPECT_EQ(cellColour(QStringLiteral("TBC"), 7), QColor(0xFF, 0xE0, 0xC0)); // back to its own colour
    EXPECT_EQ(cellColour(QStringLiteral("TBP"), 7), Yellow);
    click(Command::CloseClassifications); // "Fermer": the ranking comes back
    EXPECT_FALSE(widget(QStringLiteral("Frame8"))->isVisible());
    EXPECT_TRUE(text(QStringLiteral("Label12")).isEmpty());
    EXPECT_EQ(cellColour(QStringLiteral("Tclass"), 0), ChampionsLeague);
}

TEST_F(Commands, ReachableRanksStayOnThroughAPickerClick)
{
    clock.set(QDateTime(QDate(2013, 10, 20), QTime(12, 0))); // 11 match days due
    start();
    click(Command::PickMatchDay);
    click(Command::ReachableRanks);
    ASSERT_TRUE(overlayShown());
    ASSERT_NE(pickerNumber(5), nullptr); // the overlay command keeps the picker
    QTest::mouseClick(pickerNumber(5), Qt::LeftButton);
    EXPECT_TRUE(overlayShown());
    EXPECT_EQ(text(QStringLiteral("Label12")), QStringLiteral("Classement à la Journée N°5"));
    // Counted on the table of match day 5: five matches played, everyone can still be first.
    EXPECT_EQ(text(QStringLiteral("TpoT"), 19), QStringLiteral("1"));
}

} // namespace
