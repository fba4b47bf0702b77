#include "online/core/saveentries.h"

#include "online/core/publishedcopy.h"
#include "online/core/stamp.h"
#include "season/core/resultstore.h"

#include <QFileInfo>

namespace saveentries {

namespace {

QString storable(const QString &text)
{
    QString clean;
    clean.reserve(text.size());
    for (QChar c : text) {
        if (c != QLatin1Char('|') && c.category() != QChar::Other_Control)
            clean += c;
    }
    return clean;
}

} // namespace

QList<IniFile::Entry> entriesOf(const QList<TypedRow> &rows, const QDateTime &now)
{
    QList<IniFile::Entry> entries;
    entries.append({QStringLiteral("Maj"), QStringLiteral("Maj"), stamp::format(now)});
    for (const auto &[key, record] : rows) {
        if (key.isEmpty() || record[MatchRecord::HomeGoals].isEmpty())
            continue;
        MatchRecord clean;
        for (std::size_t i = 0; i < clean.fields.size(); ++i)
            clean.fields[i] = storable(record.fields[i]);
        entries.append({QStringLiteral("Resultats"), key, clean.toText()});
    }
    return entries;
}

bool changedSince(const QString &storePath, const QDateTime &startTime)
{
    const QFileInfo store(storePath);
    return store.exists() && startTime.isValid() && store.lastModified() > startTime;
}

Outcome save(ResultStore &store, const QList<TypedRow> &rows, const QDateTime &now, const QDateTime &startTime)
{
    Outcome outcome;
    outcome.changedSinceStart = changedSince(store.path(), startTime);
    // The first results typed in a folder that never published nor
    // downloaded: what was there before them is what the folder has of the
    // published season, so that an update knows them for this folder's own.
    publishedcopy::keepBeforeFirstSave(store.path());
    outcome.saved = store.ini().write(entriesOf(rows, now));
    return outcome;
}

} // namespace saveentries
