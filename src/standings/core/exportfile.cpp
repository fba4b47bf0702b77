#include "standings/core/exportfile.h"

#include "season/core/resultstore.h"
#include "season/core/safefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace exportfile {

namespace {

// The program folder's own files, which an export must leave alone.
const QStringList &programFileNames()
{
    static const QStringList names = {QStringLiteral("2013.txt"),   ResultStore::FileName,
                                      ResultStore::BackupName,      ResultStore::FileName + QStringLiteral(".lock"),
                                      QStringLiteral("don.K1"),     QStringLiteral("logo.png"),
                                      QStringLiteral("Porvex.exe"), QStringLiteral("Porvex")};
    return names;
}

bool isProgramFileName(const QString &name)
{
    // The dated copies of the store and the copies kept aside when two
    // stores had to be made one.
    static const QRegularExpression copies(
        QStringLiteral("^(ResultatsK22013-\\d{6}\\.ini|Resultats2013-ancien-\\d{8}-\\d{6}\\.ini)$"));
    return programFileNames().contains(name) || copies.match(name).hasMatch();
}

QString realFolder(const QString &folder)
{
    const QString real = QFileInfo(folder).canonicalFilePath();
    return real.isEmpty() ? QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) : real;
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
    const QFileInfo final(target);
    if (safefile::isTemporaryName(final.fileName()))
        return true;
    const QString folder = realFolder(programFolder);
    if (final.path() == folder && isProgramFileName(final.fileName()))
        return true;
    if (final.path() == QDir(folder).filePath(QStringLiteral("blasons")))
        return true;
    // A program file may itself be a link: where it leads is that file too.
    for (const QString &name : programFileNames()) {
        if (safefile::finalPath(QDir(folder).filePath(name)) == target)
            return true;
    }
    return QCoreApplication::instance() && safefile::finalPath(QCoreApplication::applicationFilePath()) == target;
}

} // namespace exportfile
