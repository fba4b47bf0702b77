#pragma once

#include <QString>

class QTextStream;
class SeasonFolder;

// What the results update without a window is asked to do.
struct UpdateCommand
{
    QString server;          // "http://host" or "https://host"
    QString authoritiesFile; // a private authority trusted over HTTPS (--ca or the setting); empty for none
    bool verbose = false;    // adds the network layer's own account of a failure
    bool force = false;      // replaces results saved here and never published too
};

// The results update without a window, for scheduled tasks: downloads the
// published store from the server and replaces the local one when it is a
// valid store. Prints what it did in French (the new stamp, then what
// changed in one line); returns 0 on success, 1 on failure with the old
// store left as it was. A failure is told in French; `verbose` adds the
// network layer's own account of it on a line of its own. Results saved in
// the folder and never published that the server lacks make it refuse with
// their list, unless `force`.
int runUpdateCommand(SeasonFolder &folder, const UpdateCommand &command, QTextStream &out, QTextStream &err);
