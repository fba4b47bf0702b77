#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// How the program hands work to the desktop: web pages and documents open in
// their default application, the sending tool starts on its own. The program
// uses the desktop's services; tests record the calls instead.
class Launcher
{
public:
    virtual ~Launcher() = default;
    // A web page, or a local file given as a file URL. False when nothing
    // could open it.
    virtual bool openUrl(const QUrl &url) = 0;
    // Starts a program with its arguments without waiting for it, in the
    // given working folder.
    virtual bool startProgram(const QString &program, const QStringList &arguments, const QString &workingFolder) = 0;
};
