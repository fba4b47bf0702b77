#pragma once

#include "season/core/matchrecord.h"
#include "season/core/season.h"

#include <QDate>
#include <QString>
#include <QStringView>

// How the team views read a stored result, the same way the standings do:
// which goals field holds a score (the teams a record names are the record's
// own rule, MatchRecord::namesLeagueTeams), and the dates as the views write
// them.
namespace resultrules {

// A goals field holds a score unless it is empty, blanks only, or the "-"
// that volunteers type for a match that did not take place.
bool isScore(QStringView goals);

// How a stored score reads, the one rule of the team card and the team
// summary: without a home score the match is not played; with the home score
// only it is half-entered and counts nowhere; with both it is a win for one
// side or a draw.
enum class ScoreReading { NotPlayed, Incomplete, HomeWin, Draw, AwayWin };
ScoreReading readScore(QStringView homeGoals, QStringView awayGoals);

// The fixture key "0100" and the fixture code "AB" of a calendar entry
// "01|00|AB"; empty when the entry does not have that shape.
QString fixtureKeyOf(const QString &calendarEntry);
QString fixtureCodeOf(const QString &calendarEntry);
// The match day of a fixture key ("0100" gives 1), 0 when there is none.
MatchDayNo matchDayOfKey(const QString &fixtureKey);

// "17/08/2013": the French short date of the highlights.
QString shortDate(const QDate &date);

} // namespace resultrules
