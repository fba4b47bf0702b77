#pragma once

#include "season/core/resultstore.h"
#include "season/core/season.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <functional>

// One team's aggregate over the counted match days. Goals and cards are read
// 0..999 and adjustments -999..999 (text::NumberLimit), so even 380 records
// naming one team keep every sum far inside an int, where 16-bit fields would
// wrap on a single large score.
struct StandingRow
{
    TeamNo team = NoTeam;
    QString name;
    float points = 0; // results plus the team's points adjustment; whole sums stay exact
    int goalDifference = 0;
    int goalsFor = 0;
    int goalsAgainst = 0;
    int fairPlayPoints = 0; // leaguepoints::RedCard per red card, YellowCard per yellow
    int played = 0;
    int homeGoalsFor = 0, awayGoalsFor = 0;
    int homeGoalsAgainst = 0, awayGoalsAgainst = 0;
    int homePoints = 0, awayPoints = 0;
    int homeWins = 0, awayWins = 0;
    int homeLosses = 0, awayLosses = 0;
    int draws = 0;
    double rankingKey = 0;

    // Points plus 10 as the ranking key's first digits hold them: a fractional
    // adjustment is rounded half away from zero.
    double keyPoints() const;
    QString keyText() const;    // the key on 12 zero-padded digits
    QString pointsText() const; // plain number, decimal comma for a fraction
    QStringList fields() const; // the 19 fields of the row text
    QString rowText() const;    // fields joined by "|"
};

// The ordered result of one computation: rows[0] is rank 1.
struct Standings
{
    std::array<StandingRow, TeamCount> rows;
    MatchDayNo upToMatchDay = MatchDayCount;
    int totalGoals = 0;
    int playedSides = 0; // team-sides counted as played
};

// Whether a goals field holds a score: not when it is empty, blanks only, or
// the "-" that volunteers type for a match that did not take place.
bool isPlayedScore(QStringView goals);

class TeamNameOrder;

// The first part of a team's ranking key: whole points (adjustments included,
// rounded as the key holds them), goal difference and goals scored.
double pointsGoalsKey(float points, int goalDifference, int goalsFor);

// Goals of `first` minus goals of `second` in their mutual fixtures.
using HeadToHeadDifference = std::function<int(TeamNo first, TeamNo second)>;

// The table's ranking rules on keys by team number: `keys` holds each team's
// pointsGoalsKey() and comes back as its full ranking key, head-to-head
// (asked only of teams level on that key) then fair play added. Returns the
// teams from the lowest ranked up. computeStandings() ranks through it, and
// so may anyone who ranks a table that is not in the store.
std::array<TeamNo, TeamCount> rankByKeys(std::array<double, TeamCount> &keys,
                                         const std::array<int, TeamCount> &fairPlayPoints,
                                         const TeamNameOrder &nameOrder, const HeadToHeadDifference &headToHead);

// Counts match days 1..upToMatchDay (0 means the whole season) from the
// results store, adds the points adjustments and orders the teams by the
// packed ranking key and its tie-breaks.
Standings computeStandings(const Season &season, const ResultStore &store, const BonusMalus &bonusMalus,
                           MatchDayNo upToMatchDay = 0);
