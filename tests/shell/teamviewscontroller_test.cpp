// The team views alone: the team card, the summary, the ranking graph, with
// fakes for the ranking they ask for.
#include "featurefixture.h"

#include "seasonbuilder.h"

#include "shell/ui/pictures.h"
#include "shell/ui/teamviewscontroller.h"
#include "team/ui/rankevolutionchart.h"
#include "team/ui/statisticsview.h"

#include <QCheckBox>
#include <QListWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

namespace {

class TeamViewsControllerTest : public FeatureFixture
{
protected:
    // The controller on the fixture's folder, with the ranking of the season
    // on display as start-up leaves it.
    TeamViewsController &build()
    {
        openSession();
        session->refreshDueMatchDays();
        session->computeStandings();
        pictures = std::make_unique<Pictures>(folder.path());
        controller = std::make_unique<TeamViewsController>(
            TeamViewsController::Needs{*session, *pictures, buttons, ranking, matchDay, host});
        host.show();
        return *controller;
    }
    // A bar of the graph stands in sight once drawn.
    bool barDrawn(int k) const
    {
        QWidget *bar = widget<QWidget>(QStringLiteral("LabGraph"), k);
        return bar && bar->y() >= 0;
    }

    std::unique_ptr<Pictures> pictures;
    std::unique_ptr<TeamViewsController> controller;
};

} // namespace

TEST_F(TeamViewsControllerTest, CardMarkersBarsAndAnEmptyTeam)
{
    // Team A: a home win, an away draw, a home "-" and a half-entered home match.
    SeasonBuilder builder(SeasonBuilder::defaultNames());
    folder.write(QStringLiteral("2013.txt"), builder.seasonFile());
    folder.write(QStringLiteral("Resultats2013.ini"),
                 ResultsBuilder()
                     .result(builder.keyOf('A', 'B'), 'A', "3", "1", 'B', 1, 2, 0, 0)
                     .result(builder.keyOf('C', 'A'), 'C', "2", "2", 'A')
                     .result(builder.keyOf('A', 'D'), 'A', "-", "-", 'D')
                     .result(builder.keyOf('A', 'E'), 'A', "0", "", 'E')
                     .result(builder.keyOf('F', 'G'), 'F', "1", "0", 'G')
                     .bytes());
    setStoreAge(clock.now().addDays(-1));
    build();
    session->state().setCardRequest(QStringLiteral("Alpha"));
    controller->openTeamCard();
    ASSERT_EQ(text(QStringLiteral("Label29"), 0), QStringLiteral("Alpha"));

    const auto rowOf = [&](const QString &key) {
        for (int i = 0; i < 38; ++i) {
            if (text(QStringLiteral("NmP"), i) == key)
                return i;
        }
        return -1;
    };
    const int win = rowOf(builder.keyOf('A', 'B'));
    const int draw = rowOf(builder.keyOf('C', 'A'));
    const int dash = rowOf(builder.keyOf('A', 'D'));
    const int half = rowOf(builder.keyOf('A', 'E'));
    ASSERT_GE(win, 0);
    EXPECT_EQ(cellColour(QStringLiteral("ShaRes"), win), QColor(0x00, 0xFF, 0x00));
    EXPECT_TRUE(widget<QWidget>(QStringLiteral("ShaRes"), win)->isVisible());
    EXPECT_EQ(cellColour(QStringLiteral("ShaRes"), draw), QColor(0xE0, 0xE0, 0xE0));
    EXPECT_FALSE(widget<QWidget>(QStringLiteral("ShaRes"), dash)->isVisible());
    EXPECT_EQ(text(QStringLiteral("R1P"), dash), QString());
    EXPECT_EQ(cellColour(QStringLiteral("ShaRes"), half), QColor(0xFF, 0xFF, 0xFF));
    EXPECT_TRUE(widget<QWidget>(QStringLiteral("ShaRes"), half)->isVisible());
    EXPECT_TRUE(widget<QLabel>(QStringLiteral("T1P"), win)->font().bold());
    EXPECT_FALSE(widget<QLabel>(QStringLiteral("T2P"), win)->font().bold());
    EXPECT_EQ(text(QStringLiteral("CR1P"), win), QStringLiteral("1"));

    EXPECT_EQ(text(QStringLiteral("LabVic"), 4), QStringLiteral("\nVictoires: 1"));
    EXPECT_TRUE(widget<QWidget>(QStringLiteral("LabVic"), 4)->isVisible());
    EXPECT_TRUE(widget<QWidget>(QStringLiteral("LabNUL"), 4)->isVisible());
    EXPECT_FALSE(widget<QWidget>(QStringLiteral("LabDEF"), 4)->isVisible());
    // Two matches counted: each takes half of the season's bar.
    EXPECT_EQ(widget<QWidget>(QStringLiteral("LabVic"), 4)->width(), 8070 / 2 / 15);
    EXPECT_EQ(text(QStringLiteral("Label29"), 7), QStringLiteral("Points: 4"));
    EXPECT_EQ(text(QStringLiteral("Label29"), 11), QStringLiteral("2,5 par match."));
    EXPECT_EQ(text(QStringLiteral("Label29"), 5), QStringLiteral("Cartons Rouges: 1"));
    shot(QStringLiteral("card-alpha"));

    // Hotel has played nothing: its own empty card, not Alpha's numbers.
    widget<QListWidget>(QStringLiteral("List9"))->setCurrentRow(7);
    EXPECT_EQ(text(QStringLiteral("Label29"), 0), QStringLiteral("Hotel"));
    for (const char *name : {"LabVic", "LabNUL", "LabDEF"})
        EXPECT_FALSE(widget<QWidget>(QLatin1String(name), 4)->isVisible()) << name;
    EXPECT_EQ(text(QStringLiteral("Label29"), 11), QStringLiteral("0,0 par match."));
    EXPECT_EQ(text(QStringLiteral("Label29"), 12), QStringLiteral("0,0 par match."));
    EXPECT_EQ(text(QStringLiteral("Label29"), 7), QStringLiteral("Points: 0"));
    for (int i = 0; i < 38; ++i)
        EXPECT_FALSE(widget<QWidget>(QStringLiteral("ShaRes"), i)->isVisible()) << i;
}

