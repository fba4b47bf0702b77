#include "season/core/initext.h"

#include "season/core/textutil.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

namespace initext {

namespace {

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

// Hands every section a reader can reach to `openSection`, and each key line
// in it to `take`, in file order, with the names folded for comparison and as
// stored. Keys before any header and every later header of a name already
// seen are not reachable; of a key repeated within its section only the first
// counts, which `take` sees for itself.
template <typename OpenSection, typename Take>
void forEachReachable(const QByteArray &bytes, Encoding encoding, OpenSection &&openSection, Take &&take)
{
    QSet<QString> sectionsSeen;
    bool reachable = false;
    QString section;
    QByteArrayView sectionName;
    for (const RawLine &line : splitLines(bytes)) {
        const Parsed parsed = classify(QByteArrayView(bytes).sliced(line.start, line.end - line.start));
        if (parsed.kind == Parsed::Section) {
            section = foldCase(decode(parsed.name, encoding));
            sectionName = parsed.name;
            reachable = !sectionsSeen.contains(section);
            sectionsSeen.insert(section);
            if (reachable)
                openSection(section);
        } else if (parsed.kind == Parsed::Key && reachable) {
            take(section, sectionName, foldCase(decode(parsed.name, encoding)), parsed.name, parsed.value);
        }
    }
}

} // namespace

SectionMap parse(const QByteArray &bytes)
{
    SectionMap sections;
    const Encoding encoding = encodingOf(bytes);
    // A section without keys is there all the same.
    forEachReachable(
        bytes, encoding, [&](const QString &section) { sections[section]; },
        [&](const QString &section, QByteArrayView, const QString &key, QByteArrayView, QByteArrayView value) {
            QHash<QString, QString> &keys = sections[section];
            if (!keys.contains(key))
                keys.insert(key, readableValue(value, encoding).left(MaxValueLength));
        });
    return sections;
}


QString lookup(const SectionMap &sections, const QString &section, const QString &key, const QString &defaultValue)
{
    const QString sectionName = trimmedName(section);
    const QString keyName = trimmedName(key);
    if (sectionName.isEmpty() || keyName.isEmpty())
        return defaultValue.left(MaxValueLength);
    const auto s = sections.constFind(foldCase(sectionName));
    if (s == sections.cend())
        return defaultValue.left(MaxValueLength);
    const auto k = s->constFind(foldCase(keyName));
    if (k == s->cend())
        return defaultValue.left(MaxValueLength);
    return *k;
}

bool hasSection(const SectionMap &sections, const QString &section)
{
    const QString name = trimmedName(section);
    return !name.isEmpty() && sections.contains(foldCase(name));
}

bool holdsSections(const QByteArray &bytes)
{
    for (const RawLine &line : splitLines(bytes)) {
        if (classify(QByteArrayView(bytes).sliced(line.start, line.end - line.start)).kind == Parsed::Section)
            return true;
    }
    return false;
}

QList<Entry> entriesFrom(const QByteArray &bytes)
{
    const Encoding encoding = encodingOf(bytes);
    QList<Entry> entries;
    QSet<QString> keysSeen; // section and key, folded
    forEachReachable(
        bytes, encoding, [](const QString &) {},
        [&](const QString &foldedSection, QByteArrayView section, const QString &foldedKey, QByteArrayView key,
            QByteArrayView value) {
            const QString id = foldedSection + QLatin1Char('\n') + foldedKey;
            if (keysSeen.contains(id))
                return;
            keysSeen.insert(id);
            entries.append({decode(section, encoding), decode(key, encoding),
                            readableValue(value, encoding).left(MaxValueLength)});
        });
    return entries;
}

namespace {

bool isWritableName(const QString &name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('\n')) && !name.contains(QLatin1Char('\r'));
}

// What one batch of writes wants in a section, in the order first asked.
struct PendingKey
{
    QString name;
    QByteArray value;
    bool written = false;
};
struct PendingSection
{
    QString name;
    QList<PendingKey> keys;
    QHash<QString, qsizetype> byName;
    bool inFile = false;
};

// A value as it is stored: leading blanks would be lost on reading anyway;
// a line break inside the value would split the entry in two, so it
// becomes a space.
QByteArray storedValue(const QString &value, Encoding encoding)
{
    QString cleanValue = value;
    cleanValue.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    qsizetype lead = 0;
    while (lead < cleanValue.size()
           && (cleanValue.at(lead) == QLatin1Char(' ') || cleanValue.at(lead) == QLatin1Char('\t')))
        ++lead;
    return encode(cleanValue.mid(lead), encoding);
}

// The sections and keys a batch asks for, by folded name; names that
// cannot be written are left out.
struct Pending
{
    QList<PendingSection> sections;
    QHash<QString, qsizetype> sectionIndex;
};

Pending pendingOf(const QList<Entry> &entries, Encoding encoding)
{
    Pending pending;
    QList<PendingSection> &wanted = pending.sections;
    QHash<QString, qsizetype> &sectionIndex = pending.sectionIndex;
    for (const Entry &entry : entries) {
        if (!writable(entry))
            continue;
        const QString sectionName = trimmedName(entry.section);
        const QString keyName = trimmedName(entry.key);
        const QString foldedSection = foldCase(sectionName);
        qsizetype s = sectionIndex.value(foldedSection, -1);
        if (s < 0) {
            s = wanted.size();
            sectionIndex.insert(foldedSection, s);
            wanted.append({sectionName, {}, {}, false});
        }
        PendingSection &section = wanted[s];
        const QString foldedKey = foldCase(keyName);
        const QByteArray value = storedValue(entry.value, encoding);
        // A key asked twice keeps its first place and takes its last value.
        if (const auto k = section.byName.constFind(foldedKey); k != section.byName.cend()) {
            section.keys[*k].value = value;
        } else {
            section.byName.insert(foldedKey, section.keys.size());
            section.keys.append({keyName, value});
        }
    }
    return pending;
}

} // namespace

