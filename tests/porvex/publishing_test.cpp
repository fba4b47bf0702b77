// Publishing end to end: the league's Apache started through scripts/serve.sh,
// the built sending tool Porvex and the built program, as a league runs them.
#include "apacheserver.h"
#include "slowrelay.h"

#include "online/core/publishedcopy.h"
#include "online/core/saveentries.h"
#include "online/core/storemerge.h"
#include "season/core/inifile.h"
#include "season/core/resultstore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <sys/socket.h>

namespace {

const QString User = QStringLiteral("alice");
const QString Password = QStringLiteral("mot de passe : à");

QByteArray sample(const char *name)
{
    return ApacheServer::read(QStringLiteral(KESTRANE_SAMPLE_DATA "/") + QLatin1String(name));
}

// The bundled store without its last two match days: twenty fixtures for the
// volunteers to type.
QByteArray storeBeforeTheLastTwoMatchDays()
{
    QByteArray store;
    for (const QByteArray &line : sample("Resultats2013.ini").split('\n')) {
        if (!line.startsWith("37") && !line.startsWith("38") && !line.isEmpty())
            store += line + '\n';
    }
    return store;
}

QString resultIn(const QByteArray &store, const QString &key)
{
    return IniFile::readFrom(store, QStringLiteral("Resultats"), key);
}

// The version Apache gives a file (FileETag Digest).
QByteArray versionOf(const QByteArray &store)
{
    return '"' + QCryptographicHash::hash(store, QCryptographicHash::Sha1).toBase64() + '"';
}

QString serverScript(const char *name)
{
    return QFileInfo(QStringLiteral(KESTRANE_SERVE_SCRIPT)).absolutePath() + QStringLiteral("/../server/")
           + QLatin1String(name);
}

struct Outcome
{
    int status = -1;
    QString out;
    QString err;
};

// A program folder of a volunteer or a follower.
class Folder
{
public:
    explicit Folder(const QByteArray &store)
    {
        ApacheServer::write(file(QStringLiteral("2013.txt")), sample("2013.txt"));
        ApacheServer::write(storePath(), store);
    }
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }
    QString storePath() const { return file(ResultStore::FileName); }
    QByteArray store() const { return ApacheServer::read(storePath()); }
    QByteArray kept() const { return ApacheServer::read(file(publishedcopy::FileName)); }
    // The folder last published or downloaded `store`.
    void keep(const QByteArray &store) const { ApacheServer::write(file(publishedcopy::FileName), store); }
    // A result typed in the match grid and saved, as "Valider" does.
    void type(const QString &key, const QString &record) const
    {
        ResultStore results(path());
        ASSERT_TRUE(
            saveentries::save(results, {{key, MatchRecord::fromText(record)}}, QDateTime::currentDateTime(), {}).saved);
    }

private:
    QTemporaryDir m_dir;
};

QProcessEnvironment environment(const QString &user, const QString &password)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("KESTRANE_SERVER"));
    env.remove(QStringLiteral("KESTRANE_USER"));
    env.remove(QStringLiteral("KESTRANE_PASSWORD"));
    if (!user.isEmpty())
        env.insert(QStringLiteral("KESTRANE_USER"), user);
    if (!password.isEmpty())
        env.insert(QStringLiteral("KESTRANE_PASSWORD"), password);
    return env;
}

Outcome finished(QProcess &process)
{
    // Some runs wait on a server of this test's event loop: wait without blocking it.
    EXPECT_TRUE(QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 60000));
    Outcome run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// Porvex --batch on a folder, with credentials from the environment.
std::unique_ptr<QProcess> startPorvex(const Folder &folder, const QString &server, const QStringList &more = {},
                                      const QString &password = Password)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment(User, password));
    process->start(QStringLiteral(PORVEX_PROGRAM),
                   QStringList{QStringLiteral("--data-dir"), folder.path(), QStringLiteral("--server"), server,
                               QStringLiteral("--batch")}
                       + more);
    return process;
}

Outcome porvex(const Folder &folder, const QString &server, const QStringList &more = {},
               const QString &password = Password)
{
    std::unique_ptr<QProcess> process = startPorvex(folder, server, more, password);
    return finished(*process);
}