TEST_F(TeamViewsControllerTest, CardNamesKeepClearOfTheCardBoxesAndShowWhatDoesNotFitInATip)
{
    build();
    controller->openTeamCard(); // the leader, with cards in most of its matches
    ASSERT_TRUE(panelShown("FraPlanning"));
    const Season &season = session->season();
    const QChar ellipsis(0x2026);
    int elided = 0;
    // Every team's card, each name bold on its own.
    auto *teams = widget<QListWidget>(QStringLiteral("List9"));
    const int leader = teams->currentRow();
    for (int cardTeam = 0; cardTeam < TeamCount; ++cardTeam) {
        teams->setCurrentRow(cardTeam);
        for (int i = 0; i < 38; ++i) {
            for (const auto &[name, cardNames, home] : {std::tuple{"T1P", std::pair{"CR1P", "CJ1P"}, true},
                                                        std::tuple{"T2P", std::pair{"CJ2P", "CR2P"}, false}}) {
                auto *box = widget<QLabel>(QLatin1String(name), i);
                if (!box->isVisible())
                    continue;
                // The whole name is on the box or, cut, in its tool tip.
                const QString team = box->text().endsWith(ellipsis) ? box->toolTip() : box->text();
                EXPECT_NE(season.teamNoOfName(team), NoTeam) << name << i << " " << team.toStdString();
                if (team != box->text()) {
                    EXPECT_TRUE(team.startsWith(box->text().chopped(1))) << name << i;
                    ++elided;
                }
                // The name's letters stand clear of the card boxes over its box.
                const QFontMetrics metrics(box->font(), box);
                const int frame = box->frameWidth();
                const int indent = metrics.horizontalAdvance(QLatin1Char('x')) / 2;
                const int width = metrics.horizontalAdvance(box->text());
                const int textLeft =
                    home ? box->x() + box->width() - frame - indent - width : box->x() + frame + indent;
                const int textRight = textLeft + width;
                for (const char *cardName : {cardNames.first, cardNames.second}) {
                    QWidget *card = widget(QLatin1String(cardName), i);
                    if (!card->isVisible())
                        continue;
                    if (home)
                        EXPECT_LE(card->geometry().right(), textLeft) << name << i << " " << cardName;
                    else
                        EXPECT_LE(textRight, card->x()) << name << i << " " << cardName;
                }
            }
        }
    }
    // The names of the bundled season all show whole, in the list of teams too.
    EXPECT_EQ(elided, 0);
    for (int row = 0; row < teams->count(); ++row) {
        EXPECT_LE(QFontMetrics(teams->font(), teams).horizontalAdvance(teams->item(row)->text()),
                  teams->viewport()->width() - 8)
            << row;
    }
    teams->setCurrentRow(leader);

    // The season's narrow share of defeats shows what its caption can.
    auto *defeats = widget<QLabel>(QStringLiteral("LabDEF"), 4);
    ASSERT_TRUE(defeats->isVisible());
    const QStringList lines = defeats->text().split(QLatin1Char('\n'));
    for (const QString &line : lines)
        EXPECT_LE(QFontMetrics(defeats->font(), defeats).horizontalAdvance(line), defeats->width());
    EXPECT_TRUE(lines.last().endsWith(ellipsis)) << defeats->text().toStdString();
    EXPECT_TRUE(defeats->toolTip().startsWith(QStringLiteral("Défaites: "))) << defeats->toolTip().toStdString();
    EXPECT_TRUE(defeats->toolTip().startsWith(lines.last().chopped(1)));
}

