#include "season/core/inifile.h"

#include "season/core/filelock.h"
#include "season/core/safefile.h"
#include "season/core/textutil.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

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

// Windows-1252 is one byte per character: a table decodes names and values
// without keeping converter state between lines.
const std::array<QChar, 256> &cp1252Table()
{
    static const std::array<QChar, 256> table = [] {
        std::array<QChar, 256> t{};
        QStringDecoder decoder("windows-1252");
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            const QString one = decoder(QByteArrayView(&byte, 1));
            t[b] = one.isEmpty() ? QChar(QChar::ReplacementCharacter) : one.at(0);
        }
        return t;
    }();
    return table;
}

// A file's text is Windows-1252 unless it opens with the UTF-8 byte-order
// mark some editors add; the whole file then is UTF-8, and what is written
// into it too.
enum class Encoding { Windows1252, Utf8 };

Encoding encodingOf(QByteArrayView bytes)
{
    return text::hasUtf8Bom(bytes) ? Encoding::Utf8 : Encoding::Windows1252;
}

// Where the first line starts: after the byte-order mark when there is one.
qsizetype textStart(QByteArrayView bytes)
{
    return bytes.size() - text::withoutUtf8Bom(bytes).size();
}

QString decode(QByteArrayView bytes, Encoding encoding)
{
    if (encoding == Encoding::Utf8)
        return QString::fromUtf8(bytes);
    const auto &table = cp1252Table();
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = table[uchar(bytes[i])];
    return text;
}

QByteArray encode(const QString &text, Encoding encoding)
{
    if (encoding == Encoding::Utf8)
        return text.toUtf8();
    QStringEncoder encoder("windows-1252");
    QByteArray bytes = encoder(text);
    return bytes;
}

// Names compare like the Windows profile functions compare them: ASCII
// letters without regard to case, everything else exactly.
QString foldCase(const QString &name)
{
    QString folded = name;
    for (QChar &c : folded) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    }
    return folded;
}

bool isBlank(char c)
{
    return uchar(c) <= 0x20;
}

QByteArrayView trimmed(QByteArrayView bytes)
{
    qsizetype first = 0;
    qsizetype last = bytes.size();
    while (first < last && isBlank(bytes[first]))
        ++first;
    while (last > first && isBlank(bytes[last - 1]))
        --last;
    return bytes.sliced(first, last - first);
}

QString trimmedName(const QString &name)
{
    qsizetype first = 0;
    qsizetype last = name.size();
    while (first < last && name.at(first).unicode() <= 0x20)
        ++first;
    while (last > first && name.at(last - 1).unicode() <= 0x20)
        --last;
    return name.mid(first, last - first);
}

// One physical line: its text [start, end) and its line break [end, next).
struct RawLine
{
    qsizetype start;
    qsizetype end;
    qsizetype next;
};