bool writable(const Entry &entry)
{
    const QString keyName = trimmedName(entry.key);
    return isWritableName(trimmedName(entry.section)) && isWritableName(keyName) && !keyName.contains(QLatin1Char('='));
}

QByteArray writeTo(const QByteArray &bytes, const QList<Entry> &entries, bool *changed)
{
    if (changed)
        *changed = false;
    const Encoding encoding = encodingOf(bytes);
    Pending pending = pendingOf(entries, encoding);
    QList<PendingSection> &wanted = pending.sections;
    const QHash<QString, qsizetype> &sectionIndex = pending.sectionIndex;
    if (wanted.isEmpty())
        return bytes;

    // New lines follow the file: LF when it uses nothing else, CR LF otherwise.
    const QByteArray eol = (bytes.contains('\n') && !bytes.contains('\r')) ? QByteArray("\n") : QByteArray("\r\n");

    // One pass: a key of the file's first section of a name takes its new
    // value in place, keeping the file's spelling of the key; keys the
    // section lacks go after its last key line; sections the file lacks are
    // appended at its end, without a blank line.
    QByteArray result;
    result.reserve(bytes.size() + 32 * entries.size());
    result += bytes.first(textStart(bytes));
    QSet<QString> sectionsSeen;
    PendingSection *current = nullptr;
    qsizetype insertAt = 0;
    bool insertNeedsBreak = false; // the line before the insertion point had no line break
    const auto closeSection = [&] {
        if (!current)
            return;
        QByteArray added;
        for (PendingKey &key : current->keys) {
            if (!key.written)
                added += encode(key.name, encoding) + '=' + key.value + eol;
            key.written = true;
        }
        if (!added.isEmpty())
            result.insert(insertAt, insertNeedsBreak ? eol + added : added);
        current = nullptr;
    };
    for (const RawLine &line : splitLines(bytes)) {
        const Parsed parsed = classify(QByteArrayView(bytes).sliced(line.start, line.end - line.start));
        const QByteArrayView whole = QByteArrayView(bytes).sliced(line.start, line.next - line.start);
        if (parsed.kind == Parsed::Section) {
            closeSection();
            const QString folded = foldCase(decode(parsed.name, encoding));
            if (!sectionsSeen.contains(folded)) {
                sectionsSeen.insert(folded);
                if (const qsizetype s = sectionIndex.value(folded, -1); s >= 0) {
                    current = &wanted[s];
                    current->inFile = true;
                }
            }
        } else if (parsed.kind == Parsed::Key && current) {
            const auto k = current->byName.constFind(foldCase(decode(parsed.name, encoding)));
            if (k != current->byName.cend() && !current->keys[*k].written) {
                PendingKey &key = current->keys[*k];
                key.written = true;
                if (parsed.value != QByteArrayView(key.value)) {
                    result += parsed.name.toByteArray() + '=' + key.value;
                    result += QByteArrayView(bytes).sliced(line.end, line.next - line.end);
                    insertAt = result.size();
                    insertNeedsBreak = line.next == line.end;
                    continue;
                }
            }
        }
        result += whole;
        if (current && parsed.kind != Parsed::Other) {
            insertAt = result.size();
            insertNeedsBreak = line.next == line.end;
        }
    }
    closeSection();
    for (const PendingSection &section : wanted) {
        if (section.inFile)
            continue;
        if (result.size() > textStart(result) && !result.endsWith('\n') && !result.endsWith('\r'))
            result += eol;
        result += '[' + encode(section.name, encoding) + ']' + eol;
        for (const PendingKey &key : section.keys)
            result += encode(key.name, encoding) + '=' + key.value + eol;
    }
    if (result == bytes)
        return bytes;
    if (changed)
        *changed = true;
    return result;
}

} // namespace initext
