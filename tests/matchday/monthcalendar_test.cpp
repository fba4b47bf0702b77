#include "matchday/core/monthcalendar.h"

#include <gtest/gtest.h>

namespace {
const QDate FirstMatchDay(2013, 8, 10);
}

TEST(MonthLabels, TenMonthsSteppedByThirtyDaysWithFrenchCaptions)
{
    const auto labels = buildMonthLabels(FirstMatchDay, QDateTime(QDate(2013, 7, 1), QTime(12, 0)));
    EXPECT_EQ(labels[0].date, FirstMatchDay);
    EXPECT_EQ(labels[0].caption, QStringLiteral("Août 2013"));
    EXPECT_EQ(labels[1].caption, QStringLiteral("Septembre 2013"));
    EXPECT_EQ(labels[4].caption, QStringLiteral("Décembre 2013"));
    EXPECT_EQ(labels[5].caption, QStringLiteral("Janvier 2014"));
    EXPECT_EQ(labels[9].caption, QStringLiteral("Mai 2014"));
    EXPECT_EQ(labels[9].date, FirstMatchDay.addDays(270));
    for (const MonthLabel &label : labels)
        EXPECT_FALSE(label.past) << label.caption.toStdString();
}

TEST(MonthLabels, PastMonthsGreenCurrentAndComingYellow)
{
    const auto labels = buildMonthLabels(FirstMatchDay, QDateTime(QDate(2013, 12, 6), QTime(20, 0)));
    EXPECT_TRUE(labels[0].past);  // août
    EXPECT_TRUE(labels[3].past);  // novembre
    EXPECT_FALSE(labels[4].past); // décembre, the current month
    EXPECT_FALSE(labels[5].past);
}

TEST(MonthLabels, NoFirstDateGivesNoLabels)
{
    const auto labels = buildMonthLabels(QDate(), QDateTime::currentDateTime());
    for (const MonthLabel &label : labels)
        EXPECT_TRUE(label.caption.isEmpty());
}

TEST(DueMatchDays, CountsDatesAlreadyPassed)
{
    QByteArray file;
    for (int d = 1; d <= MatchDayCount; ++d)
        file += QStringLiteral("JOU|%1|%2\r\n").arg(d).arg(QDate(2013, 8, 10).addDays(7 * (d - 1)).toString("dd/MM/yyyy")).toLatin1();
    const Season season = Season::fromBytes(file);
    EXPECT_EQ(season.dueMatchDays(QDateTime(QDate(2013, 8, 1), QTime(0, 0)), 40), 0);
    EXPECT_EQ(season.dueMatchDays(QDateTime(QDate(2013, 8, 10), QTime(0, 0)), 40), 1);
    EXPECT_EQ(season.dueMatchDays(QDateTime(QDate(2013, 8, 9), QTime(23, 59)), 40), 0);
    // Past the last date the count keeps what it was.
    EXPECT_EQ(season.dueMatchDays(QDateTime(QDate(2015, 1, 1), QTime(0, 0)), 40), 40);
}
