// What followers cost the league's Apache on 127.0.0.1 (scripts/serve.sh):
// the program's own update (ResultsUpdate over HttpDownloader) of an
// unchanged store (a 304) and of a changed one (the whole store), one at a
// time and sixteen at once, and a visit of the season's website as a
// browser makes it (compressed pages, then a page seen again). Besides the
// time, each reports the bytes on the wire per request, headers included,
// as Apache counted them (mod_logio's %I and %O in its access log).
#include "apacheserver.h"

#include "online/core/resultsupdate.h"
#include "online/core/updaterules.h"
#include "online/net/httpdownloader.h"
#include "season/core/resultstore.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace {

QByteArray sample(const char *name)
{
    return ApacheServer::read(QStringLiteral(KESTRANE_SAMPLE_DATA "/") + QLatin1String(name));
}

// One server for every benchmark: the bundled season, its site written at
// start; stopped before the application goes.
std::unique_ptr<ApacheServer> running;
ApacheServer &server()
{
    if (!running) {
        running = std::make_unique<ApacheServer>();
        running->publish(sample("Resultats2013.ini"));
        const QString problem = running->start();
        if (!problem.isEmpty())
            qFatal("%s", qPrintable(problem));
    }
    return *running;
}

// The access log's lines so far, to tell the new ones apart.
qsizetype logLines()
{
    return ApacheServer::read(server().runFolder() + QStringLiteral("/access.log")).count('\n');
}

// Bytes received and sent per request (%I + %O, the last two fields) over
// the log lines after `from`.
double bytesPerRequest(qsizetype from)
{
    const QList<QByteArray> lines =
        ApacheServer::read(server().runFolder() + QStringLiteral("/access.log")).split('\n');
    double total = 0;
    int counted = 0;
    for (qsizetype i = from; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines[i].split(' ');
        if (fields.size() < 3)
            continue;
        total += fields[fields.size() - 2].toDouble() + fields.last().toDouble();
        ++counted;
    }
    return counted ? total / counted : 0;
}

// A follower's folder: the season and the store as last downloaded.
struct Follower
{
    QTemporaryDir folder;
    ResultStore store{folder.path()};
    HttpDownloader http;
    ResultsUpdate update{store, &http};

    Follower() { ApacheServer::write(folder.filePath(QStringLiteral("2013.txt")), sample("2013.txt")); }

    bool run()
    {
        bool ok = false;
        QEventLoop loop;
        QObject::connect(&update, &ResultsUpdate::finished, &loop, [&](const ResultsUpdate::Outcome &outcome) {
            ok = outcome.ok;
            loop.quit();
        });
        if (!update.start(server().address(), ResultsUpdate::Unpublished::Replace))
            return false;
        loop.exec();
        return ok;
    }
};

void BM_FollowerUpdate(benchmark::State &state)
{
    const bool changed = state.range(0) == 1;
    const QByteArray store = sample("Resultats2013.ini");
    QByteArray other = store;
    other.replace("[Maj]\r\nMaj=", "[Maj]\r\nMaj=x");
    server().publish(store);
    Follower follower;
    if (!follower.run()) {
        state.SkipWithError("the first download failed");
        return;
    }
    const qsizetype from = logLines();
    int updates = 0;
    for (auto _ : state) {
        if (changed) {
            // Another store each time: the update downloads it whole.
            state.PauseTiming();
            server().publish(++updates % 2 ? other : store);
            state.ResumeTiming();
        }
        if (!follower.run()) {
            state.SkipWithError("an update failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["octets"] = bytesPerRequest(from);
}
BENCHMARK(BM_FollowerUpdate)->ArgName("changé")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Sixteen followers asking at once whether the store changed (it did not):
// requests per second that Apache answers alone.
void BM_SixteenFollowersAtOnce(benchmark::State &state)
{
    server().publish(sample("Resultats2013.ini"));
    std::vector<std::unique_ptr<Follower>> followers;
    for (int i = 0; i < 16; ++i) {
        followers.push_back(std::make_unique<Follower>());
        if (!followers.back()->run()) {
            state.SkipWithError("a first download failed");
            return;
        }
    }
    const qsizetype from = logLines();
    for (auto _ : state) {
        int pending = 0;
        QEventLoop loop;
        for (const auto &follower : followers) {
            QObject::connect(
                &follower->update, &ResultsUpdate::finished, &loop,
                [&] {
                    if (--pending == 0)
                        loop.quit();
                },
                Qt::SingleShotConnection);
            pending += follower->update.start(server().address(), ResultsUpdate::Unpublished::Replace) ? 1 : 0;
        }
        if (pending > 0)
            loop.exec();
    }
    state.SetItemsProcessed(state.iterations() * 16);
    state.counters["octets"] = bytesPerRequest(from);
}
BENCHMARK(BM_SixteenFollowersAtOnce)->Unit(benchmark::kMillisecond)->UseRealTime();

// A page of the site as a browser asks for it (compressed), then again with
// the version it got (a 304).
void BM_SitePage(benchmark::State &state, const char *page, bool again)
{
    QNetworkAccessManager network;
    const QUrl url(server().address() + QStringLiteral("/Kestrane2013/site/") + QLatin1String(page));
    const auto get = [&](const QByteArray &version) {
        QNetworkRequest request(url);
        request.setRawHeader("Accept-Encoding", "gzip, deflate, br");
        if (!version.isEmpty())
            request.setRawHeader("If-None-Match", version);
        QNetworkReply *reply = network.get(request);
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
        const QByteArray etag = reply->rawHeader("ETag");
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        delete reply;
        return std::make_pair(status, etag);
    };
    const QByteArray version = again ? get({}).second : QByteArray();
    const qsizetype from = logLines();
    for (auto _ : state) {
        if (get(version).first != (again ? 304 : 200)) {
            state.SkipWithError("unexpected answer");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["octets"] = bytesPerRequest(from);
}
BENCHMARK_CAPTURE(BM_SitePage, accueil, "index.html", false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_SitePage, journee, "journee-20.html", false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_SitePage, equipe, "equipe-fc-valmoret.html", false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_SitePage, feuille_de_style, "style.css", false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_SitePage, accueil_revue, "index.html", true)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    // The transfers run on this application's event loop.
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    running.reset();
    return 0;
}