Outcome kestrane(const Folder &folder, const QStringList &arguments)
{
    QProcess process;
    process.setProcessEnvironment(environment({}, {}));
    process.start(QStringLiteral(KESTRANE_PROGRAM),
                  QStringList{QStringLiteral("--data-dir"), folder.path()} + arguments);
    return finished(process);
}

class Publishing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        published = storeBeforeTheLastTwoMatchDays();
        server.publish(published);
        const QString volunteer = server.addVolunteer(User, Password);
        ASSERT_TRUE(volunteer.isEmpty()) << volunteer.toStdString();
        const QString started = server.start();
        ASSERT_TRUE(started.isEmpty()) << started.toStdString()
                                       << "\nApache (paquets apache2, apache2-utils) s'installe avec scripts/setup.sh.";
    }

    // A volunteer's folder that last downloaded what the server publishes now.
    std::unique_ptr<Folder> volunteer() const
    {
        auto folder = std::make_unique<Folder>(server.published());
        folder->keep(server.published());
        return folder;
    }

    ApacheServer server;
    QByteArray published;
};

} // namespace

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

    Folder follower(published);
    const Outcome before = kestrane(follower, {QStringLiteral("--print-standings")});
    run = kestrane(follower, {QStringLiteral("--server"), server.address(), QStringLiteral("--update")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("1 nouveau résultat"))) << run.out.toStdString();
    const Outcome after = kestrane(follower, {QStringLiteral("--print-standings")});
    EXPECT_NE(after.out, before.out);
    EXPECT_EQ(after.out, kestrane(volunteer, {QStringLiteral("--print-standings")}).out);
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

// The server on its own: what it lets through and what it refuses.
class LeagueServer : public Publishing
{
protected:
    struct Answer
    {
        int status = 0;
        QByteArray body;
        QByteArray etag;
        QByteArray cacheControl;
        QByteArray contentEncoding;
    };

    Answer request(const QByteArray &method, const QString &path, const QByteArray &body = {}, const QString &user = {},
                   const QString &password = {}, const QByteArray &ifMatch = {},
                   const QList<std::pair<QByteArray, QByteArray>> &headers = {})
    {
        QNetworkRequest request(QUrl(server.address() + path));
        if (!user.isEmpty())
            request.setRawHeader("Authorization", "Basic " + (user.toUtf8() + ':' + password.toUtf8()).toBase64());
        if (!ifMatch.isEmpty())
            request.setRawHeader("If-Match", ifMatch);
        for (const auto &[name, value] : headers)
            request.setRawHeader(name, value);
        QNetworkReply *reply = m_network.sendCustomRequest(request, method, body);
        EXPECT_TRUE(QTest::qWaitFor([&] { return reply->isFinished(); }, 20000));
        Answer answer{reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), reply->readAll(),
                      reply->rawHeader("ETag"), reply->rawHeader("Cache-Control"),
                      reply->rawHeader("Content-Encoding")};
        reply->deleteLater();
        return answer;
    }
    QByteArray versionNow() { return request("GET", QStringLiteral("/Kestrane2013/Resultats2013.ini")).etag; }

    QNetworkAccessManager m_network;
};

