// Followers at scale: a real shared cache (Squid, or Apache's mod_cache)
// in front of the league's Apache, as a league puts one or a CDN. The
// followers' updates and the volunteers' sends both go through it.
#include "cachefront.h"
#include "publishingfixture.h"

#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QNetworkReply>

#include <vector>

namespace {

class FollowersThroughACache : public Publishing, public ::testing::WithParamInterface<CacheFront::Kind>
{
protected:
    void SetUp() override
    {
        Publishing::SetUp();
        if (HasFatalFailure())
            return;
        startCache();
    }

    void startCache()
    {
        const QString started = cache.start(server.port());
        ASSERT_TRUE(started.isEmpty()) << started.toStdString();
    }

    // The GETs of the store that reached Apache itself.
    int storeRequestsAtTheServer() const
    {
        const QByteArray log = ApacheServer::read(server.runFolder() + QStringLiteral("/access.log"));
        return int(log.count("\"GET /Kestrane2013/Resultats2013.ini "));
    }

    CacheFront cache{GetParam()};
};

// The period the server lets a shared cache answer alone (s-maxage=10),
// and the time it may keep answering while it asks again
// (stale-while-revalidate=20).
constexpr qint64 StalePeriodMs = 30 * 1000;

} // namespace

TEST_P(FollowersThroughACache, ThirtySendsAndUpdatesGiveNoStaleReadBeyondThePeriod)
{
    const auto folder = volunteer();
    Folder follower(published);
    const QStringList update = {QStringLiteral("--server"), cache.address(), QStringLiteral("--update")};
    ASSERT_EQ(kestrane(follower, update).status, 0);
    int staleBeyondThePeriod = 0;
    int staleWithin = 0;
    for (int round = 0; round < 30; ++round) {
        // Twenty results of the last two match days, then ten corrections.
        const QString key = QStringLiteral("%1%2").arg(37 + round % 2).arg(round / 2 % 10, 2, 10, QLatin1Char('0'));
        folder->type(key, QStringLiteral("A|0|0|%1|%2|0|0|B").arg(round / 20 + 1).arg(round % 4));
        const Outcome sent = porvex(*folder, cache.address());
        ASSERT_EQ(sent.status, 0) << "round " << round << ": " << sent.err.toStdString();
        QElapsedTimer sincePublication;
        sincePublication.start();
        ASSERT_EQ(folder->store(), server.published()) << "round " << round;

        const Outcome read = kestrane(follower, update);
        ASSERT_EQ(read.status, 0) << "round " << round << ": " << read.err.toStdString();
        if (follower.store() != server.published()) {
            ++(sincePublication.elapsed() > StalePeriodMs ? staleBeyondThePeriod : staleWithin);
            ADD_FAILURE() << "round " << round << ": stale read " << sincePublication.elapsed() << " ms after";
        }
    }
    EXPECT_EQ(staleBeyondThePeriod, 0);
    EXPECT_EQ(staleWithin, 0) << "the send through the cache makes it drop its copy";
    // Every send went through at its first attempt: never a 412 nor a 401.
    EXPECT_TRUE(server.journal().filter(QStringLiteral(" refusé ")).isEmpty())
        << server.journal().join('\n').toStdString();
    EXPECT_EQ(server.journal().filter(QStringLiteral(" accepté alice ")).size(), 30);
}

