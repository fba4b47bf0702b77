#include "shell/ui/desktoplauncher.h"

#include <QDesktopServices>
#include <QProcess>

bool DesktopLauncher::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

bool DesktopLauncher::startProgram(const QString &program, const QStringList &arguments, const QString &workingFolder)
{
    return QProcess::startDetached(program, arguments, workingFolder);
}
