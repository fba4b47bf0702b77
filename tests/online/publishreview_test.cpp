#include "online/core/publishreview.h"

#include "online/core/exportdata.h"
#include "season/core/inifile.h"

#include "seasonbuilder.h"

#include <gtest/gtest.h>

namespace {

class PublishReviewTest : public ::testing::Test
{
protected:
    // The store the program started with: two results, an adjustment, news and version.
    ResultsBuilder atStart() const
    {
        return ResultsBuilder()
            .result(key(1, 0), QLatin1Char('T'), QStringLiteral("1"), QStringLiteral("0"), QLatin1Char('A'))
            .result(key(1, 1), QLatin1Char('B'), QStringLiteral("2"), QStringLiteral("2"), QLatin1Char('S'), 0, 1, 2)
            .bonusMalus(QLatin1Char('C'), QStringLiteral("-3"))
            .stamp(QStringLiteral("01 déc. 20:00"))
            .news(QStringLiteral("Bonne saison"))
            .version(QStringLiteral("1.3"));
    }
    static QString key(int day, int index) { return Season::fixtureKey(day, index); }
    QString review(const ResultsBuilder &start, const ResultsBuilder &published) const
    {
        return publishreview::listing(season, start.bytes(), published.bytes());
    }

    SeasonBuilder builder;
    Season season = Season::fromBytes(builder.seasonFile());
};

} // namespace

TEST_F(PublishReviewTest, ListsAddedAndChangedResultsAdjustmentsNewsAndVersion)
{
    // Added on match night, with cards; a corrected score; cards corrected.
    ResultsBuilder published;
    published.result(key(2, 0), builder.codes(2)[0].at(0), QStringLiteral("3"), QStringLiteral("1"),
                     builder.codes(2)[0].at(1), 1, 2, 0, 0);
    published.result(key(1, 0), QLatin1Char('T'), QStringLiteral("2"), QStringLiteral("0"), QLatin1Char('A'));
    published.result(key(1, 1), QLatin1Char('B'), QStringLiteral("2"), QStringLiteral("2"), QLatin1Char('S'), 0, 1, 3);
    published.bonusMalus(QLatin1Char('C'), QStringLiteral("-5")).bonusMalus(QLatin1Char('D'), QStringLiteral("2"));
    published.stamp(QStringLiteral("05 déc. 22:10"))
        .news(QStringLiteral("Journee reportee"))
        .version(QStringLiteral("1.4"));

    const QString home2 = season.teamNameOfLetter(builder.codes(2)[0].at(0));
    const QString away2 = season.teamNameOfLetter(builder.codes(2)[0].at(1));
    EXPECT_EQ(review(atStart(), published),
              QStringList({
                              QStringLiteral("Le fichier envoyé différera de celui du démarrage du programme :"),
                              QString(),
                              QStringLiteral("Résultats ajoutés (1) :"),
                              QStringLiteral("  J2 %1 3-1 %2, jaunes 2-0, rouges 1-0").arg(home2, away2),
                              QStringLiteral("Résultats modifiés (2) :"),
                              QStringLiteral("  J1 Tango - Alpha : 1-0 → 2-0"),
                              QStringLiteral("  J1 Bravo - Sierra : 2-2 (jaunes 1-2, rouges 0-0) → 2-2 (jaunes 1-3, "
                                             "rouges 0-0)"),
                              QStringLiteral("Bonus - Malus (2) :"),
                              QStringLiteral("  Charlie : -3 → -5"),
                              QStringLiteral("  Delta : aucun → +2"),
                              QStringLiteral("Nouvelle : « Bonne saison » → « Journee reportee »"),
                              QStringLiteral("Version publiée : 1.3 → 1.4"),
                              QStringLiteral("Date de mise à jour publiée : 05 déc. 22:10"),
                              QString(),
                              QStringLiteral("Envoyer ce fichier ?"),
                          })
                  .join(QLatin1Char('\n')));
}

