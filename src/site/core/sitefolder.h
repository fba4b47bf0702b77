#pragma once

#include "site/core/sitebuilder.h"

#include <QString>

// Puts a built site in its folder so that a reader never sees half of one:
// the site is written whole into a new folder beside the target, then the
// two are swapped in one step and the earlier site is removed, files no
// longer produced included. The folder carries a marker that says the
// program made it; any other folder that holds something is never touched.
namespace sitefolder {

// The marker's name in the site's folder, and its first line.
inline const QString MarkerName = QStringLiteral(".kestrane-site");
inline const QByteArray MarkerLine = QByteArrayLiteral("Site de la saison écrit par kestrane --export-site");

// Why `folder` may not receive a site, in French; empty when it may: it
// does not exist yet (its parent does), or it is an empty folder, or one of
// the program's own sites. A link, a file or a special file is refused.
QString refusal(const QString &folder);

// Writes `files` as the whole contents of `folder` (and the marker). On
// failure returns false with the French reason, and whatever stood at
// `folder` stays as it was.
[[nodiscard]] bool write(const QString &folder, const site::Files &files, QString &error);

} // namespace sitefolder
