#pragma once

#include "season/core/filelock.h"
#include "season/core/initext.h"
#include "season/core/storefiles.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <chrono>
#include <memory>
#include <optional>
#include <utility>

// Keyed access to a Windows-style INI file, read and written exactly as the
// classic Windows profile functions do, so that files produced by the author's
// tools and by this program read back identically on both sides.
//
// The file is parsed once and the parse is kept until the file changes on
// disk (modification time, size or identity differ), so a file replaced by a
// download is seen at the next read without re-parsing for every key.
// Writes go through a temporary file renamed over the original, under a lock
// the operating system holds for the writer (FileLock on the file beside the
// store, lockPath()), so that a crash or a second instance never leaves a
// half-written file and a killed writer never leaves a lock behind.
//
// Files are Windows-1252; one that starts with a UTF-8 byte-order mark is
// read and written as UTF-8 and keeps its mark.
class IniFile
{
public:
    static constexpr int MaxValueLength = initext::MaxValueLength;
    // The results store holds a few hundred lines: a file past this size is
    // not one, and is neither read (every read yields its default) nor
    // rewritten.
    static constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;

    explicit IniFile(QString path);
    // A file held in memory only, read like one on disk and never written:
    // a store as it was before an update, compared with the new one.
    struct InMemory
    {
        QByteArray bytes;
    };
    explicit IniFile(InMemory contents);
    ~IniFile();
    IniFile(const IniFile &) = delete;
    IniFile &operator=(const IniFile &) = delete;

    QString path() const { return m_path; }
    // The file whose lock every write and replacement of this file takes:
    // its path followed by LockSuffix.
    static inline const QString &LockSuffix = storefiles::LockSuffix;
    QString lockPath() const { return m_path + LockSuffix; }
    // How long a write waits for another writer before it gives up.
    void setLockTimeout(std::chrono::milliseconds timeout) { m_lockTimeout = timeout; }

    // The value, cut to 1023 characters; the default when the file, the
    // section or the key is missing.
    QString read(const QString &section, const QString &key, const QString &defaultValue = {}) const;
    // Whether the section exists in the file.
    bool hasSection(const QString &section) const;
    // Whether the bytes hold at least one section header, as any results
    // store does; a web page or a spreadsheet saved in its place holds none.
    static bool holdsSections(const QByteArray &bytes);
    // Writes one key, touching no other line. Returns whether the value is
    // now stored.
    [[nodiscard]] bool write(const QString &section, const QString &key, const QString &value);
    using Entry = initext::Entry;
    // Writes several keys in one step: either all of them are stored or, on
    // failure, none (the file stays as it was).
    [[nodiscard]] bool write(const QList<Entry> &entries);

    // Replaces the whole file by `bytes` in one step, under the same lock as
    // write(), so a download never interleaves with a save. Returns whether
    // the new contents are in place; on failure the file stays as it was.
    [[nodiscard]] bool replaceContents(const QByteArray &bytes);

    // A change of the whole file that depends on what it holds: the lock of
    // write() is held while the Locked lives, so nobody writes between the
    // read and the replacement; files that go with this one may be written
    // meanwhile under the same protection.
    class Locked
    {
    public:
        // Waits for the lock as write() does.
        explicit Locked(IniFile &file);
        Locked(const Locked &) = delete;
        Locked &operator=(const Locked &) = delete;
        bool isLocked() const { return m_lock.isLocked(); }
        // The file's bytes now, empty when it does not exist; nothing when it
        // is there but cannot be read.
        std::optional<QByteArray> read() const;
        // As replaceContents(), under the lock already held; false without it.
        bool replaceContents(const QByteArray &bytes);

    private:
        IniFile &m_file;
        FileLock m_lock;
    };

    // The bytes this object last put in the file, handed over once: nothing
    // when it has not written since the last call.
    std::optional<QByteArray> takeLastSaved() { return std::exchange(m_lastSaved, std::nullopt); }

    // When false every read parses the file again, as a naive reader would.
    // Only the benchmark turns caching off.
    void setCaching(bool enabled) { m_caching = enabled; }

    // While a Hold lives, reads use the parse as it stood when the hold began
    // and do not look at the file again, so a computation reading hundreds of
    // keys sees one state of the file at the cost of one check. Holds nest;
    // without caching they change nothing.
    class Hold
    {
    public:
        explicit Hold(const IniFile &file)
            : m_file(file)
        {
            file.parsed();
            ++file.m_holds;
        }
        ~Hold() { --m_file.m_holds; }
        Hold(const Hold &) = delete;
        Hold &operator=(const Hold &) = delete;

    private:
        const IniFile &m_file;
    };

    // Pure parsing and editing, exposed for tests of the format.
    static QString readFrom(const QByteArray &bytes, const QString &section, const QString &key,
                            const QString &defaultValue = {});
    // The file bytes after writing one key; the input stays unchanged when
    // the value is already stored (then `changed` is false).
    static QByteArray writeTo(const QByteArray &bytes, const QString &section, const QString &key, const QString &value,
                              bool *changed = nullptr);
    // The same for several keys in one pass over the file, giving the bytes
    // that writing them one after the other would give. Entries whose names
    // cannot be stored are left out.
    static QByteArray writeTo(const QByteArray &bytes, const QList<Entry> &entries, bool *changed = nullptr);
    // Every entry a reader can reach, in file order, with the names as the
    // file spells them and the values as read() gives them.
    static QList<Entry> entriesFrom(const QByteArray &bytes);

private:
    struct Cache;
    const Cache &parsed() const;
    [[nodiscard]] bool saveLocked(const QByteArray &bytes); // caller holds the lock

    QString m_path;
    std::optional<QByteArray> m_memory;
    std::chrono::milliseconds m_lockTimeout = FileLock::DefaultTimeout;
    bool m_caching = true;
    mutable std::unique_ptr<Cache> m_cache;
    mutable int m_holds = 0;
    std::optional<QByteArray> m_lastSaved;
};
