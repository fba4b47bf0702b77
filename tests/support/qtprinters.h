#pragma once

// Readable failure messages for Qt values in GoogleTest assertions; without
// these gtest dumps the objects' bytes (and crashes on a QString). Included
// in every test file by the build.
#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QByteArray &b, std::ostream *os)
{
    *os << '"' << b.toStdString() << '"';
}
inline void PrintTo(const QStringList &l, std::ostream *os)
{
    *os << '[' << l.join(QStringLiteral(", ")).toStdString() << ']';
}
inline void PrintTo(const QDate &d, std::ostream *os)
{
    *os << d.toString(Qt::ISODate).toStdString();
}
inline void PrintTo(const QDateTime &d, std::ostream *os)
{
    *os << d.toString(Qt::ISODate).toStdString();
}
