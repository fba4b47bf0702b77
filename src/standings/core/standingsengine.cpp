#include "standings/core/standingsengine.h"

#include "season/core/textutil.h"
#include "standings/core/leaguepoints.h"
#include "standings/core/storedresults.h"
#include "standings/core/teamnameorder.h"

#include <QStringView>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr qsizetype KeyDigits = 12;

using storedresults::RecordView;
using ResultReader = storedresults::Reader;

// A key group beyond its three digits would spill into the group above and
// rank a team by the wrong criterion: past its bound it counts as the bound.
// No real season comes near; every one of them keeps its key unchanged.
double keyGroup(int value)
{
    return std::clamp(value, 0, 999);
}

// Goals the two teams scored against each other over every fixture of the
// season calendar, whatever match day the standings stop at. Entries are
// searched for the pair of letters, so an entry is found by its code.
class HeadToHead
{
public:
    HeadToHead(const Season &season, const ResultReader &results)
        : m_season(season)
        , m_results(results)
    {}

    // Goals of `first` minus goals of `second` in their mutual fixtures.
    int difference(QChar first, QChar second)
    {
        loadCalendar();
        const QChar firstHome[2] = {first, second};
        const QChar secondHome[2] = {second, first};
        const QStringView firstAtHome(firstHome, 2);
        const QStringView secondAtHome(secondHome, 2);
        int firstGoals = 0;
        int secondGoals = 0;
        // A record that names no team of the league counts for nobody here
        // either, as it does in the table.
        const auto read = [this](const QString &entry, bool &counts) {
            RecordView record = m_results.read(fixtureKeyOf(entry));
            counts = MatchRecord::namesLeagueTeams(record[MatchRecord::HomeLetter], record[MatchRecord::AwayLetter]);
            return record;
        };
        for (const QString &entry : m_entries) {
            bool counts = false;
            if (entry.contains(firstAtHome)) {
                const RecordView record = read(entry, counts);
                if (counts) {
                    firstGoals += record.number(MatchRecord::HomeGoals);
                    secondGoals += record.number(MatchRecord::AwayGoals);
                }
            }
            if (entry.contains(secondAtHome)) {
                const RecordView record = read(entry, counts);
                if (counts) {
                    secondGoals += record.number(MatchRecord::HomeGoals);
                    firstGoals += record.number(MatchRecord::AwayGoals);
                }
            }
        }
        return firstGoals - secondGoals;
    }

private:
    // The calendar is read once per computation, and only when a tie needs it.
    void loadCalendar()
    {
        if (m_loaded)
            return;
        m_loaded = true;
        m_entries.reserve(FixtureCount);
        for (int n = 1; n <= FixtureCount; ++n) {
            QString entry = m_season.calendarEntry(n);
            if (!entry.isEmpty())
                m_entries.push_back(std::move(entry));
        }
    }

    // The store key of an entry "dd|ii|XY": its first two characters followed
    // by the two characters after the first separator.
    static QString fixtureKeyOf(const QString &entry)
    {
        QString key = entry.left(2);
        key += QStringView(entry).mid(3, 2);
        return key;
    }

    const Season &m_season;
    const ResultReader &m_results;
    std::vector<QString> m_entries;
    bool m_loaded = false;
};

QString plainNumber(qint64 value)
{
    return QString::number(value);
}

