#include "standings/core/exportfile.h"

#include "season/core/resultstore.h"
#include "season/core/safefile.h"
#include "season/core/storefiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace exportfile {

namespace {

// The program folder's own files, which an export must leave alone: those
// kept beside the results store, and the season, the donors list, the
// pictures and the sending tool.
const QStringList &programFileNames()
{
    static const QStringList names =
        ResultStore::keptFiles()
        + QStringList{storefiles::Season, QStringLiteral("don.K1"), QStringLiteral("logo.png"),
                      QStringLiteral("Porvex.exe"), QStringLiteral("Porvex")};
    return names;
}

// Names compare without regard to case: on a file system that ignores it,
// "RESULTATS2013.INI" is the store.
bool isProgramFileName(const QString &name)
{
    // The dated copies of the store and the copies kept aside when two
    // stores had to be made one.
    static const QRegularExpression copies(
        QStringLiteral("^(ResultatsK22013-\\d{6}\\.ini|Resultats2013-ancien-\\d{8}-\\d{6}\\.ini)$"),
        QRegularExpression::CaseInsensitiveOption);
    return programFileNames().contains(name, Qt::CaseInsensitive) || copies.match(name).hasMatch();
}

// Whether two final paths name the same entry of the same folder, the folder
// told by its identity on disk rather than by its path.
bool samePlace(const QString &a, const QString &b)
{
    const QFileInfo first(a);
    const QFileInfo second(b);
    return first.fileName().compare(second.fileName(), Qt::CaseInsensitive) == 0
           && (first.path() == second.path() || safefile::sameFile(first.path(), second.path()));
}

// Whether the final path `target` is one of the files of `folder`.
bool isFileOf(const QString &target, const QString &folder)
{
    const QFileInfo final(target);
    if (safefile::sameFile(final.path(), folder) && isProgramFileName(final.fileName()))
        return true;
    if (safefile::sameFile(final.path(), QDir(folder).filePath(QStringLiteral("blasons"))))
        return true;
    // A program file may itself be a link: where it leads is that file too.
    for (const QString &name : programFileNames()) {
        const QString own = safefile::finalPath(QDir(folder).filePath(name));
        if (!own.isEmpty() && samePlace(own, target))
            return true;
    }
    return false;
}

} // namespace

QString cannotWrite(const QString &path)
{
    const QFileInfo info(path);
    QString reason;
    if (path.isEmpty())
        return QStringLiteral("Nom de fichier manquant.");
    if (info.isDir())
        reason = QStringLiteral("c'est un dossier");
    else if (!info.absoluteDir().exists())
        reason = QStringLiteral("le dossier %1 n'existe pas").arg(QDir::toNativeSeparators(info.absolutePath()));
    else
        reason = QStringLiteral("écriture refusée ou disque plein");
    return QStringLiteral("Impossible d'écrire le fichier %1 : %2.").arg(QDir::toNativeSeparators(path), reason);
}

QString programFileRefused(const QString &path)
{
    return QStringLiteral("Le fichier %1 est un fichier du programme (saison, résultats, sauvegarde ou fichier de "
                          "travail) : choisissez un autre nom.")
        .arg(QDir::toNativeSeparators(path));
}

bool write(const QString &path, const QByteArray &bytes, QString &error)
{
    if (path.isEmpty()) {
        error = cannotWrite(path);
        return false;
    }
    QString reason;
    if (!safefile::replace(path, bytes, &reason)) {
        error = QStringLiteral("Impossible d'écrire le fichier %1 : %2.").arg(QDir::toNativeSeparators(path), reason);
        return false;
    }
    return true;
}

bool isProgramFile(const QString &path, const QString &programFolder)
{
    if (path.isEmpty())
        return false;
    // A link loop leads nowhere: the write refuses it itself.
    const QString target = safefile::finalPath(path);
    if (target.isEmpty())
        return false;
    if (safefile::isTemporaryName(QFileInfo(target).fileName()))
        return true;
    if (isFileOf(target, programFolder))
        return true;
    if (!QCoreApplication::instance())
        return false;
    // The executable's own folder: an installed copy keeps its season there,
    // and a copy run from its build folder its store too.
    const QString executable = QCoreApplication::applicationFilePath();
    return samePlace(safefile::finalPath(executable), target) || isFileOf(target, QFileInfo(executable).absolutePath());
}

} // namespace exportfile
