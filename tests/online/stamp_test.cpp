#include "online/core/stamp.h"

#include <gtest/gtest.h>

TEST(Stamp, DayFrenchShortMonthAndTime)
{
    EXPECT_EQ(stamp::format(QDateTime(QDate(2013, 12, 5), QTime(20, 7))), QStringLiteral("05 déc. 20:07"));
    EXPECT_EQ(stamp::format(QDateTime(QDate(2014, 3, 1), QTime(9, 0))), QStringLiteral("01 mars 09:00"));
    EXPECT_EQ(stamp::format(QDateTime(QDate(2013, 8, 31), QTime(23, 59))), QStringLiteral("31 août 23:59"));
}

TEST(Stamp, EveryMonthReadsBack)
{
    for (int month = 1; month <= 12; ++month) {
        const QDateTime moment(QDate(2014, month, 28), QTime(month, 5 * month % 60));
        const std::optional<QDateTime> back = stamp::parse(stamp::format(moment), 2014);
        ASSERT_TRUE(back.has_value()) << stamp::format(moment).toStdString();
        EXPECT_EQ(*back, moment);
    }
}

TEST(Stamp, OtherSpellingsOfTheMonthAndJunk)
{
    const QDateTime expected(QDate(2013, 12, 5), QTime(20, 0));
    for (const char *text : {"05 déc 20:00", "5 DEC. 20:00", "05 décembre 20:00", " 05  dec  20:00 "})
        EXPECT_EQ(stamp::parse(QString::fromUtf8(text), 2013), expected) << text;
    EXPECT_EQ(stamp::parse(QStringLiteral("12 juil. 08:30"), 2014), QDateTime(QDate(2014, 7, 12), QTime(8, 30)));
    EXPECT_EQ(stamp::parse(QStringLiteral("12 juin 08:30"), 2014), QDateTime(QDate(2014, 6, 12), QTime(8, 30)));
    for (const char *text : {"", "-", "12 ju 08:30", "31 févr. 10:00", "05 déc. 25:00", "05 xyz 10:00",
                             "05 déc. 10:00 extra", "déc. 05 10:00"})
        EXPECT_FALSE(stamp::parse(QString::fromUtf8(text), 2014).has_value()) << text;
}
