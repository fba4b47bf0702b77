#pragma once

#include "standings/core/leaguezones.h"
#include "standings/core/standingsengine.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>

// The zone a rank of the table falls in, and the tool tip of its name cell.
ZoneMark zoneOfRank(int rank);
QString zoneToolTip(ZoneMark zone);

// The movement mark beside a row: how the team's rank changed between two
// consecutive match days.
enum class Movement { None, Up, Down, Same };

struct DisplayedRow
{
    StandingRow data;
    QString rankLabel; // shared rank number: 1, 2, 2, 4...
    ZoneMark zone = ZoneMark::None;
    QString zoneToolTip;
    bool favourite = false;    // the user's favourite team, painted yellow
    bool belowAverage = false; // fewer matches played than the league average
    Movement movement = Movement::None;
    QString movementText; // "+2", "-1", "=", empty without a mark
    // Why the row stands where it does: the criterion that separated it from
    // the row above and from the row below. Empty on a sort by one statistic.
    QString rankToolTip;
};

// What the standings table shows after a computation: the ordered rows with
// their marks and the league information around them. It is a value handed to
// the table and to every feature that reads "the table as displayed".
struct DisplayedStandings
{
    std::array<DisplayedRow, TeamCount> rows;
    MatchDayNo upToMatchDay = MatchDayCount;
    int totalGoals = 0;
    int playedSides = 0;
    QString stamp;           // last update of the results store
    QString title;           // ranking-mode title, empty for the whole season
    QString aheadBehindText; // empty when the panel is hidden
    double progress = 0;     // 0..1, share of the bar
    QString progressText;
    QString goalsText;
    QString leader;              // empty when the leader panel keeps what it showed
    bool leaderNameOnly = false; // the leader panel shows the name without "Premier:"
    bool zonesMarked = false;    // qualification colours painted (some match played)
    // A sort by one statistic: its code ("BC", "BP"...) and the columns it
    // paints; empty for a ranking.
    QString sortCode;
    QStringList highlightedColumns;
};

// Context the display needs beyond the computation itself.
struct DisplayContext
{
    int dueMatchDays = 0;           // match days whose date has passed
    QString favouriteTeam;          // empty when none
    bool historyInProgress = false; // graph panel building the ranking history
    int referencePlayedSides = 0;   // played sides of the last ordinary computation
    QString title;                  // replaces the ranking's own title when not empty
};

DisplayedStandings buildDisplayedStandings(const Standings &standings, const DisplayContext &context);

// The computation a displayed ranking was built from: its rows in table
// order, its last match day and its totals. Meaningful for a ranking only,
// not for a sort by one statistic.
Standings standingsOf(const DisplayedStandings &shown);

// "Classement à la Journée N°12": the title of the table at a match day.
QString matchDayTitle(MatchDayNo day);

// Owner of the standings on display. Every view that shows or reads the table
// listens to it; only the standings computation sets it.
class StandingsModel : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    const DisplayedStandings &displayed() const { return m_displayed; }
    // Team name at rank i + 1 after the last computation, silent or not.
    const std::array<QString, TeamCount> &rankTags() const { return m_rankTags; }

    void setDisplayed(const DisplayedStandings &displayed);
    void setRankTags(const Standings &standings);
    // Marks beside the rows, by row of the table as displayed.
    void setMovements(const std::array<Movement, TeamCount> &movements, const std::array<QString, TeamCount> &texts);

signals:
    void displayedChanged();
    void movementsChanged();

private:
    DisplayedStandings m_displayed;
    std::array<QString, TeamCount> m_rankTags;
};
