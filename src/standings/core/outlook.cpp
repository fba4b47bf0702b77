#include "standings/core/outlook.h"

#include <QMutexLocker>

#include <algorithm>

namespace {

// The outlook's own words, kept together so they read at a glance.
namespace texts {
const QString Champion = QStringLiteral("champion");
const QString GroupStageClinched = QStringLiteral("phase de groupe assurée");
const QString ChampionsLeagueClinched = QStringLiteral("Champions league assurée");
const QString EuropeClinched = QStringLiteral("Europe assurée");
const QString TitleOut = QStringLiteral("titre impossible");
const QString GroupStageOut = QStringLiteral("phase de groupe impossible");
const QString ChampionsLeagueOut = QStringLiteral("Champions league impossible");
const QString EuropeOut = QStringLiteral("Europe impossible");
const QString Safe = QStringLiteral("maintenu");
const QString Relegated = QStringLiteral("relégué");

const QString FinalRankKnown = QStringLiteral("Classement final assuré : %1");
const QString FinalRankRange = QStringLiteral("Classement final possible : du %1 au %2");
const QString TipChampion = QStringLiteral("Champion quels que soient les matches restants");
const QString TipGroupStageClinched = QStringLiteral("Phase de groupe de la Champions league assurée");
const QString TipChampionsLeagueClinched = QStringLiteral("Qualification en Champions league assurée");
const QString TipEuropeClinched = QStringLiteral("Qualification européenne assurée");
const QString TipTitleOut = QStringLiteral("Le titre n'est plus possible");
const QString TipGroupStageOut = QStringLiteral("La phase de groupe de la Champions league n'est plus possible");
const QString TipChampionsLeagueOut = QStringLiteral("La Champions league n'est plus possible");
const QString TipEuropeOut = QStringLiteral("L'Europe n'est plus possible");
const QString TipSafe = QStringLiteral("Maintien assuré");
const QString TipRelegated = QStringLiteral("Relégation certaine");
const QString TipTies =
    QStringLiteral("(à égalité de points, la différence de buts et les autres critères décideront)");
const QString RangeDash = QStringLiteral("\u2013");

// A range that is not final: its mark in the cell, its word on the command
// line, and what its tool tip says instead of the exact range.
const QString NotFinalMark = QStringLiteral("*");
const QString OutOfTimeWord = QStringLiteral("non définitif");
const QString FailedWord = QStringLiteral("échec du calcul");
const QString BoundsRange = QStringLiteral("Classement final compris entre le %1 et le %2");
const QString BoundsKnown = QStringLiteral("Classement final : %1 au mieux, %2 au pire");
const QString TipOutOfTime = QStringLiteral("Calcul arrêté : la recherche a atteint sa limite de travail ; ces bornes "
                                            "sont sûres, le classement exact peut être plus étroit");
const QString TipFailed =
    QStringLiteral("Le calcul exact a échoué : ces bornes ne tiennent qu'aux points du classement");
} // namespace texts

// "1er", "2e", "17e".
QString ordinal(int rank)
{
    return QString::number(rank) + (rank == 1 ? QStringLiteral("er") : QStringLiteral("e"));
}

// Each kind of fact says only its strongest case. What the worst rank
// settles reads from champion down to staying up ("champion" already says
// the team stays up); what the best rank rules out reads from relegation
// down to the title ("relégué" already says Europe is out of reach). So a
// team has two words at most, and "maintenu" or "relégué" only alone on its
// side.
struct Wording
{
    OutlookFlag flag;
    const QString &word;
    const QString &tip;
};

const Wording ClinchedWordings[] = {
    {OutlookFlag::ChampionClinched, texts::Champion, texts::TipChampion},
    {OutlookFlag::ChampionsLeagueClinched, texts::GroupStageClinched, texts::TipGroupStageClinched},
    {OutlookFlag::ThirdRoundClinched, texts::ChampionsLeagueClinched, texts::TipChampionsLeagueClinched},
    {OutlookFlag::EuropaClinched, texts::EuropeClinched, texts::TipEuropeClinched},
    {OutlookFlag::RelegationAvoided, texts::Safe, texts::TipSafe},
};
const Wording OutOfReachWordings[] = {
    {OutlookFlag::Relegated, texts::Relegated, texts::TipRelegated},
    {OutlookFlag::EuropaOutOfReach, texts::EuropeOut, texts::TipEuropeOut},
    {OutlookFlag::ThirdRoundOutOfReach, texts::ChampionsLeagueOut, texts::TipChampionsLeagueOut},
    {OutlookFlag::ChampionsLeagueOutOfReach, texts::GroupStageOut, texts::TipGroupStageOut},
    {OutlookFlag::TitleOutOfReach, texts::TitleOut, texts::TipTitleOut},
};

template <std::size_t N>
const Wording *strongest(const Wording (&wordings)[N], OutlookFlags flags)
{
    for (const Wording &w : wordings) {
        if (flags.testFlag(w.flag))
            return &w;
    }
    return nullptr;
}

void describe(TeamOutlook &row)
{
    const RankRange &r = row.range;
    row.rangeText = r.best == r.worst ? QString::number(r.best)
                                      : QString::number(r.best) + texts::RangeDash + QString::number(r.worst);
    QStringList tip;
    if (r.final()) {
        tip << (r.best == r.worst ? texts::FinalRankKnown.arg(ordinal(r.best))
                                  : texts::FinalRankRange.arg(ordinal(r.best), ordinal(r.worst)));
    } else {
        // Bounds only: not every rank between them is shown to be reachable.
        row.rangeText += texts::NotFinalMark;
        tip << (r.best == r.worst ? texts::BoundsKnown.arg(ordinal(r.best), ordinal(r.worst))
                                  : texts::BoundsRange.arg(ordinal(r.best), ordinal(r.worst)));
    }
    // The words of the zones first, the one of relegation last.
    const Wording *clinched = strongest(ClinchedWordings, row.flags);
    const Wording *outOfReach = strongest(OutOfReachWordings, row.flags);
    const auto relegation = [](const Wording *w) {
        return w && (w->flag == OutlookFlag::RelegationAvoided || w->flag == OutlookFlag::Relegated);
    };
    if (relegation(clinched))
        std::swap(clinched, outOfReach);
    for (const Wording *w : {clinched, outOfReach}) {
        if (w) {
            row.statusWords << w->word;
            tip << w->tip;
        }
    }
    if (r.best != r.worst)
        tip << texts::TipTies;
    if (r.state == RangeState::OutOfTime || r.state == RangeState::Cancelled) {
        row.statusWords << texts::OutOfTimeWord;
        tip << texts::TipOutOfTime;
    } else if (r.state == RangeState::Failed) {
        row.statusWords << texts::FailedWord;
        tip << texts::TipFailed;
    }
    row.toolTip = tip.join(QLatin1Char('\n'));
}

// Whether the standings counted a result for this record: the engine's own
// rule (a league team on each side, a score on at least one side).
bool countedByStandings(const MatchRecord &record)
{
    return record.namesLeagueTeams()
           && (isPlayedScore(record[MatchRecord::HomeGoals]) || isPlayedScore(record[MatchRecord::AwayGoals]));
}

// Whole points as the ranking key counts them. An absurd adjustment is held
// to a range that still ranks the team first or last without overflowing.
int wholePoints(const StandingRow &row)
{
    constexpr double Limit = 1e7;
    return int(std::clamp(row.keyPoints() - 10, -Limit, Limit));
}

} // namespace

