#include "season/core/inifile.h"

#include "season/core/filelock.h"
#include "season/core/safefile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

#ifdef Q_OS_LINUX
#include <sys/stat.h>
#endif

namespace {

// What identifies one state of the file on disk. A download renames a new
// file over the store, so identity catches a replacement even when size and
// time happen to match.
struct FileStamp
{
    bool exists = false;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    quint64 device = 0;
    quint64 inode = 0;

    bool operator==(const FileStamp &) const = default;
};

FileStamp stampOf(const QString &path)
{
    FileStamp stamp;
#ifdef Q_OS_LINUX
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return stamp;
    stamp.exists = true;
    stamp.size = st.st_size;
    stamp.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.changedNs = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    stamp.device = st.st_dev;
    stamp.inode = st.st_ino;
#else
    const QFileInfo info(path);
    if (!info.isFile())
        return stamp;
    stamp.exists = true;
    stamp.size = info.size();
    stamp.modifiedNs = info.lastModified().toMSecsSinceEpoch() * 1000000;
    stamp.changedNs = info.metadataChangeTime().toMSecsSinceEpoch() * 1000000;
    stamp.inode = info.birthTime().toMSecsSinceEpoch();
#endif
    return stamp;
}

} // namespace

struct IniFile::Cache
{
    FileStamp stamp;
    initext::SectionMap sections;
};

IniFile::IniFile(QString path)
    : m_path(std::move(path))
{}

IniFile::~IniFile() = default;

IniFile::IniFile(InMemory contents)
    : m_memory(std::move(contents.bytes))
{}

const IniFile::Cache &IniFile::parsed() const
{
    if (m_memory) {
        if (!m_cache) {
            m_cache = std::make_unique<Cache>();
            m_cache->sections = initext::parse(*m_memory);
        }
        return *m_cache;
    }
    if (m_caching && m_cache && m_holds > 0)
        return *m_cache;
    const FileStamp now = stampOf(m_path);
    if (m_caching && m_cache && m_cache->stamp == now)
        return *m_cache;

    auto fresh = std::make_unique<Cache>();
    fresh->stamp = now;
    // Only a regular file of a store's size is read: anything else reads
    // as a store without entries.
    if (now.exists && now.size <= MaxFileBytes) {
        const safefile::Read file = safefile::read(m_path, MaxFileBytes);
        if (file.ok())
            fresh->sections = initext::parse(file.bytes);
    }
    m_cache = std::move(fresh);
    return *m_cache;
}

QString IniFile::read(const QString &section, const QString &key, const QString &defaultValue) const
{
    return initext::lookup(parsed().sections, section, key, defaultValue);
}

bool IniFile::hasSection(const QString &section) const
{
    return initext::hasSection(parsed().sections, section);
}

bool IniFile::holdsSections(const QByteArray &bytes)
{
    return initext::holdsSections(bytes);
}

QString IniFile::readFrom(const QByteArray &bytes, const QString &section, const QString &key,
                          const QString &defaultValue)
{
    return initext::lookup(initext::parse(bytes), section, key, defaultValue);
}

QByteArray IniFile::writeTo(const QByteArray &bytes, const QString &section, const QString &key, const QString &value,
                            bool *changed)
{
    return initext::writeTo(bytes, QList<Entry>{{section, key, value}}, changed);
}

QByteArray IniFile::writeTo(const QByteArray &bytes, const QList<Entry> &entries, bool *changed)
{
    return initext::writeTo(bytes, entries, changed);
}

QList<IniFile::Entry> IniFile::entriesFrom(const QByteArray &bytes)
{
    return initext::entriesFrom(bytes);
}

bool IniFile::write(const QString &section, const QString &key, const QString &value)
{
    return write(QList<Entry>{{section, key, value}});
}

bool IniFile::write(const QList<Entry> &entries)
{
    if (m_memory)
        return false;
    if (!std::all_of(entries.cbegin(), entries.cend(), initext::writable))
        return false;

    // Another instance may write between our read and our rename: the lock
    // makes the read-modify-write one step, and the bytes are read afresh
    // inside it rather than taken from the cache.
    FileLock lock(lockPath());
    if (!lock.tryLock(m_lockTimeout))
        return false;

    // A store that cannot be read whole (a FIFO, a link to a device, a file
    // far too large) is not rewritten from what could be read of it.
    const safefile::Read file = safefile::read(m_path, MaxFileBytes);
    if (!file.ok() && file.status != safefile::ReadStatus::Missing)
        return false;
    bool changed = false;
    const QByteArray next = initext::writeTo(file.bytes, entries, &changed);
    if (!changed)
        return true;
    return saveLocked(next);
}

bool IniFile::replaceContents(const QByteArray &bytes)
{
    if (m_memory)
        return false;
    FileLock lock(lockPath());
    if (!lock.tryLock(m_lockTimeout))
        return false;
    return saveLocked(bytes);
}

IniFile::Locked::Locked(IniFile &file)
    : m_file(file)
    , m_lock(file.lockPath())
{
    // Whether it was had is asked through isLocked() before each step.
    static_cast<void>(m_lock.tryLock(file.m_lockTimeout));
}

std::optional<QByteArray> IniFile::Locked::read() const
{
    safefile::Read file = safefile::read(m_file.m_path, MaxFileBytes);
    if (file.status == safefile::ReadStatus::Missing)
        return QByteArray();
    if (!file.ok())
        return std::nullopt;
    return std::move(file.bytes);
}

bool IniFile::Locked::replaceContents(const QByteArray &bytes)
{
    return isLocked() && m_file.saveLocked(bytes);
}

bool IniFile::saveLocked(const QByteArray &bytes)
{
    // The new contents go to a temporary file that replaces the store only
    // once complete, so a failure leaves the previous store as it was.
    if (!safefile::replace(m_path, bytes))
        return false;
    m_cache.reset();
    m_lastSaved = bytes;
    return true;
}
