// The "Statistiques" view alone, offscreen, driven by object name on a small
// season: what each page shows after a choice, the matrix asking for a match
// day, the chart reading the graph's history, and the keyboard.
#include "team/ui/statisticsview.h"

#include "team/ui/rankevolutionchart.h"
#include "team/ui/statisticscells.h"

#include "teamdata.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextDocument>

#include <memory>

namespace {

class StatisticsViewTest : public TeamData
{
protected:
    void SetUp() override
    {
        // Alpha: 2-0 against Bravo, 1-1 at Charlie, then 0-3 against Delta
        // on match day 20; a half-entered score for Echo.
        ResultsBuilder results;
        results.result(Season::fixtureKey(1, 0), 'A', "2", "0", 'B')
            .result(Season::fixtureKey(2, 0), 'C', "1", "1", 'A')
            .result(Season::fixtureKey(20, 0), 'A', "0", "3", 'D')
            .result(Season::fixtureKey(3, 0), 'E', "4", "", 'F');
        load(results);
        // The graph's history, built (up to 2015: every match day) when the view asks.
        const auto graphHistory = [this]() -> const RankingHistory & {
            ++historyReads;
            buildRankingHistory(history, season, *store, bonusMalus, QDateTime(QDate(2015, 1, 1), QTime(0, 0)));
            return history;
        };
        view = std::make_unique<StatisticsView>(StatisticsView::Sources{season, *store, bonusMalus, graphHistory},
                                                &window);
        // In a window that, like the main one, closes its panels on Escape.
        auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
        QObject::connect(escape, &QShortcut::activated, &window, [this] { ++windowEscapes; });
        window.resize(1000, 700);
        view->resize(1000, 700);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    template <typename T>
    T *widget(const QString &name) const
    {
        T *w = view->findChild<T *>(name);
        EXPECT_NE(w, nullptr) << qPrintable(name);
        return w;
    }
    QTableWidget *table(const char *name) const { return widget<QTableWidget>(QLatin1String(name)); }
    static QString text(QTableWidget *t, int row, int column)
    {
        const QTableWidgetItem *item = t->item(row, column);
        return item ? item->text() : QStringLiteral("<none>");
    }
    static QString spoken(QTableWidget *t, int row, int column)
    {
        const QTableWidgetItem *item = t->item(row, column);
        return item ? item->data(Qt::AccessibleTextRole).toString() : QString();
    }
    static int rowOf(QTableWidget *t, const QString &name, int column)
    {
        for (int r = 0; r < t->rowCount(); ++r) {
            if (text(t, r, column) == name)
                return r;
        }
        return -1;
    }
    void click(QTableWidget *t, int row, int column)
    {
        const QRect cell = t->visualItemRect(t->item(row, column));
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, cell.center());
    }

