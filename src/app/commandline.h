#pragma once

#include <QString>
#include <QStringList>

class Clock;
class QTextStream;

// The program's command line: the window's options and the actions for
// scripts (--print-…, --update, exports), which run without a window or a
// display and call the same functions the window renders.
namespace commandline {

struct Options
{
    QString dataDir;
    QString server;
    bool quitAfterFirstPaint = false;
};

enum class Mode { Window, Script, Done };

struct Parsed
{
    Mode mode = Mode::Window;
    int status = 0;          // meaningful when mode is Done
    bool paints = false;     // the script action draws with fonts (a PDF export)
    bool needsFolder = true; // the script action works on the program folder
    Options options;
};

// Qt's own window options (-platform offscreen, -style…) removed, so that
// the program's parser never sees them; Qt takes them itself.
QStringList withoutQtOptions(const QStringList &arguments);

// Reads the arguments (program name first). Usage errors, --help and
// --version are answered at once (mode Done, status 2 or 0); otherwise tells
// whether a window or a script action is wanted.
Parsed parse(const QStringList &arguments, QTextStream &out, QTextStream &err);

// Runs the script action of the arguments on the program folder; returns the
// exit status.
int runScript(const QStringList &arguments, const QString &programFolder, const Clock &clock, QTextStream &out,
              QTextStream &err);

} // namespace commandline
