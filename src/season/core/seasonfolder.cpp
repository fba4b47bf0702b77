#include "season/core/seasonfolder.h"

#include "season/core/safefile.h"
#include "season/core/storefiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

// The season file of a folder, or null after its reason and status 2.
std::optional<Season> loadSeason(const QString &programFolder, QTextStream &err, int &status)
{
    QString problem;
    std::optional<Season> season = Season::load(QDir(programFolder).filePath(storefiles::Season), &problem);
    if (!season) {
        err << problem << '\n';
        err.flush();
        status = 2;
    }
    return season;
}

} // namespace

std::unique_ptr<SeasonFolder> SeasonFolder::open(const QString &programFolder, const QDateTime &now, QTextStream &err,
                                                 int &status, const StoreCheck &backupCheck)
{
    std::unique_ptr<SeasonFolder> folder(new SeasonFolder);
    folder->m_folder = programFolder;
    std::optional<Season> season = loadSeason(programFolder, err, status);
    if (!season)
        return nullptr;
    folder->m_season = std::move(*season);
    // The same preparation as the window's start-up, so both show the same
    // results; a store that is there but unreadable is not "no results".
    const FolderPreparation preparation = prepareProgramFolder(programFolder, now, backupCheck);
    if (!preparation.backupProblem.isEmpty())
        err << preparation.backupProblem << '\n';
    if (!preparation.storeReadable()) {
        err << preparation.storeProblem << '\n';
        err.flush();
        status = 1;
        return nullptr;
    }
    folder->m_store = std::make_unique<ResultStore>(programFolder);
    folder->m_store->loadBonusMalus(folder->m_bonusMalus);
    status = 0;
    return folder;
}

std::unique_ptr<SeasonFolder> SeasonFolder::openForReading(const QString &programFolder, QTextStream &err, int &status)
{
    std::unique_ptr<SeasonFolder> folder(new SeasonFolder);
    folder->m_folder = programFolder;
    std::optional<Season> season = loadSeason(programFolder, err, status);
    if (!season)
        return nullptr;
    folder->m_season = std::move(*season);
    const QDir dir(programFolder);
    const safefile::Read store = safefile::read(dir.filePath(ResultStore::FileName), IniFile::MaxFileBytes);
    QString problem;
    if (store.status == safefile::ReadStatus::Missing) {
        const QFileInfo backup(dir.filePath(ResultStore::BackupName));
        if (backup.exists() || backup.isSymLink())
            problem = QStringLiteral("%1 manque et la sauvegarde %2 d'une mise à jour interrompue attend d'être remise "
                                     "en place : lancez une fois le programme (ou kestrane --print-standings) sur ce "
                                     "dossier.")
                          .arg(ResultStore::FileName, ResultStore::BackupName);
    } else if (!store.ok()) {
        problem = QStringLiteral("Impossible de lire %1 : %2.")
                      .arg(ResultStore::FileName, safefile::reason(store.status, IniFile::MaxFileBytes));
    }
    if (!problem.isEmpty()) {
        err << problem << '\n';
        err.flush();
        status = 1;
        return nullptr;
    }
    folder->m_store = std::make_unique<ResultStore>(IniFile::InMemory{store.bytes});
    folder->m_store->loadBonusMalus(folder->m_bonusMalus);
    status = 0;
    return folder;
}

namespace commandline {

int matchDayArgument(const QString &argument, QTextStream &err)
{
    return countArgument(argument, 0, MatchDayCount, QStringLiteral("Journée"), err);
}

int countArgument(const QString &argument, int whenEmpty, int max, const QString &what, QTextStream &err)
{
    if (argument.isEmpty())
        return whenEmpty;
    bool ok = false;
    const int value = argument.trimmed().toInt(&ok);
    if (!ok || value < 1 || value > max) {
        err << what << " invalide : " << argument << " (1 à " << max << " attendu)\n";
        err.flush();
        return -1;
    }
    return value;
}

} // namespace commandline
