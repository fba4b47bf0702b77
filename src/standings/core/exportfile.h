#pragma once

#include <QByteArray>
#include <QString>

// Writing an exported file (table, calendar): the new file replaces the old
// one in one step, so that a failed export never leaves half a file, and a
// failure is told in French with the file's name. An export writes only a
// regular file, new or existing, and never one of the program's own files.
namespace exportfile {

// Replaces the file `path` leads to (its links followed) with `bytes`.
// Refuses a folder, a FIFO, a device, a link that loops and a read-only file
// (even for root). On failure returns false, leaves an existing file as it
// was and sets `error` to the French reason.
[[nodiscard]] bool write(const QString &path, const QByteArray &bytes, QString &error);

// True when the file `path` leads to, links followed (a dangling one
// included), is one of the program's own files: in the program folder (and
// in the executable's folder) every file kept beside the results store
// (ResultStore::keptFiles), the season, the dated copies, the donors list,
// the pictures and the sending tool; anywhere, the program itself and the
// temporary files its writes use. Folders compare by their identity on disk
// and names without regard to case, so no second path to a folder (a bind
// mount, a link) and no name in other letters reaches one of them. An
// export must never replace them.
bool isProgramFile(const QString &path, const QString &programFolder);

// "Impossible d'écrire le fichier …" with the most likely reason.
QString cannotWrite(const QString &path);
// Why an export refuses one of the program's own files.
QString programFileRefused(const QString &path);

} // namespace exportfile
