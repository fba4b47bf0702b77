#include "season/core/textutil.h"

#include "testfolder.h"

#include <gtest/gtest.h>

#include <QDate>

#include <limits>

using namespace text;

TEST(CapitalizeWords, CapitalisesEachWordAndLowersTheRest)
{
    EXPECT_EQ(capitalizeWords(QStringLiteral("août 2013")), QStringLiteral("Août 2013"));
    EXPECT_EQ(capitalizeWords(QStringLiteral("PARIS/lyon")), QStringLiteral("Paris / Lyon"));
    EXPECT_EQ(capitalizeWords(QStringLiteral("éVIAN thonon GAILLARD")), QStringLiteral("Évian Thonon Gaillard"));
    EXPECT_EQ(capitalizeWords(QStringLiteral("a")), QStringLiteral("A"));
    EXPECT_EQ(capitalizeWords(QString()), QString());
}

TEST(CapitalizeWords, KeepsInnerDoubleSpacesAndTrimsTheEnds)
{
    EXPECT_EQ(capitalizeWords(QStringLiteral("mars  2014")), QStringLiteral("Mars  2014"));
    EXPECT_EQ(capitalizeWords(QStringLiteral("  mars ")), QStringLiteral("Mars"));
    EXPECT_EQ(capitalizeWords(QStringLiteral("/")), QStringLiteral("/"));
}

TEST(CapitalizeWords, SpacesTheSlashesOfTheCallersText)
{
    QString text = QStringLiteral("PARIS/lyon");
    EXPECT_EQ(capitalizeWords(text), QStringLiteral("Paris / Lyon"));
    EXPECT_EQ(text, QStringLiteral("PARIS / lyon"));

    const QString constant = QStringLiteral("a/b");
    EXPECT_EQ(capitalizeWords(constant), QStringLiteral("A / B"));
    EXPECT_EQ(constant, QStringLiteral("a/b"));
}

TEST(FoldDiacritics, FoldsOnlyTheListedLowerCaseLetters)
{
    EXPECT_EQ(foldDiacritics(QStringLiteral("Élève")), QStringLiteral("Éleve"));
    EXPECT_EQ(foldDiacritics(QStringLiteral("été fêté noël ça à")), QStringLiteral("ete fete noel ca a"));
    EXPECT_EQ(foldDiacritics(QStringLiteral("âîôùûï ÈÇÀ")), QStringLiteral("âîôùûï ÈÇÀ"));
}

TEST(FileExists, CountsFilesAndFoldersOnly)
{
    TestFolder folder;
    folder.write("2013.txt", "EQU|A\r\n");
    EXPECT_TRUE(fileExists(folder.file("2013.txt")));
    EXPECT_TRUE(fileExists(folder.path()));
    EXPECT_FALSE(fileExists(folder.file("absent.txt")));
    EXPECT_FALSE(fileExists(folder.file("absent/2013.txt")));
    EXPECT_FALSE(fileExists(QString()));
}

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfTheText)
{
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("2")), 2.0);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral(" 2 ")), 2.0);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("3abc")), 3.0);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("-2.5")), -2.5);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("+4")), 4.0);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral(".5")), 0.5);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("7.")), 7.0);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("1.5.3")), 1.5);
    // A decimal comma is not part of a stored number.
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("1,5")), 1.0);
}

TEST(LeadingNumber, TextWithoutDigitsReadsZero)
{
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("-")), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber(QString()), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("abc")), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral(" - 2")), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral(".")), 0.0);
    EXPECT_EQ(leadingInt(QStringLiteral("-")), 0);
    EXPECT_EQ(leadingInt(QStringLiteral(" 12 ")), 12);
}

TEST(FrenchFormatting, UsesTheDecimalCommaWithoutGrouping)
{
    EXPECT_EQ(formatDecimal(1.75, 2), QStringLiteral("1,75"));
    EXPECT_EQ(formatDecimal(12345.5, 1), QStringLiteral("12345,5"));
    EXPECT_EQ(formatDecimal(-3, 2), QStringLiteral("-3,00"));
    EXPECT_EQ(formatDecimal(2, 0), QStringLiteral("2"));
    EXPECT_EQ(frenchLocale().toString(QDate(2013, 8, 10), QStringLiteral("MMMM yyyy")), QStringLiteral("août 2013"));
}

