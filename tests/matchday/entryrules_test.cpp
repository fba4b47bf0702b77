#include "matchday/core/entryrules.h"

#include <gtest/gtest.h>

using namespace entry;

TEST(EntryRules, NamesColouredByTheScoreAsItIsTyped)
{
    // 2 typed at home, the away box still empty: the home side leads.
    ScoreLook look = scoreLook(QStringLiteral("2"), QString());
    EXPECT_EQ(look.home, (NameLook{colour::Winner, true}));
    EXPECT_EQ(look.away, (NameLook{colour::Loser, false}));
    // Then 2 away: a draw.
    look = scoreLook(QStringLiteral("2"), QStringLiteral("2"));
    EXPECT_EQ(look.home, (NameLook{colour::Draw, true}));
    EXPECT_EQ(look.away, (NameLook{colour::Draw, true}));
    // 0 alone in the away box is level with the empty home box.
    look = scoreLook(QString(), QStringLiteral("0"));
    EXPECT_EQ(look.home, (NameLook{colour::Draw, false}));
    EXPECT_EQ(look.away, (NameLook{colour::Draw, true}));
    // Nothing typed: neutral.
    look = scoreLook(QString(), QString());
    EXPECT_EQ(look.home, (NameLook{colour::Neutral, false}));
    EXPECT_EQ(look.away, (NameLook{colour::Neutral, false}));
    // Text counts by its leading number.
    look = scoreLook(QStringLiteral("-"), QStringLiteral(" 1"));
    EXPECT_EQ(look.away.colour, colour::Winner);
    look = scoreLook(QStringLiteral("x"), QStringLiteral("0"));
    EXPECT_EQ(look.home.colour, colour::Draw);
}

TEST(EntryRules, CardCountsKeepOneCharacter)
{
    EXPECT_EQ(cutCardCount(QStringLiteral("12")), QStringLiteral("1"));
    EXPECT_EQ(cutCardCount(QStringLiteral(" 3")), QStringLiteral(" 3"));
    EXPECT_EQ(cutCardCount(QStringLiteral("3 ")), QStringLiteral("3 "));
    EXPECT_EQ(cutCardCount(QStringLiteral("7")), QStringLiteral("7"));
    EXPECT_EQ(cutCardCount(QString()), QString());
    // The first character of the untrimmed text, as the box always cut it.
    EXPECT_EQ(cutCardCount(QStringLiteral(" 12")), QStringLiteral(" "));
}

TEST(EntryRules, CardBoxesAtRestAndOpen)
{
    CardLayout rest = restingCards({QString(), QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("1")}, true);
    EXPECT_EQ(rest.homeYellowLeft, HomeRedSlot);
    EXPECT_EQ(rest.awayYellowLeft, AwayYellowSlot);
    EXPECT_FALSE(rest.homeRedShown);
    EXPECT_TRUE(rest.homeYellowShown && rest.awayYellowShown && rest.awayRedShown);
    rest = restingCards({QStringLiteral("1"), QStringLiteral("2"), QString(), QString()}, false);
    EXPECT_FALSE(rest.homeRedShown || rest.homeYellowShown);
    EXPECT_EQ(rest.awayYellowLeft, AwayRedSlot);

    const CardLayout open = openCards();
    EXPECT_EQ(open.homeYellowLeft, HomeYellowSlot);
    EXPECT_EQ(open.awayYellowLeft, AwayYellowSlot);
    EXPECT_TRUE(open.homeRedShown && open.homeYellowShown && open.awayYellowShown && open.awayRedShown);
}

TEST(EntryRules, RecordTakesTheBoxesAsTyped)
{
    const MatchRecord record = recordOf(QLatin1Char('C'), {QString(), QString(), QString(), QString()},
                                        QStringLiteral("2"), QString(), QLatin1Char('H'));
    EXPECT_EQ(record.toText(), QStringLiteral("C|||2||||H"));
    const MatchRecord full = recordOf(
        QLatin1Char('A'), {QStringLiteral("1"), QStringLiteral(" 2"), QStringLiteral("3"), QStringLiteral("0")},
        QStringLiteral(" 1"), QStringLiteral("-"), QLatin1Char('B'));
    EXPECT_EQ(full.toText(), QStringLiteral("A|1| 2| 1|-|3|0|B"));
}
