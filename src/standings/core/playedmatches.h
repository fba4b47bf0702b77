#pragma once

#include "season/core/matchrecord.h"
#include "season/core/resultstore.h"
#include "season/core/season.h"

#include <array>
#include <vector>

// One result as the statistics views count it (form, tables over a range,
// results matrix, runs): a record naming two different teams of the league
// with a score on both sides. Unlike the main table, a score typed on one
// side only counts for nobody here.
struct PlayedMatch
{
    MatchDayNo day = 0;
    int index = 0; // position within the match day
    TeamNo home = NoTeam;
    TeamNo away = NoTeam;
    int homeGoals = 0;
    int awayGoals = 0;

    // For `team`, one of the two sides.
    int goalsFor(TeamNo team) const { return team == home ? homeGoals : awayGoals; }
    int goalsAgainst(TeamNo team) const { return team == home ? awayGoals : homeGoals; }
};

enum class Outcome { Won, Drawn, Lost };

// The match seen by one of its two teams.
Outcome outcomeFor(const PlayedMatch &match, TeamNo team);
int pointsOf(Outcome outcome);        // 3, 1 or 0
QChar outcomeLetter(Outcome outcome); // "V", "N" or "D"

// The played matches of match days from..to (bounds included, held to
// 1..38) in calendar order: by match day, then by position in it. Ten
// positions per match day are read whatever the calendar holds, and the
// teams are those the record's letters name, as the standings read them.
std::vector<PlayedMatch> playedMatches(const ResultStore &store, MatchDayNo from, MatchDayNo to);

// The 20 teams in the order of the main table of match days 1..upTo (0 for
// the whole season), rank 1 first: the statistics views list teams in it.
using TableOrder = std::array<TeamNo, TeamCount>;
TableOrder tableOrder(const Season &season, const ResultStore &store, const BonusMalus &bonusMalus, MatchDayNo upTo);
