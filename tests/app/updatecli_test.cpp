// `kestrane --update` end to end: the built program against a local server.
#include "testfolder.h"
#include "testhttpserver.h"

#include <QFile>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString StorePath = QStringLiteral("/Kestrane2013/Resultats2013.ini");
const QByteArray Published = "[Resultats]\r\n0100=L|0|4|2|1|2|0|I\r\n[Maj]\r\nMaj=05 d\xE9"
                             "c. 21:30\r\n[CV]\r\nCV=1.9\r\n";

class UpdateCommand : public ::testing::Test
{
protected:
    struct Run
    {
        int status = -1;
        QString out;
        QString err;
    };

    void SetUp() override
    {
        for (const QString &name : {QStringLiteral("2013.txt"), QStringLiteral("Resultats2013.ini")}) {
            QFile sample(QStringLiteral(KESTRANE_SAMPLE_DATA "/") + name);
            ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
            folder.write(name, sample.readAll());
        }
        oldStore = store();
    }

    Run run(const QString &address, const QStringList &more = {})
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(KESTRANE_PROGRAM),
                      QStringList{QStringLiteral("--data-dir"), folder.path(), QStringLiteral("--server"), address,
                                  QStringLiteral("--update")}
                          + more);
        // The server answers from this test's event loop: wait without blocking it.
        EXPECT_TRUE(QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 30000));
        Run result;
        result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

    QByteArray store() const { return folder.read(QStringLiteral("Resultats2013.ini")); }
    bool backupExists() const { return QFile::exists(folder.file(QStringLiteral("Resultats2013.BU"))); }

    TestFolder folder;
    TestHttpServer server;
    QByteArray oldStore;
};

} // namespace

TEST_F(UpdateCommand, ReplacesTheStoreAndSaysWhichStampItNowHolds)
{
    server.answer(StorePath, TestHttpServer::Answer{200, Published, 0, -1, false, -1, true, {"ETag: \"v1\""}});
    const Run result = run(server.address());
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    // Then, on a line of its own, what the download changed: the published
    // store holds a single result where the local one had the whole season.
    const QStringList lines = result.out.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3) << result.out.toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("Résultats mis à jour : Maj 05 déc. 21:30"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("379 résultats retirés, 2 ajustements de points modifiés ; ")))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(" autres équipes changent de place"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].isEmpty());
    EXPECT_EQ(store(), Published);
    EXPECT_FALSE(backupExists());
    // No version offer without a window, whatever the store publishes.
    ASSERT_EQ(server.requests().size(), 1);
    // A shared cache on the way may answer: no reload header; and nothing
    // downloaded yet to ask about.
    for (const QByteArray header : {"cache-control", "pragma", "if-none-match"})
        EXPECT_FALSE(server.requests()[0].headers.contains(header)) << header.constData();

    // The next update asks only whether that version changed; unchanged, the
    // store stays byte for byte.
    server.answer(StorePath, TestHttpServer::Answer{304, {}, 0, -1, false, -1, true, {"ETag: \"v1\""}});
    const Run again = run(server.address());
    EXPECT_EQ(again.status, 0) << again.err.toStdString();
    EXPECT_EQ(again.out, QStringLiteral("Résultats déjà à jour.\n"));
    EXPECT_EQ(store(), Published);
    ASSERT_EQ(server.requests().size(), 2);
    EXPECT_EQ(server.requests()[1].headers.value("if-none-match"), QByteArray("\"v1\""));
    EXPECT_FALSE(server.requests()[1].headers.contains("cache-control"));
    EXPECT_FALSE(server.requests()[1].headers.contains("pragma"));
}

TEST_F(UpdateCommand, AnUpdateThatChangesNoResultSaysOnlyTheStamp)
{
    QByteArray same = oldStore;
    same.replace("Maj=17 mai 22:47", "Maj=18 mai 08:00");
    ASSERT_NE(same, oldStore);
    server.answer(StorePath, 200, same);
    const Run result = run(server.address());
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QStringLiteral("Résultats mis à jour : Maj 18 mai 08:00\n"));
    EXPECT_EQ(store(), same);
}

