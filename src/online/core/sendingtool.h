#pragma once

#include <QString>

// The companion tool that uploads the results store, kept in the program
// folder: "Porvex.exe" on Windows, "Porvex" elsewhere; either name is found.
namespace sendingtool {

// Its path when it is in the folder, empty otherwise.
QString pathIn(const QString &programFolder);

} // namespace sendingtool
