#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

// What the preparation of the program folder found and mended before the
// first read of the results store.
struct FolderPreparation
{
    bool restoredBackup = false; // Resultats2013.BU put back in place of a missing store
    // Why a backup waiting for a missing store was not put back; empty when
    // there was none, or it was put back.
    QString backupProblem;
    QStringList removedLeftovers; // names of the orphan temporary copies removed
    // "Impossible de lire Resultats2013.ini : ..." when the store is there but
    // cannot be read; empty when it reads, or is absent (no results yet).
    QString storeProblem;
    // Said when the store reads but holds no section at all: it is read as a
    // store without results, yet it is no results store.
    QString storeWarning;

    bool storeReadable() const { return storeProblem.isEmpty(); }
};

// Whether bytes may stand as the results store: empty when they may,
// otherwise the French reason. The program passes the results update's own
// rule, which lives above this layer.
using StoreCheck = std::function<QString(const QByteArray &bytes)>;

// Every entry point (the window and the command line) calls this once before
// it reads the results store, so they all see the same store:
// - a store missing beside the backup of an interrupted update gets the
//   backup back, when `backupCheck` accepts it (without a check, when it
//   holds INI sections); a backup refused stays where it is and is told;
// - the program's own temporary files (safefile::isTemporaryName) that a
//   writer killed in the middle of a save left behind, older than a minute
//   at `now`, are removed, and nothing else;
// both under the store's write lock, and only when there is something to do,
// so a folder that needs nothing is not written at all;
// - then it tells whether the store can be read.
FolderPreparation prepareProgramFolder(const QString &programFolder, const QDateTime &now,
                                       const StoreCheck &backupCheck = {});

// The French message for a store that is there but cannot be read, with the
// reason; empty when the file reads or does not exist.
QString storeReadProblem(const QString &storePath);
