#pragma once

#include <QString>

class UserSettings;

// The program's identity: version and the author's web server, which is a
// configuration value rather than part of the program.
namespace programinfo {

constexpr int Major = KESTRANE_VERSION_MAJOR;
constexpr int Minor = KESTRANE_VERSION_MINOR;
constexpr int Revision = KESTRANE_VERSION_PATCH;

inline QString versionText()
{
    return QStringLiteral("%1.%2").arg(Major).arg(Minor);
}
inline QString fullVersionText()
{
    return QStringLiteral("%1.%2.%3").arg(Major).arg(Minor).arg(Revision);
}

inline const QString Title = QStringLiteral("Kestrane 1");
inline const QString WindowCaption = QStringLiteral("Championnat de ") + QStringLiteral(" Kestrane 1 (2013 - 2014)");

// The author's web server, "http://host" without a final "/": the command
// line's --server first, then KESTRANE_SERVER, then the user's setting, then
// the program's default. A test server or a mirror can stand in this way.
QString serverAddress(const QString &commandLine, const UserSettings &settings);
// The private certificate authority (a PEM file) trusted over HTTPS, by the
// update and by the sending tool alike: the command line's --ca first, then
// the user's setting; empty for none.
QString authoritiesFile(const QString &commandLine, const UserSettings &settings);
// The partner's download portal page, a setting with the program's default.
QString portalAddress(const UserSettings &settings);
// The author's name in the about box, a setting with the program's default.
QString authorName(const UserSettings &settings);

} // namespace programinfo
