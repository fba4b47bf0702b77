#include "online/net/httpdownloader.h"

#include "online/net/httpuploader.h"

#include "testhttpserver.h"

#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <optional>

namespace {

// What Qt writes on standard error while a test runs.
QStringList qtWarnings;
void recordWarning(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type >= QtWarningMsg)
        qtWarnings << message;
}

class HttpDownloaderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qtWarnings.clear();
        m_previousHandler = qInstallMessageHandler(recordWarning);
    }
    void TearDown() override
    {
        qInstallMessageHandler(m_previousHandler);
        // Nothing but the program's own messages may reach standard error.
        EXPECT_TRUE(qtWarnings.isEmpty()) << qtWarnings.join(QLatin1Char('\n')).toStdString();
    }

    // Fetches one path from the test server (or `address`) and waits for the end.
    DownloadResult fetch(const QString &path, const QString &address = {}, const DownloadFreshness &freshness = {})
    {
        DownloadReply *reply = http.get(QUrl((address.isEmpty() ? server.address() : address) + path), freshness);
        std::optional<DownloadResult> result;
        int finishedCount = 0;
        QObject::connect(reply, &DownloadReply::finished, [&](const DownloadResult &r) {
            result = r;
            ++finishedCount;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return result.has_value(); }, 10000)) << path.toStdString();
        QTest::qWait(20); // a second "finished" would come now
        EXPECT_EQ(finishedCount, 1);
        return result.value_or(DownloadResult{});
    }

    TestHttpServer server;
    HttpDownloader http;

private:
    QtMessageHandler m_previousHandler = nullptr;
};

} // namespace

TEST_F(HttpDownloaderTest, FetchesTheWholeBodyAskingTheCachesOnTheWayWhatTheCallerNeeds)
{
    ASSERT_TRUE(server.isListening());
    const QString path = QStringLiteral("/Kestrane2013/Resultats2013.ini");
    const QByteArray body = "[Resultats]\r\n0100=A|0|1|2|1|3|1|B\r\n";
    server.answer(path, TestHttpServer::Answer{200, body, 0, -1, false, -1, true, {"ETag: \"v1\""}});
    DownloadResult result = fetch(path);
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(result.status, 200);
    EXPECT_EQ(result.body, body);
    EXPECT_EQ(result.etag, QByteArray("\"v1\""));
    EXPECT_FALSE(result.notModified());
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_EQ(server.requests()[0].method, QByteArray("GET"));
    // A follower's: a shared cache may answer it, so no reload header.
    for (const QByteArray header : {"cache-control", "pragma", "if-none-match"})
        EXPECT_FALSE(server.requests()[0].headers.contains(header)) << header.constData();
    // As stored, so that its version (ETag) is the stored file's own.
    EXPECT_EQ(server.requests()[0].headers.value("accept-encoding"), QByteArray("identity"));

    // A volunteer's: every cache checks with the server first; nothing is
    // kept here, so it goes to the server again.
    fetch(path, {}, {true, {}});
    ASSERT_EQ(server.requestsFor(path), 2);
    EXPECT_EQ(server.requests()[1].headers.value("cache-control"), QByteArray("max-age=0"));
    EXPECT_FALSE(server.requests()[1].headers.contains("pragma"));

    // A copy named by its version: 304 is an answer without a body, and only
    // to a request that named one.
    server.answer(path, TestHttpServer::Answer{304, {}, 0, -1, false, -1, true, {"ETag: \"v1\""}});
    result = fetch(path, {}, {false, "\"v1\""});
    EXPECT_EQ(server.requests()[2].headers.value("if-none-match"), QByteArray("\"v1\""));
    EXPECT_TRUE(result.ok && result.notModified()) << result.error.toStdString();
    EXPECT_TRUE(result.body.isEmpty());
    result = fetch(path);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.notModified());
    EXPECT_EQ(result.error, QStringLiteral("Réponse inattendue du serveur (HTTP 304)"));
}

TEST_F(HttpDownloaderTest, ErrorStatusesFailWithTheirNumber)
{
    DownloadResult result = fetch(QStringLiteral("/absent"));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.status, 404);
    EXPECT_TRUE(result.body.isEmpty());
    EXPECT_TRUE(result.error.contains(QStringLiteral("404"))) << result.error.toStdString();

    server.answer(QStringLiteral("/panne"), 503, "indisponible");
    result = fetch(QStringLiteral("/panne"));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.status, 503);
}