    BonusMalus bonusMalus{};
    RankingHistory history;
    int historyReads = 0;
    QWidget window;
    int windowEscapes = 0;
    std::unique_ptr<StatisticsView> view;
};

TEST_F(StatisticsViewTest, FormMarksAreColouredWithTheNewestOnTheRight)
{
    view->showPage(StatisticsView::Page::Form);
    QTableWidget *form = table("TableForm");
    ASSERT_EQ(form->columnCount(), 7); // team, five marks, points
    EXPECT_EQ(text(form, 0, 0), QStringLiteral("Alpha"));
    // Alpha's three matches fill the last three mark columns: V, N, D.
    EXPECT_EQ(text(form, 0, 1), QString());
    EXPECT_EQ(text(form, 0, 3), QStringLiteral("V"));
    EXPECT_EQ(text(form, 0, 4), QStringLiteral("N"));
    EXPECT_EQ(text(form, 0, 5), QStringLiteral("D"));
    EXPECT_EQ(text(form, 0, 6), QStringLiteral("4"));
    EXPECT_EQ(form->item(0, 3)->background().color(), QColor(statisticscells::Won));
    EXPECT_EQ(form->item(0, 5)->background().color(), QColor(statisticscells::Lost));
    EXPECT_EQ(spoken(form, 0, 5), QStringLiteral("Alpha, journée 20 : défaite 0-3 contre Delta, à domicile"));

    // Up to match day 19 and the last two matches only.
    widget<QSpinBox>(QStringLiteral("SpinStatsMatchDay"))->setValue(19);
    widget<QSpinBox>(QStringLiteral("SpinLast"))->setValue(2);
    ASSERT_EQ(form->columnCount(), 4);
    const int alpha = rowOf(form, QStringLiteral("Alpha"), 0);
    EXPECT_EQ(text(form, alpha, 1), QStringLiteral("V"));
    EXPECT_EQ(text(form, alpha, 2), QStringLiteral("N"));
    EXPECT_EQ(text(form, alpha, 3), QStringLiteral("4"));
    // The half-entered score gives Echo no mark.
    const int echo = rowOf(form, QStringLiteral("Echo"), 0);
    EXPECT_EQ(text(form, echo, 2), QString());
    EXPECT_EQ(spoken(form, echo, 2), QStringLiteral("Echo : pas de match"));
}

TEST_F(StatisticsViewTest, TablesFollowTheVenueAndTheRangeChoices)
{
    view->showPage(StatisticsView::Page::Tables);
    QTableWidget *range = table("TableRange");
    EXPECT_EQ(range->horizontalHeaderItem(9)->text(), QStringLiteral("Diff"));
    EXPECT_EQ(text(range, 0, 1), QStringLiteral("Alpha"));
    // Alpha leads with the main table's first zone colour.
    EXPECT_EQ(range->item(0, 1)->background().color(), QColor(0x97, 0xDE, 0xFF));
    EXPECT_EQ(spoken(range, 0, 1).left(22), QStringLiteral("Rang 1, Alpha, 4 point"));
    EXPECT_EQ(text(range, 19, 1), QStringLiteral("Bravo")); // last: lost 0-2
    EXPECT_EQ(range->item(19, 1)->background().color(), QColor(0xFF, 0x80, 0x80));

    // Its points leave the adjustments out, and say so; the tip of the points
    // gives the total with them.
    EXPECT_TRUE(
        widget<QLabel>(QStringLiteral("LabRangeNote"))->text().contains(QStringLiteral("sans les bonus - malus")));
    bonusMalus[0] = -3;
    view->refresh();
    EXPECT_EQ(text(range, 0, 2), QStringLiteral("4"));
    EXPECT_TRUE(range->item(0, 2)->toolTip().endsWith(QStringLiteral("avec les bonus - malus : 1")))
        << range->item(0, 2)->toolTip().toStdString();

    QTest::mouseClick(widget<QRadioButton>(QStringLiteral("RadioAway")), Qt::LeftButton);
    EXPECT_EQ(text(range, 0, 1), QStringLiteral("Delta")); // won 3-0 away
    EXPECT_EQ(text(range, 1, 1), QStringLiteral("Alpha")); // drew 1-1 away
    EXPECT_EQ(text(range, 1, 2), QStringLiteral("1"));
    // The zones belong to the general table only.
    EXPECT_EQ(range->item(0, 1)->background().color(), QColor(Qt::white));
    EXPECT_FALSE(range->item(1, 2)->toolTip().contains(QStringLiteral("bonus")));

    QTest::mouseClick(widget<QRadioButton>(QStringLiteral("RadioAll")), Qt::LeftButton);
    QTest::mouseClick(widget<QPushButton>(QStringLiteral("BtSecondHalf")), Qt::LeftButton);
    EXPECT_EQ(widget<QSpinBox>(QStringLiteral("SpinFrom"))->value(), 20);
    EXPECT_EQ(widget<QSpinBox>(QStringLiteral("SpinTo"))->value(), 38);
    EXPECT_EQ(text(range, 0, 1), QStringLiteral("Delta"));
    EXPECT_EQ(text(range, 19, 1), QStringLiteral("Alpha"));

    QTest::mouseClick(widget<QPushButton>(QStringLiteral("BtFirstHalf")), Qt::LeftButton);
    EXPECT_EQ(widget<QSpinBox>(QStringLiteral("SpinTo"))->value(), 19);
    EXPECT_EQ(text(range, 0, 1), QStringLiteral("Alpha"));
    EXPECT_EQ(text(range, 0, 2), QStringLiteral("4"));
    EXPECT_EQ(range->item(0, 1)->background().color(), QColor(Qt::white)); // half a season

    // The view opened on the match days played: the tables count those, zones and all.
    view->setMatchDay(17);
    EXPECT_EQ(widget<QSpinBox>(QStringLiteral("SpinFrom"))->value(), 1);
    EXPECT_EQ(widget<QSpinBox>(QStringLiteral("SpinTo"))->value(), 17);
    EXPECT_EQ(range->item(0, 1)->background().color(), QColor(0x97, 0xDE, 0xFF));

    // A start after the end pulls the end along: a range of one match day.
    widget<QSpinBox>(QStringLiteral("SpinFrom"))->setValue(20);
    EXPECT_EQ(widget<QSpinBox>(QStringLiteral("SpinTo"))->value(), 20);
    EXPECT_EQ(text(range, 0, 1), QStringLiteral("Delta"));
}

TEST_F(StatisticsViewTest, MatrixCellAsksForItsMatchDayByMouseAndKeyboard)
{
    view->showPage(StatisticsView::Page::Matrix);
    QTableWidget *matrix = table("TableMatrix");
    QSignalSpy asked(view.get(), &StatisticsView::matchDayRequested);
    EXPECT_EQ(text(matrix, 0, 1), QStringLiteral("2-0"));
    EXPECT_EQ(text(matrix, 0, 0), QStringLiteral("X"));
    EXPECT_EQ(spoken(matrix, 0, 1), QStringLiteral("Alpha - Bravo : 2-0, journée 1"));

    click(matrix, 0, 1);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked.at(0).at(0).toInt(), 1);
    click(matrix, 0, 0); // the diagonal names no fixture
    EXPECT_EQ(asked.size(), 1);