bool outlookComplete(const std::vector<RankRange> &ranges)
{
    return std::none_of(ranges.begin(), ranges.end(),
                        [](const RankRange &r) { return r.state == RangeState::Cancelled; });
}

OutlookFlags outlookFlags(const RankRange &range, const LeagueZones &zones)
{
    OutlookFlags flags;
    const auto zone = [&](int lastRank, OutlookFlag clinched, OutlookFlag outOfReach) {
        if (range.worst <= lastRank)
            flags |= clinched;
        if (range.best > lastRank)
            flags |= outOfReach;
    };
    zone(leaguezones::Champion, OutlookFlag::ChampionClinched, OutlookFlag::TitleOutOfReach);
    zone(zones.championsLeague, OutlookFlag::ChampionsLeagueClinched, OutlookFlag::ChampionsLeagueOutOfReach);
    zone(zones.thirdRound, OutlookFlag::ThirdRoundClinched, OutlookFlag::ThirdRoundOutOfReach);
    zone(zones.europa, OutlookFlag::EuropaClinched, OutlookFlag::EuropaOutOfReach);
    if (range.worst < zones.firstRelegated)
        flags |= OutlookFlag::RelegationAvoided;
    if (range.best >= zones.firstRelegated)
        flags |= OutlookFlag::Relegated;
    return flags;
}

