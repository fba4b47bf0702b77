#pragma once

#include <QDateTime>
#include <QString>

class QTextStream;
class Season;
class SeasonFolder;

// The team views as text, for scripts: each returns the exit status (0, or
// 2 for a bad argument such as an unknown team, the reason going to `err`).
int printCardsReport(SeasonFolder &folder, QTextStream &out, QTextStream &err);
int printHighlights(SeasonFolder &folder, QTextStream &out, QTextStream &err);
int printRankingHistory(SeasonFolder &folder, const QString &team, bool simulated, const QDateTime &now,
                        QTextStream &out, QTextStream &err);
int printTeamCard(SeasonFolder &folder, const QString &team, const QDateTime &now, QTextStream &out, QTextStream &err);

// The team a command-line argument names: its exact name, or else the one
// name equal to it ignoring case. NoTeam when none.
int teamOfArgument(const Season &season, const QString &argument);

// What the command line and the window say of a name no team answers to:
// "Équipe inconnue : <name>".
QString unknownTeamText(const QString &name);
