#include "season/core/seasonfolder.h"

#include <QDir>
#include <QTextStream>

std::unique_ptr<SeasonFolder> SeasonFolder::open(const QString &programFolder, const QDateTime &now, QTextStream &err,
                                                 int &status, const StoreCheck &backupCheck)
{
    std::unique_ptr<SeasonFolder> folder(new SeasonFolder);
    folder->m_folder = programFolder;
    QString problem;
    std::optional<Season> season = Season::load(QDir(programFolder).filePath(QStringLiteral("2013.txt")), &problem);
    if (!season) {
        err << problem << '\n';
        err.flush();
        status = 2;
        return nullptr;
    }
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
