// Times a volunteer's send: the merge of two full-season stores alone, and a
// whole send of the bundled store to the league's Apache on 127.0.0.1
// (reading the folder's store, download, merge, upload, the folder's store
// and its kept copy written back), as Porvex runs it.
#include "apacheserver.h"

#include "online/core/publication.h"
#include "online/core/publishedcopy.h"
#include "online/core/storemerge.h"
#include "online/net/httpdownloader.h"
#include "online/net/httpuploader.h"
#include "season/core/inifile.h"
#include "season/core/resultstore.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>

namespace {

QByteArray sample(const char *name)
{
    return ApacheServer::read(QStringLiteral(KESTRANE_SAMPLE_DATA "/") + QLatin1String(name));
}

// The bundled season's store with a result of each of `days` written otherwise.
QByteArray withChangedResults(const QByteArray &store, int firstDay, int days, const char *score)
{
    QList<IniFile::Entry> changes;
    for (int day = firstDay; day < firstDay + days; ++day) {
        for (int match = 0; match < 10; ++match) {
            const QString key =
                QStringLiteral("%1%2").arg(day, 2, 10, QLatin1Char('0')).arg(match, 2, 10, QLatin1Char('0'));
            MatchRecord record = MatchRecord::fromText(IniFile::readFrom(store, QStringLiteral("Resultats"), key));
            record[MatchRecord::HomeGoals] = QString::fromLatin1(score);
            changes.append({QStringLiteral("Resultats"), key, record.toText()});
        }
    }
    return IniFile::writeTo(store, changes);
}

QByteArray withoutLastTwoMatchDays(const QByteArray &store)
{
    QByteArray kept;
    for (const QByteArray &line : store.split('\n')) {
        if (!line.startsWith("37") && !line.startsWith("38") && !line.isEmpty())
            kept += line + '\n';
    }
    return kept;
}

// Two volunteers from the same full season: mine adds the last two match
// days, theirs corrects three match days of scores.
void BM_MergeTwoFullStores(benchmark::State &state)
{
    const QByteArray full = sample("Resultats2013.ini");
    const QByteArray base = withoutLastTwoMatchDays(full);
    const QByteArray mine = IniFile::writeTo(full, {{"Maj", "Maj", "17 mai 23:10"}});
    const QByteArray theirs = withChangedResults(base, 30, 3, "7");
    for (auto _ : state) {
        const storemerge::Result merged = storemerge::merge(base, mine, theirs);
        if (!merged.isComplete() || merged.resultsFromOthers != 30)
            state.SkipWithError("unexpected merge");
        benchmark::DoNotOptimize(merged.bytes);
    }
}
BENCHMARK(BM_MergeTwoFullStores)->Unit(benchmark::kMillisecond);

// The heaviest: every result of a full season new on the server's side of a
// store that holds none yet.
void BM_MergeEveryResultNew(benchmark::State &state)
{
    const QByteArray full = sample("Resultats2013.ini");
    QByteArray empty;
    for (const QByteArray &line : full.split('\n')) {
        if (line.isEmpty() || !QChar(line.front()).isDigit())
            empty += line + '\n';
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(storemerge::merge(empty, full, empty).bytes);
}
BENCHMARK(BM_MergeEveryResultNew)->Unit(benchmark::kMillisecond);

// A whole send of the bundled store with one result typed since the last.
void BM_WholeSendOnLoopback(benchmark::State &state)
{
    ApacheServer server;
    const QByteArray full = sample("Resultats2013.ini");
    server.publish(full);
    QString problem = server.addVolunteer(QStringLiteral("alice"), QStringLiteral("secret"));
    if (problem.isEmpty())
        problem = server.start();
    if (!problem.isEmpty()) {
        state.SkipWithError(qPrintable(problem));
        return;
    }
    QTemporaryDir folder;
    const QString storePath = folder.filePath(ResultStore::FileName);
    ApacheServer::write(storePath, full);
    publishedcopy::keep(storePath, full);
    HttpDownloader download;
    HttpUploader upload;
    IniFile store(storePath);
    int sends = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (!store.write(QStringLiteral("Resultats"), QStringLiteral("3809"),
                         QStringLiteral("A|0|0|%1|0|0|0|B").arg(++sends % 10))) {
            state.SkipWithError("the store cannot be written");
            break;
        }
        state.ResumeTiming();
        Publication publication({storePath, server.address(), {QStringLiteral("alice"), QStringLiteral("secret")}, {}},
                                &download, &upload);
        const Publication::Outcome outcome = publication.run();
        if (outcome.status != Publication::Status::Published || outcome.attempts != 1) {
            state.SkipWithError(qPrintable(outcome.message));
            break;
        }
    }
}
BENCHMARK(BM_WholeSendOnLoopback)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // The sends run on this application's event loop.
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