// Credits one played or typed fixture to its two teams and to the league's
// totals.
void creditFixture(const RecordView &record, StandingRow &home, StandingRow &away, Standings &result)
{
    const int homeGoals = record.number(MatchRecord::HomeGoals);
    const int awayGoals = record.number(MatchRecord::AwayGoals);
    const bool homePlayed = isPlayedScore(record[MatchRecord::HomeGoals]);
    const bool awayPlayed = isPlayedScore(record[MatchRecord::AwayGoals]);

    home.fairPlayPoints += leaguepoints::RedCard * record.number(MatchRecord::HomeRed)
                           + leaguepoints::YellowCard * record.number(MatchRecord::HomeYellow);
    away.fairPlayPoints += leaguepoints::RedCard * record.number(MatchRecord::AwayRed)
                           + leaguepoints::YellowCard * record.number(MatchRecord::AwayYellow);

    home.goalDifference += homeGoals - awayGoals;
    away.goalDifference += awayGoals - homeGoals;
    home.goalsFor += homeGoals;
    away.goalsFor += awayGoals;
    home.goalsAgainst += awayGoals;
    away.goalsAgainst += homeGoals;
    home.homeGoalsFor += homeGoals;
    away.awayGoalsFor += awayGoals;
    home.homeGoalsAgainst += awayGoals;
    away.awayGoalsAgainst += homeGoals;

    if (homePlayed) {
        ++home.played;
        ++result.playedSides;
    }
    if (awayPlayed) {
        ++away.played;
        ++result.playedSides;
    }
    result.totalGoals += homeGoals + awayGoals;

    if (homeGoals > awayGoals) {
        home.points += leaguepoints::Win;
        home.homePoints += leaguepoints::Win;
        ++home.homeWins;
        ++away.awayLosses;
    }
    if (awayGoals > homeGoals) {
        away.points += leaguepoints::Win;
        away.awayPoints += leaguepoints::Win;
        ++away.awayWins;
        ++home.homeLosses;
    }
    // A score typed on one side only, or "-" on both, is no draw.
    if (homeGoals == awayGoals && homePlayed && awayPlayed) {
        home.points += leaguepoints::Draw;
        away.points += leaguepoints::Draw;
        home.homePoints += leaguepoints::Draw;
        away.awayPoints += leaguepoints::Draw;
        ++home.draws;
        ++away.draws;
    }
}

// The teams from the lowest ranked up, each row's ranking key completed on
// the way (rankByKeys), head-to-head read from the store.
std::array<TeamNo, TeamCount> rankingOrder(std::array<StandingRow, TeamCount> &rows, const Season &season,
                                           const ResultReader &results)
{
    const TeamNameOrder nameOrder(rows);
    std::array<double, TeamCount> keys;
    std::array<int, TeamCount> fairPlay;
    for (TeamNo team = 0; team < TeamCount; ++team) {
        keys[team] = rows[team].rankingKey;
        fairPlay[team] = rows[team].fairPlayPoints;
    }
    HeadToHead headToHead(season, results);
    const auto difference = [&](TeamNo first, TeamNo second) {
        return headToHead.difference(season.teamLetterOfName(rows[first].name),
                                     season.teamLetterOfName(rows[second].name));
    };
    const std::array<TeamNo, TeamCount> order = rankByKeys(keys, fairPlay, nameOrder, difference);
    for (TeamNo team = 0; team < TeamCount; ++team)
        rows[team].rankingKey = keys[team];
    return order;
}

} // namespace

bool isPlayedScore(QStringView goals)
{
    if (goals == QLatin1String("-"))
        return false;
    for (QChar c : goals) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t'))
            return true;
    }
    return false;
}

double StandingRow::keyPoints() const
{
    // The key's "0000" pattern takes whole points, rounding halves away
    // from zero.
    return std::round(static_cast<double>(points) + 10);
}

double pointsGoalsKey(float points, int goalDifference, int goalsFor)
{
    StandingRow row;
    row.points = points;
    return row.keyPoints() * 1e6 + keyGroup(goalDifference + 200) * 1e3 + keyGroup(goalsFor);
}

std::array<TeamNo, TeamCount> rankByKeys(std::array<double, TeamCount> &keys,
                                         const std::array<int, TeamCount> &fairPlayPoints,
                                         const TeamNameOrder &nameOrder, const HeadToHeadDifference &headToHead)
{
    // Equal keys are ordered by name, the later name ranking higher; that same
    // order decides which of two level teams is the "previous" one below.
    std::array<TeamNo, TeamCount> order;
    for (TeamNo team = 0; team < TeamCount; ++team)
        order[team] = team;
    const auto ascending = [&](const std::array<double, TeamCount> &key) {
        return [&key, &nameOrder](TeamNo x, TeamNo y) {
            if (key[x] != key[y])
                return key[x] < key[y];
            return nameOrder.rank(x) < nameOrder.rank(y);
        };
    };

    const std::array<double, TeamCount> firstKey = keys;
    std::sort(order.begin(), order.end(), ascending(firstKey));

    // Head-to-head, pairwise along runs of equal keys from the lowest up: the
    // goal balance of the two mutual fixtures is added to the upper team's
    // key, where it lands in the goals-for digits. The comparison is with the
    // previous team's unadjusted key, so a three-way tie compares neighbours
    // only.
    for (int pos = 1; pos < TeamCount; ++pos) {
        const TeamNo previous = order[pos - 1];
        const TeamNo current = order[pos];
        if (firstKey[current] != firstKey[previous])
            continue;
        keys[current] += headToHead(current, previous);
    }

    // Fewer card points give a higher key.
    for (TeamNo team = 0; team < TeamCount; ++team)
        keys[team] = keys[team] * 1000 + (999 - keyGroup(fairPlayPoints[team]));
    std::sort(order.begin(), order.end(), ascending(keys));
    return order;
}

