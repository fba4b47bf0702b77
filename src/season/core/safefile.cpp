#include "season/core/safefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <optional>

#ifdef Q_OS_WIN
#include <QSaveFile>
#else
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace safefile {

namespace {

const QString TemporaryMark = QStringLiteral(".kestrane-");
const QString TemporaryEnd = QStringLiteral(".tmp");
constexpr int TemporaryRandomLength = 6;
// As many links as the system itself follows before it gives up.
constexpr int MaxLinks = 40;
// The longest file name the usual file systems take, in bytes.
constexpr int MaxNameBytes = 255;

bool isRandomChar(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

QString temporaryPath(const QString &target)
{
    static const char Alphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString random;
    for (int i = 0; i < TemporaryRandomLength; ++i)
        random += QLatin1Char(Alphabet[QRandomGenerator::global()->bounded(int(sizeof Alphabet) - 1)]);
    const QString suffix = TemporaryMark + random + TemporaryEnd;
    const qsizetype slash = target.lastIndexOf(QLatin1Char('/'));
    QString name = target.mid(slash + 1);
    // Wherever the target's name fits, its temporary must fit too: a long
    // name is shortened (a whole character at a time), never the suffix the
    // clean-up recognises.
    while (name.size() > 1 && QFile::encodeName(name + suffix).size() > MaxNameBytes)
        name.chop(name.back().isLowSurrogate() && name.size() > 2 ? 2 : 1);
    return target.left(slash + 1) + name + suffix;
}

// A name that can only be a folder's: a final "/", "." or "..".
bool namesAFolder(const QString &path)
{
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    return name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..");
}

// The folder part made physical (its links resolved), the name kept as is.
QString withRealFolder(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return path;
    const QString folder = slash == 0 ? QStringLiteral("/") : path.left(slash);
    const QString name = path.mid(slash + 1);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return QDir::cleanPath(path);
    const QString real = QFileInfo(folder).canonicalFilePath();
    return QDir(real.isEmpty() ? QDir::cleanPath(folder) : real).filePath(name);
}

} // namespace

QString sizeText(qint64 bytes)
{
    constexpr qint64 Mega = 1024 * 1024;
    if (bytes >= Mega && bytes % Mega == 0)
        return QStringLiteral("%1 Mo").arg(bytes / Mega);
    return QStringLiteral("%1 ko").arg((bytes + 1023) / 1024);
}

QString reason(ReadStatus status, qint64 maxBytes)
{
    switch (status) {
    case ReadStatus::Ok:
    case ReadStatus::Missing:
        return {};
    case ReadStatus::Folder:
        return QStringLiteral("c'est un dossier, pas un fichier");
    case ReadStatus::NotRegular:
        return QStringLiteral("ce n'est pas un fichier ordinaire");
    case ReadStatus::TooLarge:
        return QStringLiteral("le fichier dépasse %1").arg(sizeText(maxBytes));
    case ReadStatus::Denied:
        return QStringLiteral("accès refusé");
    case ReadStatus::LinkLoop:
        return QStringLiteral("ses liens symboliques forment une boucle");
    case ReadStatus::Failed:
        break;
    }
    return QStringLiteral("erreur de lecture");
}

bool isTemporaryName(const QString &fileName)
{
    if (!fileName.endsWith(TemporaryEnd))
        return false;
    const qsizetype randomStart = fileName.size() - TemporaryEnd.size() - TemporaryRandomLength;
    const qsizetype markStart = randomStart - TemporaryMark.size();
    if (markStart < 1 || QStringView(fileName).sliced(markStart, TemporaryMark.size()) != TemporaryMark)
        return false;
    for (QChar c : QStringView(fileName).sliced(randomStart, TemporaryRandomLength)) {
        if (!isRandomChar(c))
            return false;
    }
    return true;
}

#ifdef Q_OS_WIN

Read read(const QString &path, qint64 maxBytes)
{
    Read result;
    const QFileInfo info(path);
    if (!info.exists())
        return result;
    if (info.isDir()) {
        result.status = ReadStatus::Folder;
        return result;
    }
    if (!info.isFile()) {
        result.status = ReadStatus::NotRegular;
        return result;
    }
    if (info.size() > maxBytes) {
        result.status = ReadStatus::TooLarge;
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = file.error() == QFileDevice::PermissionsError ? ReadStatus::Denied : ReadStatus::Failed;
        return result;
    }
    result.bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        result.status = ReadStatus::Failed;
    else if (result.bytes.size() > maxBytes)
        result.status = ReadStatus::TooLarge;
    else
        result.status = ReadStatus::Ok;
    if (!result.ok())
        result.bytes.clear();
    return result;
}

QString finalPath(const QString &path)
{
    QString current = QFileInfo(path).absoluteFilePath();
    for (int i = 0; i < MaxLinks; ++i) {
        const QFileInfo info(current);
        if (!info.isSymLink())
            return withRealFolder(current);
        current = info.symLinkTarget();
    }
    return {};
}

bool sameFile(const QString &a, const QString &b)
{
    const QString first = QFileInfo(a).canonicalFilePath();
    return !first.isEmpty() && first.compare(QFileInfo(b).canonicalFilePath(), Qt::CaseInsensitive) == 0;
}

namespace {

QString replaceFinal(const QString &target, const QByteArray &bytes)
{
    const QFileInfo info(target);
    if (info.isDir())
        return QStringLiteral("c'est un dossier");
    if (info.exists() && !info.isFile())
        return reason(ReadStatus::NotRegular, 0);
    if (info.exists() && !info.isWritable())
        return QStringLiteral("le fichier est en lecture seule");
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return QStringLiteral("écriture refusée ou disque plein");
    return {};
}

} // namespace

#else

namespace {

ReadStatus statusOfError(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return ReadStatus::Missing;
    case EACCES:
    case EPERM:
        return ReadStatus::Denied;
    case ELOOP:
        return ReadStatus::LinkLoop;
    case EISDIR:
        return ReadStatus::Folder;
    case ENXIO:
        return ReadStatus::NotRegular;
    default:
        return ReadStatus::Failed;
    }
}

ReadStatus statusOfMode(mode_t mode)
{
    if (S_ISDIR(mode))
        return ReadStatus::Folder;
    if (!S_ISREG(mode))
        return ReadStatus::NotRegular;
    return ReadStatus::Ok;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

QString writeFailure(int error, const QString &folder)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("le dossier %1 n'existe pas").arg(QDir::toNativeSeparators(folder));
    case EACCES:
    case EPERM:
    case EROFS:
        return QStringLiteral("écriture refusée dans le dossier %1").arg(QDir::toNativeSeparators(folder));
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return QStringLiteral("disque plein");
    case ENAMETOOLONG:
        return QStringLiteral("le nom du fichier est trop long");
    default:
        return QStringLiteral("écriture refusée ou disque plein");
    }
}

// What a replaced file keeps: its permissions and its owners.
struct Kept
{
    mode_t mode;
    uid_t owner;
    gid_t group;
};

mode_t createMode(const std::optional<Kept> &kept)
{
    // A new file gets the user's usual permissions (the umask applies); a
    // replacement stays private until it carries the old file's mode.
    return kept ? 0600 : 0666;
}

int openNamed(const QString &target, const std::optional<Kept> &kept, QString &named)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        named = temporaryPath(target);
        const int fd =
            ::open(QFile::encodeName(named).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, createMode(kept));
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool fill(int fd, const QByteArray &bytes, const std::optional<Kept> &kept)
{
    if (kept) {
        // Root replacing a user's file (a scheduled --update) gives it back
        // to that user; anyone else cannot and need not.
        if (::geteuid() == 0 && ::fchown(fd, kept->owner, kept->group) != 0) {
            // Not allowed here (a user namespace): the file stays root's.
        }
        if (::fchmod(fd, kept->mode) != 0)
            return false;
    }
    return writeAll(fd, bytes) && ::fdatasync(fd) == 0;
}

QString writeNamed(const QString &target, const QByteArray &bytes, const std::optional<Kept> &kept)
{
    QString named;
    const int fd = openNamed(target, kept, named);
    if (fd < 0)
        return {};
    const bool written = fill(fd, bytes, kept);
    int saved = errno;
    if (::close(fd) != 0 && written)
        saved = errno;
    else if (written)
        return named;
    ::unlink(QFile::encodeName(named).constData());
    errno = saved;
    return {};
}

// Writes the new contents into a file of their own beside the target and
// returns its path, ready to be renamed; empty on failure, with errno set.
// An unnamed file (O_TMPFILE) gets its name only once complete, so a writer
// killed half-way leaves nothing behind; where the file system has no such
// files, or /proc cannot name one, a named file does the same work.
QString writeAside(const QString &target, const QByteArray &bytes, const std::optional<Kept> &kept)
{
#ifdef O_TMPFILE
    const QString folder = QFileInfo(target).path();
    const int fd = ::open(QFile::encodeName(folder).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, createMode(kept));
    if (fd >= 0) {
        const bool written = fill(fd, bytes, kept);
        bool linked = false;
        QString named;
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
        for (int attempt = 0; written && !linked && attempt < 16; ++attempt) {
            named = temporaryPath(target);
            linked =
                ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, QFile::encodeName(named).constData(), AT_SYMLINK_FOLLOW)
                == 0;
            if (!linked && errno != EEXIST)
                break;
        }
        const int saved = errno;
        ::close(fd);
        if (linked)
            return named;
        if (!written) {
            errno = saved;
            return {};
        }
    }
#endif
    return writeNamed(target, bytes, kept);
}

