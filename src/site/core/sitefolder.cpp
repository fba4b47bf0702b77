#include "site/core/sitefolder.h"

#include "season/core/safefile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sitefolder {

namespace {

// A folder left behind by a generation that was stopped half-way is removed
// by a later one once it is this old: no generation takes that long.
constexpr qint64 LeftoverAgeSeconds = 3600;

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString absolute(const QString &folder)
{
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

// "/srv/ligue/.site.kestrane-": the names of the folders a site is built in.
QString buildPrefix(const QString &target)
{
    const QFileInfo info(target);
    return QDir(info.path()).filePath(QLatin1Char('.') + info.fileName() + QStringLiteral(".kestrane-"));
}

bool isSite(const QString &folder)
{
    const QString marker = QDir(folder).filePath(MarkerName);
    struct stat status
    {};
    if (::lstat(QFile::encodeName(marker).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return false;
    const safefile::Read read = safefile::read(marker, 4096);
    return read.ok() && read.bytes.startsWith(MarkerLine);
}

bool isEmptyFolder(const QString &folder)
{
    return QDir(folder).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// A new folder, made with the user's usual permissions (a site is read by everyone).
QString makeBuildFolder(const QString &target)
{
    static const char Alphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QString path = buildPrefix(target);
        for (int i = 0; i < 6; ++i)
            path += QLatin1Char(Alphabet[QRandomGenerator::global()->bounded(int(sizeof Alphabet) - 1)]);
        if (::mkdir(QFile::encodeName(path).constData(), 0777) == 0)
            return path;
        if (errno != EEXIST)
            return {};
    }
    return {};
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly) && file.write(bytes) == bytes.size() && file.flush();
}

// Everything written under `folder` reaches the disk before the swap, so
// the swap never brings in a file that is not whole: one flush of the file
// system for the whole site, not one per file.
bool syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    const bool ok = ::syncfs(fd) == 0;
    ::close(fd);
    return ok;
}

bool fill(const QString &folder, const site::Files &files)
{
    QDir dir(folder);
    if (!writeFile(dir.filePath(MarkerName),
                   MarkerLine + "\nCe dossier est remplacé en entier à chaque génération : n'y mettez rien d'autre.\n"))
        return false;
    for (const site::File &file : files) {
        const QString path = dir.filePath(file.path);
        const QString parent = QFileInfo(path).path();
        if (parent != folder && !QFileInfo(parent).isDir() && ::mkdir(QFile::encodeName(parent).constData(), 0777) != 0)
            return false;
        if (!writeFile(path, file.bytes))
            return false;
    }
    return syncFolder(folder);
}

// Build folders of generations stopped half-way, long enough ago.
void removeLeftovers(const QString &target)
{
    const QFileInfo prefix(buildPrefix(target));
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QFileInfoList entries = QDir(prefix.path()).entryInfoList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        if (!entry.fileName().startsWith(prefix.fileName()) || entry.isSymLink())
            continue;
        if (entry.lastModified().secsTo(now) > LeftoverAgeSeconds
            && (isSite(entry.filePath()) || isEmptyFolder(entry.filePath())))
            QDir(entry.filePath()).removeRecursively();
    }
}

bool exchange(const QString &a, const QString &b)
{
    return ::renameat2(AT_FDCWD, QFile::encodeName(a).constData(), AT_FDCWD, QFile::encodeName(b).constData(),
                       RENAME_EXCHANGE)
           == 0;
}

bool moveTo(const QString &from, const QString &to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

QString cannotWrite(const QString &folder)
{
    return QStringLiteral("Impossible d'écrire le site dans %1 : écriture refusée ou disque plein.")
        .arg(native(folder));
}

// Puts the built folder in place of the target; what stood there before is
// left under the build folder's name, for the caller to remove.
bool swapIn(const QString &built, const QString &target, QString &error)
{
    struct stat status
    {};
    if (::lstat(QFile::encodeName(target).constData(), &status) != 0) {
        if (moveTo(built, target))
            return true;
        error = cannotWrite(target);
        return false;
    }
    // The two swapped in one step; should what was moved aside not be an
    // earlier site any more (it changed meanwhile), it goes back.
    if (exchange(built, target)) {
        if (isSite(built) || isEmptyFolder(built))
            return true;
        static_cast<void>(exchange(built, target));
        error = refusal(target);
        return false;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
        error = cannotWrite(target);
        return false;
    }
    // A file system that cannot swap: the earlier site moves aside, then the
    // new one takes its name, so a reader finds one whole site or none.
    const QString aside = makeBuildFolder(target);
    if (aside.isEmpty() || !moveTo(target, aside)) {
        if (!aside.isEmpty())
            QDir().rmdir(aside);
        error = cannotWrite(target);
        return false;
    }
    if (!moveTo(built, target)) {
        static_cast<void>(moveTo(aside, target));
        error = cannotWrite(target);
        return false;
    }
    if (!moveTo(aside, built))
        QDir(aside).removeRecursively();
    return true;
}

} // namespace

QString refusal(const QString &folder)
{
    if (folder.trimmed().isEmpty())
        return QStringLiteral("Nom de dossier manquant.");
    const QString path = absolute(folder);
    const QFileInfo parent(QFileInfo(path).path());
    if (!parent.isDir())
        return QStringLiteral("Impossible d'écrire le site dans %1 : le dossier %2 n'existe pas.")
            .arg(native(path), native(parent.filePath()));
    struct stat status
    {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    if (S_ISLNK(status.st_mode))
        return QStringLiteral("%1 est un lien : le site s'écrit dans un vrai dossier, donnez son chemin.")
            .arg(native(path));
    if (S_ISREG(status.st_mode))
        return QStringLiteral("%1 est un fichier, pas un dossier : le site n'y est pas écrit.").arg(native(path));
    if (!S_ISDIR(status.st_mode))
        return QStringLiteral("%1 n'est ni un dossier ni un fichier ordinaire : le site n'y est pas écrit.")
            .arg(native(path));
    if (isEmptyFolder(path) || isSite(path))
        return {};
    return QStringLiteral("Le dossier %1 contient déjà des fichiers et n'est pas un site écrit par ce programme : "
                          "choisissez un dossier nouveau ou vide. Rien n'y a été changé.")
        .arg(native(path));
}

bool write(const QString &folder, const site::Files &files, QString &error)
{
    error = refusal(folder);
    if (!error.isEmpty())
        return false;
    const QString target = absolute(folder);
    removeLeftovers(target);
    QString built = makeBuildFolder(target);
    if (built.isEmpty()) {
        error = cannotWrite(target);
        return false;
    }
    if (!fill(built, files)) {
        QDir(built).removeRecursively();
        error = cannotWrite(target);
        return false;
    }
    const bool swapped = swapIn(built, target, error);
    // The build folder now holds the new site (no swap) or the earlier one;
    // never remove anything that is not one of the program's sites.
    if (isSite(built) || isEmptyFolder(built))
        QDir(built).removeRecursively();
    return swapped;
}

} // namespace sitefolder
