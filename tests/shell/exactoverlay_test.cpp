// The "Calcul exact" choice beside the reachable-rank overlay: exact final
// rank ranges solved off the window's thread, the champion announced only
// when the title is clinched exactly; and the rank labels telling which
// criterion separates each row from its neighbours.
#include "windowfixture.h"

#include "seasonbuilder.h"
#include "standings/core/outlook.h"
#include "standings/core/outlookrunner.h"
#include "standings/core/rankexplanation.h"

#include <QCheckBox>

#include <vector>

namespace {

const QColor ChampionsLeague(0x97, 0xDE, 0xFF);
const QColor Europa(0xFF, 0xF0, 0x52);
const QString Pending = QStringLiteral("Calcul\u2026");
const QString Champion = QStringLiteral("Félicitations !!!\n%1 est champion de Kestrane 1 2014 !!!");

// A team that wins its first `wins` games of match days 1..36 against teams
// outside the plan, by `margin` goals to none.
struct Winner
{
    QChar team;
    int wins = 0;
    int margin = 1;
};

class ExactOverlayWindow : public WindowFixture
{
protected:
    // The season built by the test league, the clock just before match day 37.
    void SetUp() override
    {
        WindowFixture::SetUp();
        clock.set(QDateTime(QDate(2014, 4, 17), QTime(20, 0)));
        folder.write(QStringLiteral("2013.txt"), builder.seasonFile());
        // The two teams that meet on the last match day.
        contender = builder.codes(38)[0][0];
        rival = builder.codes(38)[0][1];
    }

    // Match days 1..36 played, every game 0-0 but the planned wins; the games
    // of `postponed` on match days 35 and 36 without a score. Returns the
    // builder so that a test can add more.
    ResultsBuilder season(const std::vector<Winner> &plan, QChar postponed = QChar())
    {
        ResultsBuilder results;
        std::vector<int> won(plan.size(), 0);
        const auto planned = [&plan](QChar team) {
            for (const Winner &w : plan) {
                if (w.team == team)
                    return true;
            }
            return false;
        };
        for (MatchDayNo day = 1; day <= 36; ++day) {
            const QStringList codes = builder.codes(day);
            for (int i = 0; i < codes.size(); ++i) {
                const QChar home = codes[i][0];
                const QChar away = codes[i][1];
                const QString key = Season::fixtureKey(day, i);
                if (day >= 35 && (home == postponed || away == postponed)) {
                    results.result(key, home, QStringLiteral("-"), QStringLiteral("-"), away);
                    continue;
                }
                QString homeGoals = QStringLiteral("0");
                QString awayGoals = QStringLiteral("0");
                for (std::size_t p = 0; p < plan.size(); ++p) {
                    const Winner &w = plan[p];
                    if (won[p] >= w.wins || (home != w.team && away != w.team))
                        continue;
                    if (planned(home == w.team ? away : home))
                        continue;
                    (home == w.team ? homeGoals : awayGoals) = QString::number(w.margin);
                    ++won[p];
                }
                results.result(key, home, homeGoals, awayGoals, away);
            }
        }
        for (std::size_t p = 0; p < plan.size(); ++p)
            EXPECT_EQ(won[p], plan[p].wins) << "wins of " << QString(plan[p].team).toStdString();
        return results;
    }
    void write(const ResultsBuilder &results)
    {
        folder.write(QStringLiteral("Resultats2013.ini"), results.bytes());
        setStoreAge(clock.now().addDays(-1));
    }