    // An empty cell opens the match day the calendar gives the pair.
    matrix->setFocus();
    matrix->setCurrentCell(1, 2);
    QTest::keyClick(matrix, Qt::Key_Return);
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked.at(1).at(0).toInt(), builder.matchDayOf(QChar('B'), QChar('C')));
    EXPECT_TRUE(spoken(matrix, 1, 2).startsWith(QStringLiteral("Bravo - Charlie : pas de résultat")));
}

TEST_F(StatisticsViewTest, RunsShowCurrentAndLongest)
{
    view->showPage(StatisticsView::Page::Runs);
    QTableWidget *runs = table("TableRuns");
    const int alpha = rowOf(runs, QStringLiteral("Alpha"), 0);
    ASSERT_GE(alpha, 0);
    EXPECT_EQ(text(runs, alpha, 1), QStringLiteral("0 / 1")); // wins
    EXPECT_EQ(text(runs, alpha, 2), QStringLiteral("0 / 2")); // unbeaten, broken by the last match
    EXPECT_EQ(text(runs, alpha, 4), QStringLiteral("2 / 2")); // without a win, up to the last match
    EXPECT_EQ(spoken(runs, alpha, 4), QStringLiteral("Alpha, sans victoire : série en cours 2, plus longue 2"));
}

TEST_F(StatisticsViewTest, ChartComparesChosenTeamsFromTheGraphHistory)
{
    EXPECT_EQ(historyReads, 0); // read when its page shows
    view->showPage(StatisticsView::Page::Evolution);
    EXPECT_EQ(historyReads, 1);
    auto *chart = widget<RankEvolutionChart>(QStringLiteral("ChartEvolution"));
    // The leader and the second of the main table to begin with (the main
    // table counts Echo's half-entered score as a win).
    ASSERT_EQ(chart->series().size(), 2u);
    EXPECT_EQ(chart->series()[0].name, QStringLiteral("Alpha"));
    EXPECT_EQ(chart->series()[1].name, QStringLiteral("Echo"));
    // After match day 1 Alpha leads and Echo does not: rank 1 is drawn on top.
    EXPECT_EQ(chart->series()[0].ranks[0], 1);
    EXPECT_GT(chart->series()[1].ranks[0], 1);
    EXPECT_LT(chart->pointAt(0, 1).y(), chart->pointAt(1, 1).y());

    QComboBox *third = nullptr;
    for (QComboBox *combo : view->findChildren<QComboBox *>(QStringLiteral("ComboTeam"))) {
        if (combo->property("index").toInt() == 2)
            third = combo;
    }
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->currentText(), QStringLiteral("Aucune"));
    third->setFocus();
    third->setCurrentIndex(third->findText(QStringLiteral("Bravo")));
    emit third->activated(third->currentIndex());
    ASSERT_EQ(chart->series().size(), 3u);
    EXPECT_EQ(chart->series()[2].name, QStringLiteral("Bravo"));
    EXPECT_TRUE(chart->accessibleDescription().startsWith(QStringLiteral("Alpha : 1, ")));

    // The chart runs to the latest match day known of any chosen team, not
    // to that of the first, the last or the shortest.
    RankingHistory partial;
    for (MatchDayNo day = 1; day <= 5; ++day) {
        RankingHistory::Order order;
        for (int r = 0; r < TeamCount; ++r)
            order[r] = season.teamName(r);
        order[1] = day > 2 ? QString() : order[1]; // Bravo known to match day 2
        order[2] = day > 3 ? QString() : order[2]; // Charlie to match day 3
        partial.set(day, order);
    }
    StatisticsView other({season, *store, bonusMalus, [&partial]() -> const RankingHistory & { return partial; }},
                         &window);
    other.show();
    other.showPage(StatisticsView::Page::Evolution);
    const QStringList chosen = {"Bravo", "Alpha", "Charlie", "Aucune"};
    for (QComboBox *combo : other.findChildren<QComboBox *>(QStringLiteral("ComboTeam"))) {
        combo->setCurrentIndex(combo->findText(chosen.value(combo->property("index").toInt())));
        emit combo->activated(combo->currentIndex());
    }
    EXPECT_EQ(other.findChild<RankEvolutionChart *>()->accessibleDescription(),
              QStringLiteral("Bravo : 2, 2, -, -, - ; Alpha : 1, 1, 1, 1, 1 ; Charlie : 3, 3, 3, -, -"));
}

