#pragma once

#include <QString>

// The program's identity: version and the author's web server, which is a
// configuration value rather than part of the program.
namespace programinfo {

constexpr int Major = KESTRANE_VERSION_MAJOR;
constexpr int Minor = KESTRANE_VERSION_MINOR;
constexpr int Revision = KESTRANE_VERSION_PATCH;

inline QString versionText() { return QStringLiteral("%1.%2").arg(Major).arg(Minor); }
inline QString fullVersionText() { return QStringLiteral("%1.%2.%3").arg(Major).arg(Minor).arg(Revision); }

inline const QString Title = QStringLiteral("Kestrane 1");
inline const QString WindowCaption = QStringLiteral("Championnat de ") + QStringLiteral(" Kestrane 1 (2013 - 2014)");
inline const QString MissingSeasonMessage = QStringLiteral("Absence du fichier 2013.txt");
// Overridable with KESTRANE_SERVER so a test server or a mirror can stand in.
QString serverAddress();

} // namespace programinfo