    QString name(QChar letter) const { return builder.names()[Season::teamNoOfLetter(letter)]; }
    int rowOf(const QString &team) const
    {
        for (int row = 0; row < TeamCount; ++row) {
            if (text(QStringLiteral("Tclass"), row) == team)
                return row;
        }
        ADD_FAILURE() << "no row for " << team.toStdString();
        return 0;
    }
    QLabel *cell(QChar letter) const { return widget<QLabel>(QStringLiteral("TpoT"), rowOf(name(letter))); }
    QCheckBox *exact() const { return widget<QCheckBox>(QStringLiteral("CheckExact")); }
    OutlookRunner *runner() const { return window->findChild<OutlookRunner *>(); }
    bool overlayShown() const
    {
        QWidget *title = widget(QStringLiteral("LabPosPoss"));
        return title && title->isVisible();
    }
    bool pending() const
    {
        for (QLabel *cell : indexed<QLabel>(QStringLiteral("TpoT"))) {
            if (cell->text() == Pending)
                return true;
        }
        return false;
    }
    // Until the worker has answered and the answer is drawn.
    void waitForRanges() const
    {
        ASSERT_TRUE(QTest::qWaitFor([this] { return !runner()->busy() && !pending(); }, 30000));
    }
    QColor colour(QLabel *label) const { return label->palette().color(QPalette::Window); }
    // The core's outlook of the table on display, to compare the cells with.
    SeasonOutlook expected(MatchDayNo upTo = 0) const
    {
        return computeOutlook(session->season(), session->store(), session->bonusMalus(), upTo);
    }
    void pickMatchDay(MatchDayNo day)
    {
        click(Command::PickMatchDay);
        QLabel *number = widget<QLabel>(QStringLiteral("Label10"), day);
        ASSERT_TRUE(number && number->isVisible());
        QTest::mouseClick(number, Qt::LeftButton);
    }

