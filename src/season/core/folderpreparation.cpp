#include "season/core/folderpreparation.h"

#include "season/core/filelock.h"
#include "season/core/resultstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// A save that is under way holds the lock, so any copy found under the lock
// is an orphan; the minute spares the copy of a writer that does not take
// the lock (an older version of the program).
constexpr qint64 LeftoverAgeMs = 60 * 1000;

// QSaveFile names its copy after the store with six random letters or digits.
bool isSaveLeftover(const QString &name)
{
    const QString prefix = ResultStore::FileName + QLatin1Char('.');
    if (name.size() != prefix.size() + 6 || !name.startsWith(prefix))
        return false;
    for (QChar c : QStringView(name).sliced(prefix.size())) {
        if (!(c.isDigit() || (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
              || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))))
            return false;
    }
    return true;
}

QStringList oldLeftovers(const QDir &folder, const QDateTime &now)
{
    QStringList names;
    const QFileInfoList entries = folder.entryInfoList({ResultStore::FileName + QStringLiteral(".*")},
                                                       QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &entry : entries) {
        if (isSaveLeftover(entry.fileName()) && entry.lastModified().msecsTo(now) > LeftoverAgeMs)
            names.append(entry.fileName());
    }
    return names;
}

bool backupWaiting(const QDir &folder)
{
    return !QFileInfo::exists(folder.filePath(ResultStore::FileName))
           && QFileInfo(folder.filePath(ResultStore::BackupName)).isFile();
}

} // namespace

FolderPreparation prepareProgramFolder(const QString &programFolder, const QDateTime &now)
{
    FolderPreparation result;
    const QDir folder(programFolder);
    ResultStore store(programFolder);

    if (backupWaiting(folder) || !oldLeftovers(folder, now).isEmpty()) {
        FileLock lock(store.ini().lockPath());
        if (lock.tryLock()) {
            // Looked at again under the lock: another instance may have done
            // the work meanwhile.
            result.restoredBackup = store.restoreInterruptedUpdate();
            for (const QString &name : oldLeftovers(folder, now)) {
                if (QFile::remove(folder.filePath(name)))
                    result.removedLeftovers.append(name);
            }
        }
    }

    result.storeProblem = storeReadProblem(store.path());
    return result;
}

QString storeReadProblem(const QString &storePath)
{
    const QFileInfo info(storePath);
    if (!info.exists())
        return {};
    const QString prefix = QStringLiteral("Impossible de lire %1 : ").arg(info.fileName());
    if (info.isDir())
        return prefix + QStringLiteral("c'est un dossier, pas un fichier.");
    QFile file(storePath);
    if (!file.open(QIODevice::ReadOnly)) {
        if (file.error() == QFileDevice::PermissionsError)
            return prefix + QStringLiteral("accès refusé.");
        return prefix + QStringLiteral("le fichier ne s'ouvre pas.");
    }
    // Read to the end: a disk error shows only when the bytes are read.
    char buffer[65536];
    for (;;) {
        const qint64 got = file.read(buffer, sizeof buffer);
        if (got < 0)
            return prefix + QStringLiteral("erreur de lecture.");
        if (got == 0)
            return {};
    }
}
