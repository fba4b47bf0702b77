// Publishing end to end: the league's Apache started through scripts/serve.sh,
// the built sending tool Porvex and the built program, as a league runs them.
#include "publishingfixture.h"
#include "slowrelay.h"

#include "online/core/storemerge.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRegularExpression>

#include <vector>

TEST_F(Publishing, AVolunteersSendReachesAFollowersUpdateAndStandings)
{
    // The volunteer's folder comes from the server by an ordinary update.
    Folder volunteer(sample("Resultats2013.ini"));
    Outcome run = kestrane(volunteer, {QStringLiteral("--server"), server.address(), QStringLiteral("--update")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(volunteer.kept(), published);
    volunteer.type(QStringLiteral("3800"), QStringLiteral("K|0|1|4|0|2|1|B"));

    run = porvex(volunteer, server.address());
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("Résultats publiés.\n"));
    EXPECT_EQ(resultIn(server.published(), "3800"), QStringLiteral("K|0|1|4|0|2|1|B"));
    EXPECT_EQ(volunteer.kept(), server.published());
    EXPECT_EQ(volunteer.store(), server.published());

    // The site shows it already: the very pages the program writes from the
    // volunteer's store, which is now the published one.
    QTemporaryDir pages;
    const QString mine = pages.filePath(QStringLiteral("site"));
    ASSERT_EQ(kestrane(volunteer, {QStringLiteral("--export-site"), mine}).status, 0);
    for (const char *page : {"index.html", "journee-38.html", "donnees/saison.json"}) {
        QNetworkAccessManager network;
        QNetworkRequest request(QUrl(server.address() + QStringLiteral("/Kestrane2013/site/") + QLatin1String(page)));
        QNetworkReply *reply = network.get(request);
        ASSERT_TRUE(QTest::qWaitFor([&] { return reply->isFinished(); }, 20000));
        EXPECT_EQ(reply->readAll(), ApacheServer::read(mine + QLatin1Char('/') + QLatin1String(page))) << page;
        delete reply;
    }

    Folder follower(published);
    const Outcome before = kestrane(follower, {QStringLiteral("--print-standings")});
    const QStringList update = {QStringLiteral("--server"), server.address(), QStringLiteral("--update")};
    run = kestrane(follower, update);
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("1 nouveau résultat"))) << run.out.toStdString();
    const Outcome after = kestrane(follower, {QStringLiteral("--print-standings")});
    EXPECT_NE(after.out, before.out);
    EXPECT_EQ(after.out, kestrane(volunteer, {QStringLiteral("--print-standings")}).out);

    // Nothing new since: Apache answers 304, a few hundred bytes in all, and
    // the store stays byte for byte.
    const QByteArray updated = follower.store();
    run = kestrane(follower, update);
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("Résultats déjà à jour.\n"));
    EXPECT_EQ(follower.store(), updated);
    const QList<QByteArray> log = ApacheServer::read(server.runFolder() + QStringLiteral("/access.log")).split('\n');
    const QList<QByteArray> last = log.value(log.size() - 2).split(' '); // "... 304 - IN OUT"
    ASSERT_GE(last.size(), 3);
    EXPECT_EQ(last[last.size() - 4], QByteArray("304")) << log.join('\n').constData();
    EXPECT_LT(last[last.size() - 2].toInt() + last.last().toInt(), 1024) << log.join('\n').constData();
}

TEST_F(Publishing, AWrongPasswordPublishesNothing)
{
    const auto folder = volunteer();
    folder->type(QStringLiteral("3800"), QStringLiteral("K|0|0|1|0|0|0|B"));
    const QByteArray typed = folder->store();
    const Outcome run = porvex(*folder, server.address(), {}, QStringLiteral("faux"));
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Nom ou mot de passe refusé par le serveur"))) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(server.published(), published);
    EXPECT_EQ(folder->store(), typed);
    EXPECT_EQ(folder->kept(), published);
}

