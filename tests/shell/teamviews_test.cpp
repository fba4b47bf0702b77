// The team views in the real window: team card, summary and crest ticker,
// ranking graph, cards report and season highlights.
#include "windowfixture.h"

#include "seasonbuilder.h"

#include "standings/core/criterionsort.h"
#include "standings/ui/standingstable.h"
#include "team/core/cardsreport.h"
#include "team/core/seasonhighlights.h"
#include "team/ui/crestticker.h"

#include <QCheckBox>
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
    const DisplayedStandings &shown() const { return session->standings().displayed(); }
    QString teamAtRow(int row) const { return shown().rows[row].data.name; }
    QWidget *panel(const char *name) const { return widget<QWidget>(QLatin1String(name)); }
    bool panelShown(const char *name) const
    {
        QWidget *w = panel(name);
        return w && w->isVisible();
    }
    QColor fill(const QString &name, int index) const
    {
        QWidget *w = widget<QWidget>(name, index);
        return w ? w->palette().color(QPalette::Window) : QColor();
    }
    void clickLabel(const QString &name, int index = -1)
    {
        QWidget *w = widget<QWidget>(name, index);
        ASSERT_NE(w, nullptr) << qPrintable(name);
        QTest::mouseClick(w, Qt::LeftButton);
    }
    CrestTicker *ticker() const { return window->findChild<CrestTicker *>(QStringLiteral("Frame10")); }
    // Writes the window's picture when KESTRANE_SHOTS names a folder.
    void shot(const QString &name) const
    {
        const QString folderName = qEnvironmentVariable("KESTRANE_SHOTS");
        if (!folderName.isEmpty())
            window->grab().save(folderName + QLatin1Char('/') + name + QStringLiteral(".png"));
    }
    // A bar of the graph stands in sight once drawn.
    bool barDrawn(int k) const
    {
        QWidget *bar = widget<QWidget>(QStringLiteral("LabGraph"), k);
        return bar && bar->y() >= 0;
    }
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

TEST_F(TeamViews, CardMarkersBarsAndAnEmptyTeam)
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
    start();
    session->state().setCardRequest(QStringLiteral("Alpha"));
    click(Command::OpenTeamCard);
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
    EXPECT_EQ(fill(QStringLiteral("ShaRes"), win), QColor(0x00, 0xFF, 0x00));
    EXPECT_TRUE(widget<QWidget>(QStringLiteral("ShaRes"), win)->isVisible());
    EXPECT_EQ(fill(QStringLiteral("ShaRes"), draw), QColor(0xE0, 0xE0, 0xE0));
    EXPECT_FALSE(widget<QWidget>(QStringLiteral("ShaRes"), dash)->isVisible());
    EXPECT_EQ(text(QStringLiteral("R1P"), dash), QString());
    EXPECT_EQ(fill(QStringLiteral("ShaRes"), half), QColor(0xFF, 0xFF, 0xFF));
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

