#pragma once

#include "standings/core/playedmatches.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// The form guide: each team's last played matches, oldest first, in the
// order of the main table. A value the statistics view draws and the
// command line prints; nobody changes it after it is built.
namespace formguide {

constexpr int DefaultLast = 5;

struct Match
{
    MatchDayNo day = 0;
    TeamNo opponent = NoTeam;
    bool atHome = false;
    int goalsFor = 0;
    int goalsAgainst = 0;
    Outcome outcome = Outcome::Drawn;
};

struct Row
{
    TeamNo team = NoTeam;
    QString name;
    std::vector<Match> matches; // at most `last`, oldest first
    int points = 0;             // 3/1/0 over those matches

    QString letters() const; // "VVNDV"
};

struct Guide
{
    MatchDayNo upToMatchDay = MatchDayCount;
    int last = DefaultLast;
    std::array<Row, TeamCount> rows; // table order
};

// The last `last` (1..38) played matches of each team over match days
// 1..upTo (0 for the whole season).
Guide compute(const Season &season, const ResultStore &store, const BonusMalus &bonusMalus, MatchDayNo upTo,
              int last = DefaultLast);

// One line per team: "name|letters|points".
QStringList lines(const Guide &guide);

} // namespace formguide
