#include "matchday/ui/monthcalendarview.h"

#include <QCheckBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class MonthCalendarViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        view.showMonths(buildMonthLabels(QDate(2013, 8, 10), QDateTime(QDate(2013, 12, 5), QTime(20, 0))));
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }
    QList<QLabel *> lines() const
    {
        QList<QLabel *> found = view.findChildren<QLabel *>(QStringLiteral("Label2"));
        std::sort(found.begin(), found.end(),
                  [](QLabel *a, QLabel *b) { return a->property("index").toInt() < b->property("index").toInt(); });
        return found;
    }
    static QList<CalendarLine> someLines(int count)
    {
        QList<CalendarLine> list;
        for (int i = 0; i < count; ++i)
            list.append({10 + i, QStringLiteral("Journée %1 : 0%2 oct.").arg(10 + i).arg(i + 1), CalendarComing});
        return list;
    }

    MonthCalendarView view;
};

} // namespace

TEST_F(MonthCalendarViewTest, FiveLinesAtMostAndLeftoversHidden)
{
    ASSERT_EQ(lines().size(), CalendarLineCount);
    EXPECT_EQ(view.listedMonth(), 11); // matches no month before the first preview
    view.listMatchDays(2, someLines(7));
    EXPECT_EQ(view.listedMonth(), 2);
    for (QLabel *line : lines())
        EXPECT_TRUE(line->isVisible());
    view.listMatchDays(3, someLines(2));
    EXPECT_TRUE(lines()[1]->isVisible());
    EXPECT_FALSE(lines()[2]->isVisible());
    EXPECT_TRUE(lines()[2]->text().isEmpty());
    EXPECT_EQ(lines()[0]->palette().color(QPalette::WindowText), QColor(0x00, 0x00, 0xC0));
}

TEST_F(MonthCalendarViewTest, MonthClickLocksReachingALineUnlocksLineClickOpens)
{
    QSignalSpy hovered(&view, &MonthCalendarView::monthHovered);
    QSignalSpy opened(&view, &MonthCalendarView::matchDayClicked);
    QTest::mouseMove(view.label(3));
    ASSERT_EQ(hovered.count(), 1);
    EXPECT_EQ(hovered[0][0].toInt(), 3);

    view.listMatchDays(3, someLines(3));
    QTest::mouseClick(view.label(3), Qt::LeftButton);
    EXPECT_TRUE(view.locked());
    EXPECT_TRUE(view.findChild<QCheckBox *>(QStringLiteral("Check1"))->isChecked());

    QTest::mouseMove(lines()[1]);
    EXPECT_FALSE(view.locked());
    QTest::mouseClick(lines()[1], Qt::LeftButton);
    ASSERT_EQ(opened.count(), 1);
    EXPECT_EQ(opened[0][0].toInt(), 11); // the line's tag 10, plus one
}
