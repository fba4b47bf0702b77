#pragma once

#include "season/core/inifile.h"
#include "season/core/season.h"

#include <QByteArray>
#include <QList>
#include <QString>

// What the volunteer reviews before "Envoyer" ships the results store: the
// differences between the file about to be published and the store as it was
// when the program started.
namespace publishreview {

// The store file as sending will leave it: the current bytes with the
// stamp, news and version entries written in.
QByteArray publishedBytes(const QByteArray &current, const QList<IniFile::Entry> &entries);

// The review in French, ending with the question: results added, changed
// (old and new score and cards) and removed, results without their away
// score ("2-?", counted apart whatever the change), points adjustments, news text,
// published version, and the stamp the file will carry. Long lists are cut
// with a count of what is left out. Empty `published` bytes stand for a
// store that could not be read: the review says the differences are unknown.
QString listing(const Season &season, const QByteArray &atStart, const QByteArray &published);

inline const QString Title = QStringLiteral("Envoyer");

// Lines listed per kind of change before the rest is only counted.
constexpr int MaxLinesPerSection = 12;

} // namespace publishreview