    SeasonBuilder builder;
    QChar contender;
    QChar rival;
};

// The two leaders on 60 meet on the last match day; a third team, two games
// in hand, can reach 60 too and has the better goal difference. The quick
// overlay, which weighs each team's wins to come against the others' current
// points, sends all three to first place; the exact answer knows one of
// the two leaders takes a point from their game, so the third can only be
// second.
class DifferingSeason : public ExactOverlayWindow
{
protected:
    void SetUp() override
    {
        ExactOverlayWindow::SetUp();
        // A team that meets neither leader in its two games in hand, so that
        // both leaders have played all their games up to match day 36.
        for (int team = 0; team < TeamCount && third.isNull(); ++team) {
            const QChar letter = Season::teamLetter(team);
            bool free = letter != contender && letter != rival;
            for (MatchDayNo day : {35, 36}) {
                for (const QString &code : builder.codes(day)) {
                    if (code.contains(letter) && (code.contains(contender) || code.contains(rival)))
                        free = false;
                }
            }
            if (free)
                third = letter;
        }
        write(season({{contender, 12}, {rival, 12}, {third, 7, 9}}, third));
    }
    QChar third;
};

TEST_F(DifferingSeason, TickedTheOverlayShowsTheExactRangesAfterTheWorker)
{
    start();
    ASSERT_NE(exact(), nullptr);
    EXPECT_FALSE(exact()->isChecked());
    // Unticked: the overlay as it always was.
    click(Command::ReachableRanks);
    ASSERT_TRUE(overlayShown());
    EXPECT_EQ(cell(contender)->text(), "1");
    EXPECT_EQ(cell(rival)->text(), "1");
    EXPECT_EQ(cell(third)->text(), "1");
    EXPECT_TRUE(cell(third)->toolTip().isEmpty());
    EXPECT_TRUE(prompt.messages.isEmpty());

    // Ticking redraws the overlay on show: first the short wait, then the ranges.
    QTest::mouseClick(exact(), Qt::LeftButton);
    ASSERT_TRUE(exact()->isChecked());
    EXPECT_TRUE(overlayShown());
    EXPECT_EQ(cell(third)->text(), Pending);
    waitForRanges();
    EXPECT_EQ(cell(contender)->text(), "1–3");
    EXPECT_EQ(cell(rival)->text(), "1–3");
    EXPECT_EQ(cell(third)->text(), "2–3");
    const SeasonOutlook outlook = expected();
    for (int row = 0; row < TeamCount; ++row) {
        QLabel *label = widget<QLabel>(QStringLiteral("TpoT"), row);
        EXPECT_EQ(label->text(), outlook.rows[row].rangeText) << row;
        EXPECT_EQ(label->toolTip(), outlook.rows[row].toolTip) << row;
        if (row >= 3) {
            EXPECT_EQ(colour(label), Europa) << row; // fourth at best
        }
    }
    EXPECT_TRUE(cell(third)->toolTip().contains("Le titre n'est plus possible"));
    EXPECT_TRUE(cell(third)->toolTip().contains("Qualification en Champions league assurée"));
    // Coloured as the name cell of the best rank is for its zone.
    EXPECT_EQ(colour(cell(third)), ChampionsLeague);
    EXPECT_EQ(colour(cell(contender)), ChampionsLeague);
    EXPECT_TRUE(prompt.messages.isEmpty());

    // Unticking gives the quick overlay back, tool tips gone.
    QTest::mouseClick(exact(), Qt::LeftButton);
    EXPECT_EQ(cell(third)->text(), "1");
    EXPECT_TRUE(cell(third)->toolTip().isEmpty());

    // Ticked again: the answer is kept, drawn at once.
    QTest::mouseClick(exact(), Qt::LeftButton);
    EXPECT_FALSE(runner()->busy());
    EXPECT_EQ(cell(third)->text(), "2–3");
}

TEST_F(DifferingSeason, TheButtonStillTogglesWhileTheRangesAreComputed)
{
    start();
    QTest::mouseClick(exact(), Qt::LeftButton);
    EXPECT_FALSE(overlayShown()); // ticking alone shows nothing
    click(Command::ReachableRanks);
    ASSERT_TRUE(overlayShown());
    EXPECT_TRUE(pending());
    click(Command::ReachableRanks);
    EXPECT_FALSE(overlayShown());
    // The answer arriving afterwards does not bring the overlay back.
    ASSERT_TRUE(QTest::qWaitFor([this] { return !runner()->busy(); }, 30000));
    QCoreApplication::processEvents();
    EXPECT_FALSE(overlayShown());
    click(Command::ReachableRanks);
    EXPECT_TRUE(overlayShown());
    // Kept if the worker had finished when the overlay went, solved again if
    // hiding the overlay stopped it.
    waitForRanges();
    EXPECT_EQ(cell(third)->text(), "2–3");
}

TEST_F(DifferingSeason, AnAnswerForATableNoLongerShownIsDropped)
{
    start();
    int dropped = 0;
    QObject::connect(runner(), &OutlookRunner::dropped, runner(), [&dropped] { ++dropped; });
    QTest::mouseClick(exact(), Qt::LeftButton);
    click(Command::ReachableRanks);
    ASSERT_TRUE(pending());
    // Before the worker's answer for the whole season can arrive, the table
    // changes to match day 30; the overlay stays on for the new table.
    pickMatchDay(30);
    ASSERT_TRUE(overlayShown());
    EXPECT_TRUE(pending());
    waitForRanges();
    EXPECT_EQ(dropped, 1);
    const SeasonOutlook atThirty = expected(30);
    for (int row = 0; row < TeamCount; ++row) {
        EXPECT_EQ(text(QStringLiteral("Tclass"), row), atThirty.rows[row].name) << row;
        EXPECT_EQ(text(QStringLiteral("TpoT"), row), atThirty.rows[row].rangeText) << row;
    }
    EXPECT_NE(cell(third)->text(), "2–3");

    // A new ranking takes the overlay away; an answer still on its way then
    // shows nothing.
    runner()->clearKept();
    click(Command::ReachableRanks);
    click(Command::ReachableRanks);
    ASSERT_TRUE(pending());
    click(Command::GeneralStandings);
    EXPECT_FALSE(overlayShown());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !runner()->busy(); }, 30000));
    QCoreApplication::processEvents();
    EXPECT_FALSE(overlayShown());
    EXPECT_TRUE(prompt.messages.isEmpty());
}

TEST_F(DifferingSeason, TheCheckBoxSitsBesideTheOverlaysButton)
{
    start();
    QPushButton *button = this->button(Command::ReachableRanks);
    ASSERT_TRUE(exact()->isVisible());
    EXPECT_EQ(exact()->text(), "Calcul exact");
    EXPECT_EQ(exact()->y(), button->y());
    EXPECT_LT(button->geometry().right(), exact()->x());
    EXPECT_LE(exact()->geometry().right(), 247);
    EXPECT_EQ(button->x(), 8);
    // Its neighbours in the column keep their full width.
    EXPECT_EQ(this->button(Command::PickMatchDay)->width(), 239);
}