TEST_F(LeagueServer, EveryoneReadsOnlyVolunteersWriteTheStoreAndNothingElse)
{
    const QString store = QStringLiteral("/Kestrane2013/Resultats2013.ini");
    ApacheServer::write(server.root() + QStringLiteral("/Kestrane2013/don.K1"), "000000Alpha\r\n");

    Answer got = request("GET", store);
    EXPECT_EQ(got.status, 200);
    EXPECT_EQ(got.body, published);
    EXPECT_EQ(got.cacheControl, QByteArray("no-cache, no-transform"));
    const QByteArray version = got.etag;
    EXPECT_FALSE(version.isEmpty());
    EXPECT_FALSE(version.startsWith("W/"));
    EXPECT_EQ(request("GET", QStringLiteral("/Kestrane2013/don.K1")).status, 200);

    const QByteArray changed = published + "[Texte]\r\nTexte=essai\r\n";
    EXPECT_EQ(request("PUT", store, changed).status, 401);
    EXPECT_EQ(request("PUT", store, changed, User, QStringLiteral("faux")).status, 401);
    EXPECT_EQ(request("PUT", QStringLiteral("/Kestrane2013/don.K1"), changed, User, Password).status, 405);
    EXPECT_EQ(request("PUT", QStringLiteral("/Kestrane2013/autre.ini"), changed, User, Password).status, 405);
    EXPECT_EQ(request("PUT", QStringLiteral("/autre.ini"), changed, User, Password).status, 403);
    // Only the store's own address takes an upload, not what would follow its name.
    EXPECT_EQ(request("PUT", store + QStringLiteral("/x"), changed, User, Password, version).status, 405);
    // Without a precondition an upload would overwrite what others published,
    // however large the body the refusal has to pass over.
    got = request("PUT", store, changed, User, Password);
    EXPECT_EQ(got.status, 428);
    EXPECT_TRUE(got.body.startsWith("Envoi sans condition refusé")) << got.body.constData();
    EXPECT_EQ(request("PUT", store, changed + QByteArray(900 * 1024, ';'), User, Password).status, 428);
    EXPECT_EQ(server.published(), published);
    // The upload script is never reached by its own address.
    EXPECT_EQ(request("PUT", QStringLiteral("/kestrane-envoi/Kestrane2013/don.K1"), changed, User, Password).status,
              403);
    EXPECT_EQ(request("PUT", QStringLiteral("/kestrane-envoi/Kestrane2013/Resultats2013.ini"), changed, User, Password)
                  .status,
              403);
    for (const QByteArray method : {"DELETE", "MKCOL", "MOVE", "COPY", "PROPFIND", "PROPPATCH", "LOCK", "POST"})
        EXPECT_EQ(request(method, store, {}, User, Password).status, 405) << method.constData();
    EXPECT_EQ(request("TRACE", store).status, 405);
    EXPECT_EQ(request("GET", QStringLiteral("/volunteers.htpasswd")).status, 403);
    EXPECT_EQ(request("GET", QStringLiteral("/Kestrane2013/../volunteers.htpasswd")).status, 403);
    QByteArray oversized = published;
    oversized += QByteArray(1024 * 1024, ';');
    EXPECT_EQ(request("PUT", store, oversized, User, Password).status, 413);
    EXPECT_EQ(server.published(), published);

    // A volunteer's upload on the version read goes through once; the same
    // upload on that version again is refused, the file having changed.
    EXPECT_EQ(request("PUT", store, changed, User, Password, version).status, 200);
    EXPECT_EQ(server.published(), changed);
    EXPECT_EQ(request("PUT", store, published, User, Password, version).status, 412);
    EXPECT_EQ(server.published(), changed);
    got = request("GET", store);
    EXPECT_NE(got.etag, version);
    EXPECT_FALSE(got.etag.startsWith("W/")); // a strong version even right after a change
    EXPECT_EQ(request("PUT", store, published, User, Password, got.etag).status, 200);
}

