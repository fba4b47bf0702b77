// The INI codec of the results store: any bytes parse, and a key written
// into any file reads back as written.
//   input: "section\tkey\tvalue\n" then the bytes of a file
#include "season/core/inifile.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

bool plainName(const QString &name)
{
    if (name.isEmpty())
        return false;
    for (QChar c : name) {
        if (!(c.isDigit() || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
              || (c >= QLatin1Char('a') && c <= QLatin1Char('z'))))
            return false;
    }
    return true;
}

// Printable ASCII with inner spaces, not quoted: what such a value reads back
// as is the value cut to the longest a read returns.
bool plainValue(const QString &value)
{
    for (QChar c : value) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return false;
    }
    return value.isEmpty()
           || (value.front() != QLatin1Char(' ') && value.back() != QLatin1Char(' ')
               && value.front() != QLatin1Char('"') && value.front() != QLatin1Char('\''));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype newline = input.indexOf('\n');
    const QString header = QString::fromUtf8(input.left(newline < 0 ? 0 : newline));
    const QByteArray bytes = newline < 0 ? input : input.mid(newline + 1);
    const QString section = header.section(QLatin1Char('\t'), 0, 0);
    const QString key = header.section(QLatin1Char('\t'), 1, 1);
    const QString value = header.section(QLatin1Char('\t'), 2);

    const QString before = IniFile::readFrom(bytes, section, key, QStringLiteral("default"));
    if (before.size() > IniFile::MaxValueLength)
        std::abort();

    bool changed = false;
    const QByteArray after = IniFile::writeTo(bytes, section, key, value, &changed);
    if (!changed && after != bytes)
        std::abort();
    if (plainName(section) && plainName(key) && plainValue(value)) {
        if (IniFile::readFrom(after, section, key, QStringLiteral("default")) != value.left(IniFile::MaxValueLength))
            std::abort();
        // Writing the same value again changes nothing.
        bool again = true;
        if (IniFile::writeTo(after, section, key, value, &again) != after || again)
            std::abort();
    }
    return 0;
}
