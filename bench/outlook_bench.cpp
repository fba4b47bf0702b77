// Times the exact outlook on the bundled season stopped at a match day: the
// results after that day are cleared in a copy of the store, so the fixtures
// left are those of the later match days. Each iteration is what the window
// computes when the answer is not cached yet: the standings, the fixtures
// left and the exact ranks of all twenty teams.
#include "outlook_bench.h"

#include "season/core/resultstore.h"
#include "season/core/season.h"
#include "standings/core/outlook.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

struct StoppedSeason
{
    MatchDayNo lastDay = 0;
    QTemporaryDir folder;
    std::optional<Season> season;
    std::unique_ptr<ResultStore> store;
    BonusMalus bonusMalus{};
};

// Copies the season and the store without the results of match days after `lastDay`.
bool load(StoppedSeason &s, const QString &sampleFolder)
{
    const QDir sample(sampleFolder);
    if (!QFile::copy(sample.filePath(QStringLiteral("2013.txt")), s.folder.filePath(QStringLiteral("2013.txt"))))
        return false;
    QFile store(sample.filePath(ResultStore::FileName));
    if (!store.open(QIODevice::ReadOnly))
        return false;
    QByteArray kept;
    for (const QByteArray &line : store.readAll().split('\n')) {
        bool isResult = false;
        const int day = line.left(2).toInt(&isResult);
        if (!(isResult && line.size() > 4 && line.at(4) == '=' && day > s.lastDay))
            kept += line + '\n';
    }
    kept.chop(1);
    QFile copy(s.folder.filePath(ResultStore::FileName));
    if (!copy.open(QIODevice::WriteOnly) || copy.write(kept) != kept.size())
        return false;
    copy.close();
    s.season = Season::load(s.folder.filePath(QStringLiteral("2013.txt")));
    if (!s.season)
        return false;
    s.store = std::make_unique<ResultStore>(s.folder.path());
    s.store->loadBonusMalus(s.bonusMalus);
    return true;
}

void run(benchmark::State &state, const StoppedSeason &s, bool shortcuts)
{
    OutlookSolveStats stats;
    std::size_t remaining = 0;
    for (auto _ : state) {
        stats = {};
        const Standings standings = computeStandings(*s.season, *s.store, s.bonusMalus);
        const OutlookProblem problem = outlookProblem(*s.season, *s.store, standings);
        remaining = problem.remaining.size();
        benchmark::DoNotOptimize(
            seasonOutlook(standings, problem, solveRankRanges(problem, {.shortcuts = shortcuts}, &stats)));
    }
    state.counters["left"] = double(remaining);
    state.counters["bounds"] = stats.decidedByBounds;
    state.counters["solver"] = stats.searched;
}

} // namespace

bool registerOutlookBenchmarks(const QString &sampleFolder)
{
    // Kept for the whole run: the benchmarks read them when they run.
    static std::vector<std::unique_ptr<StoppedSeason>> seasons;
    for (MatchDayNo day : {10, 30, 34, 36, 37}) {
        auto s = std::make_unique<StoppedSeason>();
        s->lastDay = day;
        if (!load(*s, sampleFolder))
            return false;
        const StoppedSeason &stopped = *s;
        seasons.push_back(std::move(s));
        benchmark::RegisterBenchmark(("Outlook/" + std::to_string(day)).c_str(),
                                     [&stopped](benchmark::State &state) { run(state, stopped, true); })
            ->Unit(benchmark::kMillisecond);
        // The same without the shortcuts, every open question to the solver:
        // what the bounds save.
        benchmark::RegisterBenchmark(("OutlookSolverOnly/" + std::to_string(day)).c_str(),
                                     [&stopped](benchmark::State &state) { run(state, stopped, false); })
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}