// The leader 64 points with a far better goal difference than the second's
// 58, two match days before the end; then the leader wins match day 37 and
// the second loses.
class ChampionSeason : public ExactOverlayWindow
{
protected:
    void SetUp() override
    {
        ExactOverlayWindow::SetUp();
        ResultsBuilder results = season({{contender, 14, 3}, {rival, 11}});
        const QStringList day37 = builder.codes(37);
        for (int i = 0; i < day37.size(); ++i) {
            const QChar home = day37[i][0];
            const QChar away = day37[i][1];
            // The leader wins, the second loses, the rest is drawn.
            const bool homeWins = home == contender || away == rival;
            const bool awayWins = away == contender || home == rival;
            results.result(Season::fixtureKey(37, i), home, homeWins ? "1" : "0", awayWins ? "1" : "0", away);
        }
        write(results);
    }
};

TEST_F(ChampionSeason, TheChampionIsAnnouncedOnlyWhenTheTitleIsClinchedExactly)
{
    start();
    const QString leader = name(contender);
    ASSERT_EQ(text(QStringLiteral("Tclass"), 0), leader);
    QTest::mouseClick(exact(), Qt::LeftButton);

    // After match day 37 nobody can catch the leader any more.
    click(Command::ReachableRanks);
    EXPECT_TRUE(prompt.messages.isEmpty()); // not before the answer is in
    waitForRanges();
    EXPECT_EQ(cell(contender)->text(), "1");
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_EQ(prompt.messages[0], Champion.arg(leader));

    // After match day 36 the second can still draw level on points: the
    // quick rule, whose goal difference already separates them, would
    // announce the title; the exact answer does not.
    pickMatchDay(36);
    waitForRanges();
    EXPECT_EQ(text(QStringLiteral("Label12")), QStringLiteral("Classement à la Journée N°36"));
    EXPECT_EQ(cell(contender)->text(), "1–2");
    EXPECT_EQ(cell(rival)->text(), "1–2");
    EXPECT_EQ(prompt.messages.size(), 1);

    // Unticked, the quick overlay is drawn again, message included.
    QTest::mouseClick(exact(), Qt::LeftButton);
    EXPECT_EQ(cell(contender)->text(), "1");
    EXPECT_EQ(cell(rival)->text(), "2");
    ASSERT_EQ(prompt.messages.size(), 2);
    EXPECT_EQ(prompt.messages[1], Champion.arg(leader));
}

TEST_F(ExactOverlayWindow, ARangeOutOfTimeShowsItsBoundsMarkedWithTheReasonInItsToolTip)
{
    // The bundled season at match day 30 has questions left to search; with
    // no work allowed for them, their teams get bounds.
    folder.write(QStringLiteral("2013.txt"), sample(QStringLiteral("2013.txt")));
    folder.write(QStringLiteral("Resultats2013.ini"), sample(QStringLiteral("Resultats2013.ini")));
    setStoreAge(clock.now().addDays(-1));
    start();
    const OutlookSolveOptions noTime{.workLimit = 0};
    runner()->setSolveOptions(noTime);
    QTest::mouseClick(exact(), Qt::LeftButton);
    pickMatchDay(30);
    click(Command::ReachableRanks);
    waitForRanges();
    const SeasonOutlook rushed = computeOutlook(session->season(), session->store(), session->bonusMalus(), 30, noTime);
    ASSERT_FALSE(rushed.final());
    int marked = 0;
    for (int row = 0; row < TeamCount; ++row) {
        QLabel *label = widget<QLabel>(QStringLiteral("TpoT"), row);
        EXPECT_EQ(label->text(), rushed.rows[row].rangeText) << row;
        EXPECT_EQ(label->toolTip(), rushed.rows[row].toolTip) << row;
        if (label->text().endsWith(QLatin1Char('*'))) {
            ++marked;
            EXPECT_TRUE(label->toolTip().contains(
                QStringLiteral("Calcul arrêté : la recherche a atteint sa limite de travail")))
                << row;
        }
    }
    EXPECT_GT(marked, 0);
}

