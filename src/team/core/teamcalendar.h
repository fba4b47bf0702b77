#pragma once

#include "season/core/resultstore.h"
#include "season/core/season.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

class QTextStream;
class SeasonFolder;

// A team's season as an iCalendar file (RFC 5545) that followers add to
// their calendar: one all-day event per match on its match day's date, the
// teams in the summary and the score once the match is played. It reads the
// season and the results store and changes nothing.
namespace teamcalendar {

// One of the team's matches as the calendar shows it.
struct Match
{
    MatchDayNo day = 0;
    QString key;  // the fixture's key in the results store ("1203")
    QString code; // home and away letters ("AB")
    QString home;
    QString away;
    QDate date; // the match day's date; invalid when the season file has none
    bool played = false;
    int homeGoals = 0;
    int awayGoals = 0;
};

// A goals field that holds a score: not empty, not blanks only, not "-".
bool holdsScore(const QString &goals);

// The team's matches in match-day order; a match counts as played when both
// goals fields hold a score.
QList<Match> matchesOf(const Season &season, const ResultStore &store, TeamNo team);

// The team by its name as the season file spells it, or failing that with
// another case; NoTeam when none (or more than one) matches.
TeamNo findTeam(const Season &season, const QString &name);

// The calendar file: CR LF line ends, texts escaped and lines folded at 75
// octets as RFC 5545 asks, an event's UID stable from one export to the next
// (the same match in two teams' calendars has the same UID). `stamp` is the
// time of the export. Matches without a date are left out.
QByteArray toICalendar(const Season &season, const ResultStore &store, TeamNo team, const QDateTime &stamp);

// RFC 5545 text value: backslash, ";", "," and line breaks escaped.
QString escapedText(const QString &text);
// One content line folded at 75 octets, CR LF after each piece.
QByteArray foldedLine(const QString &line);

// The command line's --export-ics: exit status 0, or 2 for an unknown team
// or a file that cannot be written (the reason goes to `err`).
int exportCommand(const SeasonFolder &folder, const QString &team, const QString &path, const QDateTime &now,
                  QTextStream &err);

} // namespace teamcalendar
