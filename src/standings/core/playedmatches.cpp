#include "standings/core/playedmatches.h"

#include "standings/core/leaguepoints.h"
#include "standings/core/standingsengine.h"
#include "standings/core/storedresults.h"

#include <algorithm>

Outcome outcomeFor(const PlayedMatch &match, TeamNo team)
{
    const int scored = match.goalsFor(team);
    const int conceded = match.goalsAgainst(team);
    if (scored > conceded)
        return Outcome::Won;
    return scored == conceded ? Outcome::Drawn : Outcome::Lost;
}

int pointsOf(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Won:
        return leaguepoints::Win;
    case Outcome::Drawn:
        return leaguepoints::Draw;
    case Outcome::Lost:
        break;
    }
    return leaguepoints::Loss;
}

QChar outcomeLetter(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Won:
        return QLatin1Char('V');
    case Outcome::Drawn:
        return QLatin1Char('N');
    case Outcome::Lost:
        break;
    }
    return QLatin1Char('D');
}

std::vector<PlayedMatch> playedMatches(const ResultStore &store, MatchDayNo from, MatchDayNo to)
{
    from = std::max(from, 1);
    to = std::min(to, MatchDayCount);
    std::vector<PlayedMatch> matches;
    if (from > to)
        return matches;
    matches.reserve(std::size_t(to - from + 1) * FixturesPerMatchDay);
    // One look at the store's file for the whole reading.
    const IniFile::Hold hold(store.ini());
    const storedresults::Reader results(store);
    for (MatchDayNo day = from; day <= to; ++day) {
        for (int index = 0; index < FixturesPerMatchDay; ++index) {
            const storedresults::RecordView record = results.read(storedresults::fixtureKey(day, index));
            if (!isPlayedScore(record[MatchRecord::HomeGoals]) || !isPlayedScore(record[MatchRecord::AwayGoals]))
                continue;
            PlayedMatch match;
            match.day = day;
            match.index = index;
            match.home = MatchRecord::teamOfLetterField(record[MatchRecord::HomeLetter]);
            match.away = MatchRecord::teamOfLetterField(record[MatchRecord::AwayLetter]);
            // A record naming a team outside the league, or one team on both
            // sides, describes no fixture of the season.
            if (match.home == NoTeam || match.away == NoTeam || match.home == match.away)
                continue;
            match.homeGoals = record.number(MatchRecord::HomeGoals);
            match.awayGoals = record.number(MatchRecord::AwayGoals);
            matches.push_back(match);
        }
    }
    return matches;
}

TableOrder tableOrder(const Season &season, const ResultStore &store, const BonusMalus &bonusMalus, MatchDayNo upTo)
{
    const Standings standings = computeStandings(season, store, bonusMalus, upTo);
    TableOrder order;
    for (int rank = 0; rank < TeamCount; ++rank)
        order[rank] = standings.rows[rank].team;
    return order;
}
