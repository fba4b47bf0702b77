#pragma once

#include <QString>

class QTextStream;
class SeasonFolder;

// The results update without a window, for scheduled tasks: downloads the
// published store from `server` and replaces the local one when it is a
// valid store. Prints what it did in French (the new stamp, then what
// changed in one line); returns 0 on success, 1 on failure with the old
// store left as it was. A failure is told in French; `verbose` adds the
// network layer's own account of it on a line of its own. Results saved in
// the folder and never published that the server lacks make it refuse with
// their list, unless `force`.
int runUpdateCommand(SeasonFolder &folder, const QString &server, bool verbose, QTextStream &out, QTextStream &err,
                     bool force = false);
