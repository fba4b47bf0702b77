// Times the standings computation on the bundled season: the program's way
// (the results store parsed once and kept while the file is unchanged), the
// naive way that re-reads and re-parses the store for every fixture, and the
// ranking history of the evolution graph (one computation per match day);
// then the exact outlook (outlook_bench.h).
#include "outlook_bench.h"

#include "season/core/resultstore.h"
#include "season/core/season.h"
#include "standings/core/standingsengine.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace {

const char *const FullSeason = "ComputeStandings/FullSeason";
const char *const NaiveReread = "ComputeStandings/NaiveReread";
const char *const RankingHistory = "RankingHistory/38";

// The bundled season, copied to a throw-away program folder so that nothing
// the benchmark does can touch the sources.
struct Fixture
{
    QTemporaryDir folder;
    std::optional<Season> season;
    std::unique_ptr<ResultStore> store;
    BonusMalus bonusMalus{};

    bool load(const QString &sampleFolder)
    {
        for (const QString &name : {QStringLiteral("2013.txt"), ResultStore::FileName}) {
            if (!QFile::copy(QDir(sampleFolder).filePath(name), folder.filePath(name)))
                return false;
        }
        season = Season::load(folder.filePath(QStringLiteral("2013.txt")));
        if (!season)
            return false;
        store = std::make_unique<ResultStore>(folder.path());
        store->loadBonusMalus(bonusMalus);
        return true;
    }
};

// Keeps each benchmark's mean wall time per iteration, in seconds.
class CollectingReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration)
                continue;
            seconds[run.benchmark_name()] = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::map<std::string, double> seconds;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));

    const QString sampleFolder = qEnvironmentVariableIsSet("KESTRANE_DATA_DIR")
                                     ? qEnvironmentVariable("KESTRANE_DATA_DIR")
                                     : QStringLiteral(KESTRANE_SAMPLE_DATA);
    Fixture fixture;
    if (!fixture.load(sampleFolder)) {
        std::fprintf(stderr, "Cannot load the season from %s\n", qPrintable(sampleFolder));
        return 1;
    }

    benchmark::RegisterBenchmark(FullSeason, [&fixture](benchmark::State &state) {
        fixture.store->setCaching(true);
        for (auto _ : state)
            benchmark::DoNotOptimize(computeStandings(*fixture.season, *fixture.store, fixture.bonusMalus));
    })->Unit(benchmark::kMicrosecond);

    benchmark::RegisterBenchmark(NaiveReread, [&fixture](benchmark::State &state) {
        fixture.store->setCaching(false);
        for (auto _ : state)
            benchmark::DoNotOptimize(computeStandings(*fixture.season, *fixture.store, fixture.bonusMalus));
        fixture.store->setCaching(true);
    })->Unit(benchmark::kMicrosecond);

    benchmark::RegisterBenchmark(RankingHistory, [&fixture](benchmark::State &state) {
        fixture.store->setCaching(true);
        for (auto _ : state) {
            for (MatchDayNo day = 1; day <= MatchDayCount; ++day)
                benchmark::DoNotOptimize(computeStandings(*fixture.season, *fixture.store, fixture.bonusMalus, day));
        }
    })->Unit(benchmark::kMillisecond);

    if (!registerOutlookBenchmarks(sampleFolder)) {
        std::fprintf(stderr, "Cannot prepare the outlook benchmarks from %s\n", qPrintable(sampleFolder));
        return 1;
    }

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto ours = reporter.seconds.find(FullSeason);
    const auto baseline = reporter.seconds.find(NaiveReread);
    if (ours != reporter.seconds.end() && baseline != reporter.seconds.end() && ours->second > 0)
        std::printf("ratio baseline/ours: %.1f\n", baseline->second / ours->second);
    const auto history = reporter.seconds.find(RankingHistory);
    if (history != reporter.seconds.end())
        std::printf("ranking history, 38 match days: %.3f ms\n", history->second * 1e3);
    if (!reportHardestOutlooks(sampleFolder, 2000)) {
        std::fprintf(stderr, "Cannot read the season from %s\n", qPrintable(sampleFolder));
        return 1;
    }
    return 0;
}
