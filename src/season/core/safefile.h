#pragma once

#include <QByteArray>
#include <QString>

// Reading and replacing the program's files without the traps a path can
// hold: a FIFO that blocks the reader, a link to a device that never ends, a
// file far too large to be what it claims, a link that leads back to itself.
// Only regular files are read or written; a replacement is written aside and
// renamed over the file in one step, under a temporary name no user file can
// take, so the clean-up at start-up removes only what the program left.
namespace safefile {

enum class ReadStatus {
    Ok,
    Missing,    // no file, or a link to nothing
    Folder,     // a folder stands at the path
    NotRegular, // a FIFO, a device, a socket
    TooLarge,   // more than the limit the caller gave
    Denied,     // the system refuses to open it
    LinkLoop,   // links that never reach a file
    Failed,     // any other error, a disk error while reading included
};

struct Read
{
    ReadStatus status = ReadStatus::Missing;
    QByteArray bytes; // the whole file when Ok

    bool ok() const { return status == ReadStatus::Ok; }
};

// Reads the whole file at `path` when it is a regular file of at most
// `maxBytes`. Never blocks on a FIFO and never reads more than `maxBytes` + 1.
Read read(const QString &path, qint64 maxBytes);

// Why a read failed, in French, to follow "Impossible de lire X : "; empty
// for Ok and Missing.
QString reason(ReadStatus status, qint64 maxBytes);

// "16 Mo", "1 Mo", "512 ko": a size limit as the messages say it.
QString sizeText(qint64 bytes);

// The path a write to `path` lands on: its links followed one by one, a
// dangling one included (the file it names). Empty when the links loop.
QString finalPath(const QString &path);

// Whether two paths lead to the same file or folder, links followed, told by
// the file system's own identity (device and inode): a bind mount, a second
// link to a folder or a name in another case on a file system that ignores
// case all count as the same. False when either cannot be looked at.
bool sameFile(const QString &a, const QString &b);

// Replaces the file at `path` (its final path) by `bytes` in one step: the
// new contents are complete on disk before they take the file's place, and
// an existing file keeps its permissions. Refuses a target that is not a
// regular file and a file without any write permission, even for root. On
// failure nothing is changed and `error`, when given, receives the French
// reason, to follow "Impossible d'écrire X : ". A path whose last part names
// a folder ("x.csv/", "x/.") is refused; a long name gets a shorter
// temporary, so any name the file system takes can be written.
[[nodiscard]] bool replace(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// Whether a file name is one of the temporary names replace() uses
// ("<name>.kestrane-xxxxxx.tmp"), which is all a clean-up may remove.
bool isTemporaryName(const QString &fileName);

} // namespace safefile