TEST_P(FollowersThroughACache, AThousandFollowersReachTheServerOnlyAFewTimes)
{
    // A send, then a whole league reading within a few seconds.
    const auto folder = volunteer();
    folder->type(QStringLiteral("3800"), QStringLiteral("K|0|1|4|0|2|1|B"));
    ASSERT_EQ(porvex(*folder, cache.address()).status, 0);
    const QByteArray current = server.published();
    const int before = storeRequestsAtTheServer();

    QNetworkAccessManager network;
    const QUrl url(cache.address() + QStringLiteral("/Kestrane2013/Resultats2013.ini"));
    int answered = 0;
    int wrong = 0;
    QByteArray version;
    // The first follower alone, then twenty at a time: followers who ask at
    // the very same instant before the cache holds a copy all reach the
    // server through mod_cache, which makes no one wait for a missing copy.
    for (int batch = 0; batch < 51; ++batch) {
        std::vector<QNetworkReply *> replies;
        for (int i = batch == 0 ? 19 : 0; i < 20 && answered + int(replies.size()) < 1000; ++i) {
            // Followers as the program makes them: half of them already hold
            // a copy and name it.
            QNetworkRequest request(url);
            request.setRawHeader("Accept-Encoding", "identity");
            if (i % 2 == 1 && !version.isEmpty())
                request.setRawHeader("If-None-Match", version);
            replies.push_back(network.get(request));
        }
        for (QNetworkReply *reply : replies) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return reply->isFinished(); }, 20000));
            const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            const QByteArray body = reply->readAll();
            if (status == 200 && version.isEmpty())
                version = reply->rawHeader("ETag");
            if (!(status == 200 && body == current) && status != 304)
                ++wrong;
            ++answered;
            delete reply;
        }
    }
    EXPECT_EQ(answered, 1000);
    EXPECT_EQ(wrong, 0);
    // The first, the cache having dropped its copy at the send; perhaps a
    // revalidation once its 10 s are over.
    EXPECT_LE(storeRequestsAtTheServer() - before, 3) << cache.log().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Caches, FollowersThroughACache,
                         ::testing::Values(CacheFront::Kind::Squid, CacheFront::Kind::ApacheCache),
                         [](const ::testing::TestParamInfo<CacheFront::Kind> &info) {
                             return info.param == CacheFront::Kind::Squid ? std::string("Squid")
                                                                          : std::string("ApacheModCache");
                         });

// A CDN that serves a compressed copy changes the version it hands on:
// "W/" before it, "-gzip" after it. A send names the version the server made,
// and a follower's update still gets its 304; a version changed beyond
// that is told as what it is, not as another volunteer's send.
TEST(FollowersThroughAnAlteringCache, AVersionWeakenedOrSuffixedStillMakesSendsAndUpdatesConditional)
{
    const struct
    {
        const char *name;
        const char *edit; // how the cache rewrites the server's ETag
        bool sends;
    } caches[] = {
        {"weakened", "W/\\\"$1\\\"", true},
        {"suffixed", "\\\"$1-gzip\\\"", true},
        {"rewritten", "\\\"$1-cdn42\\\"", false},
    };
    for (const auto &c : caches) {
        ApacheServer server;
        const QByteArray published = storeBeforeTheLastTwoMatchDays();
        server.publish(published);
        ASSERT_TRUE(server.addVolunteer(User, Password).isEmpty());
        ASSERT_TRUE(server.start().isEmpty());
        CacheFront cache(CacheFront::Kind::ApacheCache);
        cache.addConfiguration(QByteArray("Header edit ETag \"^\\\"(.*)\\\"$\" \"") + c.edit + "\"");
        const QString started = cache.start(server.port());
        ASSERT_TRUE(started.isEmpty()) << started.toStdString();

        Folder folder(published);
        folder.keep(published);
        folder.type(QStringLiteral("3800"), QStringLiteral("K|0|1|4|0|2|1|B"));
        const Outcome run = porvex(folder, cache.address());
        const QStringList refused = server.journal().filter(QStringLiteral(" refusé alice 412 "));
        if (c.sends) {
            EXPECT_EQ(run.status, 0) << c.name << ": " << run.err.toStdString();
            EXPECT_EQ(resultIn(server.published(), "3800"), QStringLiteral("K|0|1|4|0|2|1|B")) << c.name;
            EXPECT_TRUE(refused.isEmpty()) << c.name << ": " << refused.join('\n').toStdString();
        } else {
            EXPECT_EQ(run.status, 1) << c.name;
            EXPECT_TRUE(run.err.contains(QStringLiteral("un cache ou un proxy entre ce poste et le serveur modifie "
                                                        "cette version")))
                << c.name << ": " << run.err.toStdString();
            EXPECT_EQ(server.published(), published) << c.name;
            EXPECT_EQ(refused.size(), 2) << c.name << ": " << refused.join('\n').toStdString();
        }

        // A follower downloads once, then only asks.
        Folder follower(published);
        const QStringList update = {QStringLiteral("--server"), cache.address(), QStringLiteral("--update")};
        ASSERT_EQ(kestrane(follower, update).status, 0) << c.name;
        const Outcome again = kestrane(follower, update);
        EXPECT_EQ(again.status, 0) << c.name << ": " << again.err.toStdString();
        if (c.sends) {
            EXPECT_EQ(again.out, QStringLiteral("Résultats déjà à jour.\n")) << c.name;
        }
        EXPECT_EQ(follower.store(), server.published()) << c.name;
    }
}
