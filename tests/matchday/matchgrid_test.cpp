#include "matchday/ui/matchgrid.h"

#include "matchday/ui/gridbox.h"

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

QColor rgb(quint32 value)
{
    return QColor::fromRgb(QRgb(0xFF000000u | value));
}

GridRow fixture(const QString &key, QChar home, QChar away)
{
    GridRow row;
    row.fixtureKey = key;
    row.homeLetter = home;
    row.awayLetter = away;
    row.homeName = QStringLiteral("Equipe ") + home;
    row.awayName = QStringLiteral("Equipe ") + away;
    return row;
}

class MatchGridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid.showRows({fixture(QStringLiteral("0500"), QLatin1Char('C'), QLatin1Char('H')),
                       fixture(QStringLiteral("0501"), QLatin1Char('A'), QLatin1Char('B'))});
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }
    const MatchGrid::Row &row(int k) const { return grid.row(k); }
    static QColor textColour(QWidget *w) { return w->palette().color(QPalette::Text); }

    MatchGrid grid;
};

} // namespace

TEST_F(MatchGridTest, RowsBelowTheViewAreEmptiedAndHidden)
{
    EXPECT_EQ(grid.shownRowCount(), 2);
    EXPECT_TRUE(row(0).t1->isVisible());
    EXPECT_FALSE(row(2).t1->isVisible());
    grid.showRows({fixture(QStringLiteral("0900"), QLatin1Char('D'), QLatin1Char('E'))});
    EXPECT_TRUE(row(1).nm->text().isEmpty());
    EXPECT_TRUE(row(1).t1->text().isEmpty());
    EXPECT_FALSE(row(1).r1->isVisible());
    EXPECT_EQ(grid.typedRows().size(), 1);
}

TEST_F(MatchGridTest, ALongNameIsElidedAtItsEndWithTheWholeNameInItsToolTip)
{
    GridRow long_ = fixture(QStringLiteral("0500"), QLatin1Char('C'), QLatin1Char('H'));
    long_.homeName = QStringLiteral("Olympique Vaubriac de la Haute Vallée");
    grid.showRows({long_});
    GridBox *name = row(0).t1;
    // The box keeps the whole name for the hover, the marks and screen readers.
    EXPECT_EQ(name->text(), long_.homeName);
    const QString shown = name->shownText();
    ASSERT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
    EXPECT_TRUE(long_.homeName.startsWith(shown.chopped(1)));
    EXPECT_LE(name->fontMetrics().horizontalAdvance(shown), name->width());
    EXPECT_EQ(name->toolTip(), long_.homeName);
    // A name that fits shows whole.
    EXPECT_EQ(row(0).t2->shownText(), QStringLiteral("Equipe H"));

    // The longest names of the bundled season take the card slots beside
    // them while those show no box, and keep clear of the boxes once shown.
    GridRow bundled = fixture(QStringLiteral("0500"), QLatin1Char('F'), QLatin1Char('G'));
    bundled.homeName = QStringLiteral("Olympique Vaubriac");
    bundled.awayName = QStringLiteral("Olympique Vaubriac");
    for (const bool bold : {false, true}) {
        bundled.homeLook.bold = bundled.awayLook.bold = bold;
        grid.showRows({bundled});
        EXPECT_EQ(row(0).t1->shownText(), bundled.homeName) << bold;
        EXPECT_EQ(row(0).t2->shownText(), bundled.awayName) << bold;
    }
    QTest::mouseClick(row(0).r1, Qt::LeftButton);
    EXPECT_LT(row(0).cj1->geometry().right(), row(0).t1->x());
    EXPECT_LT(row(0).t2->geometry().right(), row(0).cj2->x());
    EXPECT_EQ(row(0).t1->geometry().right(), row(0).r1->x() - 2);

    // A name that looks like markup shows in its tool tip as it is written.
    long_.awayName = QStringLiteral("<b>AS</b> Gras");
    grid.showRows({long_});
    QTextDocument tip;
    tip.setHtml(row(0).t2->toolTip());
    EXPECT_EQ(tip.toPlainText(), long_.awayName);
}

TEST_F(MatchGridTest, TypingColoursTheNamesAndAsksForValidation)
{
    QSignalSpy edited(&grid, &MatchGrid::edited);
    QTest::keyClicks(row(0).r1, QStringLiteral("2"));
    EXPECT_EQ(textColour(row(0).t1), rgb(entry::colour::Winner));
    EXPECT_EQ(textColour(row(0).t2), rgb(entry::colour::Loser));
    EXPECT_TRUE(row(0).t1->font().bold());
    EXPECT_FALSE(row(0).t2->font().bold());
    EXPECT_EQ(edited.count(), 1);

    QTest::keyClicks(row(0).r2, QStringLiteral("2"));
    EXPECT_EQ(textColour(row(0).t1), rgb(entry::colour::Draw));
    EXPECT_EQ(textColour(row(0).t2), rgb(entry::colour::Draw));
    EXPECT_TRUE(row(0).t2->font().bold());

    // 0 alone in the away box of the other row.
    QTest::keyClicks(row(1).r2, QStringLiteral("0"));
    EXPECT_EQ(textColour(row(1).t1), rgb(entry::colour::Draw));
    EXPECT_FALSE(row(1).t1->font().bold());
    EXPECT_TRUE(row(1).t2->font().bold());
}