OutlookProblem outlookProblem(const Season &season, const ResultStore &store, const Standings &standings)
{
    OutlookProblem problem;
    problem.points.assign(TeamCount, 0);
    problem.tablePosition.assign(TeamCount, TeamCount);
    for (int i = 0; i < TeamCount; ++i) {
        const StandingRow &row = standings.rows[i];
        if (row.team >= 0 && row.team < TeamCount) {
            problem.points[row.team] = wholePoints(row);
            problem.tablePosition[row.team] = i;
        }
    }

    // One look at the store's file for the whole reading.
    const IniFile::Hold hold(store.ini());
    for (MatchDayNo day = 1; day <= MatchDayCount; ++day) {
        const QStringList codes = season.fixtureCodes(day);
        for (int index = 0; index < codes.size(); ++index) {
            const QStringView code(codes[index]);
            const TeamNo home = MatchRecord::teamOfLetterField(code);
            const TeamNo away = MatchRecord::teamOfLetterField(code.mid(1));
            if (home == NoTeam || away == NoTeam || home == away)
                continue;
            if (day <= standings.upToMatchDay && countedByStandings(store.match(Season::fixtureKey(day, index))))
                continue;
            problem.remaining.push_back({home, away});
        }
    }
    return problem;
}

SeasonOutlook seasonOutlook(const Standings &standings, const OutlookProblem &problem,
                            const std::vector<RankRange> &rangesByTeam)
{
    SeasonOutlook outlook;
    outlook.upToMatchDay = standings.upToMatchDay;
    outlook.remainingFixtures = int(problem.remaining.size());
    for (int i = 0; i < TeamCount; ++i) {
        const StandingRow &data = standings.rows[i];
        TeamOutlook &row = outlook.rows[i];
        row.team = data.team;
        row.name = data.name;
        // Standard competition ranking on the key text, as the table's rank labels.
        row.rankLabel = i > 0 && data.keyText() == standings.rows[i - 1].keyText() ? outlook.rows[i - 1].rankLabel
                                                                                   : QString::number(i + 1);
        if (data.team >= 0 && data.team < int(rangesByTeam.size()))
            row.range = rangesByTeam[data.team];
        row.flags = outlookFlags(row.range);
        describe(row);
    }
    return outlook;
}

SeasonOutlook computeOutlook(const Season &season, const ResultStore &store, const BonusMalus &bonusMalus,
                             MatchDayNo upToMatchDay, const OutlookSolveOptions &options)
{
    const Standings standings = computeStandings(season, store, bonusMalus, upToMatchDay);
    const OutlookProblem problem = outlookProblem(season, store, standings);
    return seasonOutlook(standings, problem, solveRankRanges(problem, options));
}

std::optional<std::vector<RankRange>> OutlookCache::find(const OutlookProblem &problem) const
{
    const QMutexLocker lock(&m_mutex);
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [&problem](const auto &entry) { return entry.first == problem; });
    if (it == m_entries.end())
        return std::nullopt;
    m_entries.splice(m_entries.begin(), m_entries, it);
    return m_entries.front().second;
}

std::vector<RankRange> OutlookCache::ranges(const OutlookProblem &problem, const OutlookSolveOptions &options)
{
    if (std::optional<std::vector<RankRange>> kept = find(problem))
        return *std::move(kept);
    std::vector<RankRange> solved = solveRankRanges(problem, options);
    // A cancelled solve is no answer; one out of time is the answer this
    // table gets (solving again would run out of time again).
    if (!outlookComplete(solved))
        return solved;
    const QMutexLocker lock(&m_mutex);
    m_entries.emplace_front(problem, solved);
    while (int(m_entries.size()) > std::max(1, m_capacity))
        m_entries.pop_back();
    return solved;
}

void OutlookCache::clear()
{
    const QMutexLocker lock(&m_mutex);
    m_entries.clear();
}
