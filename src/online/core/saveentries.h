#pragma once

#include "season/core/matchrecord.h"
#include "season/core/resultstore.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <utility>

class Season;

// Saving the results typed into the match grid: the stamp and every typed
// row go into the results store in one locked step, so the store holds either
// the whole evening's entry or none of it.
namespace saveentries {

// A grid row as typed: its fixture key and the record its boxes make.
using TypedRow = std::pair<QString, MatchRecord>;

inline const QString SaveFailedTitle = QStringLiteral("Valider");
inline const QString SaveFailedText = QStringLiteral(
    "Les résultats n'ont pas pu être enregistrés dans Resultats2013.ini (dossier protégé en écriture, disque "
    "plein ou fichier occupé par un autre programme).\nLes scores saisis restent affichés : corrigez le problème "
    "puis appuyez de nouveau sur \"Valider\".");

// The results one save writes, with its stamp: the record of every row whose
// home-goals box is filled (the others are left as stored). A box's "|" or
// line break would split the record or the file's line, so those characters
// are dropped.
QList<ResultStore::Result> storableResults(const QList<TypedRow> &rows);

// Whether the store was modified after `startTime`: the store has news worth
// sending. False for a missing store.
bool changedSince(const QString &storePath, const QDateTime &startTime);

// A typed row the save leaves out, and why. Without a home score a row is
// not written, so whatever else was typed on it would vanish unseen.
struct Refusal
{
    enum Reason { AwayScoreOnly, CardsOnly, ResultCleared };
    QString key;
    MatchRecord typed;
    Reason reason = CardsOnly;
};

// The rows of `rows` that carry something the store will not get: an away
// score or cards without a home score, or a stored result whose boxes were
// emptied. A row that shows just what the store holds is not one of them.
QList<Refusal> refusals(const ResultStore &store, const QList<TypedRow> &rows);

inline const QString RefusedTitle = QStringLiteral("Valider");
// The message naming each refused row (match day, teams) and why.
QString refusedText(const Season &season, const QList<Refusal> &refused);

// The question asked before another match day or team replaces results
// typed and not saved yet: save them (Oui), drop them (Non) or stay (Annuler).
inline const QString LeaveTitle = QStringLiteral("Valider");
QString leaveQuestion();

struct Outcome
{
    bool saved = false;
    bool changedSinceStart = false; // measured before writing
    QList<Refusal> refused;         // rows left out, still waiting in the grid
};

// Writes the stamp and the rows in one step. Nothing is written when it fails.
[[nodiscard]] Outcome save(ResultStore &store, const QList<TypedRow> &rows, const QDateTime &now,
                           const QDateTime &startTime);

} // namespace saveentries