TEST_F(MatchGridTest, CardCountsAreCutToOneCharacter)
{
    QTest::mouseClick(row(0).r1, Qt::LeftButton);
    QTest::keyClicks(row(0).cj1, QStringLiteral("12"));
    EXPECT_EQ(row(0).cj1->text(), QStringLiteral("1"));
    QTest::keyClicks(row(0).cr2, QStringLiteral(" 3"));
    EXPECT_EQ(row(0).cr2->text(), QStringLiteral(" 3"));
    // A "|" would break the stored record: the box refuses it.
    QTest::keyClicks(row(0).r2, QStringLiteral("|"));
    EXPECT_TRUE(row(0).r2->text().isEmpty());
}

TEST_F(MatchGridTest, ClickInAScoreOpensTheCardBoxesAtTheirSlots)
{
    GridRow yellowOnly = fixture(QStringLiteral("0500"), QLatin1Char('C'), QLatin1Char('H'));
    yellowOnly.homeGoals = QStringLiteral("12");
    yellowOnly.awayGoals = QStringLiteral("0");
    yellowOnly.cards.homeYellow = QStringLiteral("2");
    yellowOnly.cardLayout = entry::restingCards(yellowOnly.cards, true);
    grid.showRows({yellowOnly});
    EXPECT_EQ(row(0).cj1->x(), row(0).cr1->x()); // the yellow card in the outer slot
    EXPECT_FALSE(row(0).cr1->isVisible());

    QTest::mouseClick(row(0).r2, Qt::LeftButton);
    for (GridBox *card : {row(0).cr1, row(0).cj1, row(0).cj2, row(0).cr2})
        EXPECT_TRUE(card->isVisible());
    EXPECT_GT(row(0).cj1->x(), row(0).cr1->x());
    EXPECT_GT(row(0).cr2->x(), row(0).cj2->x());

    QTest::mouseClick(row(0).r1, Qt::LeftButton, {}, QPoint(2, 4));
    EXPECT_EQ(row(0).r1->selectedText(), QStringLiteral("12"));
    QTest::keyClicks(row(0).r1, QStringLiteral("3"));
    EXPECT_EQ(row(0).r1->text(), QStringLiteral("3"));

    // After a save the boxes rest again, shown when they hold something.
    grid.layCardsAtRest();
    EXPECT_TRUE(row(0).cj1->isVisible());
    EXPECT_FALSE(row(0).cr1->isVisible());
    EXPECT_FALSE(row(0).cj2->isVisible());
    EXPECT_EQ(row(0).cj1->x(), row(0).cr1->x());
}

TEST_F(MatchGridTest, TabWalksARowInReadingOrderThenTheNextRow)
{
    // The card boxes are closed: Tab opens them on the way.
    row(0).r1->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), row(0).r1);
    ASSERT_FALSE(row(1).cr1->isVisible());
    const QList<QWidget *> forward = {row(0).r2, row(0).cj2, row(0).cr2, row(1).cr1, row(1).cj1, row(1).r1,
                                      row(1).r2, row(1).cj2, row(1).cr2, row(0).cr1, row(0).cj1, row(0).r1};
    for (QWidget *expected : forward) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), expected)
            << expected->objectName().toStdString() << " " << expected->property("index").toInt();
        EXPECT_TRUE(expected->isVisible());
    }
    // Shift+Tab goes back across the rows.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), row(0).cj1);
    row(0).cr1->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), row(1).cr2);
    row(1).cr1->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), row(0).cr2);
}

TEST_F(MatchGridTest, EnterAsksForASaveAndTypedRowsKeepTheBoxesAsTyped)
{
    QSignalSpy enter(&grid, &MatchGrid::enterPressed);
    QTest::keyClicks(row(0).r1, QStringLiteral("2"));
    QTest::keyClick(row(0).r1, Qt::Key_Return);
    QTest::keyClick(row(1).cj2, Qt::Key_Enter);
    EXPECT_EQ(enter.count(), 2);

    const auto typed = grid.typedRows();
    ASSERT_EQ(typed.size(), 2);
    EXPECT_EQ(typed[0].first, QStringLiteral("0500"));
    EXPECT_EQ(typed[0].second.toText(), QStringLiteral("C|||2||||H"));
    EXPECT_EQ(typed[1].second.toText(), QStringLiteral("A|||||||B"));
}

TEST_F(MatchGridTest, HoverNamesTheTeamAndSecondTeamMarkMoves)
{
    QSignalSpy hovered(&grid, &MatchGrid::teamHovered);
    QTest::mouseMove(row(1).t2);
    QTest::mouseMove(row(0).r1);
    ASSERT_EQ(hovered.count(), 2);
    EXPECT_EQ(hovered[0][0].toString(), QStringLiteral("Equipe B"));
    EXPECT_TRUE(hovered[0][1].toBool());
    EXPECT_EQ(hovered[1][0].toString(), QStringLiteral("Equipe C"));
    EXPECT_FALSE(hovered[1][1].toBool());

    const QColor second = rgb(entry::colour::SecondTeam);
    grid.markSecondTeam(QStringLiteral("Equipe H"));
    EXPECT_EQ(row(0).t2->palette().color(QPalette::Base), second);
    grid.markSecondTeam(QStringLiteral("Equipe A"));
    EXPECT_EQ(row(0).t2->palette().color(QPalette::Base), rgb(entry::colour::White));
    EXPECT_EQ(row(1).t1->palette().color(QPalette::Base), second);
}
