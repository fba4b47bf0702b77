#pragma once

#include "season/core/resultstore.h"
#include "season/core/season.h"

#include <QString>

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

// How likely each final rank is for every team: the rest of the season
// drawn many times from a declared goals model, each simulated season ranked
// by the table's own rules. Everything here is a pure function of the store,
// the match day, the number of runs and the seed: safe to call on any thread
// that may read the store.
namespace seasonodds {

inline constexpr qint64 DefaultRuns = 100000;
inline constexpr qint64 MaxRuns = 10000000;
inline constexpr quint64 DefaultSeed = 1;

// The goals model after match days 1..N. Rates and ratings come from the
// played matches as the statistics read them (a score on both sides).
struct Model
{
    double homeRate = 0;                     // mh = (home goals + 15) / (played + 10)
    double awayRate = 0;                     // ma = (away goals + 11) / (played + 10)
    double meanRate = 0;                     // m = (mh + ma) / 2
    std::array<double, TeamCount> attack{};  // (F + 5m) / ((P + 5) m), by team number
    std::array<double, TeamCount> defence{}; // (A + 5m) / ((P + 5) m)

    // A fixture the table does not count at N, as the exact outlook reads
    // them, with the mean goals of each side.
    struct Fixture
    {
        TeamNo home = NoTeam;
        TeamNo away = NoTeam;
        double homeMean = 0; // mh * att(home) * def(away)
        double awayMean = 0; // ma * att(away) * def(home)
    };
    std::vector<Fixture> remaining;
};

// `upTo` 1..38 (0 counts the whole season, as the table does).
Model model(const Season &season, const ResultStore &store, const BonusMalus &bonusMalus, MatchDayNo upTo);

// The scores that run `run` of seed `seed` draws for the model's fixtures
// still to play, home goals first, in the order of model.remaining: what a
// test needs to rank that one season with the table itself.
std::vector<std::pair<int, int>> drawnScores(const Model &model, quint64 seed, qint64 run);

// The latest match day where a fixture holds a score on either side; 0 when
// none does.
MatchDayNo latestMatchDayWithResult(const ResultStore &store);

struct Request
{
    MatchDayNo upTo = 0; // 0: the whole season
    qint64 runs = DefaultRuns;
    quint64 seed = DefaultSeed;
    int threads = 0; // 0: one per core
    // Raised from another thread, stops the runs within a few of them.
    const std::atomic_bool *cancel = nullptr;
    // Runs done so far, called now and then on the calling thread.
    std::function<void(qint64 done)> progress = {};
};

struct TeamOdds
{
    TeamNo team = NoTeam;
    QString name;
    double expectedPoints = 0;
    std::array<qint64, TeamCount> rankCounts{}; // seasons ending at rank 1..20
    double share(int rank) const;               // percentage of the runs at rank 1..20
    qint64 runs = 0;
};

struct Odds
{
    std::array<TeamOdds, TeamCount> rows; // in table order at upToMatchDay
    MatchDayNo upToMatchDay = MatchDayCount;
    qint64 runs = 0;
    quint64 seed = DefaultSeed;
    bool cancelled = false; // then the counts are partial and not to be shown
};

// Draws request.runs seasons, run r from its own random stream derived from
// (seed, r), spread over threads; the counts are sums of whole numbers, so
// they do not depend on the number of threads.
Odds compute(const Season &season, const ResultStore &store, const BonusMalus &bonusMalus, const Request &request);

} // namespace seasonodds
