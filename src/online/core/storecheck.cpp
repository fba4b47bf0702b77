#include "online/core/storecheck.h"

#include "online/core/storemerge.h"
#include "online/core/updaterules.h"
#include "season/core/safefile.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QTextStream>

namespace storecheck {

namespace {

// Through the guarded reader: a FIFO or a device named as the store is not
// waited on. A file past the largest store is not read; it stands as its
// first byte too many, all the check needs to call it too large.
std::optional<QByteArray> readBounded(const QString &path)
{
    safefile::Read file = safefile::read(path, updaterules::MaxStoreBytes);
    if (file.status == safefile::ReadStatus::TooLarge)
        return QByteArray(updaterules::MaxStoreBytes + 1, '\0');
    if (!file.ok())
        return std::nullopt;
    return std::move(file.bytes);
}

int changedResults(const QByteArray &previous, const QByteArray &next)
{
    const QHash<QString, QString> before = storemerge::results(previous);
    const QHash<QString, QString> after = storemerge::results(next);
    QSet<QString> keys(before.keyBegin(), before.keyEnd());
    keys.unite(QSet<QString>(after.keyBegin(), after.keyEnd()));
    int changed = 0;
    for (const QString &key : std::as_const(keys))
        changed += before.value(key) != after.value(key) ? 1 : 0;
    return changed;
}

} // namespace

int command(const QString &path, const QString &previousPath, QTextStream &out, QTextStream &err)
{
    const std::optional<QByteArray> bytes = readBounded(path);
    if (!bytes) {
        err << "Impossible de lire " << QDir::toNativeSeparators(path) << ".\n";
        return 1;
    }
    if (const QString problem = updaterules::storeProblem(*bytes); !problem.isEmpty()) {
        err << problem << ".\n";
        return 1;
    }
    out << "résultats=" << storemerge::results(*bytes).size();
    if (!previousPath.isEmpty()) {
        QByteArray previous;
        if (QFileInfo::exists(previousPath)) {
            const std::optional<QByteArray> read = readBounded(previousPath);
            if (!read) {
                err << "Impossible de lire " << QDir::toNativeSeparators(previousPath) << ".\n";
                return 1;
            }
            previous = *read;
        }
        out << " modifiés=" << changedResults(previous, *bytes);
    }
    out << '\n';
    return 0;
}

} // namespace storecheck
