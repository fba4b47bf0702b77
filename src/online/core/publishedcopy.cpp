#include "online/core/publishedcopy.h"

#include "season/core/inifile.h"
#include "season/core/safefile.h"

#include <QDir>
#include <QFileInfo>

namespace publishedcopy {

QString pathFor(const QString &storePath)
{
    return QFileInfo(storePath).dir().filePath(FileName);
}

std::optional<QByteArray> read(const QString &storePath)
{
    safefile::Read file = safefile::read(pathFor(storePath), IniFile::MaxFileBytes);
    if (!file.ok())
        return std::nullopt;
    return std::move(file.bytes);
}

bool keep(const QString &storePath, const QByteArray &bytes)
{
    // The copy's own lock: writers of the copy already hold the store's.
    return IniFile(pathFor(storePath)).replaceContents(bytes);
}

void keepBeforeFirstSave(const QString &storePath)
{
    if (QFileInfo::exists(pathFor(storePath)) || !QFileInfo::exists(storePath))
        return;
    // Under the store's lock, as every writer of the copy: a download or a
    // send replacing the store meanwhile would leave a copy of neither.
    IniFile store(storePath);
    const IniFile::Locked locked(store);
    if (!locked.isLocked())
        return;
    if (const std::optional<QByteArray> bytes = locked.read())
        keep(storePath, *bytes);
}

QList<storemerge::Conflict> unpublishedResults(const QByteArray &store, const std::optional<QByteArray> &kept,
                                               const QByteArray &published)
{
    QList<storemerge::Conflict> found;
    if (!kept)
        return found;
    const QHash<QString, QString> mine = storemerge::results(store);
    const QHash<QString, QString> base = storemerge::results(*kept);
    const QHash<QString, QString> theirs = storemerge::results(published);
    QStringList keys = mine.keys();
    keys.sort();
    for (const QString &key : std::as_const(keys)) {
        const QString &result = mine[key];
        if (base.value(key) == result || theirs.value(key) == result)
            continue;
        const auto publishedResult = theirs.constFind(key);
        found.append({QStringLiteral("Resultats"), key,
                      publishedResult == theirs.cend() ? std::nullopt : std::optional<QString>(*publishedResult),
                      result});
    }
    return found;
}

QString refusal(qsizetype count)
{
    return count > 1
               ? QStringLiteral("%1 résultats saisis ici ne sont pas publiés et le serveur ne les a pas").arg(count)
               : QStringLiteral("1 résultat saisi ici n'est pas publié et le serveur ne l'a pas");
}

QStringList listing(const Season &season, const QList<storemerge::Conflict> &results)
{
    QStringList lines;
    for (const storemerge::Conflict &result : results) {
        const storemerge::ConflictText text = storemerge::describe(season, result);
        lines << QStringLiteral("%1 : %2 ici, non publié (serveur : %3)").arg(text.what, text.mine, text.theirs);
    }
    return lines;
}

QString replaceQuestion(const Season &season, const QList<storemerge::Conflict> &results)
{
    // A message box stays on screen: a season's worth of lines would not.
    constexpr qsizetype MostListed = 10;
    QStringList lines = listing(season, results);
    const qsizetype others = lines.size() - MostListed;
    if (others > 1) {
        lines.resize(MostListed);
        lines << QStringLiteral("… et %1 autres").arg(others);
    }
    return QStringList{refusal(results.size()) + QStringLiteral(" :"), lines.join(QStringLiteral("\r\n")),
                       QStringLiteral("Remplacer quand même par les résultats du serveur ?")}
        .join(QStringLiteral("\r\n\r\n"));
}

} // namespace publishedcopy
