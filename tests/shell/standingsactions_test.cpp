// The standings commands of the window: sorts by one statistic, the best
// reachable ranks, the table at a match day with its movement marks, and the
// team row click with and without the lock.
#include "windowfixture.h"

#include "seasonbuilder.h"
#include "shared/ui/fittedtext.h"
#include "shell/ui/command.h"
#include "standings/core/standingsengine.h"
#include "standings/ui/standingstable.h"

#include <QCheckBox>

namespace {

const QColor Yellow(0xFF, 0xFF, 0x00);
const QColor LightGreen(0x80, 0xFF, 0x80);
const QColor LightYellow(0xFF, 0xFF, 0x80);
const QColor White(0xFF, 0xFF, 0xFF);
const QColor ChampionsLeague(0x97, 0xDE, 0xFF);

class StandingsActions : public WindowFixture
{
protected:
    QStringList column(const QString &name) const
    {
        QStringList texts;
        for (QLabel *cell : indexed<QLabel>(name))
            texts << cell->text();
        return texts;
    }
    QColor cellColour(const QString &name, int row) const
    {
        return widget<QLabel>(name, row)->palette().color(QPalette::Window);
    }
    void clickCell(const QString &name, int row) { QTest::mouseClick(widget(name, row), Qt::LeftButton); }
    QLabel *pickerNumber(int day) const
    {
        QLabel *number = widget<QLabel>(QStringLiteral("Label10"), day);
        return number && number->isVisible() ? number : nullptr;
    }
    bool overlayShown() const
    {
        QWidget *title = widget(QStringLiteral("LabPosPoss"));
        return title && title->isVisible();
    }
};

// A small season of the test league where, after match day 9, Charlie is
// third behind Bravo and Alpha (level on points, Bravo's name ranking it
// first), and first after match day 10.
class ChosenSeason : public StandingsActions
{
protected:
    void SetUp() override
    {
        StandingsActions::SetUp();
        folder.write(QStringLiteral("2013.txt"), builder.seasonFile());
        ResultsBuilder results;
        int alpha = 0, bravo = 0, charlie = 0;
        for (MatchDayNo day = 1; day <= 9; ++day) {
            alpha += win(results, 'A', day, alpha < 3);
            bravo += win(results, 'B', day, bravo < 3);
            charlie += win(results, 'C', day, charlie < 2);
        }
        ASSERT_EQ(alpha, 3);
        ASSERT_EQ(bravo, 3);
        ASSERT_EQ(charlie, 2);
        // Level with both on everything: Charlie's name puts it first.
        ASSERT_EQ(win(results, 'C', 10, true), 1);
        folder.write(QStringLiteral("Resultats2013.ini"), results.bytes());
        setStoreAge(clock.now().addDays(-1));
    }

    // A win of `team` on `day` by `margin` goals, unless its opponent is one
    // of the three leaders (that would move them too).
    int win(ResultsBuilder &results, QChar team, MatchDayNo day, bool wanted, int margin = 1)
    {
        if (!wanted)
            return 0;
        for (const QString &code : builder.codes(day)) {
            if (!code.contains(team))
                continue;
            const QChar other = code[0] == team ? code[1] : code[0];
            if (QStringLiteral("ABC").contains(other))
                return 0;
            const QString key = builder.keyOf(code[0], code[1]);
            const QString goals = QString::number(margin);
            if (code[0] == team)
                results.result(key, code[0], goals, QStringLiteral("0"), code[1]);
            else
                results.result(key, code[0], QStringLiteral("0"), goals, code[1]);
            return 1;
        }
        return 0;
    }

