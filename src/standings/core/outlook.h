#pragma once

#include "season/core/resultstore.h"
#include "season/core/season.h"
#include "standings/core/leaguezones.h"
#include "standings/core/rankoutlook.h"
#include "standings/core/standingsengine.h"

#include <QFlags>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <array>
#include <list>
#include <optional>
#include <utility>
#include <vector>

// Where the outlook's settled words start and end: the last rank of each
// qualifying zone and the first relegated rank, those of the table unless a
// caller asks about others.
struct LeagueZones
{
    int championsLeague = leaguezones::ChampionsLeague.last;
    int thirdRound = leaguezones::ThirdRound.last;
    int europa = leaguezones::Europa.last;
    int firstRelegated = leaguezones::Relegation.first;
};

// What a team's best and worst final ranks settle. "Clinched": even the worst
// rank is inside; "out of reach": even the best rank is outside.
enum class OutlookFlag : unsigned {
    ChampionClinched = 1u << 0,
    TitleOutOfReach = 1u << 1,
    ChampionsLeagueClinched = 1u << 2, // ranks 1-2
    ChampionsLeagueOutOfReach = 1u << 3,
    ThirdRoundClinched = 1u << 4, // ranks 1-3
    ThirdRoundOutOfReach = 1u << 5,
    EuropaClinched = 1u << 6, // ranks 1-4
    EuropaOutOfReach = 1u << 7,
    RelegationAvoided = 1u << 8,
    Relegated = 1u << 9,
};
Q_DECLARE_FLAGS(OutlookFlags, OutlookFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(OutlookFlags)

OutlookFlags outlookFlags(const RankRange &range, const LeagueZones &zones = {});

// Whether a solve ran to its end for every team (exactly or out of time):
// false once it was cancelled.
bool outlookComplete(const std::vector<RankRange> &ranges);

// One team's outlook, ready to show: the overlay cell, its tool tip, the
// printed status words.
struct TeamOutlook
{
    TeamNo team = NoTeam;
    QString name;
    QString rankLabel; // rank in the table now, shared by equal keys
    RankRange range;
    OutlookFlags flags;
    QString rangeText;       // "2–7", or "3" when the final rank is known; "2–7*" when not final
    QStringList statusWords; // "champion", "titre impossible", "maintenu"..., then "non définitif" or
                             // "échec du calcul" when the range is not final
    QString toolTip;         // French, one line per fact
};

// The outlook of every team in table order (rows[0] is the leader).
struct SeasonOutlook
{
    std::array<TeamOutlook, TeamCount> rows;
    MatchDayNo upToMatchDay = MatchDayCount;
    int remainingFixtures = 0;
    // The leader is champion whatever happens in the fixtures left.
    bool championClinched() const { return rows[0].flags.testFlag(OutlookFlag::ChampionClinched); }
    // Every range is exact.
    bool final() const
    {
        return std::all_of(rows.begin(), rows.end(), [](const TeamOutlook &row) { return row.range.final(); });
    }
};

// The question the standings ask, read on the thread that owns the store:
// the whole points of the table (adjustments included, as the ranking key
// counts them) by team number, and the fixtures of the calendar still to be
// played: every fixture after the last match day counted, and every fixture
// of a counted match day that has no score in the store (postponed).
OutlookProblem outlookProblem(const Season &season, const ResultStore &store, const Standings &standings);

// Puts the ranges solved for `problem` (by team number) into table order with
// flags and texts. Pure: no store, no solver.
SeasonOutlook seasonOutlook(const Standings &standings, const OutlookProblem &problem,
                            const std::vector<RankRange> &rangesByTeam);

// Everything in one call, on the calling thread: for the command line and
// the benchmark.
SeasonOutlook computeOutlook(const Season &season, const ResultStore &store, const BonusMalus &bonusMalus,
                             MatchDayNo upToMatchDay = 0, const OutlookSolveOptions &options = {});

// Solved outlooks kept by their question, so that going back to a match day
// or redrawing after a save that changed nothing costs no solving; a results
// store that changes asks a new question. Safe to use from several threads:
// the window asks find() on its own thread and solves on a worker thread.
class OutlookCache
{
public:
    explicit OutlookCache(int capacity = 8)
        : m_capacity(capacity)
    {}

    std::optional<std::vector<RankRange>> find(const OutlookProblem &problem) const;
    // The kept answer, or a fresh one (solved without holding the cache, so
    // find() never waits for a solver). A cancelled solve is not kept.
    std::vector<RankRange> ranges(const OutlookProblem &problem, const OutlookSolveOptions &options = {});
    // Forgets every kept answer.
    void clear();

private:
    mutable QMutex m_mutex;
    int m_capacity;
    mutable std::list<std::pair<OutlookProblem, std::vector<RankRange>>> m_entries; // most recent first
};
