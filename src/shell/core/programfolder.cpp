#include "shell/core/programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace programfolder {

namespace {

const QString SeasonFile = QStringLiteral("2013.txt");
const QString StoreFile = QStringLiteral("Resultats2013.ini");
const QString StoreBackup = QStringLiteral("Resultats2013.BU");

bool holdsSeason(const QString &folder)
{
    return !folder.isEmpty() && QFileInfo(QDir(folder).filePath(SeasonFile)).isFile();
}

// Copies one file of the season when the user folder lacks it; the copy is
// the user's own, writable whatever the installed file's mode.
bool seedFile(const QString &from, const QString &to, const QString &name)
{
    const QString target = QDir(to).filePath(name);
    const QString source = QDir(from).filePath(name);
    if (QFileInfo::exists(target) || !QFileInfo(source).isFile())
        return false;
    if (!QFile::copy(source, target))
        return false;
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                      | QFileDevice::ReadOther);
    return true;
}

} // namespace

Choice choose(const Places &places)
{
    Choice choice;
    if (!places.commandLine.isEmpty()) {
        choice.path = QDir(places.commandLine).absolutePath();
        return choice;
    }

    const QString own = places.executableFolder;
    const auto writable = [&](const QString &path) { return places.isWritable && places.isWritable(path); };
    const QString ownStore = QDir(own).filePath(StoreFile);
    if (holdsSeason(own) && writable(own) && (!QFileInfo::exists(ownStore) || writable(ownStore))) {
        choice.path = own;
        return choice;
    }

    // The season to start from: the one beside the executable, else the
    // first installed one.
    QString source;
    if (holdsSeason(own)) {
        source = own;
    } else {
        for (const QString &folder : places.installedSeason) {
            if (holdsSeason(folder)) {
                source = folder;
                break;
            }
        }
    }

    const QString user = places.userFolder;
    if (user.isEmpty() || !QDir().mkpath(user)) {
        choice.path = source.isEmpty() ? own : source;
        choice.warning = QStringLiteral("Dossier de données %1 impossible à créer : la saison est lue dans %2 et "
                                        "les résultats ne pourront pas être enregistrés.")
                             .arg(QDir::toNativeSeparators(user), QDir::toNativeSeparators(choice.path));
        return choice;
    }
    choice.path = QDir(user).absolutePath();
    if (!source.isEmpty()) {
        choice.seeded = seedFile(source, user, SeasonFile);
        // A backup without a store is an interrupted update: the program
        // puts the backup back itself, so the installed store must not
        // take its place.
        if (!QFileInfo::exists(QDir(user).filePath(StoreBackup)))
            choice.seeded = seedFile(source, user, StoreFile) || choice.seeded;
    }
    return choice;
}

Places placesOfThisMachine(const QString &commandLine)
{
    Places places;
    places.commandLine = commandLine;
    places.executableFolder = QCoreApplication::applicationDirPath();
    // The share folder as installed beside bin/ first, so that a copy
    // unpacked anywhere finds its own season; then the system's data folders.
    places.installedSeason << QDir(places.executableFolder).filePath(QStringLiteral(KESTRANE_SEASON_FROM_BIN));
    places.installedSeason << QStringLiteral(KESTRANE_SEASON_INSTALLED);
    for (const QString &folder :
         QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral(KESTRANE_DATA_NAME),
                                   QStandardPaths::LocateDirectory)) {
        places.installedSeason << folder;
    }
    places.userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    places.isWritable = [](const QString &path) { return QFileInfo(path).isWritable(); };
    return places;
}

} // namespace programfolder
