#include "season/core/resultstore.h"

#include "season/core/safefile.h"
#include "season/core/textutil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>

#include <algorithm>

const QStringList &ResultStore::keptFiles()
{
    static const QStringList names = {FileName,          FileName + IniFile::LockSuffix,          BackupName,
                                      PublishedCopyName, PublishedCopyName + IniFile::LockSuffix, storefiles::Version};
    return names;
}

ResultStore::ResultStore(const QString &programFolder, QObject *parent)
    : QObject(parent)
    , m_folder(programFolder)
    , m_ini(programFolder + QLatin1Char('/') + FileName)
{}

ResultStore::ResultStore(IniFile::InMemory contents, QObject *parent)
    : QObject(parent)
    , m_ini(std::move(contents))
{}

MatchRecord ResultStore::match(const QString &fixtureKey) const
{
    return MatchRecord::fromText(m_ini.read(ResultsSection, fixtureKey, MatchRecord::EmptyText));
}

QString ResultStore::stamp() const
{
    return m_ini.read(StampSection, StampSection);
}

QString ResultStore::newsText() const
{
    return m_ini.read(NewsSection, NewsSection);
}

QString ResultStore::version(const QString &missing) const
{
    return m_ini.read(VersionSection, VersionSection, missing);
}

void ResultStore::loadBonusMalus(BonusMalus &table) const
{
    // An adjustment removed from the store keeps its last value in memory
    // until the next start: only keys present overwrite the table. A value
    // beyond the limit counts as the limit, so the points stay exact sums.
    constexpr double limit = text::NumberLimit;
    for (TeamNo team = 0; team < TeamCount; ++team) {
        const QString value = m_ini.read(BonusMalusSection, QString(Season::teamLetter(team)));
        if (!value.isEmpty())
            table[team] = static_cast<float>(std::clamp(text::leadingNumber(value), -limit, limit));
    }
}

QList<IniFile::Entry> ResultStore::entriesOf(const QString &stamp, const QList<Result> &results)
{
    QList<IniFile::Entry> entries{{StampSection, StampSection, stamp}};
    for (const auto &[key, record] : results)
        entries.append({ResultsSection, key, record.toText()});
    return entries;
}

QList<IniFile::Entry> ResultStore::entriesOf(const Publication &publication)
{
    return {{StampSection, StampSection, publication.stamp},
            {NewsSection, NewsSection, publication.news},
            {VersionSection, VersionSection, publication.version}};
}

bool ResultStore::written(bool ok, Change what)
{
    if (ok) {
        // A write that found every value already stored wrote nothing.
        if (std::optional<QByteArray> saved = m_ini.takeLastSaved())
            m_known = std::move(saved);
        emit changed(what);
    }
    return ok;
}

void ResultStore::watchFile()
{
    if (m_watcher || path().isEmpty())
        return;
    auto *watcher = new QFileSystemWatcher(this);
    m_watcher = watcher;
    m_known = fileBytes();
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    connect(&m_settle, &QTimer::timeout, this, &ResultStore::lookAtFile);
    // A write by rename puts a new file in the old one's place, which ends a
    // watch on the file: the folder is watched too, and the file again at
    // every look.
    watcher->addPath(m_folder);
    watcher->addPath(path());
    connect(watcher, &QFileSystemWatcher::fileChanged, this, &ResultStore::fileTouched);
    connect(watcher, &QFileSystemWatcher::directoryChanged, this, &ResultStore::fileTouched);
}

void ResultStore::fileTouched()
{
    // Every event starts the wait again: a writer's burst is looked at once.
    m_settle.start();
}

void ResultStore::lookAtFile()
{
    auto *watcher = static_cast<QFileSystemWatcher *>(m_watcher);
    if (!watcher->files().contains(path()) && QFileInfo::exists(path()))
        watcher->addPath(path());
    // The guarded read: a FIFO or a device put in the store's place is not
    // waited on. No lock is taken: every writer of the program renames a
    // whole file into place, and a lock file coming and going would wake
    // the folder's watch again.
    const std::optional<QByteArray> bytes = fileBytes();
    if (!bytes || !IniFile::holdsSections(*bytes) || bytes == m_known)
        return;
    m_known = bytes;
    emit changed(Change::Results);
    emit changedElsewhere();
}

bool ResultStore::saveResults(const QString &stamp, const QList<Result> &results)
{
    return written(m_ini.write(entriesOf(stamp, results)));
}

bool ResultStore::publish(const Publication &publication)
{
    return written(m_ini.write(entriesOf(publication)), Change::Publication);
}

bool ResultStore::setAdjustment(TeamNo team, const QString &value)
{
    if (team < 0 || team >= TeamCount)
        return false;
    return written(m_ini.write(BonusMalusSection, QString(Season::teamLetter(team)), value));
}

bool ResultStore::replaceContents(const QByteArray &bytes)
{
    return written(m_ini.replaceContents(bytes));
}

ResultStore::Replaced ResultStore::replaceContentsWith(const Replacement &replacement,
                                                       const std::function<void()> &after)
{
    bool changedBytes = false;
    {
        IniFile::Locked locked(m_ini);
        if (!locked.isLocked())
            return Replaced::Failed;
        const std::optional<QByteArray> current = locked.read();
        const std::optional<QByteArray> next = replacement(current);
        if (!next)
            return Replaced::Refused;
        changedBytes = !current || *current != *next;
        if (changedBytes && !locked.replaceContents(*next))
            return Replaced::Failed;
        after();
    }
    // Announced once the lock is let go, as every other write is.
    written(changedBytes);
    return Replaced::Done;
}

bool ResultStore::restoreInterruptedUpdate()
{
    if (m_folder.isEmpty())
        return false; // a store in memory has no folder
    const QString store = QDir(m_folder).filePath(FileName);
    const QString backup = QDir(m_folder).filePath(BackupName);
    if (QFile::exists(store) || !QFile::exists(backup))
        return false;
    return QFile::rename(backup, store);
}

std::optional<QByteArray> ResultStore::keepBackup()
{
    if (m_folder.isEmpty())
        return std::nullopt;
    // Written aside and renamed into place, like the store itself: a backup
    // is never found half-written, whatever stops the program or the disk.
    std::optional<QByteArray> bytes = fileBytes();
    if (!bytes || !safefile::replace(QDir(m_folder).filePath(BackupName), *bytes))
        return std::nullopt;
    return bytes;
}

void ResultStore::removeBackup()
{
    if (!m_folder.isEmpty())
        QFile::remove(QDir(m_folder).filePath(BackupName));
}

std::optional<QByteArray> ResultStore::fileBytes() const
{
    if (path().isEmpty())
        return std::nullopt;
    safefile::Read file = safefile::read(path(), IniFile::MaxFileBytes);
    if (!file.ok())
        return std::nullopt;
    return std::move(file.bytes);
}
