#pragma once

#include <QString>

// The companion tool that uploads the results store, kept in the program
// folder: "Porvex.exe" on Windows, "Porvex" elsewhere; either name is found.
namespace sendingtool {

// Its path when it is in the folder, or, for an installed copy whose
// program folder is the user's, beside the program; empty otherwise.
QString pathIn(const QString &programFolder);

} // namespace sendingtool
