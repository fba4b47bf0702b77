#include "standings/core/exportfile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace exportfile {

namespace {
// The program folder's data files, which an export must leave alone.
const QStringList ProgramFiles = {QStringLiteral("2013.txt"), QStringLiteral("Resultats2013.ini"),
                                  QStringLiteral("Resultats2013.BU")};
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
    return QStringLiteral("Le fichier %1 est un fichier du programme (saison ou résultats) : "
                          "choisissez un autre nom.")
        .arg(QDir::toNativeSeparators(path));
}

bool write(const QString &path, const QByteArray &bytes, QString &error)
{
    if (path.isEmpty() || QFileInfo(path).isDir()) {
        error = cannotWrite(path);
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = cannotWrite(path);
        return false;
    }
    return true;
}

bool isProgramFile(const QString &path, const QString &programFolder)
{
    const QFileInfo target(path);
    const QDir folder(programFolder);
    for (const QString &name : ProgramFiles) {
        const QFileInfo own(folder.filePath(name));
        // Compare real paths where the files exist, so that a link or "./"
        // does not hide the store; plain absolute paths otherwise.
        const QString a = target.exists() ? target.canonicalFilePath() : target.absoluteFilePath();
        const QString b = own.exists() ? own.canonicalFilePath() : own.absoluteFilePath();
        if (a == b)
            return true;
    }
    return false;
}

} // namespace exportfile