TEST_F(TeamViewsControllerTest, SummaryFollowsAStoreWrittenByTheProgram)
{
    build();
    controller->parkCrestStrip();
    const QString leader = teamAtRow(0);
    controller->showTeamSummary(leader);
    const QString played = text(QStringLiteral("Label11"), 6);
    // A result under a match day still to come, for the leader at home.
    const Season &season = session->season();
    const QChar letter = season.teamLetterOfName(leader);
    QList<ResultStore::Result> calledOff;
    for (int n = 1; n <= FixtureCount; ++n) {
        // The leader's last match is called off.
        const QString entry = season.calendarEntry(n);
        if (entry.left(2).toInt() == 38 && entry.mid(6, 2).contains(letter)) {
            MatchRecord record =
                MatchRecord::fromText(entry.mid(6, 1) + QStringLiteral("|0|0|-|-|0|0|") + entry.mid(7, 1));
            calledOff.append({entry.left(2) + entry.mid(3, 2), record});
        }
    }
    ASSERT_TRUE(session->store().saveResults(session->store().stamp(), calledOff));
    controller->showTeamSummary(leader);
    EXPECT_EQ(played, QStringLiteral("Matches Joués: 38"));
    EXPECT_EQ(text(QStringLiteral("Label11"), 6), QStringLiteral("Matches Joués: 37"));
}

TEST_F(TeamViewsControllerTest, GraphDrawsTheHistoryUpToTodayAndLeavesTheTableThere)
{
    build();
    controller->openGraph();
    ASSERT_TRUE(panelShown("Frame4"));
    // 5 December 2013: match days 1..17 have passed.
    for (int k = 0; k < 17; ++k)
        EXPECT_TRUE(barDrawn(k)) << k;
    for (int k = 17; k < 38; ++k)
        EXPECT_FALSE(barDrawn(k)) << k;
    // The table ends on the last match day drawn.
    EXPECT_EQ(ranking.computed, (QList<std::pair<MatchDayNo, bool>>{{17, false}}));
    const QString leader = teamAtRow(0);
    EXPECT_EQ(text(QStringLiteral("Label13")), QStringLiteral("Evolution du classement de : ") + leader);
    EXPECT_EQ(widget<QListWidget>(QStringLiteral("List4"))->count(), 20);
    // The leader after match day 17 has the tallest bar, green.
    QLabel *bar = widget<QLabel>(QStringLiteral("LabGraph"), 16);
    EXPECT_EQ(bar->text(), QStringLiteral("1"));
    EXPECT_EQ(bar->height(), 6850 / 15);
    EXPECT_EQ(bar->y(), 1950 / 15);
    EXPECT_EQ(cellColour(QStringLiteral("LabGraph"), 16), QColor(0x00, 0xC0, 0x00));
    shot(QStringLiteral("graph"));

    // Another team from the list.
    auto *list = widget<QListWidget>(QStringLiteral("List4"));
    const QString last = teamAtRow(19);
    list->setCurrentRow(session->season().teamNoOfName(last));
    EXPECT_EQ(widget<QLabel>(QStringLiteral("LabGraph"), 16)->text(), QStringLiteral("20"));
    EXPECT_EQ(cellColour(QStringLiteral("LabGraph"), 16), QColor(0xFF, 0x00, 0x00));
    EXPECT_EQ(widget<QLabel>(QStringLiteral("LabGraph"), 16)->height(), 200 / 15);

    controller->closeGraph();
    EXPECT_FALSE(panelShown("Frame4"));
}

