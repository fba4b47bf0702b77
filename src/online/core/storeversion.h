#pragma once

#include "season/core/storefiles.h"

#include <QByteArray>
#include <QString>

// The server's version (ETag) of the store as this folder last downloaded
// it, kept beside the store as "Resultats2013.etag" with a digest of the
// bytes downloaded. An update then asks the server only whether that version
// is still the published one (If-None-Match), and only while the store is
// still byte for byte that download: a store saved, sent or replaced here
// since is downloaded whole, as before. The update writes it under the
// store's lock; nobody else needs to, since any other change of the store
// breaks the digest.
namespace storeversion {

// One of the files kept beside the store (ResultStore::keptFiles).
inline const QString &FileName = storefiles::Version;

QString pathFor(const QString &storePath);

// The version to name in If-None-Match when the folder's store is `store`:
// empty unless `store` is exactly the download the kept version belongs to.
QByteArray conditionFor(const QString &storePath, const QByteArray &store);

// Keeps `etag` as the version of the downloaded `store` (an empty `etag`
// removes what was kept). False when the file could not be written; the
// next update then downloads the store whole.
bool keep(const QString &storePath, const QByteArray &etag, const QByteArray &store);

// The If-None-Match naming a kept version: as it was handed on (a cache
// knows its copy by that), and also as the server made it when a cache
// changed it, so that whoever answers, the cache or the server, knows it.
QByteArray ifNoneMatch(const QByteArray &etag);

// A version as the league's server made it: without the "W/" a cache puts
// before a version when it changed the file it serves (compressed it), and
// without the "-gzip" (or "-br", "-deflate") Apache's compression adds at
// its end. Both name the same stored file; only this form is what the server
// compares a send's If-Match with.
QByteArray normalized(const QByteArray &etag);

} // namespace storeversion