TEST_F(LeagueServer, OnlyAWholeStoreThatAnUpdateWouldTakeIsPublished)
{
    const QString store = QStringLiteral("/Kestrane2013/Resultats2013.ini");
    const QByteArray version = versionNow();
    QByteArray noise(4096, '\0');
    for (qsizetype i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919 + 13) % 251);
    const struct
    {
        const char *name;
        QByteArray body;
    } refused[] = {
        {"empty", {}},
        {"a web page", "<!DOCTYPE html>\n<html><body><h1>Erreur</h1></body></html>\n"},
        {"random bytes", noise},
        {"1 MB of y", QByteArray(1000 * 1000, 'y')},
    };
    for (const auto &c : refused) {
        const Answer got = request("PUT", store, c.body, User, Password, version);
        EXPECT_EQ(got.status, 422) << c.name;
        EXPECT_TRUE(got.body.startsWith("Fichier reçu vide") || got.body.startsWith("Le fichier reçu n'est pas"))
            << c.name << ": " << got.body.constData();
    }
    EXPECT_EQ(server.published(), published);
    EXPECT_EQ(server.journal().filter(QStringLiteral(" refusé alice 422 ")).size(), 4)
        << server.journal().join('\n').toStdString();

    // A body shorter than it said: the connection stays open for the answer.
    QByteArray shorter = published;
    shorter.replace("0100=", "0100=X");
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, server.port());
    ASSERT_TRUE(socket.waitForConnected(5000));
    socket.write("PUT /Kestrane2013/Resultats2013.ini HTTP/1.1\r\nHost: 127.0.0.1\r\nAuthorization: Basic "
                 + (User.toUtf8() + ':' + Password.toUtf8()).toBase64() + "\r\nIf-Match: " + version
                 + "\r\nContent-Length: " + QByteArray::number(shorter.size() + 10) + "\r\n\r\n" + shorter);
    ASSERT_TRUE(socket.waitForBytesWritten(5000));
    ::shutdown(int(socket.socketDescriptor()), SHUT_WR);
    QByteArray reply;
    while (socket.waitForReadyRead(10000))
        reply += socket.readAll();
    EXPECT_TRUE(reply.startsWith("HTTP/1.1 400")) << reply.constData();
    EXPECT_EQ(server.published(), published);
    // Apache may stop the script then; the script itself never publishes
    // fewer bytes than announced, whole store though they be.
    QProcess script;
    QProcessEnvironment env;
    env.insert(QStringLiteral("REQUEST_METHOD"), QStringLiteral("PUT"));
    env.insert(QStringLiteral("PATH_INFO"), store);
    env.insert(QStringLiteral("REMOTE_USER"), User);
    env.insert(QStringLiteral("HTTP_IF_MATCH"), QString::fromLatin1(version));
    env.insert(QStringLiteral("CONTENT_LENGTH"), QString::number(shorter.size() + 10));
    env.insert(QStringLiteral("KESTRANE_STORE"), server.storePath());
    env.insert(QStringLiteral("KESTRANE_HISTORY"), server.historyFolder());
    env.insert(QStringLiteral("KESTRANE_PROGRAM"), QStringLiteral(KESTRANE_PROGRAM));
    script.setProcessEnvironment(env);
    script.start(serverScript("envoi.sh"));
    ASSERT_TRUE(script.waitForStarted(5000));
    script.write(shorter);
    script.closeWriteChannel();
    ASSERT_TRUE(script.waitForFinished(20000));
    EXPECT_TRUE(script.readAllStandardOutput().startsWith("Status: 400 ")) << script.readAllStandardError().constData();
    EXPECT_EQ(server.published(), published);

    // Nothing published yet: "If-Match: *" finds nothing to match, and a file
    // created empty (a WebDAV client's habit) is no store either.
    ASSERT_TRUE(QFile::remove(server.storePath()));
    EXPECT_EQ(request("PUT", store, published, User, Password, "*").status, 412);
    EXPECT_FALSE(QFile::exists(server.storePath()));
    const QList<std::pair<QByteArray, QByteArray>> create = {{"If-None-Match", "*"}};
    EXPECT_EQ(request("PUT", store, {}, User, Password, {}, create).status, 422);
    EXPECT_FALSE(QFile::exists(server.storePath()));
    EXPECT_EQ(request("PUT", store, published, User, Password, {}, create).status, 200);
    EXPECT_EQ(server.published(), published);
}

