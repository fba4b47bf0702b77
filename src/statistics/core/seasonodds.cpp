#include "statistics/core/seasonodds.h"

#include "season/core/matchrecord.h"
#include "standings/core/leaguepoints.h"
#include "standings/core/outlook.h"
#include "standings/core/playedmatches.h"
#include "standings/core/standingsengine.h"
#include "standings/core/storedresults.h"
#include "standings/core/teamnameorder.h"

#include <QThread>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace seasonodds {

namespace {

// The prior that keeps the first match days from reading too much into a few
// scores: ten matches at 1.5 home goals and 1.1 away goals, five at the
// league's mean for every team.
constexpr double PriorMatches = 10;
constexpr double PriorHomeGoals = 15;
constexpr double PriorAwayGoals = 11;
constexpr double PriorTeamMatches = 5;

// Runs handed to a thread at a time: small enough for a cancel to land
// within a few milliseconds, large enough to keep the threads off the
// shared counter.
constexpr qint64 BlockRuns = 64;

std::uint64_t splitMix64(std::uint64_t &state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// xoshiro256**, seeded through splitmix64 from the seed and the run's number,
// so that run r draws the same goals on any thread and any machine.
class RunStream
{
public:
    RunStream(quint64 seed, qint64 run)
    {
        std::uint64_t state = seed;
        const std::uint64_t base = splitMix64(state);
        std::uint64_t runState = base ^ (std::uint64_t(run) * 0xD1B54A32D192ED03ull);
        for (std::uint64_t &word : m_s)
            word = splitMix64(runState);
    }

    // Uniform in [0, 1), on 53 bits.
    double uniform() { return double(next() >> 11) * 0x1.0p-53; }

private:
    static std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    std::uint64_t next()
    {
        const std::uint64_t result = rotl(m_s[1] * 5, 7) * 9;
        const std::uint64_t t = m_s[1] << 17;
        m_s[2] ^= m_s[0];
        m_s[3] ^= m_s[1];
        m_s[1] ^= m_s[2];
        m_s[0] ^= m_s[3];
        m_s[2] ^= t;
        m_s[3] = rotl(m_s[3], 45);
        return result;
    }
    std::uint64_t m_s[4]{};
};

// Goals of one side, Poisson by inversion of its distribution: the first
// terms of the cumulative law are worked out once per fixture, the rare tail
// beyond them as the draw goes. A mean past PieceMean (a season of absurd
// scores) is drawn as a sum of smaller Poisson pieces, which has the same
// law and keeps e^-mean away from underflow.
class PoissonGoals
{
public:
    static constexpr double PieceMean = 30;

    explicit PoissonGoals(double mean)
    {
        if (!(mean > 0))
            return;
        m_pieces = int(std::ceil(mean / PieceMean));
        m_mean = mean / m_pieces;
        double p = std::exp(-m_mean);
        double below = p;
        m_below[0] = below;
        for (int k = 1; k < TableSize; ++k) {
            p *= m_mean / k;
            below += p;
            m_below[k] = below;
        }
        m_lastTerm = p;
    }

    int draw(RunStream &stream) const
    {
        int goals = 0;
        for (int piece = 0; piece < m_pieces; ++piece) {
            const double u = stream.uniform();
            // The cumulative law rises, so the goals drawn are the number of
            // its terms at or below u: counted without a branch to mispredict.
            int k = 0;
            for (int j = 0; j < TableSize; ++j)
                k += u >= m_below[j] ? 1 : 0;
            if (k == TableSize) {
                // The cumulative sum can stop a hair short of 1: once the
                // terms vanish the draw has reached its tail.
                k = TableSize - 1;
                double p = m_lastTerm;
                double below = m_below[TableSize - 1];
                while (u >= below && p > 0) {
                    ++k;
                    p *= m_mean / k;
                    below += p;
                }
            }
            goals += k;
        }
        return goals;
    }

private:
    static constexpr int TableSize = 12;
    int m_pieces = 0;
    double m_mean = 0;
    std::array<double, TableSize> m_below{}; // P(goals <= k)
    double m_lastTerm = 0;                   // P(goals = TableSize - 1)
};

struct SimulatedFixture
{
    TeamNo home;
    TeamNo away;
    PoissonGoals homeGoals;
    PoissonGoals awayGoals;
};

// The table at N as the engine tallied it, the part every simulated season
// starts from. Drawn matches carry no cards: fair play stays as it is.
struct Start
{
    std::array<int, TeamCount> resultPoints{}; // points from results, without adjustments
    std::array<int, TeamCount> goalDifference{};
    std::array<int, TeamCount> goalsFor{};
    std::array<int, TeamCount> fairPlay{};
    // goals[a][b]: goals a scored against b in the fixtures counted at N.
    std::array<std::array<int, TeamCount>, TeamCount> goals{};
};

struct Prepared
{
    Standings standings;
    Model model;
    Start start;
};

Prepared prepare(const Season &season, const ResultStore &store, const BonusMalus &bonusMalus, MatchDayNo upTo)
{
    Prepared p;
    p.standings = computeStandings(season, store, bonusMalus, upTo);
    const MatchDayNo n = p.standings.upToMatchDay;

    Model &m = p.model;
    const std::vector<PlayedMatch> played = playedMatches(store, 1, n);
    int homeGoals = 0;
    int awayGoals = 0;
    std::array<int, TeamCount> matches{}, scored{}, conceded{};
    for (const PlayedMatch &match : played) {
        homeGoals += match.homeGoals;
        awayGoals += match.awayGoals;
        ++matches[match.home];
        ++matches[match.away];
        scored[match.home] += match.homeGoals;
        scored[match.away] += match.awayGoals;
        conceded[match.home] += match.awayGoals;
        conceded[match.away] += match.homeGoals;
    }
    const double count = double(played.size());
    m.homeRate = (homeGoals + PriorHomeGoals) / (count + PriorMatches);
    m.awayRate = (awayGoals + PriorAwayGoals) / (count + PriorMatches);
    m.meanRate = (m.homeRate + m.awayRate) / 2;
    for (TeamNo team = 0; team < TeamCount; ++team) {
        const double weight = (matches[team] + PriorTeamMatches) * m.meanRate;
        m.attack[team] = (scored[team] + PriorTeamMatches * m.meanRate) / weight;
        m.defence[team] = (conceded[team] + PriorTeamMatches * m.meanRate) / weight;
    }

    // The fixtures left are the outlook's own: after N, or with no score.
    const OutlookProblem problem = outlookProblem(season, store, p.standings);
    for (const LeagueFixture &f : problem.remaining) {
        m.remaining.push_back({f.home, f.away, m.homeRate * m.attack[f.home] * m.defence[f.away],
                               m.awayRate * m.attack[f.away] * m.defence[f.home]});
    }

    Start &s = p.start;
    for (const StandingRow &row : p.standings.rows) {
        if (row.team < 0 || row.team >= TeamCount)
            continue;
        s.resultPoints[row.team] = row.homePoints + row.awayPoints;
        s.goalDifference[row.team] = row.goalDifference;
        s.goalsFor[row.team] = row.goalsFor;
        s.fairPlay[row.team] = row.fairPlayPoints;
    }
    // Head-to-head of the simulated season: the results the table counts at
    // N (a half-entered one as it counts it), then the drawn ones.
    const IniFile::Hold hold(store.ini());
    const storedresults::Reader results(store);
    for (MatchDayNo day = 1; day <= n; ++day) {
        for (int index = 0; index < FixturesPerMatchDay; ++index) {
            const storedresults::RecordView record = results.read(storedresults::fixtureKey(day, index));
            if (!MatchRecord::namesLeagueTeams(record[MatchRecord::HomeLetter], record[MatchRecord::AwayLetter]))
                continue;
            if (!isPlayedScore(record[MatchRecord::HomeGoals]) && !isPlayedScore(record[MatchRecord::AwayGoals]))
                continue;
            const TeamNo h = MatchRecord::teamOfLetterField(record[MatchRecord::HomeLetter]);
            const TeamNo a = MatchRecord::teamOfLetterField(record[MatchRecord::AwayLetter]);
            s.goals[h][a] += record.number(MatchRecord::HomeGoals);
            s.goals[a][h] += record.number(MatchRecord::AwayGoals);
        }
    }
    return p;
}

// What one thread counted; whole numbers, so the sum over threads does not
// depend on which thread ran which runs.
struct Tally
{
    std::array<std::array<qint64, TeamCount>, TeamCount> rankCounts{}; // [team][rank - 1]
    std::array<qint64, TeamCount> drawnPoints{};
};

class Simulation
{
public:
    Simulation(const Prepared &prepared, const BonusMalus &bonusMalus, const TeamNameOrder &nameOrder)
        : m_start(prepared.start)
        , m_bonusMalus(bonusMalus)
        , m_nameOrder(nameOrder)
    {
        for (const Model::Fixture &f : prepared.model.remaining)
            m_fixtures.push_back({f.home, f.away, PoissonGoals(f.homeMean), PoissonGoals(f.awayMean)});
    }

    void run(quint64 seed, qint64 runNumber, Tally &tally)
    {
        RunStream stream(seed, runNumber);
        std::array<int, TeamCount> points = m_start.resultPoints;
        std::array<int, TeamCount> difference = m_start.goalDifference;
        std::array<int, TeamCount> goalsFor = m_start.goalsFor;
        m_goals = m_start.goals;
        for (const SimulatedFixture &f : m_fixtures) {
            const int h = f.homeGoals.draw(stream);
            const int a = f.awayGoals.draw(stream);
            difference[f.home] += h - a;
            difference[f.away] += a - h;
            goalsFor[f.home] += h;
            goalsFor[f.away] += a;
            m_goals[f.home][f.away] += h;
            m_goals[f.away][f.home] += a;
            // Indexed by the sign of the home side's margin: the outcome of a
            // drawn score is a coin no branch predictor can guess.
            static constexpr int HomePoints[3] = {leaguepoints::Loss, leaguepoints::Draw, leaguepoints::Win};
            static constexpr int AwayPoints[3] = {leaguepoints::Win, leaguepoints::Draw, leaguepoints::Loss};
            const int outcome = (h > a) - (h < a) + 1;
            points[f.home] += HomePoints[outcome];
            points[f.away] += AwayPoints[outcome];
        }

        std::array<double, TeamCount> keys;
        for (TeamNo team = 0; team < TeamCount; ++team) {
            // As the engine sums them: results first, then the adjustment.
            float total = float(points[team]);
            total += m_bonusMalus[team];
            keys[team] = pointsGoalsKey(total, difference[team], goalsFor[team]);
            tally.drawnPoints[team] += points[team] - m_start.resultPoints[team];
        }
        const auto headToHead = [this](TeamNo first, TeamNo second) {
            return m_goals[first][second] - m_goals[second][first];
        };
        const std::array<TeamNo, TeamCount> lowestFirst = rankByKeys(keys, m_start.fairPlay, m_nameOrder, headToHead);
        for (int rank = 1; rank <= TeamCount; ++rank)
            ++tally.rankCounts[lowestFirst[TeamCount - rank]][rank - 1];
    }

private:
    const Start &m_start;
    const BonusMalus &m_bonusMalus;
    const TeamNameOrder &m_nameOrder;
    std::vector<SimulatedFixture> m_fixtures;
    std::array<std::array<int, TeamCount>, TeamCount> m_goals{};
};

} // namespace

double TeamOdds::share(int rank) const
{
    if (runs <= 0 || rank < 1 || rank > TeamCount)
        return 0;
    return 100.0 * double(rankCounts[rank - 1]) / double(runs);
}

Model model(const Season &season, const ResultStore &store, const BonusMalus &bonusMalus, MatchDayNo upTo)
{
    return prepare(season, store, bonusMalus, upTo).model;
}

std::vector<std::pair<int, int>> drawnScores(const Model &model, quint64 seed, qint64 run)
{
    // The same fixtures in the same order, each side drawn home first, as a
    // simulation's run draws them.
    RunStream stream(seed, run);
    std::vector<std::pair<int, int>> scores;
    for (const Model::Fixture &f : model.remaining) {
        const int h = PoissonGoals(f.homeMean).draw(stream);
        const int a = PoissonGoals(f.awayMean).draw(stream);
        scores.emplace_back(h, a);
    }
    return scores;
}

MatchDayNo latestMatchDayWithResult(const ResultStore &store)
{
    const IniFile::Hold hold(store.ini());
    const storedresults::Reader results(store);
    for (MatchDayNo day = MatchDayCount; day >= 1; --day) {
        for (int index = 0; index < FixturesPerMatchDay; ++index) {
            const storedresults::RecordView record = results.read(storedresults::fixtureKey(day, index));
            if (isPlayedScore(record[MatchRecord::HomeGoals]) || isPlayedScore(record[MatchRecord::AwayGoals]))
                return day;
        }
    }
    return 0;
}

Odds compute(const Season &season, const ResultStore &store, const BonusMalus &bonusMalus, const Request &request)
{
    const Prepared prepared = prepare(season, store, bonusMalus, request.upTo);
    const qint64 runs = std::clamp<qint64>(request.runs, 0, MaxRuns);

    std::array<QString, TeamCount> names;
    for (TeamNo team = 0; team < TeamCount; ++team)
        names[team] = season.teamName(team);
    const TeamNameOrder nameOrder(names);

    const int threadCount = int(std::clamp<qint64>(request.threads > 0 ? request.threads : QThread::idealThreadCount(),
                                                   1, std::max<qint64>(1, (runs + BlockRuns - 1) / BlockRuns)));
    std::vector<Tally> tallies(threadCount);
    std::atomic<qint64> nextBlock{0};
    std::atomic<qint64> done{0};
    std::atomic_bool stopped{false};
    std::mutex mutex;
    std::condition_variable finishedOne;
    int finished = 0;

    const auto work = [&](int worker) {
        Simulation simulation(prepared, bonusMalus, nameOrder);
        Tally &tally = tallies[worker];
        for (;;) {
            const qint64 first = nextBlock.fetch_add(1) * BlockRuns;
            if (first >= runs)
                break;
            const qint64 last = std::min(runs, first + BlockRuns);
            for (qint64 r = first; r < last; ++r) {
                if (request.cancel && request.cancel->load(std::memory_order_relaxed)) {
                    stopped = true;
                    break;
                }
                simulation.run(request.seed, r, tally);
            }
            if (stopped)
                break;
            done += last - first;
        }
        const std::lock_guard lock(mutex);
        ++finished;
        finishedOne.notify_all();
    };

    std::vector<std::thread> threads;
    threads.reserve(threadCount);
    for (int worker = 0; worker < threadCount; ++worker)
        threads.emplace_back(work, worker);
    {
        // Progress is told on the calling thread, a few times a second.
        std::unique_lock lock(mutex);
        while (finished < threadCount) {
            finishedOne.wait_for(lock, std::chrono::milliseconds(40));
            if (request.progress) {
                lock.unlock();
                request.progress(done.load());
                lock.lock();
            }
        }
    }
    for (std::thread &thread : threads)
        thread.join();

    Tally total;
    for (const Tally &tally : tallies) {
        for (TeamNo team = 0; team < TeamCount; ++team) {
            total.drawnPoints[team] += tally.drawnPoints[team];
            for (int rank = 0; rank < TeamCount; ++rank)
                total.rankCounts[team][rank] += tally.rankCounts[team][rank];
        }
    }

    Odds odds;
    odds.upToMatchDay = prepared.standings.upToMatchDay;
    odds.runs = runs;
    odds.seed = request.seed;
    odds.cancelled = stopped;
    for (int i = 0; i < TeamCount; ++i) {
        const StandingRow &row = prepared.standings.rows[i];
        TeamOdds &out = odds.rows[i];
        out.team = row.team;
        out.name = row.name;
        out.runs = runs;
        if (row.team < 0 || row.team >= TeamCount)
            continue;
        out.rankCounts = total.rankCounts[row.team];
        out.expectedPoints = double(row.points) + (runs > 0 ? double(total.drawnPoints[row.team]) / double(runs) : 0.0);
    }
    return odds;
}

} // namespace seasonodds