// Replaces the file at `target`, a path without links; empty on success,
// otherwise the French reason.
QString replaceFinal(const QString &target, const QByteArray &bytes)
{
    const QByteArray native = QFile::encodeName(target);
    std::optional<Kept> kept;
    struct stat st;
    if (::stat(native.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return QStringLiteral("c'est un dossier");
        if (!S_ISREG(st.st_mode))
            return reason(ReadStatus::NotRegular, 0);
        // Root may write anywhere: a file nobody may write stays as it is
        // all the same.
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(native.constData(), W_OK) != 0)
            return QStringLiteral("le fichier est en lecture seule");
        kept = Kept{st.st_mode & 0777, st.st_uid, st.st_gid};
    }
    const QString folder = QFileInfo(target).path();
    const QString aside = writeAside(target, bytes, kept);
    if (aside.isEmpty())
        return writeFailure(errno, folder);
    if (::rename(QFile::encodeName(aside).constData(), native.constData()) != 0) {
        const int saved = errno;
        ::unlink(QFile::encodeName(aside).constData());
        return writeFailure(saved, folder);
    }
    return {};
}

} // namespace

Read read(const QString &path, qint64 maxBytes)
{
    Read result;
    const QByteArray native = QFile::encodeName(path);
    // Looked at before opening: opening a FIFO waits for a writer, and
    // opening a device may already act on it.
    struct stat st;
    if (::stat(native.constData(), &st) != 0) {
        result.status = statusOfError(errno);
        return result;
    }
    if ((result.status = statusOfMode(st.st_mode)) != ReadStatus::Ok)
        return result;
    if (st.st_size > maxBytes) {
        result.status = ReadStatus::TooLarge;
        return result;
    }
    // Non-blocking, in case the path changed into a FIFO meanwhile; what was
    // opened is checked again.
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        result.status = statusOfError(errno);
        return result;
    }
    if (::fstat(fd, &st) != 0 || (result.status = statusOfMode(st.st_mode)) != ReadStatus::Ok) {
        if (result.status == ReadStatus::Ok)
            result.status = ReadStatus::Failed;
        ::close(fd);
        return result;
    }
    QByteArray bytes;
    bytes.reserve(qsizetype(std::min<qint64>(st.st_size, maxBytes) + 1));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            result.status = ReadStatus::Failed;
            break;
        }
        if (n == 0)
            break;
        bytes.append(buffer, n);
        // A file that grows while read is still bounded.
        if (bytes.size() > maxBytes) {
            result.status = ReadStatus::TooLarge;
            break;
        }
    }
    ::close(fd);
    if (result.ok())
        result.bytes = std::move(bytes);
    return result;
}