TEST_F(LeagueServer, AnOlderStorePutBackByAnotherClientDeletesNoResultAtTheNextSend)
{
    const auto folder = volunteer();
    folder->type(QStringLiteral("3800"), QStringLiteral("K|0|1|4|0|2|1|B"));
    ASSERT_EQ(porvex(*folder, server.address()).status, 0);

    // Another client puts an older store back, on the right version: 3500
    // was published, 3800 not yet.
    QByteArray older = published;
    const qsizetype line = older.indexOf("3500=");
    older.remove(line, older.indexOf('\n', line) + 1 - line);
    ASSERT_TRUE(server.addVolunteer(QStringLiteral("bob"), QStringLiteral("b")).isEmpty());
    ASSERT_EQ(request("PUT", QStringLiteral("/Kestrane2013/Resultats2013.ini"), older, QStringLiteral("bob"),
                      QStringLiteral("b"), versionNow())
                  .status,
              200);

    // The volunteer's next send takes the missing results for no deletion.
    folder->type(QStringLiteral("3801"), QStringLiteral("C|0|0|0|2|0|0|P"));
    const QByteArray typed = folder->store();
    Outcome run = porvex(*folder, server.address());
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err.count(QStringLiteral(" : serveur (absent), ici ")), 2) << run.err.toStdString();
    EXPECT_EQ(server.published(), older);
    EXPECT_EQ(folder->store(), typed);

    run = porvex(*folder, server.address(), {QStringLiteral("--on-conflict"), QStringLiteral("mine")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    for (const QByteArray &store : {server.published(), folder->store()}) {
        EXPECT_EQ(resultIn(store, "3500"), resultIn(published, "3500"));
        EXPECT_FALSE(resultIn(store, "3500").isEmpty());
        EXPECT_EQ(resultIn(store, "3800"), QStringLiteral("K|0|1|4|0|2|1|B"));
        EXPECT_EQ(resultIn(store, "3801"), QStringLiteral("C|0|0|0|2|0|0|P"));
    }
}

TEST_F(LeagueServer, ACompressingServerLeavesTheStoresVersionAsItIs)
{
    server.stop();
    server.addConfiguration("LoadModule filter_module \"${KESTRANE_MODULES}/mod_filter.so\"\n"
                            "LoadModule deflate_module \"${KESTRANE_MODULES}/mod_deflate.so\"\n"
                            "AddOutputFilterByType DEFLATE text/plain\n"
                            "AddOutputFilter DEFLATE .ini .txt");
    const QString started = server.start();
    ASSERT_TRUE(started.isEmpty()) << started.toStdString();
    ApacheServer::write(server.root() + QStringLiteral("/Kestrane2013/page.txt"), QByteArray(4000, 'a') + '\n');

    const QList<std::pair<QByteArray, QByteArray>> gzip = {{"Accept-Encoding", "gzip"}};
    EXPECT_EQ(request("GET", QStringLiteral("/Kestrane2013/page.txt"), {}, {}, {}, {}, gzip).contentEncoding,
              QByteArray("gzip"));
    const Answer got = request("GET", QStringLiteral("/Kestrane2013/Resultats2013.ini"), {}, {}, {}, {}, gzip);
    EXPECT_TRUE(got.contentEncoding.isEmpty()) << got.contentEncoding.constData();
    EXPECT_EQ(got.body, published);
    EXPECT_EQ(got.etag, versionOf(published));

    // A send goes through at the first try.
    const auto folder = volunteer();
    folder->type(QStringLiteral("3800"), QStringLiteral("K|0|1|4|0|2|1|B"));
    const Outcome run = porvex(*folder, server.address());
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(resultIn(server.published(), "3800"), QStringLiteral("K|0|1|4|0|2|1|B"));
    EXPECT_TRUE(server.journal().filter(QStringLiteral(" refusé ")).isEmpty())
        << server.journal().join('\n').toStdString();
}

TEST_F(LeagueServer, AnUploadCutOffByADroppedConnectionLeavesNoHalfFile)
{
    QByteArray body = published;
    body.replace("0100=", "0100=X");
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, server.port());
    ASSERT_TRUE(socket.waitForConnected(5000));
    socket.write("PUT /Kestrane2013/Resultats2013.ini HTTP/1.1\r\nHost: 127.0.0.1\r\nAuthorization: Basic "
                 + (User.toUtf8() + ':' + Password.toUtf8()).toBase64() + "\r\nIf-Match: " + versionNow()
                 + "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body.first(body.size() / 2));
    ASSERT_TRUE(socket.waitForBytesWritten(5000));
    // The server writes a hidden copy, which nobody may read.
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.uploadCopies().size() == 1; }, 5000));
    EXPECT_EQ(request("GET", QStringLiteral("/Kestrane2013/") + server.uploadCopies().value(0)).status, 403);
    EXPECT_EQ(request("GET", QStringLiteral("/Kestrane2013/.envoi.lock")).status, 403);
    EXPECT_EQ(request("GET", QStringLiteral("/Kestrane2013/Resultats2013.ini")).body, published);

    socket.abort();
    EXPECT_TRUE(QTest::qWaitFor([&] { return server.uploadCopies().isEmpty(); }, 10000))
        << server.uploadCopies().join(' ').toStdString();
    EXPECT_EQ(server.published(), published);
}

