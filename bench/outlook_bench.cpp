// Times the exact outlook on the bundled season stopped at a match day: the
// results after that day are cleared in a copy of the store, so the fixtures
// left are those of the later match days. Each iteration is what the window
// computes when the answer is not cached yet: the standings, the fixtures
// left and the exact ranks of all twenty teams. Then tables of the
// generated families, solved one by one: the median and the most work, in
// search steps and in time.
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
#include <ctime>
#include <random>

#include <memory>
#include <numeric>
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

// The generated families: a staircase of points (the one that once took the
// solver a minute, scaled to the cut), clusters of equal points, a tight
// band, even steps down, and points from results played at random; cut
// after any match day, with fixtures of earlier match days postponed now
// and then, and points adjustments now and then. Points are by team number;
// the fixtures left are the calendar's after the cut and the postponed ones.
struct GeneratedTable
{
    const char *kind;
    MatchDayNo cut;
    OutlookProblem problem;
    std::vector<std::pair<MatchDayNo, int>> postponed; // (match day, slot)
};

GeneratedTable generatedTable(const Season &season, std::mt19937 &random, int index)
{
    static const std::vector<int> staircase{60, 57, 54, 53, 49, 48, 44, 43, 40, 39,
                                            31, 31, 31, 30, 26, 21, 19, 16, 16, 16};
    static const char *const kinds[] = {"escalier", "paliers", "peloton", "marches", "résultats"};
    const auto roll = [&random](int below) { return below <= 0 ? 0 : int(random() % unsigned(below)); };
    const auto fixture = [&season](MatchDayNo day, int slot) {
        const QString code = season.fixtureCodes(day).value(slot);
        return LeagueFixture{Season::teamNoOfLetter(code[0]), Season::teamNoOfLetter(code[1])};
    };
    GeneratedTable table{kinds[index % 5], MatchDayNo(1 + roll(MatchDayCount - 1)), {}, {}};
    const MatchDayNo cut = table.cut;
    std::vector<std::pair<MatchDayNo, int>> postponed;
    for (MatchDayNo day = 1; day <= cut; ++day) {
        for (int slot = 0; slot < 10; ++slot)
            postponed.push_back({day, slot});
    }
    std::shuffle(postponed.begin(), postponed.end(), random);
    postponed.resize(roll(3) == 0 ? 0 : std::min<std::size_t>(postponed.size(), std::size_t(roll(25))));
    std::vector<int> points(TeamCount, 0);
    switch (index % 5) {
    case 0:
        points = staircase;
        for (int &p : points)
            p = p * cut / 23;
        std::shuffle(points.begin(), points.end(), random);
        break;
    case 1: {
        std::vector<int> levels(1 + roll(4));
        for (int &level : levels)
            level = cut / 2 + roll(2 * cut + 1);
        for (int &p : points)
            p = levels[roll(int(levels.size()))];
        break;
    }
    case 2: {
        const int width = 1 + roll(8);
        for (int &p : points)
            p = 3 * cut / 2 + roll(2 * width + 1) - width;
        break;
    }
    case 3: {
        const int step = 1 + roll(4);
        for (int i = 0; i < TeamCount; ++i)
            points[i] = std::max(0, 2 * cut - step * i);
        std::shuffle(points.begin(), points.end(), random);
        break;
    }
    default: {
        // Stronger teams win more; a few draws in ten.
        const int draws = roll(5);
        std::vector<int> strength(TeamCount);
        for (int &s : strength)
            s = roll(10);
        for (MatchDayNo day = 1; day <= cut; ++day) {
            for (int slot = 0; slot < 10; ++slot) {
                if (std::find(postponed.begin(), postponed.end(), std::pair{day, slot}) != postponed.end())
                    continue;
                const LeagueFixture f = fixture(day, slot);
                const int x = roll(10 + strength[f.home] + strength[f.away]);
                if (x < draws) {
                    ++points[f.home];
                    ++points[f.away];
                } else {
                    points[x < draws + 5 + strength[f.home] ? f.home : f.away] += 3;
                }
            }
        }
    }
    }
    if (roll(4) == 0) {
        for (int &p : points) {
            if (roll(8) == 0)
                p += roll(10) == 0 ? -roll(12) : roll(6) - 3;
        }
    }
    OutlookProblem &problem = table.problem;
    problem.points = points;
    for (MatchDayNo day = cut + 1; day <= MatchDayCount; ++day) {
        for (int slot = 0; slot < 10; ++slot)
            problem.remaining.push_back(fixture(day, slot));
    }
    for (const auto &[day, slot] : postponed)
        problem.remaining.push_back(fixture(day, slot));
    table.postponed = postponed;
    // The table's order, by points: what decides between finished teams level on points.
    std::vector<int> order(TeamCount);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&points](int a, int b) { return points[a] > points[b]; });
    problem.tablePosition.assign(TeamCount, 0);
    for (int i = 0; i < TeamCount; ++i)
        problem.tablePosition[order[i]] = i;
    return table;
}

} // namespace