TEST_F(UpdateCommand, FailuresExitWithOneAndLeaveTheStore)
{
    server.answer(StorePath, 200, "<!DOCTYPE html>\n<html><body>Maintenance</body></html>\n");
    Run result = run(server.address());
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.contains(QStringLiteral("Erreur de connexion !"))) << result.err.toStdString();
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_EQ(store(), oldStore);
    EXPECT_FALSE(backupExists());

    server.answer(StorePath, 404, "absent");
    result = run(server.address());
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.contains(QStringLiteral("404"))) << result.err.toStdString();
    EXPECT_EQ(store(), oldStore);

    result = run(TestHttpServer::deadAddress());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(store(), oldStore);
    EXPECT_FALSE(backupExists());

    // Cut short with no announced length: at a line break half-way, or inside a record line.
    const QByteArray whole = Published;
    for (const qsizetype cutAfter : {whole.indexOf("\r\n", whole.size() / 2) + 2, whole.indexOf("0100=L|0|") + 9}) {
        TestHttpServer::Answer cut;
        cut.body = whole;
        cut.cutAfter = cutAfter;
        cut.announceLength = false;
        server.answer(StorePath, cut);
        result = run(server.address());
        EXPECT_EQ(result.status, 1) << cutAfter;
        EXPECT_EQ(result.err, QStringLiteral("Erreur de connexion ! Le fichier reçu n'est pas un fichier de "
                                             "résultats.\nLes résultats enregistrés sont inchangés.\n"));
        EXPECT_EQ(store(), oldStore) << cutAfter;
        EXPECT_FALSE(backupExists()) << cutAfter;
    }
}

TEST_F(UpdateCommand, StandardErrorHoldsOurFrenchOnlyAndVerboseAddsTheDetail)
{
    // Stopped by the size limit while it streams: Qt must not warn about the
    // transfer it was told to drop.
    TestHttpServer::Answer endless;
    endless.body = QByteArray(2 * 1024 * 1024, 'x');
    endless.announceLength = false;
    server.answer(StorePath, endless);
    Run result = run(server.address());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, QStringLiteral("Erreur de connexion ! Fichier trop volumineux (plus de 1048576 octets).\n"
                                         "Les résultats enregistrés sont inchangés.\n"));

    TestHttpServer::Answer loop;
    loop.status = 302;
    loop.headers = {"Location: " + StorePath.toUtf8()};
    server.answer(StorePath, loop);
    const QString told = QStringLiteral("Erreur de connexion ! Le serveur renvoie d'adresse en adresse sans jamais "
                                        "donner le fichier.\n");
    result = run(server.address());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, told + QStringLiteral("Les résultats enregistrés sont inchangés.\n"));
    result = run(server.address(), {QStringLiteral("--verbose")});
    EXPECT_EQ(result.status, 1);
    const QStringList lines = result.err.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4) << result.err.toStdString();
    EXPECT_EQ(lines[0] + u'\n', told);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Détail technique : "))) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].contains(QStringLiteral("Too many redirects"))) << lines[1].toStdString();
    EXPECT_EQ(lines[2], QStringLiteral("Les résultats enregistrés sont inchangés."));
    EXPECT_EQ(store(), oldStore);
}

TEST_F(UpdateCommand, AStoreLeftAsideByAnInterruptedUpdateIsPutBackFirst)
{
    ASSERT_TRUE(QFile::rename(folder.file(QStringLiteral("Resultats2013.ini")),
                              folder.file(QStringLiteral("Resultats2013.BU"))));
    const Run result = run(TestHttpServer::deadAddress());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(store(), oldStore);
    EXPECT_FALSE(backupExists());
}

TEST_F(UpdateCommand, ResultsTypedHereAndNeverPublishedStopTheUpdateUnlessForced)
{
    // The folder last downloaded the bundled store, then a volunteer typed
    // the first match of the season differently: the server, which never
    // got it, would take it away.
    folder.write(QStringLiteral("Resultats2013.serveur"), oldStore);
    QByteArray typed = oldStore;
    typed.replace("0100=L|0|4|2|1|2|0|I", "0100=L|0|4|5|1|2|0|I");
    folder.write(QStringLiteral("Resultats2013.ini"), typed);
    server.answer(StorePath, 200, Published);

    Run result = run(server.address());
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.out.isEmpty());
    const QStringList lines = result.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << result.err.toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("Mise à jour refusée : 1 résultat saisi ici n'est pas publié et le serveur "
                                       "ne l'a pas :"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("  J1 "))) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(" : 5-1, jaunes 4-2, rouges 0-0 ici, non publié "
                                                 "(serveur : 2-1, jaunes 4-2, rouges 0-0)")))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[2].contains(QStringLiteral("--force")));
    EXPECT_EQ(store(), typed);

    result = run(server.address(), {QStringLiteral("--force")});
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(store(), Published);
    EXPECT_EQ(folder.read(QStringLiteral("Resultats2013.serveur")), Published);
}