TEST_F(Publishing, TwoVolunteersWithDifferentResultsAreBothPublished)
{
    const auto first = volunteer();
    const auto second = volunteer();
    first->type(QStringLiteral("3800"), QStringLiteral("K|0|1|4|0|2|1|B"));
    second->type(QStringLiteral("3801"), QStringLiteral("C|0|0|0|0|1|0|P"));
    ASSERT_EQ(porvex(*first, server.address()).status, 0);
    const Outcome run = porvex(*second, server.address());
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("Résultats publiés. 1 résultat reçu d'autres bénévoles.\n"));
    for (const QByteArray &store : {server.published(), second->store()}) {
        EXPECT_EQ(resultIn(store, "3800"), QStringLiteral("K|0|1|4|0|2|1|B"));
        EXPECT_EQ(resultIn(store, "3801"), QStringLiteral("C|0|0|0|0|1|0|P"));
    }
    // The first gets the second's result at its next send, with nothing to upload.
    const Outcome again = porvex(*first, server.address());
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(resultIn(first->store(), "3801"), QStringLiteral("C|0|0|0|0|1|0|P"));
}

TEST_F(Publishing, AConflictPublishesNothingUntilTheVolunteerDecides)
{
    const auto first = volunteer();
    const auto second = volunteer();
    first->type(QStringLiteral("3800"), QStringLiteral("K|0|1|2|1|0|0|B"));
    first->type(QStringLiteral("3802"), QStringLiteral("H|0|0|3|3|0|0|N"));
    ASSERT_EQ(porvex(*first, server.address()).status, 0);
    const QByteArray afterFirst = server.published();

    // The second typed the same match otherwise, and another one.
    second->type(QStringLiteral("3800"), QStringLiteral("K|0|1|1|1|0|0|B"));
    second->type(QStringLiteral("3801"), QStringLiteral("C|0|0|0|2|0|0|P"));
    const QByteArray typed = second->store();
    Outcome run = porvex(*second, server.address());
    EXPECT_EQ(run.status, 3);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Rien n'est publié"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral(" : serveur 2-1, jaunes 1-0, rouges 0-0, ici 1-1, jaunes 1-0, "
                                                "rouges 0-0")))
        << run.err.toStdString();
    EXPECT_EQ(server.published(), afterFirst);
    EXPECT_EQ(second->store(), typed);

    run = porvex(*second, server.address(), {QStringLiteral("--on-conflict"), QStringLiteral("mine")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QByteArray now = server.published();
    EXPECT_EQ(resultIn(now, "3800"), QStringLiteral("K|0|1|1|1|0|0|B"));
    EXPECT_EQ(resultIn(now, "3801"), QStringLiteral("C|0|0|0|2|0|0|P"));
    EXPECT_EQ(resultIn(now, "3802"), QStringLiteral("H|0|0|3|3|0|0|N"));
    // A usage error says so and sends nothing.
    EXPECT_EQ(porvex(*second, server.address(), {QStringLiteral("--on-conflict"), QStringLiteral("moi")}).status, 2);
}

TEST_F(Publishing, FourSendersAtOnceFiveRoundsEachLoseNothing)
{
    std::vector<std::unique_ptr<Folder>> senders;
    for (int i = 0; i < 4; ++i)
        senders.push_back(volunteer());
    // Sender i types, in round r, the result of fixture 2r + i/2 of match
    // day 37 + i%2: twenty fixtures in all, each typed by one sender.
    const auto keyOf = [](int sender, int round) {
        return QStringLiteral("%1%2").arg(37 + sender % 2).arg(2 * round + sender / 2, 2, 10, QLatin1Char('0'));
    };
    const auto recordOf = [](int sender, int round) {
        return QStringLiteral("A|0|0|%1|%2|0|0|B").arg(sender).arg(round);
    };
    for (int round = 0; round < 5; ++round) {
        std::vector<std::unique_ptr<QProcess>> running;
        for (int i = 0; i < 4; ++i) {
            senders[i]->type(keyOf(i, round), recordOf(i, round));
            running.push_back(startPorvex(*senders[i], server.address()));
        }
        for (int i = 0; i < 4; ++i) {
            const Outcome run = finished(*running[i]);
            EXPECT_EQ(run.status, 0) << "sender " << i << ", round " << round << ": " << run.err.toStdString();
        }
    }
    const QByteArray final = server.published();
    for (int i = 0; i < 4; ++i) {
        for (int round = 0; round < 5; ++round)
            EXPECT_EQ(resultIn(final, keyOf(i, round)), recordOf(i, round)) << keyOf(i, round).toStdString();
    }
    // Nothing of the season before them was lost either.
    EXPECT_EQ(resultIn(final, "3609"), resultIn(published, "3609"));
}

TEST_F(Publishing, ASendKilledMidUploadLeavesTheStoreWholeEverywhere)
{
    const auto folder = volunteer();
    folder->type(QStringLiteral("3800"), QStringLiteral("K|0|1|4|0|2|1|B"));
    const QByteArray typed = folder->store();

    // A slow link: about 13 KB a second, so the upload of the store takes
    // most of a second and the tool can be killed in the middle of it.
    SlowRelay link(server.port(), 256, 20);
    std::unique_ptr<QProcess> send = startPorvex(*folder, link.address());
    ASSERT_TRUE(QTest::qWaitFor([&] { return link.uploadedBodyBytes() >= 2048; }, 20000));
    // The server is writing its hidden copy of the upload.
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.uploadCopies().size() == 1; }, 5000));
    send->kill();
    EXPECT_EQ(finished(*send).status, -1);
    EXPECT_LT(link.uploadedBodyBytes(), typed.size());

    // The server drops the half upload; followers never saw it.
    EXPECT_TRUE(QTest::qWaitFor([&] { return server.uploadCopies().isEmpty(); }, 10000))
        << server.uploadCopies().join(' ').toStdString();
    EXPECT_EQ(server.published(), published);
    EXPECT_EQ(folder->store(), typed);
    EXPECT_EQ(folder->kept(), published);

    // The next send goes through.
    const Outcome run = porvex(*folder, server.address());
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(resultIn(server.published(), "3800"), QStringLiteral("K|0|1|4|0|2|1|B"));
}

