#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

// The donors and partners list "don.K1": published on the author's web
// server, kept in the program folder and fetched again when older than half
// a day. One entry a line, Windows-1252 (UTF-8 when it starts with a byte
// order mark):
//  - a plain line shows from its 7th character on, every "/n" removed;
//  - a line holding ">" is a partner's link: the name between the first ">"
//    from the 15th character on and the next "<", marked with a final "$".
namespace donorslist {

inline const QString FileName = QStringLiteral("don.K1");
// A list of names is small: a larger download or local copy is not one.
constexpr qint64 MaxListBytes = 1024 * 1024;

QUrl listUrl(const QString &server);

// The names to show, in file order; lines that show nothing are left out.
QStringList parse(const QByteArray &bytes);
// The name one line shows, "" when it shows nothing.
QString shownName(const QString &line);

// Whether a local copy modified at `modified` is recent enough to use as it is.
bool copyIsFresh(const std::optional<QDateTime> &modified, const QDateTime &now);

// Why a server answer cannot replace the local copy, in French; empty when it
// can. An empty list is a list; an HTML page or a huge body is not.
QString listProblem(const QByteArray &bytes);

} // namespace donorslist
