#pragma once

#include <QByteArray>

namespace runtimefolder {

// Qt's graphical layer wants a private per-user runtime folder. When the
// session names none (a scheduled task, su, a container), Qt falls back on
// <temp>/runtime-<user> but says so in English on standard error, where only
// the program's own French belongs. Called before the application object is
// made, this makes that same folder (mode 0700) and names it, so Qt finds it
// without a word. A folder that exists but is not the user's own, or not
// private, is left for Qt to judge and report. The window uses it: the
// folder is the user's, shared with the sending tool the window starts and
// that may outlive it, so it stays, as Qt's own would.
void provide();

// For a command that paints without a window (the PDF export): while this
// lives and the session names no runtime folder, a private folder of the
// run's own (<temp>/kestrane-runtime-XXXXXX, mode 0700) is named instead, and
// it goes, with whatever Qt put in it, when this does. Made before the
// application object and destroyed after it; a scheduled export then leaves
// nothing in the temporary folder.
class ForThisRun
{
public:
    ForThisRun();
    ~ForThisRun();
    ForThisRun(const ForThisRun &) = delete;
    ForThisRun &operator=(const ForThisRun &) = delete;

private:
    QByteArray m_made; // the folder made, empty when none was needed or could be made
};

} // namespace runtimefolder