TEST_F(TeamViewsControllerTest, SimulatedMatchDaysStayAfterTheBoxIsUnticked)
{
    build();
    controller->openGraph();
    auto *simulated = widget<QCheckBox>(QStringLiteral("Check3"));
    ASSERT_NE(simulated, nullptr);
    QTest::mouseClick(simulated, Qt::LeftButton);
    ASSERT_TRUE(simulated->isChecked());
    EXPECT_TRUE(barDrawn(37));
    EXPECT_EQ(ranking.computed.last(), (std::pair<MatchDayNo, bool>{38, false}));

    // The statistics' chart keeps to the match days played all the same.
    controller->openStatistics();
    auto *view = widget<StatisticsView>(QStringLiteral("FraStats"));
    view->showPage(StatisticsView::Page::Evolution);
    const auto &series = widget<RankEvolutionChart>(QStringLiteral("ChartEvolution"))->series();
    ASSERT_EQ(series.size(), 2u);
    EXPECT_GT(series[0].ranks[16], 0);
    EXPECT_EQ(series[0].ranks[17], 0);
    EXPECT_EQ(series[1].ranks[37], 0);
    controller->closeStatistics();
    QTest::mouseClick(simulated, Qt::LeftButton);
    ASSERT_FALSE(simulated->isChecked());
    EXPECT_TRUE(barDrawn(37));
    EXPECT_EQ(ranking.computed.last(), (std::pair<MatchDayNo, bool>{17, false}));
}

TEST_F(TeamViewsControllerTest, GraphBeforeTheFirstMatchDayDrawsNothingAndOpensOnTheFavourite)
{
    clock.set(QDateTime(QDate(2013, 8, 1), QTime(12, 0)));
    setStoreAge(clock.now().addDays(-1));
    build();
    const QString favourite = session->season().teamName(11);
    session->state().setFavouriteTeam(favourite);
    controller->openGraph();
    for (int k = 0; k < 38; ++k)
        EXPECT_FALSE(barDrawn(k)) << k;
    EXPECT_EQ(text(QStringLiteral("Label13")), QStringLiteral("Evolution du classement de : ") + favourite);
}

TEST_F(TeamViewsControllerTest, ClosingTheGraphStopsItsBuild)
{
    build();
    // The close arrives while the build lets the window run.
    QTimer::singleShot(0, &host, [this] { controller->closeGraph(); });
    controller->openGraph();
    EXPECT_FALSE(panelShown("Frame4"));
    EXPECT_TRUE(barDrawn(0));
    EXPECT_FALSE(barDrawn(1));
    EXPECT_EQ(ranking.computed, (QList<std::pair<MatchDayNo, bool>>{{1, false}}));
    EXPECT_EQ(widget<QListWidget>(QStringLiteral("List4"))->count(), 20);
    EXPECT_EQ(text(QStringLiteral("Label13")), QStringLiteral("Evolution du classement de : ") + teamAtRow(0));
}

TEST_F(TeamViewsControllerTest, StatisticsOpenOnTheMatchDaysPlayedAndTheirMatrixOpensAMatchDay)
{
    build();
    // Nothing of the view is built before it first opens.
    EXPECT_EQ(widget(QStringLiteral("FraStats")), nullptr);
    QTest::mouseClick(widget<QToolButton>(QStringLiteral("BtStats")), Qt::LeftButton);
    auto *view = widget<StatisticsView>(QStringLiteral("FraStats"));
    ASSERT_TRUE(view->isVisible());
    EXPECT_EQ(view->matchDay(), session->state().dueMatchDays());

    view->showPage(StatisticsView::Page::Matrix);
    auto *matrix = widget<QTableWidget>(QStringLiteral("TableMatrix"));
    const QModelIndex played = matrix->model()->index(0, 1);
    ASSERT_FALSE(matrix->item(0, 1)->text().isEmpty());
    matrix->scrollTo(played);
    const auto clickPlayed = [&] {
        QTest::mouseClick(matrix->viewport(), Qt::LeftButton, {}, matrix->visualRect(played).center());
    };
    // Typed results the volunteer stays with keep the view where it is.
    matchDay.settles = false;
    clickPlayed();
    EXPECT_EQ(matchDay.settleAsked, 1);
    EXPECT_TRUE(matchDay.matchDays.isEmpty());
    EXPECT_TRUE(view->isVisible());

    matchDay.settles = true;
    clickPlayed();
    ASSERT_EQ(matchDay.matchDays.size(), 1);
    EXPECT_GE(matchDay.matchDays[0], 1);
    EXPECT_FALSE(view->isVisible());
}
