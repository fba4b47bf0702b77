// Times the season odds in process on the bundled season: simulated seasons
// per second on one thread (CPU time of the process, so items/s is seasons
// per second per core) at match
// days 10, 20 and 30, and the whole computation on every core at match day
// 20, as --print-odds runs it (the model, the table, the outlook's fixtures).
#include "season/core/resultstore.h"
#include "season/core/season.h"
#include "statistics/core/seasonodds.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

namespace {

struct Sample
{
    Season season = *Season::load(QStringLiteral(KESTRANE_SAMPLE_DATA "/2013.txt"));
    ResultStore store{QStringLiteral(KESTRANE_SAMPLE_DATA)};
    BonusMalus bonus{};
    Sample() { store.loadBonusMalus(bonus); }
};

const Sample &sample()
{
    static const Sample s;
    return s;
}

void oneThread(benchmark::State &state)
{
    seasonodds::Request request;
    request.upTo = MatchDayNo(state.range(0));
    request.runs = 20000;
    request.threads = 1;
    for (auto _ : state) {
        const seasonodds::Odds odds = seasonodds::compute(sample().season, sample().store, sample().bonus, request);
        benchmark::DoNotOptimize(odds.rows[0].rankCounts[0]);
    }
    state.SetItemsProcessed(state.iterations() * request.runs);
}
BENCHMARK(oneThread)->Arg(10)->Arg(20)->Arg(30)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void everyCore(benchmark::State &state)
{
    seasonodds::Request request;
    request.upTo = 20;
    request.runs = seasonodds::DefaultRuns;
    for (auto _ : state) {
        const seasonodds::Odds odds = seasonodds::compute(sample().season, sample().store, sample().bonus, request);
        benchmark::DoNotOptimize(odds.rows[0].rankCounts[0]);
    }
    state.SetItemsProcessed(state.iterations() * request.runs);
}
BENCHMARK(everyCore)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
