#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

// The text of an INI file as bytes, read and rewritten the way the classic
// Windows profile functions do (see IniFile, which adds the file on disk, its
// cache and its lock): no file is touched here.
namespace initext {

inline constexpr int MaxValueLength = 1023;

struct Entry
{
    QString section;
    QString key;
    QString value;
};

// Each reachable section by folded name, its keys by folded name, with the
// values as a reader gets them.
using SectionMap = QHash<QString, QHash<QString, QString>>;

SectionMap parse(const QByteArray &bytes);
// The value of a key, cut to MaxValueLength; the default when the section or
// the key is missing.
QString lookup(const SectionMap &sections, const QString &section, const QString &key, const QString &defaultValue);
bool hasSection(const SectionMap &sections, const QString &section);
// Whether the bytes hold at least one section header.
bool holdsSections(const QByteArray &bytes);
// Every entry a reader can reach, in file order, with the names as the file
// spells them.
QList<Entry> entriesFrom(const QByteArray &bytes);

// Whether the entry's names can be stored: not empty, no line break, no "="
// in the key.
bool writable(const Entry &entry);
// The bytes after writing the entries in one pass; entries that are not
// writable are left out, and the input comes back unchanged when every value
// is already stored (then `changed` is false).
QByteArray writeTo(const QByteArray &bytes, const QList<Entry> &entries, bool *changed);

} // namespace initext
