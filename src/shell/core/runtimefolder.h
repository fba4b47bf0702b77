#pragma once

namespace runtimefolder {

// Qt's graphical layer wants a private per-user runtime folder. When the
// session names none (a scheduled task, su, a container), Qt falls back on
// <temp>/runtime-<user> but says so in English on standard error, where only
// the program's own French belongs. Called before the application object is
// made, this makes that same folder (mode 0700) and names it, so Qt finds it
// without a word. A folder that exists but is not the user's own, or not
// private, is left for Qt to judge and report.
void provide();

} // namespace runtimefolder