TEST(LeadingNumber, WholeReadingAgreesWithTheLeadingNumber)
{
    for (const char *typed :
         {"", "-", " 2 ", "\t4", "+3", "-1", "12abc", "1.9", "-1.9", ".5", "7.", "abc", "- 1", "03"})
        EXPECT_EQ(leadingInt(QString::fromLatin1(typed)), static_cast<int>(leadingNumber(QString::fromLatin1(typed))))
            << typed;
}

TEST(LeadingInt, SaturatesAtThreeDigitsInsteadOfWrapping)
{
    const QString many(400, QLatin1Char('9'));
    for (const QString &typed : {QStringLiteral("999"), QStringLiteral("1000"), QStringLiteral("2147483648"),
                                 QStringLiteral("99999999999"), QStringLiteral("4294967296abc"), many}) {
        EXPECT_EQ(leadingInt(typed), 999) << qPrintable(typed.left(20));
        EXPECT_EQ(leadingInt(QLatin1Char('-') + typed), -999) << qPrintable(typed.left(20));
        EXPECT_EQ(leadingCount(typed), 999) << qPrintable(typed.left(20));
        EXPECT_EQ(leadingCount(QLatin1Char('-') + typed), 0) << qPrintable(typed.left(20));
    }
    EXPECT_EQ(leadingInt(QStringLiteral("998")), 998);
    EXPECT_EQ(leadingInt(QStringLiteral("-2147483648")), -999);
    EXPECT_EQ(leadingInt(QStringLiteral("000000000000000000012")), 12);
}

TEST(LeadingCount, GoalsAndCardsReadZeroToTheBound)
{
    EXPECT_EQ(leadingCount(QStringLiteral(" 3 ")), 3);
    EXPECT_EQ(leadingCount(QStringLiteral("-1")), 0);
    EXPECT_EQ(leadingCount(QStringLiteral("-")), 0);
    EXPECT_EQ(leadingCount(QString()), 0);
    EXPECT_EQ(leadingCount(QStringLiteral("2.9")), 2);
    EXPECT_EQ(leadingCount(QStringLiteral("1000")), NumberLimit);
}

TEST(LeadingNumber, NumbersTooLargeForADoubleReadAsInfinities)
{
    const QString many(400, QLatin1Char('9'));
    EXPECT_EQ(leadingNumber(many), std::numeric_limits<double>::infinity());
    EXPECT_EQ(leadingNumber(QLatin1Char('-') + many + QStringLiteral(".5")), -std::numeric_limits<double>::infinity());
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("99999999999999999999")), 1e20);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("0.") + QString(400, QLatin1Char('0')) + QLatin1Char('1')), 0.0);
}

TEST(FileText, AByteOrderMarkMeansUtf8AndIsNotPartOfTheText)
{
    EXPECT_TRUE(hasUtf8Bom("\xEF\xBB\xBF"));
    EXPECT_FALSE(hasUtf8Bom("\xEF\xBB"));
    EXPECT_FALSE(hasUtf8Bom("EQU|\xEF\xBB\xBF"));
    EXPECT_EQ(withoutUtf8Bom("\xEF\xBB\xBFx"), QByteArrayView("x"));
    EXPECT_EQ(withoutUtf8Bom("x"), QByteArrayView("x"));

    EXPECT_EQ(decodeFileText("\xEF\xBB\xBF\xC3\x89t\xC3\xA9 \xE2\x82\xAC"), QStringLiteral("Été €"));
    EXPECT_EQ(decodeFileText("\xC9t\xE9 \x80"), QStringLiteral("Été €"));
    EXPECT_EQ(decodeFileText("\xEF\xBB\xBF"), QString());
    // Without the whole mark the bytes are Windows-1252 like any others.
    EXPECT_EQ(decodeFileText("\xEF\xBB"), QStringLiteral("ï»"));
}
