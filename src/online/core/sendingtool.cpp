#include "online/core/sendingtool.h"

#include <QDir>
#include <QFileInfo>

namespace sendingtool {

QString pathIn(const QString &programFolder)
{
    const QDir folder(programFolder);
    for (const char *name : {"Porvex.exe", "Porvex"}) {
        const QFileInfo tool(folder.filePath(QLatin1String(name)));
        if (tool.isFile())
            return tool.absoluteFilePath();
    }
    return {};
}

} // namespace sendingtool
