#pragma once

#include "season/core/resultstore.h"
#include "season/core/season.h"
#include "standings/core/displayedstandings.h"
#include "standings/core/formguide.h"
#include "standings/core/outlook.h"
#include "standings/core/streaks.h"
#include "team/core/rankinghistory.h"

#include <QDateTime>
#include <QString>

#include <array>

// What the website shows that more than one page reads, computed once per
// generation by the very functions the window and the command line call:
// the general table with its movement marks, the form, the runs, the exact
// outlook, the rank after each match day and the pages' names. Nothing in it
// comes from the clock, so the same season and store always give the same
// site. Built by siteValues() and read-only afterwards.
struct SiteValues
{
    const Season &season;
    const ResultStore &store;
    const BonusMalus &bonusMalus;
    MatchDayNo latest = 0;                  // the latest match day with a result, 0 for none
    DisplayedStandings table{};             // the general table, movement since the match day before `latest`
    std::array<QString, TeamCount> slugs{}; // by team number
    std::array<TeamNo, TeamCount> teamAt{}; // team number of each row of `table`
    formguide::Guide form{};                // last 5, table order
    streaks::Streaks runs{};                // table order
    SeasonOutlook outlook{};                // table order
    RankingHistory history{};               // after match days 1..latest
    QDateTime moment{};                     // the store's stamp (UTC as written), for the calendars

    QString teamName(TeamNo team) const { return season.teamName(team); }
    QString teamPage(TeamNo team) const;                // "equipe-slug.html"
    static QString matchDayPage(MatchDayNo day);        // "journee-07.html"
    QString stampText() const { return store.stamp(); } // as stored, empty without one
};

namespace sitevalues {

// The latest match day where a fixture holds a score on either side, as the
// table counts them; 0 when no match day does.
MatchDayNo latestMatchDay(const ResultStore &store);

// The store's stamp ("17 mai 22:47", no year) as a moment of the season: in
// the year of match day 1, or the next one when it would fall more than two
// months before the season starts. Without a stamp that reads, the start of
// the latest match day with a result (else of match day 1). Kept as the wall
// time the stamp says, marked UTC, so that no machine's time zone moves it.
QDateTime storeMoment(const Season &season, const QString &stamp, MatchDayNo latest);

} // namespace sitevalues

SiteValues siteValues(const Season &season, const ResultStore &store, const BonusMalus &bonusMalus);
