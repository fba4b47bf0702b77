#include "shell/core/storebackup.h"

#include "season/core/inifile.h"
#include "season/core/resultstore.h"
#include "season/core/safefile.h"

#include <QDir>

namespace storebackup {

QString copyName(const QDate &day)
{
    return QStringLiteral("ResultatsK22013-") + day.toString(QStringLiteral("ddMMyy")) + QStringLiteral(".ini");
}

QString copyStore(const QString &programFolder, const QDate &day)
{
    const QDir folder(programFolder);
    const safefile::Read store = safefile::read(folder.filePath(ResultStore::FileName), IniFile::MaxFileBytes);
    if (!store.ok()) {
        const QString why = store.status == safefile::ReadStatus::Missing
                                ? QStringLiteral("le fichier n'existe pas")
                                : safefile::reason(store.status, IniFile::MaxFileBytes);
        return QStringLiteral("Impossible de lire %1 : %2").arg(ResultStore::FileName, why);
    }
    // Written aside and renamed over any copy of the same day, so a copy is
    // never left half-written.
    QString why;
    if (!safefile::replace(folder.filePath(copyName(day)), store.bytes, &why))
        return QStringLiteral("Impossible d'écrire %1 : %2").arg(copyName(day), why);
    return {};
}

} // namespace storebackup
