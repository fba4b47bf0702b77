#include "online/core/updaterules.h"
#include "online/core/versioncheck.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace updaterules;

namespace {
QByteArray sampleStore()
{
    QFile f(QStringLiteral(KESTRANE_SAMPLE_DATA "/Resultats2013.ini"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

TEST(StoreCheck, AcceptsWholeStoresWithTheStampAndVersionOfASend)
{
    ASSERT_FALSE(sampleStore().isEmpty());
    EXPECT_EQ(storeProblem(sampleStore()), QString());
    // Published before the first match day: no result yet, still a store.
    EXPECT_EQ(storeProblem("[Maj]\r\nMaj=\r\n[CV]\r\nCV=1.3\r\n"), QString());
    // Comments, blank lines, LF or CR line ends, case of the names, a byte order mark.
    EXPECT_EQ(storeProblem("; publié le soir\n\n[bonmal]\nC=-2\n[MAJ]\nmaj=05 déc. 21:30\n[cv]\nCv=1.3\n"), QString());
    EXPECT_EQ(storeProblem("[Texte]\rTexte=Bonjour\r[Maj]\rMaj=\r[CV]\rCV=-\r"), QString());
    EXPECT_EQ(storeProblem("\xEF\xBB\xBF[Resultats]\r\n0100=A|0|1|2|1|3|1|B\r\n[Maj]\r\nMaj=\r\n[CV]\r\nCV=1.3\r\n"),
              QString());
    // As large as a store may be, to the byte.
    QByteArray largest = "[Maj]\r\nMaj=\r\n[CV]\r\nCV=1.3\r\n";
    largest += QByteArray(MaxStoreBytes - largest.size() - 2, ';') + "\r\n";
    ASSERT_EQ(largest.size(), 1024 * 1024);
    EXPECT_EQ(storeProblem(largest), QString());
}

TEST(StoreCheck, RefusesAnswersThatAreNotStores)
{
    EXPECT_NE(storeProblem(""), QString());
    EXPECT_NE(storeProblem(" \r\n\r\n"), QString());
    EXPECT_NE(storeProblem("<!DOCTYPE html>\n<html><head><title>Erreur</title></head></html>\n"), QString());
    // An error page that happens to carry store sections is still not a store.
    EXPECT_NE(storeProblem("[Maj]\r\nMaj=\r\n[CV]\r\nCV=1.3\r\n<p>Service indisponible</p>\r\n"), QString());
    // INI text of some other file.
    EXPECT_NE(storeProblem("[Autre]\r\nx=1\r\n"), QString());
    // The stamp and the version under other sections are not theirs.
    EXPECT_NE(storeProblem("[Maj]\r\nMaj=\r\nCV=1.3\r\n"), QString());
    EXPECT_NE(storeProblem("[Resultats]\r\nMaj=05 déc. 21:30\r\n[CV]\r\nCV=1.3\r\n"), QString());
    EXPECT_NE(storeProblem("0100=A|0|1|2|1|3|1|B\r\n"), QString());
    EXPECT_NE(storeProblem("[Resultats\r\n0100=A|0|1|2|1|3|1|B\r\n[Maj]\r\nMaj=\r\n[CV]\r\nCV=1.3\r\n"), QString());
    EXPECT_NE(storeProblem("[Resultats]\r\n=valeur sans clé\r\n[Maj]\r\nMaj=\r\n[CV]\r\nCV=1.3\r\n"), QString());
    // Too large, however well formed.
    QByteArray big = "[Maj]\r\nMaj=\r\n[CV]\r\nCV=1.3\r\n";
    while (big.size() <= MaxStoreBytes)
        big += "; ligne de remplissage pour dépasser la taille d'un fichier de résultats\r\n";
    EXPECT_NE(storeProblem(big), QString());
}

TEST(StoreCheck, RefusesAStoreCutShort)
{
    const QByteArray whole = sampleStore();
    ASSERT_TRUE(whole.endsWith("[CV]\r\nCV=1.3\r\n"));
    // Cut at a line break half-way: sound lines, but neither stamp nor version.
    const qsizetype half = whole.indexOf("\r\n", whole.size() / 2) + 2;
    EXPECT_NE(storeProblem(whole.first(half)), QString());
    // Cut inside a record line.
    EXPECT_NE(storeProblem("[Resultats]\r\n0504=O|0|1|2|1|3|1|N\r\n0505=P|1|"), QString());
    // Cut inside the last line, or at the break just before it.
    EXPECT_NE(storeProblem(whole.chopped(3)), QString());
    EXPECT_NE(storeProblem(whole.chopped(8)), QString());
    // Without the stamp or the version every send writes.
    EXPECT_NE(storeProblem("[Resultats]\r\n0100=A|0|1|2|1|3|1|B\r\n[Maj]\r\nMaj=05 déc. 21:30\r\n"), QString());
    EXPECT_NE(storeProblem("[Resultats]\r\n"), QString());
}

TEST(UpdateThrottle, RestsForOneMinute)
{
    const QDateTime now(QDate(2013, 12, 5), QTime(20, 0));
    EXPECT_FALSE(throttled(QDateTime(), now)); // the first update of a run always goes
    EXPECT_TRUE(throttled(now.addSecs(-30), now));
    EXPECT_TRUE(throttled(now.addMSecs(-59999), now));
    EXPECT_FALSE(throttled(now.addSecs(-60), now));
    EXPECT_FALSE(throttled(now.addDays(-1), now));
}

TEST(UpdateStamp, ColourTellsOlderNewerOrSame)
{
    const QDateTime before(QDate(2013, 12, 1), QTime(22, 47));
    EXPECT_EQ(updateStampColour(before, before.addSecs(60)), StampColour::Green);
    EXPECT_EQ(updateStampColour(before, before.addSecs(-60)), StampColour::Red);
    EXPECT_EQ(updateStampColour(before, before), StampColour::Grey);
    EXPECT_EQ(updateStampColour(std::nullopt, before), std::nullopt);
    EXPECT_EQ(updateStampColour(before, std::nullopt), std::nullopt);
    EXPECT_EQ(rgb(StampColour::Red), 0xFF0000u);
    EXPECT_EQ(rgb(StampColour::Green), 0x00C000u);
    EXPECT_EQ(rgb(StampColour::Grey), 0x646464u);
}

TEST(UpdateAddresses, FixedPathOnTheConfiguredServer)
{
    EXPECT_EQ(storeUrl(QStringLiteral("http://127.0.0.1:8080")).toString(),
              QStringLiteral("http://127.0.0.1:8080/Kestrane2013/Resultats2013.ini"));
}

TEST(VersionCheck, OffersOnlyANewerThreeCharacterVersion)
{
    // This program as version 1.3.
    EXPECT_TRUE(versioncheck::offerDue(QStringLiteral("1.4"), 1, 3));
    EXPECT_FALSE(versioncheck::offerDue(QStringLiteral("1.3"), 1, 3));
    EXPECT_FALSE(versioncheck::offerDue(QStringLiteral("1.2"), 1, 3));
    EXPECT_TRUE(versioncheck::offerDue(QStringLiteral("2-0"), 1, 3)); // any middle character
    EXPECT_EQ(versioncheck::publishedTenths(QStringLiteral("2-0")), 20);
    EXPECT_FALSE(versioncheck::offerDue(QStringLiteral("1.10"), 1, 3)); // four characters: not a version
    EXPECT_FALSE(versioncheck::offerDue(QStringLiteral("-"), 1, 3));
    EXPECT_FALSE(versioncheck::offerDue(QString(), 1, 3));
    EXPECT_FALSE(versioncheck::offerDue(QStringLiteral("a.b"), 1, 3));
    EXPECT_TRUE(versioncheck::offerDue(QStringLiteral("0.9"), 0, 8));
}

TEST(VersionCheck, QuestionAndTitle)
{
    EXPECT_EQ(versioncheck::question(),
              QStringLiteral("Une version plus récente du logiciel est disponible, voulez vous la télécharger ?"));
    EXPECT_EQ(versioncheck::title(QStringLiteral("Kestrane1"), QStringLiteral("1.4")),
              QStringLiteral("Kestrane1 Version 1.4"));
}