TEST_F(HttpDownloaderTest, ACutConnectionIsATruncatedBody)
{
    TestHttpServer::Answer cut;
    cut.body = QByteArray(4000, 'x');
    cut.cutAfter = 1000;
    server.answer(QStringLiteral("/coupe"), cut);
    const DownloadResult result = fetch(QStringLiteral("/coupe"));
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.body.isEmpty());
    EXPECT_FALSE(result.error.isEmpty());
}

TEST_F(HttpDownloaderTest, AStalledOrEndlessTransferFails)
{
    TestHttpServer::Answer stalled;
    stalled.body = QByteArray(4000, 'x');
    stalled.cutAfter = 100;
    stalled.stall = true;
    server.answer(QStringLiteral("/lent"), stalled);

    http.setLimits({200, 10000, 1024 * 1024});
    DownloadResult result = fetch(QStringLiteral("/lent"));
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(QStringLiteral("ne répond plus"))) << result.error.toStdString();

    // Still sending, but for too long in all.
    http.setLimits({10000, 300, 1024 * 1024});
    result = fetch(QStringLiteral("/lent"));
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(QStringLiteral("trop long"))) << result.error.toStdString();

    // A server that never answers at all.
    TestHttpServer::Answer silent;
    silent.delayMs = 60000;
    server.answer(QStringLiteral("/muet"), silent);
    http.setLimits({200, 10000, 1024 * 1024});
    EXPECT_FALSE(fetch(QStringLiteral("/muet")).ok);
}

TEST_F(HttpDownloaderTest, OversizedBodiesAreRefused)
{
    http.setLimits({20000, 60000, 1000});
    server.answer(QStringLiteral("/gros"), 200, QByteArray(1001, 'x'));
    const DownloadResult result = fetch(QStringLiteral("/gros"));
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.body.isEmpty());
    EXPECT_TRUE(result.error.contains(QStringLiteral("volumineux"))) << result.error.toStdString();

    // Without announcing its length, the body is cut as it grows.
    TestHttpServer::Answer unannounced;
    unannounced.body = QByteArray(5000, 'y');
    unannounced.announceLength = false;
    server.answer(QStringLiteral("/sans-longueur"), unannounced);
    EXPECT_FALSE(fetch(QStringLiteral("/sans-longueur")).ok);

    server.answer(QStringLiteral("/juste"), 200, QByteArray(1000, 'x'));
    EXPECT_TRUE(fetch(QStringLiteral("/juste")).ok);
}

TEST_F(HttpDownloaderTest, FailuresAreToldInOurOwnFrenchWithQtsTextAsDetailOnly)
{
    TestHttpServer::Answer loop;
    loop.status = 302;
    loop.headers = {"Location: /boucle"};
    server.answer(QStringLiteral("/boucle"), loop);
    TestHttpServer::Answer elsewhere;
    elsewhere.status = 302;
    elsewhere.headers = {"Location: ftp://127.0.0.1/Resultats2013.ini"};
    server.answer(QStringLiteral("/ailleurs"), elsewhere);
    TestHttpServer::Answer compressed;
    compressed.body = "ceci n'est pas du gzip";
    compressed.headers = {"Content-Encoding: gzip"};
    server.answer(QStringLiteral("/compresse"), compressed);

    const QList<std::array<QString, 3>> cases = {
        {QStringLiteral("/boucle"),
         QStringLiteral("Le serveur renvoie d'adresse en adresse sans jamais donner le fichier"),
         QStringLiteral("Too many redirects")},
        {QStringLiteral("/ailleurs"), QStringLiteral("Le serveur renvoie vers une adresse qui n'est pas une page web"),
         QStringLiteral("Unknown protocol")},
        {QStringLiteral("/compresse"), QStringLiteral("Réponse du serveur illisible"),
         QStringLiteral("Content-Encoding: gzip")},
    };
    for (const auto &[path, french, qt] : cases) {
        const DownloadResult result = fetch(path);
        EXPECT_FALSE(result.ok) << path.toStdString();
        EXPECT_EQ(result.error, french) << path.toStdString();
        EXPECT_TRUE(result.detail.contains(qt)) << result.detail.toStdString();
    }
}