TEST_F(TeamViews, CardNamesKeepClearOfTheCardBoxesAndShowWhatDoesNotFitInATip)
{
    start();
    click(Command::OpenTeamCard); // the leader, with cards in most of its matches
    ASSERT_TRUE(panelShown("FraPlanning"));
    const Season &season = session->season();
    const QChar ellipsis(0x2026);
    int elided = 0;
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
            const int textLeft = home ? box->x() + box->width() - frame - indent - width : box->x() + frame + indent;
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
    EXPECT_GT(elided, 0); // the bundled season has names too long for the card

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

// --- Summary and crest ticker

TEST_F(TeamViews, SummaryShowsTheTeamWithItsRankAndMovement)
{
    start();
    window->parkCrestStrip(); // the ticker would change the team on its own
    clickLabel(QStringLiteral("Label9"));
    EXPECT_EQ(text(QStringLiteral("Label11"), 5), teamAtRow(0));
    EXPECT_EQ(text(QStringLiteral("Label11"), 1), QStringLiteral("Classement: 1"));

    // A team whose rank did not change shows "=".
    int same = -1;
    for (int i = 0; i < TeamCount && same < 0; ++i)
        same = shown().rows[i].movementText == QLatin1String("=") ? i : -1;
    ASSERT_GE(same, 0);
    window->showTeamSummary(teamAtRow(same));
    EXPECT_EQ(text(QStringLiteral("Label11"), 7), QStringLiteral(" (=)"));
    EXPECT_EQ(text(QStringLiteral("Label11"), 1), QStringLiteral("Classement: ") + shown().rows[same].rankLabel);
    const StandingRow &row = shown().rows[same].data;
    EXPECT_EQ(text(QStringLiteral("Label11"), 2),
              QStringLiteral("Matches Gagnés: %1 (Dom:%2) (Ext:%3)")
                  .arg(row.homeWins + row.awayWins)
                  .arg(row.homeWins)
                  .arg(row.awayWins));
    EXPECT_EQ(text(QStringLiteral("Label11"), 4), QStringLiteral("Matches Nuls: %1").arg(row.draws));

    // Hovering a row shows its team.
    QTest::mouseMove(window->standingsTable().cell(QStringLiteral("Tclass"), 6));
    EXPECT_EQ(text(QStringLiteral("Label11"), 5), teamAtRow(6));
    shot(QStringLiteral("summary"));

    // The count lines show whole and stop short of the crest.
    window->showTeamSummary(teamAtRow(0));
    const QWidget *crest = widget(QStringLiteral("Image3"));
    for (int line : {2, 3, 4, 6}) {
        auto *label = widget<QLabel>(QStringLiteral("Label11"), line);
        EXPECT_LT(label->geometry().right(), crest->x()) << line;
        EXPECT_LE(QFontMetrics(label->font(), label).horizontalAdvance(label->text()), label->width()) << line;
    }
}

TEST_F(TeamViews, SummaryFollowsAStoreWrittenByTheProgram)
{
    start();
    window->parkCrestStrip();
    const QString leader = teamAtRow(0);
    window->showTeamSummary(leader);
    const QString played = text(QStringLiteral("Label11"), 6);
    // A result under a match day still to come, for the leader at home.
    const Season &season = session->season();
    const QChar letter = season.teamLetterOfName(leader);
    QList<ResultStore::Result> calledOff;
    for (int n = 1; n <= FixtureCount; ++n) {
        // The leader's last match is called off.
        const QString entry = season.calendarEntry(n);
        if (entry.left(2).toInt() == 38 && entry.mid(6, 2).contains(letter)) {
            MatchRecord record = MatchRecord::fromText(entry.mid(6, 1) + QStringLiteral("|0|0|-|-|0|0|")
                                                       + entry.mid(7, 1));
            calledOff.append({entry.left(2) + entry.mid(3, 2), record});
        }
    }
    ASSERT_TRUE(session->store().saveResults(session->store().stamp(), calledOff));
    window->showTeamSummary(leader);
    EXPECT_EQ(played, QStringLiteral("Matches Joués: 38"));
    EXPECT_EQ(text(QStringLiteral("Label11"), 6), QStringLiteral("Matches Joués: 37"));
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
    window->resumeCrestTicker();
    EXPECT_TRUE(t->isRunning());
    // Any command pushes it away; the next tick ends it.
    click(Command::Classifications);
    EXPECT_EQ(t->strip().left(), CrestStrip::ParkedLeft);
    t->tick();
    EXPECT_FALSE(t->isRunning());
    EXPECT_FALSE(t->isVisible());
    window->resumeCrestTicker();
    EXPECT_FALSE(t->isRunning());
}

// --- Ranking graph

TEST_F(TeamViews, GraphDrawsTheHistoryUpToTodayAndLeavesTheTableThere)
{
    start();
    click(Command::OpenGraph);
    ASSERT_TRUE(panelShown("Frame4"));
    // 5 December 2013: match days 1..17 have passed.
    for (int k = 0; k < 17; ++k)
        EXPECT_TRUE(barDrawn(k)) << k;
    for (int k = 17; k < 38; ++k)
        EXPECT_FALSE(barDrawn(k)) << k;
    EXPECT_EQ(shown().upToMatchDay, 17);
    const QString leader = teamAtRow(0);
    EXPECT_EQ(text(QStringLiteral("Label13")), QStringLiteral("Evolution du classement de : ") + leader);
    EXPECT_EQ(widget<QListWidget>(QStringLiteral("List4"))->count(), 20);
    // The leader after match day 17 has the tallest bar, green.
    QLabel *bar = widget<QLabel>(QStringLiteral("LabGraph"), 16);
    EXPECT_EQ(bar->text(), QStringLiteral("1"));
    EXPECT_EQ(bar->height(), 6850 / 15);
    EXPECT_EQ(bar->y(), 1950 / 15);
    EXPECT_EQ(fill(QStringLiteral("LabGraph"), 16), QColor(0x00, 0xC0, 0x00));
    shot(QStringLiteral("graph"));

    // Another team from the list.
    auto *list = widget<QListWidget>(QStringLiteral("List4"));
    const QString last = teamAtRow(19);
    list->setCurrentRow(session->season().teamNoOfName(last));
    EXPECT_EQ(widget<QLabel>(QStringLiteral("LabGraph"), 16)->text(), QStringLiteral("20"));
    EXPECT_EQ(fill(QStringLiteral("LabGraph"), 16), QColor(0xFF, 0x00, 0x00));
    EXPECT_EQ(widget<QLabel>(QStringLiteral("LabGraph"), 16)->height(), 200 / 15);

    click(Command::CloseGraph);
    EXPECT_FALSE(panelShown("Frame4"));
}

TEST_F(TeamViews, SimulatedMatchDaysStayAfterTheBoxIsUnticked)
{
    start();
    click(Command::OpenGraph);
    auto *simulated = widget<QCheckBox>(QStringLiteral("Check3"));
    ASSERT_NE(simulated, nullptr);
    QTest::mouseClick(simulated, Qt::LeftButton);
    ASSERT_TRUE(simulated->isChecked());
    EXPECT_TRUE(barDrawn(37));
    EXPECT_EQ(shown().upToMatchDay, 38);
    QTest::mouseClick(simulated, Qt::LeftButton);
    ASSERT_FALSE(simulated->isChecked());
    EXPECT_TRUE(barDrawn(37));
    EXPECT_EQ(shown().upToMatchDay, 17);
}

TEST_F(TeamViews, GraphBeforeTheFirstMatchDayDrawsNothingAndOpensOnTheFavourite)
{
    clock.set(QDateTime(QDate(2013, 8, 1), QTime(12, 0)));
    setStoreAge(clock.now().addDays(-1));
    start();
    const QString favourite = session->season().teamName(11);
    session->state().setFavouriteTeam(favourite);
    click(Command::OpenGraph);
    for (int k = 0; k < 38; ++k)
        EXPECT_FALSE(barDrawn(k)) << k;
    EXPECT_EQ(text(QStringLiteral("Label13")), QStringLiteral("Evolution du classement de : ") + favourite);
}

TEST_F(TeamViews, ClosingTheGraphStopsItsBuild)
{
    start();
    // The close arrives while the build lets the window run.
    QTimer::singleShot(0, window.get(), [this] { click(Command::CloseGraph); });
    click(Command::OpenGraph);
    EXPECT_FALSE(panelShown("Frame4"));
    EXPECT_TRUE(barDrawn(0));
    EXPECT_FALSE(barDrawn(1));
    EXPECT_EQ(shown().upToMatchDay, 1);
    EXPECT_EQ(widget<QListWidget>(QStringLiteral("List4"))->count(), 20);
    EXPECT_EQ(text(QStringLiteral("Label13")), QStringLiteral("Evolution du classement de : ") + teamAtRow(0));
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
