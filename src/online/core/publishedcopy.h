#pragma once

#include "online/core/storemerge.h"
#include "season/core/resultstore.h"
#include "season/core/season.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The results store as this folder last published or downloaded it, kept
// beside the store as "Resultats2013.serveur" (no ".ini", so that nobody
// takes it for a store or a dated copy, and no six-letter suffix, so that it
// is never taken for the leftover of a save). It is the base of a volunteer's
// merge, and it tells an update which results were typed here and never
// published. A successful update or send replaces it; the first save of a
// folder that has none keeps the store as it stood before that save.
namespace publishedcopy {

inline const QString FileName = ResultStore::PublishedCopyName;

QString pathFor(const QString &storePath);

// Nothing when no copy is kept (or it cannot be read).
std::optional<QByteArray> read(const QString &storePath);
// Replaces the copy in one step; false when it could not.
bool keep(const QString &storePath, const QByteArray &bytes);
// Before a folder's first save: keeps the store as it stands, unless a copy
// is there already or there is no store.
void keepBeforeFirstSave(const QString &storePath);

// The results saved in this folder and not published since (the store holds
// them otherwise than the kept copy) that `published` lacks or holds
// otherwise, each as a conflict between the published value and this
// folder's. Nothing without a kept copy: a folder that never saved,
// published nor downloaded has nothing of its own to lose.
QList<storemerge::Conflict> unpublishedResults(const QByteArray &store, const std::optional<QByteArray> &kept,
                                               const QByteArray &published);

// The refusal of an update, in French: how many results would be lost.
QString refusal(qsizetype count);
// One line per result: "J12 Alpha - Bravo : 2-1 ici, non publié (serveur : aucun résultat)".
QStringList listing(const Season &season, const QList<storemerge::Conflict> &results);
// The window's question after such a refusal: the refusal, the first
// results of the listing (the count of the others after them), and whether
// to replace them all the same.
QString replaceQuestion(const Season &season, const QList<storemerge::Conflict> &results);

} // namespace publishedcopy
