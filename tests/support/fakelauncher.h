#pragma once

#include "shell/core/launcher.h"

#include <QStringList>
#include <QUrl>

#include <utility>
#include <vector>

// Remembers what the program asked the desktop to open or start.
class FakeLauncher final : public Launcher
{
public:
    bool openUrl(const QUrl &url) override
    {
        urls.push_back(url);
        return true;
    }
    bool startProgram(const QString &program, const QStringList &arguments, const QString &workingFolder) override
    {
        programs.emplace_back(program, workingFolder);
        programArguments.push_back(arguments);
        return startSucceeds;
    }

    std::vector<QUrl> urls;
    std::vector<std::pair<QString, QString>> programs; // program, working folder
    std::vector<QStringList> programArguments;
    bool startSucceeds = true;
};