    SeasonBuilder builder;
};

TEST_F(StandingsActions, SortButtonsReorderTheTableAndPaintTheirColumn)
{
    start();
    click(Command::Classifications); // the classification buttons
    ASSERT_TRUE(widget(QStringLiteral("Frame8"))->isVisible());
    // They are the only way into the sorts: every caption shows whole.
    for (Command command : {Command::SortBestDefence, Command::SortBestAttack, Command::SortFairPlay,
                            Command::SortGoalAverage, Command::SortMostWins, Command::SortMostLosses,
                            Command::SortMostDraws, Command::CloseClassifications}) {
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

TEST_F(StandingsActions, ReachableRanksToggleAndRestoreTheRankingAfterASort)
{
    clock.set(QDateTime(QDate(2014, 6, 1), QTime(12, 0))); // the season is over
    start();
    click(Command::Classifications);
    click(Command::SortBestDefence); // best defence
    const QString sortedLeader = text(QStringLiteral("Tclass"), 0);
    click(Command::ReachableRanks);
    ASSERT_TRUE(overlayShown());
    EXPECT_EQ(text(QStringLiteral("LabPosPoss")), QStringLiteral("Classement  encore accessible"));
    EXPECT_TRUE(text(QStringLiteral("Label12")).isEmpty()); // the full ranking is back
    const DisplayedStandings &shown = session->standings().displayed();
    EXPECT_EQ(text(QStringLiteral("Tclass"), 0), shown.rows[0].data.name);
    EXPECT_NE(text(QStringLiteral("Tclass"), 0), sortedLeader);
    // At the end of the season each team can only keep its rank.
    for (int i = 0; i < TeamCount; ++i)
        EXPECT_EQ(text(QStringLiteral("TpoT"), i), QString::number(i + 1));
    EXPECT_EQ(cellColour(QStringLiteral("TpoT"), 0), ChampionsLeague);
    EXPECT_EQ(cellColour(QStringLiteral("TpoT"), 19), QColor(0xFF, 0x80, 0x80));
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_EQ(prompt.messages[0],
              QStringLiteral("Félicitations !!!\n") + shown.rows[0].data.name
                  + QStringLiteral(" est champion de Kestrane 1 2014 !!!"));

    click(Command::ReachableRanks);
    EXPECT_FALSE(overlayShown());
    click(Command::ReachableRanks);
    EXPECT_TRUE(overlayShown());
    click(Command::GeneralStandings); // any new ranking takes the overlay away
    EXPECT_FALSE(overlayShown());
}

TEST_F(ChosenSeason, PickerShowsTheTableAtAMatchDayWithItsMovements)
{
    clock.set(QDateTime(QDate(2013, 10, 20), QTime(12, 0))); // 11 match days due
    start();
    click(Command::PickMatchDay);
    ASSERT_NE(pickerNumber(38), nullptr);
    EXPECT_EQ(pickerNumber(11)->palette().color(QPalette::WindowText), QColor(0x00, 0xC0, 0x00));
    EXPECT_EQ(pickerNumber(12)->palette().color(QPalette::WindowText), Yellow);
    // The numbers read apart: at least a digit's width between the digits of
    // two neighbours, 10 to 38 included.
    for (int day = 1; day < 38; ++day) {
        QLabel *left = pickerNumber(day), *right = pickerNumber(day + 1);
        const QFontMetrics leftMetrics(left->font(), left), rightMetrics(right->font(), right);
        const int leftEnd = left->x() + (left->width() + leftMetrics.horizontalAdvance(left->text())) / 2;
        const int rightStart = right->x() + (right->width() - rightMetrics.horizontalAdvance(right->text())) / 2;
        EXPECT_GE(rightStart - leftEnd, leftMetrics.horizontalAdvance(QLatin1Char('0'))) << day;
    }

    QTest::mouseClick(pickerNumber(1), Qt::LeftButton);
    EXPECT_EQ(text(QStringLiteral("Label12")), QStringLiteral("Classement à la Journée N°1"));
    for (QLabel *icon : indexed<QLabel>(QStringLiteral("ImEvol")))
        EXPECT_TRUE(icon->pixmap().isNull());
    EXPECT_TRUE(widget(QStringLiteral("Frame8"))->isVisible());

    QTest::mouseClick(pickerNumber(9), Qt::LeftButton);
    EXPECT_EQ(text(QStringLiteral("Tclass"), 2), QStringLiteral("Charlie"));
    const QStringList afterNine = column(QStringLiteral("Tclass"));
    QTest::mouseClick(pickerNumber(10), Qt::LeftButton);
    EXPECT_EQ(text(QStringLiteral("Tclass"), 0), QStringLiteral("Charlie"));
    EXPECT_EQ(text(QStringLiteral("Label12")), QStringLiteral("Classement à la Journée N°10"));
    QLabel *up = widget<QLabel>(QStringLiteral("ImEvol"), 0);
    EXPECT_FALSE(up->pixmap().isNull());
    EXPECT_EQ(up->toolTip(), QStringLiteral("+2"));
    EXPECT_EQ(widget<QLabel>(QStringLiteral("ImEvol"), 1)->toolTip(), QStringLiteral("-1"));
    const QStringList afterTen = column(QStringLiteral("Tclass"));
    int unchanged = 0;
    for (int row = 0; row < TeamCount; ++row) {
        if (afterNine[row] == afterTen[row]) {
            EXPECT_EQ(widget<QLabel>(QStringLiteral("ImEvol"), row)->toolTip(), QStringLiteral("=")) << row;
            ++unchanged;
        }
    }
    EXPECT_GT(unchanged, 0);

    // Another command hides the picker and removes its numbers.
    click(Command::GeneralStandings);
    EXPECT_EQ(pickerNumber(1), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(indexed(QStringLiteral("Label10")).size(), 1);
}

TEST_F(ChosenSeason, ReachableRanksStayOnThroughAPickerClick)
{
    clock.set(QDateTime(QDate(2013, 10, 20), QTime(12, 0)));
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

TEST_F(ChosenSeason, SortAfterAMatchDayRankingUsesThatDaysNumbers)
{
    clock.set(QDateTime(QDate(2013, 10, 20), QTime(12, 0)));
    start();
    click(Command::PickMatchDay);
    QTest::mouseClick(pickerNumber(9), Qt::LeftButton);
    click(Command::SortBestAttack);
    // After match day 9 Charlie has scored 2 goals, not the 7 of the whole season.
    const int charlie = column(QStringLiteral("Tclass")).indexOf(QStringLiteral("Charlie"));
    ASSERT_GE(charlie, 0);
    EXPECT_EQ(text(QStringLiteral("TBP"), charlie), QStringLiteral("2"));
    EXPECT_EQ(text(QStringLiteral("Label12")), QStringLiteral("Maximum de buts marqués"));
}

TEST_F(StandingsActions, RowClickSelectsTheTeamAndTheLockMarksASecond)
{
    start();
    ASSERT_FALSE(widget(QStringLiteral("Check2"))->isVisible());
    clickCell(QStringLiteral("Tclass"), 6);
    const QString first = text(QStringLiteral("Tclass"), 6);
    EXPECT_EQ(session->state().cardRequest(), first);
    EXPECT_TRUE(widget(QStringLiteral("Check2"))->isVisible());
    EXPECT_EQ(cellColour(QStringLiteral("Tclass"), 6), LightGreen);
    EXPECT_EQ(cellColour(QStringLiteral("Tclass"), 5), White);
    EXPECT_EQ(cellColour(QStringLiteral("Tclass"), 0), ChampionsLeague); // zones painted again
    EXPECT_EQ(text(QStringLiteral("Label1")), QStringLiteral(" Kestrane 1 (2013 - 2014) ") + first
                                                   + QStringLiteral(" N°7"));

    // The leader's row: green, then its zone colour again.
    clickCell(QStringLiteral("Tclass"), 0);
    EXPECT_EQ(cellColour(QStringLiteral("Tclass"), 0), ChampionsLeague);

    clickCell(QStringLiteral("Tclass"), 6);
    widget<QCheckBox>(QStringLiteral("Check2"))->setChecked(true);
    clickCell(QStringLiteral("Tclass"), 9);
    EXPECT_EQ(cellColour(QStringLiteral("Tclass"), 9), LightYellow);
    EXPECT_EQ(cellColour(QStringLiteral("Tclass"), 6), LightGreen); // the first team stays marked
    EXPECT_EQ(text(QStringLiteral("Label1")), QStringLiteral(" Kestrane 1 (2013 - 2014) ") + first
                                                   + QStringLiteral(" N°7"));
    EXPECT_EQ(session->state().cardRequest(), text(QStringLiteral("Tclass"), 9));
}

TEST_F(StandingsActions, RankLabelOpensTheCardOnItsTeam)
{
    start();
    clickCell(QStringLiteral("LabClass"), 4);
    EXPECT_EQ(session->state().cardRequest(), text(QStringLiteral("Tclass"), 4));
}

} // namespace