bool sameFile(const QString &a, const QString &b)
{
    struct stat first;
    struct stat second;
    return ::stat(QFile::encodeName(a).constData(), &first) == 0
           && ::stat(QFile::encodeName(b).constData(), &second) == 0 && first.st_dev == second.st_dev
           && first.st_ino == second.st_ino;
}

QString finalPath(const QString &path)
{
    QString current = withRealFolder(QFileInfo(path).absoluteFilePath());
    for (int i = 0; i < MaxLinks; ++i) {
        char buffer[PATH_MAX];
        const ssize_t n = ::readlink(QFile::encodeName(current).constData(), buffer, sizeof buffer);
        if (n < 0 || n >= ssize_t(sizeof buffer))
            return current; // not a link (or nothing there): the path itself
        const QString target = QFile::decodeName(QByteArray(buffer, n));
        const QString folder = QFileInfo(current).path();
        current = withRealFolder(QDir::isAbsolutePath(target) ? target : folder + QLatin1Char('/') + target);
    }
    return {};
}

#endif

bool replace(const QString &path, const QByteArray &bytes, QString *error)
{
    QString why;
    if (namesAFolder(QDir::fromNativeSeparators(path))) {
        // Taken as the name of a file, "x.csv/" would write x.csv.
        why = QStringLiteral("ce nom désigne un dossier, pas un fichier");
    } else {
        const QString target = finalPath(path);
        why = target.isEmpty() ? reason(ReadStatus::LinkLoop, 0) : replaceFinal(target, bytes);
    }
    if (error)
        *error = why;
    return why.isEmpty();
}

} // namespace safefile
