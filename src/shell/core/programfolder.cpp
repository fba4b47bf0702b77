#include "shell/core/programfolder.h"

#include "season/core/inifile.h"
#include "season/core/safefile.h"
#include "season/core/storefiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace programfolder {

namespace {

const QString &SeasonFile = storefiles::Season;
const QString &StoreFile = storefiles::Store;
const QString &StoreBackup = storefiles::Backup;

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
    const safefile::Read bytes = safefile::read(source, IniFile::MaxFileBytes);
    if (!bytes.ok())
        return false;
    // The store is written as every write of it is, under its lock.
    if (!(name == StoreFile ? IniFile(target).replaceContents(bytes.bytes) : safefile::replace(target, bytes.bytes)))
        return false;
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                      | QFileDevice::ReadOther);
    return true;
}

// The results store of a folder as the choice sees it: the store, or the
// backup an interrupted update left in its place (put back at start-up).
struct StoreFound
{
    QString path; // empty when the folder holds neither
    bool readable = false;
    QByteArray bytes;
    QDateTime modified;
    qint64 size = 0;
};

// The user's store (or its backup, at `current`) set aside as `kept` and the
// newer one written in its place, in one step under the store's lock, so
// that no save of another window falls between. On failure the user's store
// is where it was.
bool replaceKeepingAside(const QString &folder, const QString &current, const QString &kept, const QByteArray &bytes)
{
    IniFile store(QDir(folder).filePath(StoreFile));
    IniFile::Locked locked(store);
    if (!locked.isLocked() || QFileInfo::exists(kept) || !QFile::rename(current, kept))
        return false;
    if (locked.replaceContents(bytes))
        return true;
    QFile::rename(kept, current);
    return false;
}

StoreFound storeIn(const QString &folder)
{
    StoreFound found;
    if (folder.isEmpty())
        return found;
    for (const QString &name : {StoreFile, StoreBackup}) {
        const QFileInfo info(QDir(folder).filePath(name));
        if (!info.exists())
            continue;
        found.path = info.absoluteFilePath();
        found.modified = info.lastModified();
        found.size = info.size();
        const safefile::Read read = safefile::read(found.path, IniFile::MaxFileBytes);
        found.readable = read.ok();
        found.bytes = read.bytes;
        break;
    }
    return found;
}

QString dateText(const QDateTime &moment)
{
    return moment.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
}

// What identifies a difference once told: the store left aside, as it is.
QString differenceOf(const StoreFound &unused)
{
    return QStringLiteral("%1|%2|%3").arg(unused.path).arg(unused.size).arg(unused.modified.toMSecsSinceEpoch());
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// The executable's folder and the user folder both hold a store: which
// folder the program uses, said in `choice` (path, notice, difference).
// `ownUsable`: the executable's folder may be written.
void chooseBetweenStores(const Places &places, bool ownUsable, const StoreFound &own, const StoreFound &user,
                         Choice &choice)
{
    const QString ownFolder = places.executableFolder;
    const QString userFolder = places.userFolder;
    if (!own.readable || !user.readable)
        return; // the start-up tells what cannot be read; the usual choice stands
    if (own.bytes == user.bytes) {
        // One store in two places: stay where it lived.
        if (places.rememberedFolder == userFolder)
            choice.path = userFolder;
        else if (places.rememberedFolder == ownFolder && ownUsable)
            choice.path = ownFolder;
        return;
    }
    bool ownNewer = own.modified > user.modified;
    if (own.modified == user.modified)
        ownNewer =
            places.rememberedFolder == ownFolder || (places.rememberedFolder != userFolder && choice.path == ownFolder);
    const StoreFound &newer = ownNewer ? own : user;
    const StoreFound &older = ownNewer ? user : own;
    if (!ownNewer || ownUsable) {
        choice.path = ownNewer ? ownFolder : userFolder;
        choice.difference = differenceOf(older);
        if (choice.difference != places.toldDifference)
            choice.notice =
                QStringLiteral("Deux fichiers de résultats différents existent : %1 (modifié le %2) et "
                               "%3 (modifié le %4). Le plus récent, %1, est utilisé ; l'autre reste tel "
                               "quel.")
                    .arg(native(newer.path), dateText(newer.modified), native(older.path), dateText(older.modified));
        return;
    }
    // The newer store lies where the program may not write: it becomes the
    // user's, and the user's older one is kept aside, not lost.
    choice.path = userFolder;
    const QString kept = QDir(userFolder)
                             .filePath(QStringLiteral("Resultats2013-ancien-%1.ini")
                                           .arg(places.now.toString(QStringLiteral("yyyyMMdd-HHmmss"))));
    if (!replaceKeepingAside(userFolder, user.path, kept, own.bytes)) {
        // Nothing was replaced: the user's store stays in use, and the
        // difference is told as it stands.
        choice.difference = differenceOf(own);
        if (choice.difference != places.toldDifference)
            choice.notice = QStringLiteral("Les résultats de %1 (modifiés le %2) sont plus récents que ceux de %3, "
                                           "mais n'ont pas pu y être recopiés : %3 reste utilisé.")
                                .arg(native(own.path), dateText(own.modified), native(user.path));
        return;
    }
    choice.notice = QStringLiteral("Les résultats de %1 (modifiés le %2) sont plus récents que ceux de votre dossier "
                                   "%3 : ils y sont recopiés, et l'ancien fichier est gardé sous le nom %4.")
                        .arg(native(own.path), dateText(own.modified), native(userFolder), QFileInfo(kept).fileName());
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
    const bool ownUsable = holdsSeason(own) && writable(own) && (!QFileInfo::exists(ownStore) || writable(ownStore));
    if (holdsSeason(own)) {
        // Where the store lives counts before what may be written today.
        const StoreFound ownFound = storeIn(own);
        const StoreFound userFound = storeIn(places.userFolder);
        choice.path = ownUsable ? own : places.userFolder;
        if (!ownFound.path.isEmpty() && !userFound.path.isEmpty())
            chooseBetweenStores(places, ownUsable, ownFound, userFound, choice);
        else if (!userFound.path.isEmpty())
            choice.path = places.userFolder;
        choice.rememberFolder = choice.path;
        if (choice.path == own)
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
        choice.rememberFolder.clear();
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

Places placesOfThisMachine(const QString &commandLine, const QDateTime &now)
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
    // Root may write any file; a store that nobody may write is read-only
    // all the same, as its writes will find (safefile::replace).
    places.isWritable = [](const QString &path) {
        const QFileInfo info(path);
        const QFileDevice::Permissions anyWrite =
            QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
        return info.isWritable() && (!info.isFile() || (info.permissions() & anyWrite));
    };
    places.now = now;
    return places;
}

} // namespace programfolder
