// The team views in the real window, reached from the table and the
// commands: team card, summary and crest ticker, cards report and highlights.
#include "windowfixture.h"

#include "seasonbuilder.h"

#include "standings/core/criterionsort.h"
#include "standings/ui/standingstable.h"
#include "team/core/cardsreport.h"
#include "team/core/seasonhighlights.h"
#include "team/ui/crestticker.h"
#include "team/ui/statisticsview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTimer>

namespace {

class TeamViews : public WindowFixture
{
protected:
    void TearDown() override
    {
        // The pointer stays where a test left it: over the corner, the next
        // window's rows are not hovered.
        if (window)
            QTest::mouseMove(window.get(), QPoint(1, 1));
        WindowFixture::TearDown();
    }
    void clickLabel(const QString &name, int index = -1)
    {
        QWidget *w = widget<QWidget>(name, index);
        ASSERT_NE(w, nullptr) << qPrintable(name);
        QTest::mouseClick(w, Qt::LeftButton);
    }
    CrestTicker *ticker() const { return window->findChild<CrestTicker *>(QStringLiteral("Frame10")); }
};

// --- Team card

TEST_F(TeamViews, CardOpensOnTheLeaderAndKeepsARequestUntilTheFullTable)
{
    start();
    click(Command::OpenTeamCard);
    ASSERT_TRUE(panelShown("FraPlanning"));
    EXPECT_EQ(text(QStringLiteral("Label29"), 0), teamAtRow(0));
    EXPECT_EQ(text(QStringLiteral("Label29"), 8), QStringLiteral("Classement: 1"));
    shot(QStringLiteral("card"));
    click(Command::CloseTeamCard);
    EXPECT_FALSE(panelShown("FraPlanning"));

    // A click on a rank label opens that row's team, and "Equipes" keeps it.
    const QString third = teamAtRow(3);
    clickLabel(QStringLiteral("LabClass"), 3);
    ASSERT_TRUE(panelShown("FraPlanning"));
    EXPECT_EQ(text(QStringLiteral("Label29"), 0), third);
    click(Command::CloseTeamCard);
    click(Command::OpenTeamCard);
    EXPECT_EQ(text(QStringLiteral("Label29"), 0), third);
    EXPECT_EQ(session->state().cardRequest(), third);
    click(Command::CloseTeamCard);

    // "Tableau complet" forgets it: the favourite, then the leader.
    click(Command::FullTable);
    EXPECT_TRUE(session->state().cardRequest().isEmpty());
    session->state().setFavouriteTeam(teamAtRow(7));
    click(Command::OpenTeamCard);
    EXPECT_EQ(text(QStringLiteral("Label29"), 0), teamAtRow(7));
    click(Command::CloseTeamCard);
    session->state().setFavouriteTeam(QStringLiteral("Aucune"));
    click(Command::OpenTeamCard);
    EXPECT_EQ(text(QStringLiteral("Label29"), 0), teamAtRow(0));

    // The team list changes the card too.
    auto *list = widget<QListWidget>(QStringLiteral("List9"));
    ASSERT_NE(list, nullptr);
    list->setCurrentRow(4);
    EXPECT_EQ(text(QStringLiteral("Label29"), 0), session->season().teamName(4));
}

TEST_F(TeamViews, MovementMarkAndGraphButtonOpenTheCardToo)
{
    start();
    QLabel *mark = window->standingsTable().movementIcon(5);
    ASSERT_NE(mark, nullptr);
    QTest::mouseClick(mark, Qt::LeftButton);
    EXPECT_EQ(text(QStringLiteral("Label29"), 0), teamAtRow(5));
    click(Command::CloseTeamCard);

    click(Command::OpenGraph);
    widget<QListWidget>(QStringLiteral("List4"))->setCurrentRow(9);
    click(Command::OpenGraphTeamCard);
    EXPECT_TRUE(panelShown("FraPlanning"));
    EXPECT_EQ(text(QStringLiteral("Label29"), 0), session->season().teamName(9));
    EXPECT_EQ(session->state().cardRequest(), session->season().teamName(9));
}

TEST_F(TeamViews, CardRankFollowsTheTableAsDisplayed)
{
    start();
    click(Command::Classifications);
    click(Command::SortMostDraws); // most draws
    ASSERT_EQ(shown().sortCode, QStringLiteral("MN"));
    const QString team = teamAtRow(0);
    session->state().setCardRequest(team);
    click(Command::OpenTeamCard);
    EXPECT_EQ(text(QStringLiteral("Label29"), 8), QStringLiteral("Classement: ") + shown().rows[0].rankLabel);
    // The ranking comes back while the card is open: the card follows it.
    click(Command::GeneralStandings);
    int rank = 0;
    for (int i = 0; i < TeamCount; ++i)
        rank = teamAtRow(i) == team ? i : rank;
    ASSERT_NE(shown().rows[rank].rankLabel, QStringLiteral("1"));
    EXPECT_TRUE(panelShown("FraPlanning"));
    EXPECT_EQ(text(QStringLiteral("Label29"), 8), QStringLiteral("Classement: ") + shown().rows[rank].rankLabel);
}

// --- Statistics

TEST_F(TeamViews, StatisticsTeamListsNameEveryTeam)
{
    start();
    QTest::mouseClick(widget(QStringLiteral("BtStats")), Qt::LeftButton);
    auto *view = widget<StatisticsView>(QStringLiteral("FraStats"));
    ASSERT_NE(view, nullptr);
    view->showPage(StatisticsView::Page::Evolution);
    const QList<QComboBox *> lists = indexed<QComboBox>(QStringLiteral("ComboTeam"));
    ASSERT_EQ(lists.size(), 4);
    for (QComboBox *list : lists) {
        const int first = list->count() - TeamCount;
        ASSERT_GE(first, 0);
        for (TeamNo team = 0; team < TeamCount; ++team)
            EXPECT_EQ(list->itemText(first + team), session->season().teamName(team)) << team;
    }
    shot(QStringLiteral("statistics-evolution"));
}

// --- Summary and crest ticker

TEST_F(TeamViews, SummaryShowsTheTeamWithItsRankAndMovement)
{
    start();
    window->teamViews().parkCrestStrip(); // the ticker would change the team on its own
    clickLabel(QStringLiteral("Label9"));
    EXPECT_EQ(text(QStringLiteral("Label11"), 5), teamAtRow(0));
    EXPECT_EQ(text(QStringLiteral("Label11"), 1), QStringLiteral("Classement: 1"));

    // A team whose rank did not change shows "=".
    int same = -1;
    for (int i = 0; i < TeamCount && same < 0; ++i)
        same = shown().rows[i].movementText == QLatin1String("=") ? i : -1;
    ASSERT_GE(same, 0);
    window->teamViews().showTeamSummary(teamAtRow(same));
    EXPECT_EQ(text(QStringLiteral("Label11"), 7), QStringLiteral(" (=)"));
    EXPECT_EQ(text(QStringLiteral("Label11"), 1), QStringLiteral("Classement: ") + shown().rows[same].rankLabel);
    const StandingRow &row = shown().rows[same].data;
    EXPECT_EQ(text(QStringLiteral("Label11"), 2), QStringLiteral("Matches Gagnés: %1 (Dom:%2) (Ext:%3)")
                                                      .arg(row.homeWins + row.awayWins)
                                                      .arg(row.homeWins)
                                                      .arg(row.awayWins));
    EXPECT_EQ(text(QStringLiteral("Label11"), 4), QStringLiteral("Matches Nuls: %1").arg(row.draws));

    // Hovering a row shows its team.
    QTest::mouseMove(window->standingsTable().cell(QStringLiteral("Tclass"), 6));
    EXPECT_EQ(text(QStringLiteral("Label11"), 5), teamAtRow(6));
    shot(QStringLiteral("summary"));

    // The count lines show whole and stop short of the crest.
    window->teamViews().showTeamSummary(teamAtRow(0));
    const QWidget *crest = widget(QStringLiteral("Image3"));
    for (int line : {2, 3, 4, 6}) {
        auto *label = widget<QLabel>(QStringLiteral("Label11"), line);
        EXPECT_LT(label->geometry().right(), crest->x()) << line;
        EXPECT_LE(QFontMetrics(label->font(), label).horizontalAdvance(label->text()), label->width()) << line;
    }
}

TEST_F(TeamViews, TickerShowsTheTeamsInTableOrderAndPausesOnACrest)
{
    start();
    CrestTicker *t = ticker();
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(t->isVisible());
    EXPECT_TRUE(t->isRunning());
    EXPECT_EQ(text(QStringLiteral("Label11"), 5), teamAtRow(0));

    QStringList seen;
    int guard = 0;
    while (t->isRunning() && ++guard < 5000) {
        t->tick();
        const QString team = text(QStringLiteral("Label11"), 5);
        if (seen.isEmpty() || seen.last() != team)
            seen << team;
    }
    QStringList order;
    for (int i = 0; i < TeamCount; ++i)
        order << teamAtRow(i);
    EXPECT_EQ(seen, order);
    EXPECT_FALSE(t->isVisible());

    // The stamp starts it again; pointing at the crest shown pauses it.
    clickLabel(QStringLiteral("LabMaj"));
    EXPECT_TRUE(t->isVisible());
    EXPECT_TRUE(t->isRunning());
    const TeamNo leader = session->season().teamNoOfName(teamAtRow(0));
    while (t->strip().left() + t->strip().crestLeft(leader) > 1400)
        t->tick();
    QTest::mouseMove(t->crest(leader));
    EXPECT_FALSE(t->isRunning());
    EXPECT_EQ(text(QStringLiteral("Label11"), 5), teamAtRow(0));
    const TeamNo second = session->season().teamNoOfName(teamAtRow(1));
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(t->crest(second), &enter);
    EXPECT_EQ(text(QStringLiteral("Label11"), 5), teamAtRow(1));

    // Back over the window's background it goes on.
    window->teamViews().resumeCrestTicker();
    EXPECT_TRUE(t->isRunning());
    // Any command pushes it away; the next tick ends it.
    click(Command::Classifications);
    EXPECT_EQ(t->strip().left(), CrestStrip::ParkedLeft);
    t->tick();
    EXPECT_FALSE(t->isRunning());
    EXPECT_FALSE(t->isVisible());
    window->teamViews().resumeCrestTicker();
    EXPECT_FALSE(t->isRunning());
}

// --- Cards report and highlights

TEST_F(TeamViews, CardsReportOpensFromTheGoalTotalsAndAClickHidesIt)
{
    start();
    clickLabel(QStringLiteral("Label19"));
    auto *report = widget<QPlainTextEdit>(QStringLiteral("Text4"));
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(report->isVisible());
    EXPECT_TRUE(report->isReadOnly());
    EXPECT_EQ(report->toPlainText(), cardsPerMatchDay(session->store()).text());
    EXPECT_TRUE(report->toPlainText().startsWith(QStringLiteral("Jour 01: Cj:")));
    shot(QStringLiteral("cards"));
    QTest::mouseClick(report->viewport(), Qt::LeftButton);
    EXPECT_FALSE(report->isVisible());
}

TEST_F(TeamViews, HighlightsToggleAndClose)
{
    start();
    click(Command::Highlights);
    ASSERT_TRUE(panelShown("FraPlus"));
    const auto values = highlights::compute(session->season(), session->store());
    for (int i = 0; i < highlights::Count; ++i) {
        EXPECT_EQ(text(QStringLiteral("LesPlus"), i), values[i]) << i;
        EXPECT_EQ(widget<QLabel>(QStringLiteral("LesPlus"), i)->textFormat(), Qt::PlainText);
    }
    EXPECT_EQ(text(QStringLiteral("Label23"), 2), QStringLiteral("Le plus de cartons pris:"));
    shot(QStringLiteral("highlights"));
    click(Command::Highlights);
    EXPECT_FALSE(panelShown("FraPlus"));
    click(Command::Highlights);
    click(Command::CloseHighlights);
    EXPECT_FALSE(panelShown("FraPlus"));
    click(Command::Highlights);
    click(Command::PickMatchDay);
    EXPECT_FALSE(panelShown("FraPlus"));
}

} // namespace