// Lines end with CR LF, LF or a lone CR: files edited on any system read alike.
QList<RawLine> splitLines(const QByteArray &bytes)
{
    QList<RawLine> lines;
    const qsizetype n = bytes.size();
    qsizetype start = textStart(bytes);
    while (start < n) {
        qsizetype end = start;
        while (end < n && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        qsizetype next = end;
        if (next < n && bytes[next] == '\r')
            ++next;
        if (next < n && bytes[next] == '\n' && (next == end || bytes[next - 1] == '\r'))
            ++next;
        lines.append({start, end, next});
        start = next;
    }
    return lines;
}

struct Parsed
{
    enum Kind { Other, Section, Key };
    Kind kind = Other;
    QByteArrayView name;
    QByteArrayView value;
};

Parsed classify(QByteArrayView line)
{
    Parsed parsed;
    const QByteArrayView text = trimmed(line);
    if (text.isEmpty() || text.front() == ';')
        return parsed;
    if (text.front() == '[') {
        const qsizetype close = text.lastIndexOf(']');
        if (close > 0) {
            parsed.kind = Parsed::Section;
            parsed.name = trimmed(text.sliced(1, close - 1));
            return parsed;
        }
        // A header without its closing bracket is read as an ordinary line.
    }
    const qsizetype equals = text.indexOf('=');
    if (equals < 0)
        return parsed;
    parsed.name = trimmed(text.first(equals));
    if (parsed.name.isEmpty())
        return parsed;
    parsed.kind = Parsed::Key;
    parsed.value = trimmed(text.sliced(equals + 1));
    return parsed;
}

// What a reader gets from a stored value: one pair of matching quotes around
// the whole value is removed.
QString readableValue(QByteArrayView raw, Encoding encoding)
{
    if (raw.size() >= 2 && (raw.front() == '"' || raw.front() == '\'') && raw.back() == raw.front())
        raw = raw.sliced(1, raw.size() - 2);
    return decode(raw, encoding);
}

using SectionMap = QHash<QString, QHash<QString, QString>>;

SectionMap parse(const QByteArray &bytes)
{
    SectionMap sections;
    const Encoding encoding = encodingOf(bytes);
    QHash<QString, QString> *current = nullptr;
    // Keys before any header, and every later header of a name already seen,
    // are not reachable: only the first section of a name is searched.
    for (const RawLine &line : splitLines(bytes)) {
        const Parsed parsed = classify(QByteArrayView(bytes).sliced(line.start, line.end - line.start));
        if (parsed.kind == Parsed::Section) {
            const QString name = foldCase(decode(parsed.name, encoding));
            current = sections.contains(name) ? nullptr : &sections[name];
        } else if (parsed.kind == Parsed::Key && current) {
            const QString name = foldCase(decode(parsed.name, encoding));
            if (!current->contains(name))
                current->insert(name, readableValue(parsed.value, encoding).left(IniFile::MaxValueLength));
        }
    }
    return sections;
}

QString lookup(const SectionMap &sections, const QString &section, const QString &key, const QString &defaultValue)
{
    const QString sectionName = trimmedName(section);
    const QString keyName = trimmedName(key);
    if (sectionName.isEmpty() || keyName.isEmpty())
        return defaultValue.left(IniFile::MaxValueLength);
    const auto s = sections.constFind(foldCase(sectionName));
    if (s == sections.cend())
        return defaultValue.left(IniFile::MaxValueLength);
    const auto k = s->constFind(foldCase(keyName));
    if (k == s->cend())
        return defaultValue.left(IniFile::MaxValueLength);
    return *k;
}

bool isWritableName(const QString &name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('\n')) && !name.contains(QLatin1Char('\r'));
}

// A value as it is stored: leading blanks would be lost on reading anyway;
// a line break inside the value would split the entry in two, so it
// becomes a space.
QByteArray storedValue(const QString &value, Encoding encoding)
{
    QString cleanValue = value;
    cleanValue.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    qsizetype lead = 0;
    while (lead < cleanValue.size() && (cleanValue.at(lead) == QLatin1Char(' ') || cleanValue.at(lead) == QLatin1Char('\t')))
        ++lead;
    return encode(cleanValue.mid(lead), encoding);
}

// Where a key stands in the file's lines: its section's header, the
// section's last key line before it, and its own line (-1 for each not found).
struct EntryPlace
{
    qsizetype headerLine = -1;
    qsizetype lastKeyLine = -1;
    qsizetype keyLine = -1;
    Parsed key;
};

EntryPlace findEntry(const QByteArray &bytes, const QList<RawLine> &lines, const QString &sectionName,
                     const QString &keyName, Encoding encoding)
{
    const QString wantedSection = foldCase(sectionName);
    const QString wantedKey = foldCase(keyName);
    EntryPlace place;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const RawLine &line = lines[i];
        const Parsed parsed = classify(QByteArrayView(bytes).sliced(line.start, line.end - line.start));
        if (parsed.kind == Parsed::Section) {
            if (place.headerLine >= 0)
                break; // end of the section being written
            if (foldCase(decode(parsed.name, encoding)) == wantedSection)
                place.headerLine = i;
        } else if (parsed.kind == Parsed::Key && place.headerLine >= 0) {
            if (foldCase(decode(parsed.name, encoding)) == wantedKey) {
                place.keyLine = i;
                place.key = parsed;
                break;
            }
            place.lastKeyLine = i;
        }
    }
    return place;
}

} // namespace

struct IniFile::Cache
{
    FileStamp stamp;
    SectionMap sections;
};

IniFile::IniFile(QString path) : m_path(std::move(path)) {}

IniFile::~IniFile() = default;

IniFile::IniFile(InMemory contents) : m_memory(std::move(contents.bytes)) {}

