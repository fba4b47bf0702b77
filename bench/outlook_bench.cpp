// Times the exact outlook on the bundled season stopped at a match day: the
// results after that day are cleared in a copy of the store, so the fixtures
// left are those of the later match days. Each iteration is what the window
// computes when the answer is not cached yet: the standings, the fixtures
// left and the exact ranks of all twenty teams. Then the hardest tables the
// generator below can make, timed one by one.
#include "outlook_bench.h"

#include "season/core/resultstore.h"
#include "season/core/season.h"
#include "standings/core/outlook.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

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
    state.counters["searched"] = stats.searched;
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
        benchmark::RegisterBenchmark(("Outlook/" + std::to_string(day)).c_str(), [&stopped](benchmark::State &state) {
            run(state, stopped, true);
        })->Unit(benchmark::kMillisecond);
        // The same without the shortcuts, every open question to the solver:
        // what the bounds save.
        benchmark::RegisterBenchmark(("OutlookSolverOnly/" + std::to_string(day)).c_str(),
                                     [&stopped](benchmark::State &state) { run(state, stopped, false); })
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}

namespace {

// The tables: the staircase that once took the solver a minute, then many
// like it. Points are by team number; the fixtures left are the calendar's
// after the cut.
struct HardTable
{
    const char *kind;
    MatchDayNo cut;
    std::vector<int> points;
};

std::vector<HardTable> hardTables()
{
    const std::vector<int> staircase{60, 57, 54, 53, 49, 48, 44, 43, 40, 39, 31, 31, 31, 30, 26, 21, 19, 16, 16, 16};
    std::mt19937 random(20132014);
    const auto roll = [&random](int below) { return int(random() % unsigned(below)); };
    std::vector<HardTable> tables;
    for (MatchDayNo cut = 0; cut < MatchDayCount; ++cut) {
        for (int copy = 0; copy < 6; ++copy) {
            // The staircase scaled to the cut and shared out at random.
            std::vector<int> stairs = staircase;
            for (int &p : stairs)
                p = p * cut / 23;
            std::shuffle(stairs.begin(), stairs.end(), random);
            tables.push_back({"escalier", cut, stairs});
            // A few levels of equal points.
            std::vector<int> levels(1 + roll(4));
            for (int &level : levels)
                level = cut / 2 + roll(2 * cut + 1);
            std::vector<int> clusters(TeamCount);
            for (int &p : clusters)
                p = levels[roll(int(levels.size()))];
            tables.push_back({"paliers", cut, clusters});
            // Everybody within a few points of the average.
            const int width = 1 + roll(8);
            std::vector<int> band(TeamCount);
            for (int &p : band)
                p = 3 * cut / 2 + roll(2 * width + 1) - width;
            tables.push_back({"peloton", cut, band});
            // Even steps down from the top, any step from 1 to 4.
            const int step = 1 + roll(4);
            std::vector<int> even(TeamCount);
            for (int i = 0; i < TeamCount; ++i)
                even[i] = std::max(0, 2 * cut - step * i);
            std::shuffle(even.begin(), even.end(), random);
            tables.push_back({"marches", cut, even});
        }
    }
    tables.insert(tables.begin(), {"escalier de la J23", 23, staircase});
    return tables;
}

} // namespace

bool reportHardestOutlooks(const QString &sampleFolder)
{
    const std::optional<Season> season = Season::load(QDir(sampleFolder).filePath(QStringLiteral("2013.txt")));
    if (!season)
        return false;
    using Clock = std::chrono::steady_clock;
    std::vector<double> times;
    double worst = -1;
    const HardTable *worstTable = nullptr;
    int outOfTime = 0;
    int searched = 0;
    const std::vector<HardTable> tables = hardTables();
    for (const HardTable &table : tables) {
        OutlookProblem problem;
        problem.points = table.points;
        for (MatchDayNo day = table.cut + 1; day <= MatchDayCount; ++day) {
            for (const QString &code : season->fixtureCodes(day))
                problem.remaining.push_back({Season::teamNoOfLetter(code[0]), Season::teamNoOfLetter(code[1])});
        }
        OutlookSolveStats stats;
        const Clock::time_point start = Clock::now();
        benchmark::DoNotOptimize(solveRankRanges(problem, {}, &stats));
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        times.push_back(ms);
        outOfTime += stats.outOfTime;
        searched += stats.searched;
        if (ms > worst) {
            worst = ms;
            worstTable = &table;
        }
    }
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    std::printf("exact outlook, %zu generated tables (%d questions searched): median %.2f ms, worst %.1f ms "
                "(%s, cut after match day %d), %d searches out of time\n",
                tables.size(), searched, sorted[sorted.size() / 2], worst, worstTable->kind, worstTable->cut,
                outOfTime);
    std::printf("exact outlook, the staircase after match day 23: %.1f ms\n", times.front());
    return true;
}
