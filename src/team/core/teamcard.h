#pragma once

#include "season/core/resultstore.h"
#include "season/core/season.h"
#include "standings/core/displayedstandings.h"
#include "standings/core/leaguepoints.h"

#include <QChar>
#include <QString>

#include <array>
#include <vector>

// One team's whole season as its card shows it: the fixtures in two columns
// (home, then away), each split into the first and second halves, a result
// per row from the team's side, the win/draw/defeat bars and the totals.
// Computed from the season, the results store and the table as displayed;
// the card panel renders it and the command line prints it.

enum class CardOutcome { NotPlayed, Won, Drawn, Lost, Incomplete };

struct CardRow
{
    int fixtureNo = 0; // 1..380, position in the calendar
    MatchDayNo matchDay = 0;
    QString fixtureKey;
    QChar homeLetter, awayLetter;
    QString homeName, awayName;
    // Boxes as stored; a goals box holding "-" shows empty.
    QString homeRed, homeYellow, homeGoals, awayGoals, awayYellow, awayRed;
    QString dateText;                                  // "17 08 13"
    bool awayColumn = false;                           // rows 19..37 stand in the away column
    bool secondHalf = false;                           // match days 20..38
    bool teamAtHome = false;                           // the card's team is the home side
    bool homeFavourite = false, awayFavourite = false; // the favourite as opponent
    CardOutcome outcome = CardOutcome::NotPlayed;

    // Bar group of the row: 0 first half home, 1 first half away, 2 second
    // half home, 3 second half away.
    int block() const { return (secondHalf ? 2 : 0) + (awayColumn ? 1 : 0); }
    QString scoreText() const;   // "2-1", "3-" for a half-entered score, empty without one
    QString outcomeWord() const; // "victoire", "nul", "défaite" or empty
};

// One bar: its counts, the share of the frame each takes, its captions.
struct BarGroup
{
    int wins = 0, draws = 0, losses = 0, unplayed = 0;
    int total = 0; // what the widths are shares of; no bar when 0
    QString winCaption, drawCaption, lossCaption;
};

struct TeamCard
{
    static constexpr int RowCount = 38;
    static constexpr int ColumnRows = 19;
    static constexpr int SeasonGroup = 4;

    TeamNo team = NoTeam;
    QString name;
    std::vector<CardRow> rows; // home fixtures then away fixtures, calendar order in each
    std::array<BarGroup, 5> groups;
    int goalsFor = 0, goalsAgainst = 0;
    int redCards = 0, yellowCards = 0;
    QString rankLabel; // from the table as displayed; empty when the team is not in it

    int wins() const { return groups[SeasonGroup].wins; }
    int draws() const { return groups[SeasonGroup].draws; }
    int losses() const { return groups[SeasonGroup].losses; }
    int played() const { return wins() + draws() + losses(); }
    int points() const { return leaguepoints::Win * wins() + leaguepoints::Draw * draws(); }

    QString rankText() const;
    QString pointsText() const;
    QString goalsForText() const;
    QString goalsAgainstText() const;
    QString averageForText() const;
    QString averageAgainstText() const;
    QString redCardsText() const;
    QString yellowCardsText() const;
    // The totals in the order the printed card gives them.
    QStringList totalsLines() const;
};

// The card of `team` (0..19). `favourite` is the user's favourite team,
// empty when none.
TeamCard buildTeamCard(const Season &season, const ResultStore &store, TeamNo team, const DisplayedStandings &shown,
                       const QString &favourite);

// Goals per match with one decimal always and two at most, decimal comma,
// followed by " par match.": 3 in 1 gives "3,0 par match.". No match played
// reads 0.
QString perMatchText(int goals, int matches);
