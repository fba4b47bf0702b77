#pragma once

#include <QByteArray>
#include <QString>

// Writing an exported file (table, calendar): the new file replaces the old
// one in one step, so that a failed export never leaves half a file, and a
// failure is told in French with the file's name.
namespace exportfile {

// Replaces `path` with `bytes`. On failure returns false, leaves an existing
// file as it was and sets `error` to the French reason.
bool write(const QString &path, const QByteArray &bytes, QString &error);

// True when `path` is one of the program folder's own data files (season,
// results store, its update backup): an export must never replace them.
bool isProgramFile(const QString &path, const QString &programFolder);

// "Impossible d'écrire le fichier …" with the most likely reason.
QString cannotWrite(const QString &path);
// Why an export refuses one of the program's own files.
QString programFileRefused(const QString &path);

} // namespace exportfile
