#pragma once

#include "season/core/resultstore.h"
#include "season/core/season.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>

// One team's aggregate over the counted match days. The 16-bit widths are
// those of the historical program; they hold any real season.
struct StandingRow
{
    TeamNo team = NoTeam;
    QString name;
    float points = 0; // results plus the team's points adjustment
    qint16 goalDifference = 0;
    qint16 goalsFor = 0;
    qint16 goalsAgainst = 0;
    qint16 fairPlayPoints = 0; // 3 per red card, 1 per yellow
    qint16 played = 0;
    qint16 homeGoalsFor = 0, awayGoalsFor = 0;
    qint16 homeGoalsAgainst = 0, awayGoalsAgainst = 0;
    qint16 homePoints = 0, awayPoints = 0;
    qint16 homeWins = 0, awayWins = 0;
    qint16 homeLosses = 0, awayLosses = 0;
    qint16 draws = 0;
    double rankingKey = 0;

    // Points plus 10 as the ranking key's first digits hold them: a fractional
    // adjustment is rounded half away from zero.
    double keyPoints() const;
    QString keyText() const;     // the key on 12 zero-padded digits
    QString pointsText() const;  // plain number, decimal comma for a fraction
    QStringList fields() const;  // the 19 fields of the row text
    QString rowText() const;     // fields joined by "|"
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

// Counts match days 1..upToMatchDay (0 means the whole season) from the
// results store, adds the points adjustments and orders the teams by the
// packed ranking key and its tie-breaks.
Standings computeStandings(const Season &season, const ResultStore &store, const BonusMalus &bonusMalus,
                           MatchDayNo upToMatchDay = 0);