TEST_F(HttpDownloaderTest, NoServerOrNoAddress)
{
    DownloadResult result = fetch(QStringLiteral("/Kestrane2013/Resultats2013.ini"), TestHttpServer::deadAddress());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.status, 0);
    EXPECT_FALSE(result.error.isEmpty());

    result = fetch(QStringLiteral("/Kestrane2013/Resultats2013.ini"), QStringLiteral("ftp://127.0.0.1"));
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(QStringLiteral("Adresse"))) << result.error.toStdString();
}

TEST_F(HttpDownloaderTest, AbortEndsTheDownloadOnce)
{
    TestHttpServer::Answer silent;
    silent.delayMs = 60000;
    server.answer(QStringLiteral("/muet"), silent);
    DownloadReply *reply = http.get(QUrl(server.address() + QStringLiteral("/muet")));
    int finished = 0;
    QString error;
    QObject::connect(reply, &DownloadReply::finished, [&](const DownloadResult &r) {
        ++finished;
        error = r.error;
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !server.requests().isEmpty(); }, 5000));
    reply->abort();
    QTest::qWait(50);
    EXPECT_EQ(finished, 1);
    EXPECT_TRUE(error.contains(QStringLiteral("interrompu"))) << error.toStdString();
}

TEST_F(HttpDownloaderTest, AnUploadSendsCredentialsOnlyWhereAskedFollowsNoRedirectAndFailsInFrench)
{
    HttpUploader upload;
    const auto put = [&](const QString &address) {
        UploadRequest request{QUrl(address + QStringLiteral("/Resultats2013.ini")),
                              "[Maj]\r\n",
                              "\"v1\"",
                              false,
                              QStringLiteral("alice"),
                              QStringLiteral("secret")};
        std::optional<DownloadResult> result;
        QObject::connect(upload.put(request), &DownloadReply::finished, [&](const DownloadResult &r) { result = r; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return result.has_value(); }, 10000));
        return result.value_or(DownloadResult{});
    };
    TestHttpServer::Answer challenge{401, "<html>Identifiez-vous</html>"};
    challenge.headers = {"WWW-Authenticate: Basic realm=\"Kestrane 1\""};
    server.answer(QStringLiteral("/Resultats2013.ini"), challenge);
    DownloadResult result = put(server.address());
    EXPECT_EQ(result.error, QStringLiteral("Nom ou mot de passe refusé par le serveur"));
    ASSERT_EQ(server.requests().size(), 2);
    EXPECT_FALSE(server.requests()[0].headers.contains("authorization"));
    EXPECT_EQ(server.requests()[1].headers.value("authorization"), "Basic " + QByteArray("alice:secret").toBase64());
    // Asked once, that server has them at once from then on.
    put(server.address());
    ASSERT_EQ(server.requests().size(), 3);
    EXPECT_TRUE(server.requests()[2].headers.contains("authorization"));

    // A server that sends the upload elsewhere gets none, nor does the other.
    TestHttpServer elsewhere;
    TestHttpServer::Answer moved{307, {}};
    moved.headers = {"Location: " + server.address().toUtf8() + "/Resultats2013.ini"};
    elsewhere.answer(QStringLiteral("/Resultats2013.ini"), moved);
    result = put(elsewhere.address());
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(QStringLiteral("(HTTP 307)"))) << result.error.toStdString();
    ASSERT_EQ(elsewhere.requests().size(), 1);
    EXPECT_FALSE(elsewhere.requests()[0].headers.contains("authorization"));
    EXPECT_EQ(server.requests().size(), 3);

    // A server that hangs up without a word: said in French.
    QTcpServer mute;
    ASSERT_TRUE(mute.listen(QHostAddress::LocalHost, 0));
    QObject::connect(&mute, &QTcpServer::newConnection, &mute, [&] {
        while (QTcpSocket *socket = mute.nextPendingConnection()) {
            socket->setParent(&mute);
            socket->abort();
        }
    });
    result = put(QStringLiteral("http://127.0.0.1:%1").arg(mute.serverPort()));
    EXPECT_EQ(result.error,
              QStringLiteral("Envoi interrompu : connexion coupée par le serveur avant la fin du fichier"));
}
