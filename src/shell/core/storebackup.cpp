#include "shell/core/storebackup.h"

#include "season/core/resultstore.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace storebackup {

QString copyName(const QDate &day)
{
    return QStringLiteral("ResultatsK22013-") + day.toString(QStringLiteral("ddMMyy")) + QStringLiteral(".ini");
}

QString copyStore(const QString &programFolder, const QDate &day)
{
    const QDir folder(programFolder);
    QFile store(folder.filePath(ResultStore::FileName));
    if (!store.open(QIODevice::ReadOnly))
        return QStringLiteral("Impossible de lire %1 : %2").arg(ResultStore::FileName, store.errorString());
    const QByteArray bytes = store.readAll();
    // Written aside and renamed over any copy of the same day, so a copy is
    // never left half-written.
    QSaveFile copy(folder.filePath(copyName(day)));
    if (!copy.open(QIODevice::WriteOnly) || copy.write(bytes) != bytes.size() || !copy.commit())
        return QStringLiteral("Impossible d'écrire %1 : %2").arg(copyName(day), copy.errorString());
    return {};
}

} // namespace storebackup
