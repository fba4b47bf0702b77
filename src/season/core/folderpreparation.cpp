#include "season/core/folderpreparation.h"

#include "season/core/filelock.h"
#include "season/core/inifile.h"
#include "season/core/resultstore.h"
#include "season/core/safefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// A save that is under way holds the lock, so any copy found under the lock
// is an orphan; the minute spares the copy of a writer that does not take
// the lock (the donors list, an export into the program folder).
constexpr qint64 LeftoverAgeMs = 60 * 1000;

QStringList oldLeftovers(const QDir &folder, const QDateTime &now)
{
    QStringList names;
    const QFileInfoList entries = folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &entry : entries) {
        if (safefile::isTemporaryName(entry.fileName()) && entry.lastModified().msecsTo(now) > LeftoverAgeMs)
            names.append(entry.fileName());
    }
    return names;
}

bool backupWaiting(const QDir &folder)
{
    const QFileInfo backup(folder.filePath(ResultStore::BackupName));
    return !QFileInfo::exists(folder.filePath(ResultStore::FileName)) && (backup.exists() || backup.isSymLink());
}

QString notAStore()
{
    return QStringLiteral("ce n'est pas un fichier de résultats");
}

// Why the backup of an interrupted update may not become the store.
QString backupRefusal(const QString &path, const StoreCheck &check)
{
    const safefile::Read backup = safefile::read(path, IniFile::MaxFileBytes);
    if (backup.status == safefile::ReadStatus::Missing)
        return QStringLiteral("c'est un lien qui ne mène à aucun fichier");
    if (!backup.ok())
        return safefile::reason(backup.status, IniFile::MaxFileBytes);
    if (check)
        return check(backup.bytes);
    return IniFile::holdsSections(backup.bytes) ? QString() : notAStore();
}

QString readProblem(const QString &storePath, const safefile::Read &store)
{
    const QString why = safefile::reason(store.status, IniFile::MaxFileBytes);
    if (why.isEmpty())
        return {};
    return QStringLiteral("Impossible de lire %1 : %2.").arg(QFileInfo(storePath).fileName(), why);
}

} // namespace

FolderPreparation prepareProgramFolder(const QString &programFolder, const QDateTime &now,
                                       const StoreCheck &backupCheck)
{
    FolderPreparation result;
    const QDir folder(programFolder);
    ResultStore store(programFolder);

    if (backupWaiting(folder) || !oldLeftovers(folder, now).isEmpty()) {
        FileLock lock(store.ini().lockPath());
        if (lock.tryLock()) {
            // Looked at again under the lock: another instance may have done
            // the work meanwhile.
            if (backupWaiting(folder)) {
                const QString refusal = backupRefusal(folder.filePath(ResultStore::BackupName), backupCheck);
                if (refusal.isEmpty())
                    result.restoredBackup = store.restoreInterruptedUpdate();
                else
                    result.backupProblem = QStringLiteral("La sauvegarde %1 d'une mise à jour interrompue n'a pas été "
                                                          "remise en place : %2.")
                                               .arg(ResultStore::BackupName, refusal);
            }
            for (const QString &name : oldLeftovers(folder, now)) {
                if (QFile::remove(folder.filePath(name)))
                    result.removedLeftovers.append(name);
            }
        }
    }

    const safefile::Read current = safefile::read(store.path(), IniFile::MaxFileBytes);
    result.storeProblem = readProblem(store.path(), current);
    if (current.ok() && !current.bytes.trimmed().isEmpty() && !IniFile::holdsSections(current.bytes))
        result.storeWarning = QStringLiteral("%1 n'est pas un fichier de résultats : il ne contient aucune section. "
                                             "Le programme le lit comme un fichier sans résultat.")
                                  .arg(ResultStore::FileName);
    return result;
}

QString storeReadProblem(const QString &storePath)
{
    return readProblem(storePath, safefile::read(storePath, IniFile::MaxFileBytes));
}