TEST(LeagueServerHttps, APrivateAuthorityIsTrustedWithCaAndRefusedWithout)
{
    // An authority and a certificate for 127.0.0.1 that it signs.
    QTemporaryDir keys;
    const auto openssl = [&](const QStringList &arguments) {
        QProcess process;
        process.setWorkingDirectory(keys.path());
        process.start(QStringLiteral("openssl"), arguments);
        return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit
               && process.exitCode() == 0;
    };
    const QStringList ec = {QStringLiteral("-newkey"), QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                            QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes")};
    ApacheServer::write(keys.filePath(QStringLiteral("server.ext")),
                        "subjectAltName=IP:127.0.0.1,DNS:localhost\nbasicConstraints=CA:FALSE\n"
                        "extendedKeyUsage=serverAuth\n");
    ASSERT_TRUE(openssl(
        QStringList{"req", "-x509"} + ec
        + QStringList{"-keyout", "ca.key", "-out", "ca.pem", "-days", "2", "-subj", "/CN=Autorite de la ligue"}));
    ASSERT_TRUE(openssl(QStringList{"req"} + ec
                        + QStringList{"-keyout", "server.key", "-out", "server.csr", "-subj", "/CN=127.0.0.1"}));
    ASSERT_TRUE(openssl({"x509", "-req", "-in", "server.csr", "-CA", "ca.pem", "-CAkey", "ca.key", "-CAcreateserial",
                         "-out", "server.pem", "-days", "2", "-extfile", "server.ext"}));

    ApacheServer server;
    const QByteArray published = storeBeforeTheLastTwoMatchDays();
    server.publish(published);
    ASSERT_TRUE(server.addVolunteer(User, Password).isEmpty());
    const QString started = server.start(keys.filePath("server.pem"), keys.filePath("server.key"));
    ASSERT_TRUE(started.isEmpty()) << started.toStdString();

    Folder folder(published);
    folder.keep(published);
    folder.type(QStringLiteral("3800"), QStringLiteral("K|0|1|4|0|2|1|B"));
    Outcome run = porvex(folder, server.address());
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Certificat du serveur refusé"))) << run.err.toStdString();
    EXPECT_EQ(server.published(), published);

    run = porvex(folder, server.address(), {QStringLiteral("--ca"), keys.filePath("ca.pem")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(resultIn(server.published(), "3800"), QStringLiteral("K|0|1|4|0|2|1|B"));
    // An authority file that holds none is a failure, not a silent plain trust.
    EXPECT_EQ(porvex(folder, server.address(), {QStringLiteral("--ca"), keys.filePath("server.ext")}).status, 1);

    // A follower's update trusts the same authority, given the same ways.
    Folder follower(published);
    const QStringList update = {QStringLiteral("--server"), server.address(), QStringLiteral("--update")};
    run = kestrane(follower, update);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("--ca FICHIER ou le réglage Data/AutoriteCertification")))
        << run.err.toStdString();
    EXPECT_EQ(follower.store(), published);
    run = kestrane(follower, update + QStringList{QStringLiteral("--ca"), keys.filePath("server.ext")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Aucun certificat d'autorité lisible"))) << run.err.toStdString();
    run = kestrane(follower, update + QStringList{QStringLiteral("--ca"), keys.filePath("ca.pem")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(resultIn(follower.store(), "3800"), QStringLiteral("K|0|1|4|0|2|1|B"));

    Folder another(published);
    const QString settings = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/kestrane/kestrane.ini");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(settings).absolutePath()));
    ApacheServer::write(settings, "[Data]\nAutoriteCertification=" + keys.filePath("ca.pem").toUtf8() + '\n');
    run = kestrane(another, update);
    QFile::remove(settings);
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(resultIn(another.store(), "3800"), QStringLiteral("K|0|1|4|0|2|1|B"));
}
