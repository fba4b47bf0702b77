#pragma once

#include <QString>

// The published store names, under "CV", the latest version of the program.
// After each successful update the program compares it with its own and
// offers the download page when the published one is newer.
namespace versioncheck {

// The published text in tenths: only a text of exactly three characters is
// a version ("1.4" is 14, "2-0" is 20: the middle one is not looked at); any
// other text is 0.
int publishedTenths(const QString &published);

// Whether to offer the download of `published` to a program of version
// major.minor. "-" (nothing published) and malformed texts never offer.
bool offerDue(const QString &published, int major, int minor);

QString question();
// The question's title: the program's name, " Version ", the published text.
QString title(const QString &programName, const QString &published);

} // namespace versioncheck
