// The standings alone: sorts by one statistic, the best reachable ranks, the
// table at a match day with its movement marks, and the team row click with
// and without the lock, with fakes for the match days, the team panels and
// the commands.
#include "featurefixture.h"

#include "seasonbuilder.h"
#include "shell/ui/pictures.h"
#include "shell/ui/standingscontroller.h"
#include "standings/core/standingsengine.h"
#include "standings/ui/standingstable.h"

#include <QCheckBox>
#include <QSignalSpy>

namespace {

const QColor Yellow(0xFF, 0xFF, 0x00);
const QColor LightGreen(0x80, 0xFF, 0x80);
const QColor LightYellow(0xFF, 0xFF, 0x80);
const QColor White(0xFF, 0xFF, 0xFF);
const QColor ChampionsLeague(0x97, 0xDE, 0xFF);

class StandingsControllerTest : public FeatureFixture
{
protected:
    // The controller on the fixture's folder, the ranking of the season on
    // display, as start-up leaves it.
    StandingsController &build()
    {
        openSession();
        session->refreshDueMatchDays();
        pictures = std::make_unique<Pictures>(folder.path());
        // The side column's command, beside which the exact calculation's box stands.
        buttons.create(Command::ReachableRanks, &host)->setGeometry(windowareas::FirstCommand);
        controller = std::make_unique<StandingsController>(
            StandingsController::Needs{*session, prompt, *pictures, buttons, commands, matchDay, teams, host});
        controller->computeStandings();
        host.show();
        return *controller;
    }
    std::unique_ptr<Pictures> pictures;
    std::unique_ptr<StandingsController> controller;
};

// A small season of the test league where, after match day 9, Charlie is
// third behind Bravo and Alpha (level on points, Bravo's name ranking it
// first), and first after match day 10.
class ChosenSeason : public StandingsControllerTest
{
protected:
    void SetUp() override
    {
        StandingsControllerTest::SetUp();
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

} // namespace

TEST_F(StandingsControllerTest, ReachableRanksToggleAndRestoreTheRankingAfterASort)
{
    clock.set(QDateTime(QDate(2014, 6, 1), QTime(12, 0))); // the season is over
    build();
    controller->sortByCriterion(QStringLiteral("BC")); // best defence
    const QString sortedLeader = text(QStringLiteral("Tclass"), 0);
    controller->showReachableRanks();
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
    EXPECT_EQ(prompt.messages[0], QStringLiteral("Félicitations !!!\n") + shown.rows[0].data.name
                                      + QStringLiteral(" est champion de Kestrane 1 2014 !!!"));

    controller->showReachableRanks();
    EXPECT_FALSE(overlayShown());
    controller->showReachableRanks();
    EXPECT_TRUE(overlayShown());
    controller->computeStandings(); // any new ranking takes the overlay away
    EXPECT_FALSE(overlayShown());
}

TEST_F(ChosenSeason, PickerShowsTheTableAtAMatchDayWithItsMovements)
{
    clock.set(QDateTime(QDate(2013, 10, 20), QTime(12, 0))); // 11 match days due
    build();
    QSignalSpy opening(controller.get(), &StandingsController::pickerOpening);
    controller->showMatchDayPicker();
    EXPECT_EQ(opening.count(), 1); // the panels it would cover close
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
    EXPECT_EQ(matchDay.matchDays, QList<MatchDayNo>{1}); // the grid follows
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
    controller->hideMatchDayPicker();
    EXPECT_EQ(pickerNumber(1), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(indexed(QStringLiteral("Label10")).size(), 1);
}

TEST_F(ChosenSeason, SortAfterAMatchDayRankingUsesThatDaysNumbers)
{
    clock.set(QDateTime(QDate(2013, 10, 20), QTime(12, 0)));
    build();
    controller->showMatchDayPicker();
    QTest::mouseClick(pickerNumber(9), Qt::LeftButton);
    controller->sortByCriterion(QStringLiteral("BP"));
    // After match day 9 Charlie has scored 2 goals, not the 7 of the whole season.
    const int charlie = column(QStringLiteral("Tclass")).indexOf(QStringLiteral("Charlie"));
    ASSERT_GE(charlie, 0);
    EXPECT_EQ(text(QStringLiteral("TBP"), charlie), QStringLiteral("2"));
    EXPECT_EQ(text(QStringLiteral("Label12")), QStringLiteral("Maximum de buts marqués"));
}

TEST_F(StandingsControllerTest, RowClickSelectsTheTeamAndTheLockMarksASecond)
{
    build();
    ASSERT_FALSE(widget(QStringLiteral("Check2"))->isVisible());
    clickCell(QStringLiteral("Tclass"), 6);
    const QString first = text(QStringLiteral("Tclass"), 6);
    EXPECT_EQ(session->state().cardRequest(), first);
    EXPECT_TRUE(widget(QStringLiteral("Check2"))->isVisible());
    EXPECT_EQ(cellColour(QStringLiteral("Tclass"), 6), LightGreen);
    EXPECT_EQ(cellColour(QStringLiteral("Tclass"), 5), White);
    EXPECT_EQ(cellColour(QStringLiteral("Tclass"), 0), ChampionsLeague); // zones painted again
    EXPECT_EQ(matchDay.teamSeasons, QStringList{first});
    EXPECT_EQ(matchDay.header, QStringLiteral(" Kestrane 1 (2013 - 2014) ") + first + QStringLiteral(" N°7"));

    // The leader's row: green, then its zone colour again.
    clickCell(QStringLiteral("Tclass"), 0);
    EXPECT_EQ(cellColour(QStringLiteral("Tclass"), 0), ChampionsLeague);

    clickCell(QStringLiteral("Tclass"), 6);
    widget<QCheckBox>(QStringLiteral("Check2"))->setChecked(true);
    clickCell(QStringLiteral("Tclass"), 9);
    EXPECT_EQ(cellColour(QStringLiteral("Tclass"), 9), LightYellow);
    EXPECT_EQ(cellColour(QStringLiteral("Tclass"), 6), LightGreen); // the first team stays marked
    EXPECT_EQ(matchDay.secondTeams, QStringList{text(QStringLiteral("Tclass"), 9)});
    EXPECT_EQ(matchDay.teamSeasons.size(), 3); // the second team leaves the grid as it was
    EXPECT_EQ(session->state().cardRequest(), text(QStringLiteral("Tclass"), 9));
}

TEST_F(StandingsControllerTest, RankLabelOpensTheCardOnItsTeam)
{
    build();
    clickCell(QStringLiteral("LabClass"), 4);
    EXPECT_EQ(session->state().cardRequest(), text(QStringLiteral("Tclass"), 4));
    EXPECT_EQ(commands.ran, QList<Command>{Command::OpenTeamCard});
}
