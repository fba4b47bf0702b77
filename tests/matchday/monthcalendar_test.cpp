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
        file += QStringLiteral("JOU|%1|%2\r\n")
                    .arg(d)
                    .arg(QDate(2013, 8, 10).addDays(7 * (d - 1)).toString("dd/MM/yyyy"))
                    .toLatin1();
    const Season season = Season::fromBytes(file);
    EXPECT_EQ(season.dueMatchDays(QDateTime(QDate(2013, 8, 1), QTime(0, 0)), 40), 0);
    EXPECT_EQ(season.dueMatchDays(QDateTime(QDate(2013, 8, 10), QTime(0, 0)), 40), 1);
    EXPECT_EQ(season.dueMatchDays(QDateTime(QDate(2013, 8, 9), QTime(23, 59)), 40), 0);
    // Past the last date the count keeps what it was.
    EXPECT_EQ(season.dueMatchDays(QDateTime(QDate(2015, 1, 1), QTime(0, 0)), 40), 40);
}

TEST(CalendarLines, MatchDaysOfTheMonthColouredAroundToday)
{
    QByteArray file;
    for (int d = 1; d <= MatchDayCount; ++d)
        file += QStringLiteral("JOU|%1|%2\r\n")
                    .arg(d)
                    .arg(FirstMatchDay.addDays(7 * (d - 1)).toString("dd/MM/yyyy"))
                    .toLatin1();
    const Season season = Season::fromBytes(file);

    // August 2013: 10, 17, 24 and 31; "now" on the 17th in the evening.
    const QDateTime now(QDate(2013, 8, 17), QTime(20, 0));
    const QList<CalendarLine> lines = calendarLines(season, QDate(2013, 8, 20), now);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0].text, QStringLiteral("Journée 1 : 10 août"));
    EXPECT_EQ(lines[0].day, 1);
    EXPECT_EQ(lines[0].colour, CalendarPast);
    EXPECT_EQ(lines[1].colour, CalendarToday); // the day itself, though its midnight is past
    EXPECT_EQ(lines[2].colour, CalendarComing);
    EXPECT_EQ(lines[3].text, QStringLiteral("Journée 4 : 31 août"));

    const QList<CalendarLine> december = calendarLines(season, QDate(2013, 12, 1), now);
    ASSERT_FALSE(december.isEmpty());
    EXPECT_EQ(december[0].text, QStringLiteral("Journée 18 : 07 déc."));
    EXPECT_TRUE(calendarLines(season, QDate(2015, 1, 1), QDateTime::currentDateTime()).isEmpty());
}

TEST(CalendarLines, AMonthOfSixMatchDaysListsTheFirstFive)
{
    // Six midweek and weekend rounds in March 2014.
    QByteArray file;
    const QList<int> marchDays = {1, 5, 8, 12, 15, 22};
    for (int i = 0; i < marchDays.size(); ++i)
        file += QStringLiteral("JOU|%1|%2/03/2014\r\n").arg(i + 1).arg(marchDays[i], 2, 10, QLatin1Char('0')).toUtf8();
    const Season season = Season::fromBytes(file);
    const QList<CalendarLine> lines = calendarLines(season, QDate(2014, 3, 1), QDateTime(QDate(2014, 2, 1), {}));
    ASSERT_EQ(lines.size(), CalendarLineCount);
    EXPECT_EQ(lines.last().day, 5);
    EXPECT_EQ(calendarLines(season, QDate(2014, 3, 1), QDateTime(), 10).size(), 6);
}

TEST(CalendarLines, MonthPreviewedAtStartUp)
{
    const auto labels = buildMonthLabels(FirstMatchDay, QDateTime(QDate(2013, 12, 5), QTime(20, 0)));
    EXPECT_EQ(monthToPreview(labels, QDateTime(QDate(2013, 12, 5), QTime(20, 0))), 4);
    // Before the season in the same year: the first month.
    EXPECT_EQ(monthToPreview(labels, QDateTime(QDate(2013, 7, 2), QTime(9, 0))), 0);
    // After it: none.
    EXPECT_EQ(monthToPreview(labels, QDateTime(QDate(2014, 7, 2), QTime(9, 0))), std::nullopt);
}