TEST_F(StatisticsViewTest, ResultsSavedElsewhereShowAtOnce)
{
    view->showPage(StatisticsView::Page::Tables);
    QTableWidget *range = table("TableRange");
    MatchRecord record = MatchRecord::fromText(QStringLiteral("G|0|0|5|0|0|0|H"));
    ASSERT_TRUE(store->saveResults(store->stamp(), {{Season::fixtureKey(4, 0), record}}));
    EXPECT_EQ(text(range, 1, 1), QStringLiteral("Golf")); // 3 points, 5 goals ahead
}

TEST_F(StatisticsViewTest, TabWalksTheChoicesAndEscapeCloses)
{
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    view->showPage(StatisticsView::Page::Tables);
    // The tables have their own range: the match day of the other pages is out of reach.
    EXPECT_FALSE(widget<QSpinBox>(QStringLiteral("SpinStatsMatchDay"))->isEnabled());
    widget<QPushButton>(QStringLiteral("BtStatsClose"))->setFocus(Qt::TabFocusReason);
    const QStringList expected = {"TabStats",    "RadioAll",     "SpinFrom",   "SpinTo",
                                  "BtFirstHalf", "BtSecondHalf", "TableRange", "BtStatsClose"};
    for (const QString &name : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        // The tab bar is Qt's own part of the tab widget.
        const QString got = focused->objectName().startsWith(QLatin1String("qt_")) && focused->parentWidget()
                                ? focused->parentWidget()->objectName()
                                : focused->objectName();
        EXPECT_EQ(got, name);
    }

    // Escape in an open team list closes the list only.
    QSignalSpy closed(view.get(), &StatisticsView::closed);
    view->showPage(StatisticsView::Page::Evolution);
    auto *list = widget<QComboBox>(QStringLiteral("ComboTeam"));
    list->setFocus(Qt::TabFocusReason);
    list->showPopup();
    ASSERT_TRUE(list->view()->isVisible());
    // As the window system delivers it: to the list's own window.
    QTest::keyClick(list->view()->window()->windowHandle(), Qt::Key_Escape);
    EXPECT_FALSE(list->view()->isVisible());
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(closed.size(), 0);
    EXPECT_EQ(windowEscapes, 0);

    // A second Escape, in the list closed, closes the view.
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_EQ(closed.size(), 1);
    EXPECT_FALSE(view->isVisible());
    // The key was the view's: the window's own Escape did not run as well.
    EXPECT_EQ(windowEscapes, 0);
}

TEST_F(StatisticsViewTest, NamesLookingLikeMarkupAreShownAsTheyStand)
{
    QStringList names = SeasonBuilder::defaultNames();
    names[0] = QStringLiteral("<b>Alpha</b>");
    builder = SeasonBuilder(names);
    load(ResultsBuilder().result(Season::fixtureKey(1, 0), 'A', "2", "0", 'B'));
    StatisticsView other({season, *store, bonusMalus, {}}, &window);
    other.showPage(StatisticsView::Page::Matrix);
    other.show();
    auto *matrix = other.findChild<QTableWidget *>(QStringLiteral("TableMatrix"));
    ASSERT_NE(matrix, nullptr);
    QTextDocument tip;
    tip.setHtml(matrix->item(0, 1)->toolTip());
    EXPECT_EQ(tip.toPlainText(), QStringLiteral("<b>Alpha</b> - Bravo : 2-0, journée 1"));
}

} // namespace