TEST_F(Publishing, APasswordNeverGoesInClearToAnotherMachine)
{
    const auto folder = volunteer();
    folder->type(QStringLiteral("3800"), QStringLiteral("K|0|1|4|0|2|1|B"));
    const Outcome run = porvex(*folder, QStringLiteral("http://ligue.example"));
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("n'est pas chiffré")) && run.err.contains(QStringLiteral("https://"))
                && run.err.contains(QStringLiteral("Data/EnvoiNonChiffre=1"))
                && run.err.contains(QStringLiteral("--allow-http")))
        << run.err.toStdString();
    EXPECT_EQ(folder->kept(), published);
}

TEST_F(Publishing, EveryVersionIsKeptAndJournalledAndOneCanBePutBackDuringASend)
{
    // A league that kept a thousand versions already.
    ASSERT_TRUE(QDir().mkpath(server.historyFolder()));
    for (int i = 0; i < 1000; ++i) {
        ApacheServer::write(server.historyFolder()
                                + QStringLiteral("/Resultats2013-20130801T%1Z-avant-x.ini").arg(i, 6, 10, QChar('0')),
                            "x");
    }
    // Alice corrects a published result.
    const auto alice = volunteer();
    const QString corrected = QStringLiteral("A|0|0|9|9|0|0|B");
    alice->type(QStringLiteral("3609"), corrected);
    ASSERT_EQ(porvex(*alice, server.address()).status, 0);
    const QByteArray afterAlice = server.published();
    QStringList kept = server.keptVersions();
    EXPECT_EQ(kept.size(), 1000);
    EXPECT_FALSE(kept.contains(QStringLiteral("Resultats2013-20130801T000000Z-avant-x.ini")));
    const QString replaced = kept.last();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Resultats2013-\\d{8}T\\d{6}Z-avant-alice\\.ini$"))
                    .match(replaced)
                    .hasMatch())
        << replaced.toStdString();
    EXPECT_EQ(ApacheServer::read(server.historyFolder() + '/' + replaced), published);
    QStringList journal = server.journal();
    ASSERT_EQ(journal.size(), 1);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ accepté alice avant=%1 "
                                                  "après=%2 octets=%3 résultats=%4 modifiés=1 gardé=%5$")
                                       .arg(QRegularExpression::escape(versionOf(published)),
                                            QRegularExpression::escape(versionOf(afterAlice)))
                                       .arg(afterAlice.size())
                                       .arg(storemerge::results(afterAlice).size())
                                       .arg(QRegularExpression::escape(replaced)))
                    .match(journal[0])
                    .hasMatch())
        << journal[0].toStdString();
    // The access log names her too, and her name and password went only
    // once the server had asked for them.
    QList<QByteArray> puts;
    for (const QByteArray &line : ApacheServer::read(server.runFolder() + QStringLiteral("/access.log")).split('\n')) {
        if (line.contains("\"PUT /Kestrane2013/Resultats2013.ini"))
            puts << line;
    }
    ASSERT_EQ(puts.size(), 2);
    EXPECT_TRUE(puts[0].contains(" - [") && puts[0].contains("\" 401 ")) << puts[0].constData();
    EXPECT_TRUE(puts[1].contains(" alice [") && puts[1].contains("\" 200 ")) << puts[1].constData();

    // Bob sends while the league's author puts back the version before
    // Alice's correction: one after the other, in either order.
    const auto bob = volunteer();
    bob->type(QStringLiteral("3801"), QStringLiteral("C|0|0|0|2|0|0|P"));
    std::unique_ptr<QProcess> send = startPorvex(*bob, server.address());
    QProcess restore;
    QProcessEnvironment env = environment({}, {});
    env.insert(QStringLiteral("KESTRANE_PROGRAM"), QStringLiteral(KESTRANE_PROGRAM));
    restore.setProcessEnvironment(env);
    restore.start(serverScript("retablir.sh"), {server.root(), replaced});
    const Outcome sent = finished(*send);
    const Outcome restored = finished(restore);
    EXPECT_EQ(sent.status, 0) << sent.err.toStdString();
    EXPECT_EQ(restored.status, 0) << restored.err.toStdString();
    EXPECT_EQ(resultIn(server.published(), "3609"), resultIn(published, "3609"));

    // Each publication started from the one before it, and the last is what
    // is published.
    journal = server.journal();
    const QStringList publications = journal.filter(QRegularExpression(QStringLiteral(" (accepté|rétabli) ")));
    ASSERT_EQ(publications.size(), 3) << journal.join('\n').toStdString();
    EXPECT_EQ(journal
                  .filter(QRegularExpression(
                      QStringLiteral(" rétabli retablir:\\S+ .* depuis=%1$").arg(QRegularExpression::escape(replaced))))
                  .size(),
              1)
        << journal.join('\n').toStdString();
    const QRegularExpression versions(QStringLiteral(" avant=(\\S+) après=(\\S+) "));
    for (qsizetype i = 1; i < publications.size(); ++i) {
        EXPECT_EQ(versions.match(publications[i]).captured(1), versions.match(publications[i - 1]).captured(2))
            << publications.join('\n').toStdString();
    }
    EXPECT_EQ(versions.match(publications.last()).captured(2).toUtf8(), versionOf(server.published()));
    EXPECT_EQ(server.keptVersions().size(), 1000);

    // What is not a store is not put back, and the refusal is journalled.
    const QByteArray before = server.published();
    ApacheServer::write(server.historyFolder() + QStringLiteral("/page.html"), "<html></html>\n");
    restore.start(serverScript("retablir.sh"), {server.root(), QStringLiteral("page.html")});
    const Outcome refused = finished(restore);
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("n'est pas un fichier de résultats"))) << refused.err.toStdString();
    EXPECT_EQ(server.published(), before);
    EXPECT_TRUE(server.journal().last().contains(QStringLiteral(" refusé retablir:"))) << journal.last().toStdString();
}
