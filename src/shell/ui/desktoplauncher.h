#pragma once

#include "shell/core/launcher.h"

// Opens pages and documents with the desktop's default applications and
// starts programs detached, as the program does outside tests.
class DesktopLauncher final : public Launcher
{
public:
    bool openUrl(const QUrl &url) override;
    bool startProgram(const QString &program, const QStringList &arguments, const QString &workingFolder) override;
};
