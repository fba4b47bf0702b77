#include "online/core/storeversion.h"

#include "season/core/safefile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace storeversion {

namespace {

// A version and a digest are two short lines; anything longer is not ours.
constexpr qint64 MaxFileBytes = 4096;

QByteArray digestOf(const QByteArray &store)
{
    return QCryptographicHash::hash(store, QCryptographicHash::Sha256).toHex();
}

// What HTTP allows in a header value, and nothing that would split it.
bool isHeaderSafe(const QByteArray &etag)
{
    return std::all_of(etag.begin(), etag.end(), [](char c) { return c >= 0x20 && c < 0x7f; });
}

} // namespace

QString pathFor(const QString &storePath)
{
    return QFileInfo(storePath).dir().filePath(FileName);
}

QByteArray conditionFor(const QString &storePath, const QByteArray &store)
{
    const safefile::Read kept = safefile::read(pathFor(storePath), MaxFileBytes);
    if (!kept.ok())
        return {};
    const QList<QByteArray> lines = kept.bytes.split('\n');
    if (lines.size() < 2 || lines[0].isEmpty() || !isHeaderSafe(lines[0]) || lines[1] != digestOf(store))
        return {};
    return lines[0];
}

bool keep(const QString &storePath, const QByteArray &etag, const QByteArray &store)
{
    const QString path = pathFor(storePath);
    if (etag.isEmpty() || !isHeaderSafe(etag) || etag.size() > MaxFileBytes / 2)
        return !QFileInfo::exists(path) || QFile::remove(path);
    return safefile::replace(path, etag + '\n' + digestOf(store) + '\n');
}

QByteArray ifNoneMatch(const QByteArray &etag)
{
    const QByteArray origin = normalized(etag);
    return origin == etag ? etag : etag + ", " + origin;
}

QByteArray normalized(const QByteArray &etag)
{
    QByteArray tag = etag.trimmed();
    if (tag.startsWith("W/"))
        tag = tag.mid(2);
    if (tag.size() < 2 || !tag.startsWith('"') || !tag.endsWith('"'))
        return tag;
    QByteArray opaque = tag.mid(1, tag.size() - 2);
    for (const char *suffix : {"-gzip", "-br", "-deflate"}) {
        if (opaque.endsWith(suffix)) {
            opaque.chop(qsizetype(qstrlen(suffix)));
            break;
        }
    }
    return '"' + opaque + '"';
}

} // namespace storeversion
