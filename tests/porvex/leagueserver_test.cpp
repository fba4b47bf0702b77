// The league's server on its own (server/, scripts/serve.sh under the real
// Apache): what it lets through and what it refuses, and how it serves the
// store.
#include "publishingfixture.h"

#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTcpSocket>

#include <sys/socket.h>

namespace {

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

} // namespace

TEST_F(LeagueServer, EveryoneReadsOnlyVolunteersWriteTheStoreAndNothingElse)
{
    const QString store = QStringLiteral("/Kestrane2013/Resultats2013.ini");
    ApacheServer::write(server.root() + QStringLiteral("/Kestrane2013/don.K1"), "000000Alpha\r\n");

    Answer got = request("GET", store);
    EXPECT_EQ(got.status, 200);
    EXPECT_EQ(got.body, published);
    // A shared cache may answer followers for 10 s (then 20 s while it asks
    // again); a browser asks every time; nothing on the way compresses it.
    EXPECT_EQ(got.cacheControl, QByteArray("public, max-age=0, s-maxage=10, stale-while-revalidate=20, no-transform"));
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

TEST_F(LeagueServer, TheSitesFilesAreServedCompressedToWhoAcceptsItEachWithItsVersion)
{
    // serve.sh wrote the site at start, beside the season it copied, for everyone to read.
    const QString site = server.root() + QStringLiteral("/Kestrane2013/site");
    ASSERT_TRUE(QFile::exists(site + QStringLiteral("/index.html"))) << server.serveOutput().toStdString();
    EXPECT_EQ(ApacheServer::read(server.root() + QStringLiteral("/Kestrane2013/2013.txt")), sample("2013.txt"));
    EXPECT_TRUE(QFileInfo(site).permissions().testFlags(QFileDevice::ReadOther | QFileDevice::ExeOther));
    EXPECT_TRUE(
        QFileInfo(site + QStringLiteral("/donnees/saison.json")).permissions().testFlag(QFileDevice::ReadOther));

    const QList<std::pair<QByteArray, QByteArray>> gzip = {{"Accept-Encoding", "gzip"}};
    const struct
    {
        const char *path;
        bool compressed;
    } files[] = {
        {"/Kestrane2013/site/", true},
        {"/Kestrane2013/site/journee-38.html", true},
        {"/Kestrane2013/site/style.css", true},
        {"/Kestrane2013/site/donnees/saison.json", true},
        {"/Kestrane2013/site/classement.csv", true},
        {"/Kestrane2013/site/classement.pdf", false},
        {"/Kestrane2013/Resultats2013.ini", false},
    };
    for (const auto &file : files) {
        const QString path = QLatin1String(file.path);
        const Answer plain = request("GET", path, {}, {}, {}, {}, {{"Accept-Encoding", "identity"}});
        const Answer packed = request("GET", path, {}, {}, {}, {}, gzip);
        EXPECT_EQ(plain.status, 200) << file.path;
        EXPECT_EQ(packed.status, 200) << file.path;
        EXPECT_TRUE(plain.contentEncoding.isEmpty()) << file.path;
        EXPECT_EQ(packed.contentEncoding, file.compressed ? QByteArray("gzip") : QByteArray()) << file.path;
        // Qt unpacks what it asked for itself, not what a header asked for.
        if (file.compressed) {
            EXPECT_LT(packed.body.size(), plain.body.size()) << file.path;
        }
        EXPECT_TRUE(plain.cacheControl.startsWith("public, max-age=0, s-maxage=10, stale-while-revalidate=20"))
            << file.path << ' ' << plain.cacheControl.constData();
        // Each answer carries its version, and a copy named by it costs a 304.
        for (const Answer *answer : {&plain, &packed}) {
            ASSERT_FALSE(answer->etag.isEmpty()) << file.path;
            const bool asPacked = answer == &packed;
            QList<std::pair<QByteArray, QByteArray>> headers = {{"If-None-Match", answer->etag},
                                                                {"Accept-Encoding", asPacked ? "gzip" : "identity"}};
            EXPECT_EQ(request("GET", path, {}, {}, {}, {}, headers).status, 304)
                << file.path << ' ' << answer->etag.constData();
        }
    }
}

TEST_F(LeagueServer, AFailedSiteLeavesTheOldSiteAndStillPublishesTheStore)
{
    const QString index = server.root() + QStringLiteral("/Kestrane2013/site/index.html");
    const QByteArray before = ApacheServer::read(index);
    ASSERT_FALSE(before.isEmpty());
    // The season is gone from the published folder: no site can be written.
    ASSERT_TRUE(QFile::remove(server.root() + QStringLiteral("/Kestrane2013/2013.txt")));

    const auto folder = volunteer();
    folder->type(QStringLiteral("3800"), QStringLiteral("K|0|1|4|0|2|1|B"));
    const Outcome run = porvex(*folder, server.address());
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("Résultats publiés.\n"));
    EXPECT_TRUE(run.err.contains(QStringLiteral("Le site n'a pas été régénéré (l'ancien reste en ligne) : La saison ")))
        << run.err.toStdString();
    EXPECT_EQ(resultIn(server.published(), "3800"), QStringLiteral("K|0|1|4|0|2|1|B"));
    EXPECT_EQ(ApacheServer::read(index), before);
    EXPECT_EQ(request("GET", QStringLiteral("/Kestrane2013/site/index.html")).body, before);
    const QByteArray errors = ApacheServer::read(server.runFolder() + QStringLiteral("/error.log"));
    EXPECT_TRUE(errors.contains("kestrane : publication de alice sans nouveau site : La saison "))
        << errors.constData();
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
    server.addConfiguration("AddOutputFilterByType DEFLATE text/plain\n"
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
