#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// What the preparation of the program folder found and mended before the
// first read of the results store.
struct FolderPreparation
{
    bool restoredBackup = false;   // Resultats2013.BU put back in place of a missing store
    QStringList removedLeftovers;  // names of the orphan temporary copies removed
    // "Impossible de lire Resultats2013.ini : ..." when the store is there but
    // cannot be read; empty when it reads, or is absent (no results yet).
    QString storeProblem;

    bool storeReadable() const { return storeProblem.isEmpty(); }
};

// Every entry point (the window and the command line) calls this once before
// it reads the results store, so they all see the same store:
// - a store missing beside the backup of an interrupted update gets the
//   backup back;
// - temporary copies "Resultats2013.ini.XXXXXX" that a writer killed in the
//   middle of a save left behind, older than a minute at `now`, are removed;
// both under the store's write lock, and only when there is something to do,
// so a folder that needs nothing is not written at all;
// - then it tells whether the store can be read.
FolderPreparation prepareProgramFolder(const QString &programFolder, const QDateTime &now);

// The French message for a store that is there but cannot be read, with the
// reason; empty when the file reads or does not exist.
QString storeReadProblem(const QString &storePath);
