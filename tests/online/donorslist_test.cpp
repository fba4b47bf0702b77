#include "online/core/donorslist.h"
#include "online/core/donorsticker.h"

#include <gtest/gtest.h>

using namespace donorslist;

TEST(DonorsList, PlainLinesShowFromTheirSeventhCharacter)
{
    EXPECT_EQ(shownName(QStringLiteral("000001Jean Dupont")), QStringLiteral("Jean Dupont"));
    EXPECT_EQ(shownName(QStringLiteral("000002  Marie/n Curie/n  ")), QStringLiteral("Marie Curie"));
    EXPECT_EQ(shownName(QStringLiteral("0003")), QString());
}

TEST(DonorsList, LinkLinesShowTheirTextMarked)
{
    EXPECT_EQ(shownName(QStringLiteral("000003<a href=\"http://exemple.fr\"> Garage Martin </a>")),
              QStringLiteral("Garage Martin$"));
    // The ">" taken is the first one from the 15th character on.
    EXPECT_EQ(shownName(QStringLiteral("P<b>x</b><a href=\"http://ex.fr\" target=\"_blank\">Boulangerie</a>")),
              QStringLiteral("Boulangerie$"));
    // A link without its closing tag runs to the end of the line.
    EXPECT_EQ(shownName(QStringLiteral("000004<a href=\"http://ex.fr\">Café du Port")),
              QStringLiteral("Café du Port$"));
    // A link that leaves no text shows nothing.
    EXPECT_EQ(shownName(QStringLiteral("000005<a href=\"http://ex.fr\"></a>")), QString());
}

TEST(DonorsList, FileInOrderWithoutBlankEntries)
{
    const QByteArray file = "000001Alice\r\n"
                            "\r\n"
                            "000002<a href=\"http://partenaire.fr\">Bob SARL</a>\r\n"
                            "000003\r\n"
                            "000004Ch\xE9rie\n" // Windows-1252
                            "000005Dani\xe8le"; // no final line break
    EXPECT_EQ(parse(file), (QStringList{QStringLiteral("Alice"), QStringLiteral("Bob SARL$"), QStringLiteral("Chérie"),
                                        QStringLiteral("Danièle")}));
    EXPECT_EQ(parse("\xEF\xBB\xBF"
                    "000001\xC3\x89mile\r\n"),
              QStringList{QStringLiteral("Émile")});
    EXPECT_TRUE(parse("").isEmpty());
}

TEST(DonorsList, LocalCopyIsFreshForHalfADay)
{
    const QDateTime now(QDate(2013, 12, 6), QTime(9, 0));
    EXPECT_TRUE(copyIsFresh(now.addSecs(-6 * 3600), now));
    EXPECT_FALSE(copyIsFresh(now.addSecs(-13 * 3600), now));
    EXPECT_FALSE(copyIsFresh(now.addSecs(-12 * 3600), now));
    EXPECT_FALSE(copyIsFresh(std::nullopt, now));
}

TEST(DonorsList, ServerAnswersThatAreNotAList)
{
    EXPECT_EQ(listProblem(""), QString()); // an empty list
    EXPECT_EQ(listProblem("000001Alice\r\n000002<a href=\"x\">Bob</a>\r\n"), QString());
    EXPECT_NE(listProblem("\r\n<!DOCTYPE html><html><body>404</body></html>"), QString());
    EXPECT_NE(listProblem("<HTML><body>Erreur</body></HTML>"), QString());
    EXPECT_NE(listProblem(QByteArray(1024 * 1024 + 1, 'a')), QString());
    EXPECT_EQ(listUrl(QStringLiteral("http://h")).toString(), QStringLiteral("http://h/Kestrane2013/don.K1"));
}

TEST(DonorsTicker, TurnsRoundTheListTellingMarkedNames)
{
    DonorsTicker ticker;
    EXPECT_FALSE(ticker.next());
    ticker.setNames({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C$")});
    QStringList shown;
    QList<bool> marks;
    for (int i = 0; i < 4; ++i) {
        const auto entry = ticker.next();
        ASSERT_TRUE(entry);
        shown << entry->name;
        marks << entry->marked;
    }
    EXPECT_EQ(shown, (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("A")}));
    EXPECT_EQ(marks, (QList<bool>{false, false, true, false}));
    EXPECT_EQ(ticker.position(), 1);

    // A reloaded list goes on from where the ticker stood; a shorter one starts again.
    ticker.next();
    ticker.next();
    ticker.setNames({QStringLiteral("X"), QStringLiteral("Y")});
    EXPECT_EQ(ticker.next()->name, QStringLiteral("X"));
    EXPECT_EQ(ticker.next()->name, QStringLiteral("Y"));
    EXPECT_EQ(ticker.next()->name, QStringLiteral("X"));
}