TEST_F(PublishReviewTest, RemovedResultsClearedNewsAndNothingAtAll)
{
    ResultsBuilder published;
    published.result(key(1, 1), QLatin1Char('B'), QStringLiteral("2"), QStringLiteral("2"), QLatin1Char('S'), 0, 1, 2)
        .raw(key(1, 0), MatchRecord::EmptyText)
        .bonusMalus(QLatin1Char('C'), QStringLiteral("-3"))
        .stamp(QStringLiteral("05 déc. 22:10"))
        .version(QStringLiteral("1.3"));
    const QString text = review(atStart(), published);
    EXPECT_TRUE(text.contains(QStringLiteral("Résultats retirés (1) :\n  J1 Tango - Alpha : 1-0 → non joué\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Nouvelle : « Bonne saison » → (aucune)\n"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Version")));
    EXPECT_FALSE(text.contains(QStringLiteral("Bonus")));

    // The same store apart from its stamp: nothing to review but the date.
    EXPECT_EQ(review(atStart(), atStart().stamp(QStringLiteral("05 déc. 22:10"))),
              QStringLiteral("Le fichier envoyé a les mêmes résultats, ajustements, nouvelle et version qu'au "
                             "démarrage du programme.\nDate de mise à jour publiée : 05 déc. 22:10\n\n"
                             "Envoyer ce fichier ?"));
}

TEST_F(PublishReviewTest, AResultWithoutItsAwayScoreShowsAsStoredAndCountsApart)
{
    // Typed half-way on match night: home score and cards, no away score.
    const QString code = builder.codes(18)[0];
    ResultsBuilder published = atStart();
    published.raw(key(18, 0), QStringLiteral("%1||1|2||1|3|%2").arg(code.at(0)).arg(code.at(1)))
        .result(key(1, 0), QLatin1Char('T'), QStringLiteral("1"), QString(), QLatin1Char('A'));
    const QString home = season.teamNameOfLetter(code.at(0));
    const QString away = season.teamNameOfLetter(code.at(1));
    EXPECT_EQ(review(atStart(), published),
              QStringList({
                              QStringLiteral("Le fichier envoyé différera de celui du démarrage du programme :"),
                              QString(),
                              QStringLiteral("Résultats incomplets, sans le score de l'équipe extérieure (2) :"),
                              QStringLiteral("  J1 Tango - Alpha : 1-0 → 1-?"),
                              QStringLiteral("  J18 %1 2-? %2, jaunes 1-1, rouges 0-3").arg(home, away),
                              QStringLiteral("Date de mise à jour publiée : 01 déc. 20:00"),
                              QString(),
                              QStringLiteral("Envoyer ce fichier ?"),
                          })
                  .join(QLatin1Char('\n')));

    // Completed later: the away score is a corrected score, though it is 0.
    const QString text = review(published, atStart().raw(key(1, 0), QStringLiteral("T|0|0|1|0|0|0|A")));
    EXPECT_TRUE(text.contains(QStringLiteral("Résultats modifiés (1) :\n  J1 Tango - Alpha : 1-? → 1-0\n")))
        << text.toStdString();
}

TEST_F(PublishReviewTest, AStoreThatCouldNotBeReadIsNotReviewedAsAnEmptyOne)
{
    EXPECT_EQ(review(atStart(), ResultsBuilder()).count(QStringLiteral("retirés")), 1);
    EXPECT_EQ(publishreview::listing(season, atStart().bytes(), QByteArray()),
              QStringLiteral("Les différences avec le fichier du démarrage n'ont pas pu être établies.\n\n"
                             "Envoyer ce fichier ?"));
}

TEST_F(PublishReviewTest, LongListsAreCutWithACount)
{
    ResultsBuilder published = atStart();
    for (int day = 2; day <= 3; ++day) {
        const QStringList codes = builder.codes(day);
        for (int k = 0; k < codes.size(); ++k)
            published.result(key(day, k), codes[k].at(0), QStringLiteral("1"), QStringLiteral("1"), codes[k].at(1));
    }
    const QStringList lines = review(atStart(), published).split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 16);
    EXPECT_EQ(lines[2], QStringLiteral("Résultats ajoutés (20) :"));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("  J2 ")));
    EXPECT_EQ(lines[3 + publishreview::MaxLinesPerSection], QStringLiteral("  … et 8 autres"));
}

TEST_F(PublishReviewTest, PublishedBytesHoldWhatSendingWrites)
{
    const QByteArray current = atStart().bytes();
    const QByteArray published = publishreview::publishedBytes(
        current,
        ResultStore::entriesOf(exportdata::publication(QStringLiteral("Journée reportée"), QStringLiteral("1.4"),
                                                       QDateTime(QDate(2013, 12, 5), QTime(22, 10)))));
    EXPECT_EQ(IniFile::readFrom(published, QStringLiteral("Texte"), QStringLiteral("Texte")),
              QStringLiteral("Journee reportee"));
    EXPECT_EQ(IniFile::readFrom(published, QStringLiteral("CV"), QStringLiteral("CV")), QStringLiteral("1.4"));
    EXPECT_EQ(IniFile::readFrom(published, QStringLiteral("Maj"), QStringLiteral("Maj")),
              QStringLiteral("05 déc. 22:10"));
    EXPECT_EQ(IniFile::readFrom(published, QStringLiteral("Resultats"), key(1, 1)),
              IniFile::readFrom(current, QStringLiteral("Resultats"), key(1, 1)));
}