bool reportHardestOutlooks(const QString &sampleFolder, int count, unsigned seed)
{
    const std::optional<Season> season = Season::load(QDir(sampleFolder).filePath(QStringLiteral("2013.txt")));
    if (!season)
        return false;
    using Clock = std::chrono::steady_clock;
    // Processor time as well as wall time: other programs share the machine.
    const auto cpuMs = [] { return 1000.0 * double(std::clock()) / CLOCKS_PER_SEC; };
    std::mt19937 random(seed);
    struct Solved
    {
        long long work = 0;
        double ms = 0;
        double cpu = 0;
        GeneratedTable table;
    };
    std::vector<double> times;
    std::vector<double> cpus;
    std::vector<long long> works;
    Solved most;
    Solved slowest;
    most.work = -1;
    slowest.cpu = -1;
    int notFinal = 0;
    long long mostTeamWork = 0;
    const Clock::time_point runStart = Clock::now();
    const double runCpu = cpuMs();
    for (int i = 0; i < count; ++i) {
        GeneratedTable table = generatedTable(*season, random, i);
        OutlookSolveStats stats;
        const Clock::time_point start = Clock::now();
        const double cpuStart = cpuMs();
        const std::vector<RankRange> ranges = solveRankRanges(table.problem, {}, &stats);
        const double cpu = cpuMs() - cpuStart;
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        times.push_back(ms);
        cpus.push_back(cpu);
        works.push_back(stats.work);
        mostTeamWork = std::max(mostTeamWork, stats.mostTeamWork);
        if (!std::all_of(ranges.begin(), ranges.end(), [](const RankRange &r) { return r.final(); })) {
            ++notFinal;
            std::printf("not final: table %d (%s, cut after match day %d, %zu fixtures left), %lld steps\n", i,
                        table.kind, table.cut, table.problem.remaining.size(), stats.work);
        }
        if (stats.work > most.work)
            most = {stats.work, ms, cpu, table};
        if (cpu > slowest.cpu)
            slowest = {stats.work, ms, cpu, std::move(table)};
    }
    const double wall = std::chrono::duration<double>(Clock::now() - runStart).count();
    const double processor = (cpuMs() - runCpu) / 1000;
    const auto median = [](auto values) {
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    std::sort(works.begin(), works.end());
    std::printf("exact outlook, %d generated tables (seed %u) in %.1f s, %.1f s of processor: median %lld steps, "
                "%.3f ms (%.3f ms of processor), 99th centile %lld steps, at most %lld steps for one team, %d not "
                "final\n",
                count, seed, wall, processor, works[works.size() / 2], median(times), median(cpus),
                works[works.size() * 99 / 100], mostTeamWork, notFinal);
    const auto print = [](const char *what, const Solved &s) {
        std::printf("exact outlook, %s: %lld steps in %.1f ms, %.1f ms of processor (%s, cut after match day %d, "
                    "%zu fixtures left), points by team:",
                    what, s.work, s.ms, s.cpu, s.table.kind, s.table.cut, s.table.problem.remaining.size());
        for (int p : s.table.problem.points)
            std::printf(" %d", p);
        std::printf(", postponed (match day, slot):");
        for (const auto &[day, slot] : s.table.postponed)
            std::printf(" %d,%d", day, slot);
        std::printf("\n");
    };
    print("the most work", most);
    print("the slowest", slowest);
    return true;
}