// Rank labels: the criterion between each row and its neighbours.
class RankToolTips : public ExactOverlayWindow
{
protected:
    QString key(char home, char away) const { return builder.keyOf(QChar(home), QChar(away)); }
    QString rankTip(int row) const { return widget<QLabel>(QStringLiteral("LabClass"), row)->toolTip(); }
    // `upper` stands right above `lower`; both rank labels say why.
    void expectNeighbours(const QString &upper, const QString &lower, const QString &reason)
    {
        const int row = rowOf(upper);
        ASSERT_LT(row, TeamCount - 1);
        ASSERT_EQ(text(QStringLiteral("Tclass"), row + 1), lower) << upper.toStdString();
        EXPECT_TRUE(rankTip(row).endsWith(QStringLiteral("Devant %1 %2").arg(lower, reason)))
            << rankTip(row).toStdString();
        EXPECT_TRUE(rankTip(row + 1).startsWith(QStringLiteral("Derrière %1 %2").arg(upper, reason)))
            << rankTip(row + 1).toStdString();
    }
};

TEST_F(RankToolTips, EachTieBreakCriterionIsNamed)
{
    const QString points = QStringLiteral("aux points");
    const QString difference = QStringLiteral("à la différence de buts");
    const QString goals = QStringLiteral("au nombre de buts marqués");

    write(ResultsBuilder().result(key('A', 'D'), 'A', "1", "0", 'D').result(key('B', 'E'), 'B', "4", "4", 'E'));
    start();
    expectNeighbours("Alpha", "Echo", points);
    EXPECT_FALSE(rankTip(0).contains("Derrière")); // nobody above the leader

    write(ResultsBuilder()
              .result(key('A', 'E'), 'A', "3", "0", 'E')
              .result(key('B', 'F'), 'B', "3", "1", 'F')
              .result(key('C', 'G'), 'C', "2", "0", 'G'));
    start();
    expectNeighbours("Alpha", "Bravo", difference);
    expectNeighbours("Bravo", "Charlie", goals);
    EXPECT_EQ(rankTip(1), QStringLiteral("Derrière Alpha à la différence de buts\n"
                                         "Devant Charlie au nombre de buts marqués"));

    write(ResultsBuilder()
              .result(key('A', 'B'), 'A', "2", "1", 'B', 1, 3, 0, 0)
              .result(key('A', 'D'), 'A', "1", "2", 'D')
              .result(key('B', 'C'), 'B', "2", "1", 'C'));
    start();
    expectNeighbours("Alpha", "Bravo", QStringLiteral("aux buts marqués dans leurs confrontations directes"));

    write(ResultsBuilder()
              .result(key('A', 'C'), 'A', "1", "0", 'C')
              .result(key('B', 'D'), 'B', "1", "0", 'D', 0, 2, 0, 0)
              .result(key('A', 'B'), 'A', "1", "1", 'B'));
    start();
    expectNeighbours("Alpha", "Bravo", QStringLiteral("au fair-play (moins de cartons)"));

    write(ResultsBuilder().result(key('A', 'C'), 'A', "1", "0", 'C').result(key('B', 'D'), 'B', "1", "0", 'D'));
    start();
    expectNeighbours("Bravo", "Alpha", QStringLiteral("à égalité parfaite, départagés par le nom"));
    EXPECT_FALSE(rankTip(19).contains("Devant")); // nobody below the last
}

TEST_F(RankToolTips, MatchDayRankingsExplainTheirOwnOrderAndSortsNone)
{
    // The bundled season: the table of a match day has its own neighbours.
    folder.write(QStringLiteral("2013.txt"), sample(QStringLiteral("2013.txt")));
    folder.write(QStringLiteral("Resultats2013.ini"), sample(QStringLiteral("Resultats2013.ini")));
    setStoreAge(clock.now().addDays(-1));
    start();
    pickMatchDay(12);
    const Standings atTwelve = computeStandings(session->season(), session->store(), session->bonusMalus(), 12);
    const auto why = explainStandings(atTwelve);
    for (int row = 0; row < TeamCount; ++row) {
        EXPECT_EQ(text(QStringLiteral("Tclass"), row), atTwelve.rows[row].name) << row;
        EXPECT_EQ(rankTip(row), why[row].toolTip) << row;
    }
    click(Command::SortBestAttack); // best attack: the statistic's order, no tie-break to tell
    for (int row = 0; row < TeamCount; ++row)
        EXPECT_TRUE(rankTip(row).isEmpty()) << row;
    click(Command::GeneralStandings);
    EXPECT_FALSE(rankTip(0).isEmpty());
}

} // namespace
