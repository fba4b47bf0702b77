#include "online/core/sendingtool.h"

#include "season/core/storefiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace sendingtool {

namespace {

QString lookIn(const QString &folder)
{
    const QDir dir(folder);
    for (const char *name : {"Porvex.exe", "Porvex"}) {
        const QFileInfo tool(dir.filePath(QLatin1String(name)));
        if (tool.isFile())
            return tool.absoluteFilePath();
    }
    return {};
}

} // namespace

QString pathIn(const QString &programFolder)
{
    const QString found = lookIn(programFolder);
    if (!found.isEmpty() || !QCoreApplication::instance())
        return found;
    // An installed copy keeps its data in a folder of the user's, while the
    // tool lies beside the program in a folder that holds no season.
    const QDir programs(QCoreApplication::applicationDirPath());
    if (programs == QDir(programFolder) || programs.exists(storefiles::Season))
        return {};
    return lookIn(programs.path());
}

} // namespace sendingtool