const IniFile::Cache &IniFile::parsed() const
{
    if (m_memory) {
        if (!m_cache) {
            m_cache = std::make_unique<Cache>();
            m_cache->sections = parse(*m_memory);
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
            fresh->sections = parse(file.bytes);
    }
    m_cache = std::move(fresh);
    return *m_cache;
}

QString IniFile::read(const QString &section, const QString &key, const QString &defaultValue) const
{
    return lookup(parsed().sections, section, key, defaultValue);
}

bool IniFile::hasSection(const QString &section) const
{
    const QString name = trimmedName(section);
    return !name.isEmpty() && parsed().sections.contains(foldCase(name));
}

bool IniFile::holdsSections(const QByteArray &bytes)
{
    for (const RawLine &line : splitLines(bytes)) {
        if (classify(QByteArrayView(bytes).sliced(line.start, line.end - line.start)).kind == Parsed::Section)
            return true;
    }
    return false;
}

QString IniFile::readFrom(const QByteArray &bytes, const QString &section, const QString &key,
                          const QString &defaultValue)
{
    return lookup(parse(bytes), section, key, defaultValue);
}

QByteArray IniFile::writeTo(const QByteArray &bytes, const QString &section, const QString &key,
                            const QString &value, bool *changed)
{
    if (changed)
        *changed = false;
    const QString sectionName = trimmedName(section);
    const QString keyName = trimmedName(key);
    if (!isWritableName(sectionName) || !isWritableName(keyName) || keyName.contains(QLatin1Char('=')))
        return bytes;

    const Encoding encoding = encodingOf(bytes);
    const QByteArray valueBytes = storedValue(value, encoding);

    // New lines follow the file: LF when it uses nothing else, CR LF otherwise.
    const QByteArray eol = (bytes.contains('\n') && !bytes.contains('\r')) ? QByteArray("\n") : QByteArray("\r\n");

    const QList<RawLine> lines = splitLines(bytes);
    const EntryPlace place = findEntry(bytes, lines, sectionName, keyName, encoding);

    QByteArray result;
    if (place.keyLine >= 0) {
        // The stored spelling of the key stays; only its value changes.
        if (place.key.value == QByteArrayView(valueBytes))
            return bytes;
        const RawLine &line = lines[place.keyLine];
        result = bytes.first(line.start);
        result += place.key.name.toByteArray();
        result += '=';
        result += valueBytes;
        result += bytes.sliced(line.end);
    } else if (place.headerLine >= 0) {
        const RawLine &after = lines[place.lastKeyLine >= 0 ? place.lastKeyLine : place.headerLine];
        result = bytes.first(after.next);
        if (after.next == after.end)
            result += eol; // the line was the last one and had no line break
        result += encode(keyName, encoding) + '=' + valueBytes + eol;
        result += bytes.sliced(after.next);
    } else {
        result = bytes;
        if (result.size() > textStart(result) && !result.endsWith('\n') && !result.endsWith('\r'))
            result += eol;
        result += '[' + encode(sectionName, encoding) + ']' + eol;
        result += encode(keyName, encoding) + '=' + valueBytes + eol;
    }
    if (changed)
        *changed = true;
    return result;
}

bool IniFile::write(const QString &section, const QString &key, const QString &value)
{
    return write(QList<Entry>{{section, key, value}});
}

bool IniFile::write(const QList<Entry> &entries)
{
    if (m_memory)
        return false;
    for (const Entry &entry : entries) {
        const QString keyName = trimmedName(entry.key);
        if (!isWritableName(trimmedName(entry.section)) || !isWritableName(keyName)
            || keyName.contains(QLatin1Char('=')))
            return false;
    }

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
    QByteArray current = file.bytes;

    bool anyChange = false;
    for (const Entry &entry : entries) {
        bool changed = false;
        current = writeTo(current, entry.section, entry.key, entry.value, &changed);
        anyChange = anyChange || changed;
    }
    if (!anyChange)
        return true;
    return saveLocked(current);
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

bool IniFile::saveLocked(const QByteArray &bytes)
{
    // The new contents go to a temporary file that replaces the store only
    // once complete, so a failure leaves the previous store as it was.
    if (!safefile::replace(m_path, bytes))
        return false;
    m_cache.reset();
    return true;
}
