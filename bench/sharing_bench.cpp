// Times what the window computes for sharing on the bundled season: the
// changes an update brought (both stores ranked) and the review shown before
// sending. Each runs on a user action and should fit in a frame (16 ms).
#include "online/core/exportdata.h"
#include "online/core/publishreview.h"
#include "online/core/storechanges.h"
#include "season/core/season.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QLocale>

namespace {

QByteArray sample(const char *name)
{
    QFile file(QStringLiteral(KESTRANE_SAMPLE_DATA "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The bundled store, and the same without its last two match days.
struct Stores
{
    Season season = Season::fromBytes(sample("2013.txt"));
    QByteArray full = sample("Resultats2013.ini");
    QByteArray earlier;

    Stores()
    {
        for (const QByteArray &line : full.split('\n')) {
            if (!line.startsWith("37") && !line.startsWith("38"))
                earlier += line + '\n';
        }
    }
};

const Stores &stores()
{
    static const Stores data;
    return data;
}

void BM_StoreChanges(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(StoreChanges::compare(stores().season, stores().earlier, stores().full).summary());
}
BENCHMARK(BM_StoreChanges)->Unit(benchmark::kMillisecond);

void BM_PublishReview(benchmark::State &state)
{
    const QList<IniFile::Entry> entries = ResultStore::entriesOf(exportdata::publication(
        QStringLiteral("Journée reportée"), QStringLiteral("1.4"), QDateTime(QDate(2014, 5, 17), QTime(22, 50))));
    for (auto _ : state) {
        const QByteArray published = publishreview::publishedBytes(stores().full, entries);
        benchmark::DoNotOptimize(publishreview::listing(stores().season, stores().earlier, published));
    }
}
BENCHMARK(BM_PublishReview)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