QString StandingRow::keyText() const
{
    const qint64 key = static_cast<qint64>(std::llround(rankingKey));
    if (key < 0)
        return QLatin1Char('-') + QString::number(-key).rightJustified(KeyDigits, QLatin1Char('0'));
    return QString::number(key).rightJustified(KeyDigits, QLatin1Char('0'));
}

QString StandingRow::pointsText() const
{
    // Single precision carries about seven significant digits; more would
    // show the binary noise of a fraction such as 0.1.
    QString text = QString::number(static_cast<double>(points), 'g', 7);
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

QStringList StandingRow::fields() const
{
    return {keyText(),
            name,
            pointsText(),
            plainNumber(goalDifference),
            plainNumber(goalsFor),
            plainNumber(goalsAgainst),
            plainNumber(fairPlayPoints),
            plainNumber(played),
            plainNumber(homeGoalsFor),
            plainNumber(awayGoalsFor),
            plainNumber(homeGoalsAgainst),
            plainNumber(awayGoalsAgainst),
            plainNumber(homePoints),
            plainNumber(awayPoints),
            plainNumber(homeWins),
            plainNumber(awayWins),
            plainNumber(homeLosses),
            plainNumber(awayLosses),
            plainNumber(draws)};
}

QString StandingRow::rowText() const
{
    return fields().join(QLatin1Char('|'));
}

Standings computeStandings(const Season &season, const ResultStore &store, const BonusMalus &bonusMalus,
                           MatchDayNo upToMatchDay)
{
    Standings result;
    if (upToMatchDay == 0 || upToMatchDay > MatchDayCount)
        upToMatchDay = MatchDayCount;
    result.upToMatchDay = upToMatchDay;
    // One look at the store's file for the whole computation, not one per fixture.
    const IniFile::Hold hold(store.ini());

    std::array<StandingRow, TeamCount> rows;
    for (TeamNo team = 0; team < TeamCount; ++team) {
        rows[team].team = team;
        rows[team].name = season.teamName(team);
    }

    // Ten fixtures per match day whatever the calendar holds; the teams
    // credited are those the record names, not those of the key.
    const ResultReader results(store);
    for (MatchDayNo day = 1; day <= upToMatchDay; ++day) {
        for (int index = 0; index < FixturesPerMatchDay; ++index) {
            const RecordView record = results.read(storedresults::fixtureKey(day, index));
            if (record[MatchRecord::HomeLetter].isEmpty())
                continue;
            const TeamNo h = MatchRecord::teamOfLetterField(record[MatchRecord::HomeLetter]);
            const TeamNo a = MatchRecord::teamOfLetterField(record[MatchRecord::AwayLetter]);
            if (h == NoTeam || a == NoTeam)
                continue; // a record naming no team of the league counts for nobody
            creditFixture(record, rows[h], rows[a], result);
        }
    }

    // Adjustments count whatever match day the standings stop at.
    for (TeamNo team = 0; team < TeamCount; ++team) {
        StandingRow &row = rows[team];
        row.points += bonusMalus[team];
        row.rankingKey = pointsGoalsKey(row.points, row.goalDifference, row.goalsFor);
    }

    const std::array<TeamNo, TeamCount> order = rankingOrder(rows, season, results);
    for (int rank = 0; rank < TeamCount; ++rank)
        result.rows[rank] = std::move(rows[order[TeamCount - 1 - rank]]);
    return result;
}
