#include "shell/core/startuprules.h"

#include <gtest/gtest.h>

using namespace startup;

namespace {
const QDate LastMatchDay(2014, 5, 17);
const QDateTime Now(QDate(2013, 12, 6), QTime(20, 0)); // a Friday
} // namespace

TEST(StaleDataOffer, OnlyPastTenDaysAndBeforeTheLastMatchDay)
{
    EXPECT_FALSE(staleDataOfferDue(Now, Now.addDays(-10), LastMatchDay));
    EXPECT_TRUE(staleDataOfferDue(Now, Now.addDays(-11), LastMatchDay));
    EXPECT_TRUE(staleDataOfferDue(Now, Now.addDays(-10).addSecs(-60), LastMatchDay));
    // No store at all counts as old.
    EXPECT_TRUE(staleDataOfferDue(Now, std::nullopt, LastMatchDay));
    // Once the season's last match day has come, nothing is offered.
    const QDateTime after(QDate(2014, 5, 20), QTime(9, 0));
    EXPECT_FALSE(staleDataOfferDue(after, after.addDays(-40), LastMatchDay));
    EXPECT_FALSE(staleDataOfferDue(after, std::nullopt, LastMatchDay));
    // A season without a last date cannot say it is still running.
    EXPECT_FALSE(staleDataOfferDue(Now, std::nullopt, QDate()));
}

TEST(StaleDataOffer, QuestionReadsAsOneFrenchTextWithoutOuterBreaks)
{
    const QString text = staleDataQuestion();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Les données enregistrées sur cet ordinateur")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("''Mise à jour''.")));
    EXPECT_EQ(text.count(QStringLiteral("\r\n")), 4);
    EXPECT_EQ(staleDataTitle(), QStringLiteral("Mise à jour"));
}

TEST(DonorsRefresh, FridayOnlyAndAtMostOnceADay)
{
    EXPECT_TRUE(donorsRefreshDue(Now, QStringLiteral("-")));
    EXPECT_FALSE(donorsRefreshDue(Now, dateTimeText(Now.addSecs(-2 * 3600))));
    EXPECT_TRUE(donorsRefreshDue(Now, dateTimeText(Now.addDays(-3))));
    EXPECT_FALSE(donorsRefreshDue(Now.addDays(1), QStringLiteral("-"))); // Saturday
    // Garbage in the setting cannot prove a recent fetch.
    EXPECT_TRUE(donorsRefreshDue(Now, QStringLiteral("pas une date")));
}

TEST(DateTimeText, ReadsBackToTheSecond)
{
    const QDateTime moment(QDate(2014, 2, 28), QTime(23, 59, 58));
    EXPECT_EQ(parseDateTime(dateTimeText(moment)), moment);
    EXPECT_EQ(parseDateTime(QStringLiteral("2014-02-28T23:59:58")), moment);
    EXPECT_FALSE(parseDateTime(QString()).has_value());
}
