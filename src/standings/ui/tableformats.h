#pragma once

#include "standings/core/tableexport.h"

#include <QString>

#include <vector>

// The formats the table as displayed is exported to, one entry each: the
// command line's option and its help, the window's menu entry, the file's
// suffix and the save dialog's filter, and the writer both of them call.
// Adding a format is adding an entry here.
struct TableFormat
{
    const char *option;      // "export-csv": the command line's --export-csv FILE
    const char *help;        // that option's description in --help
    const char *menuName;    // object name of the window's menu entry
    const char *menuCaption; // its caption
    const char *suffix;      // of the file, without the dot
    const char *filter;      // the save dialog's filter
    bool (*write)(const DisplayedStandings &shown, const QString &path, QString &error);
    bool paints = false; // draws with fonts: needs a GUI application object
};

namespace tableformats {

const std::vector<TableFormat> &all();
// The format of a suffix ("csv"), or none.
const TableFormat *ofSuffix(const QString &suffix);

} // namespace tableformats
