#include "season/core/filelock.h"

#include <QFile>

#include <algorithm>
#include <thread>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;

// Short naps first: a save holds the lock for a few milliseconds.
void nap(std::chrono::milliseconds &pause)
{
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, std::chrono::milliseconds(4));
}

} // namespace

FileLock::FileLock(QString path)
    : m_path(std::move(path))
{}

FileLock::~FileLock()
{
    unlock();
}

#ifdef Q_OS_WIN

bool FileLock::tryLock(std::chrono::milliseconds timeout)
{
    if (isLocked())
        return true;
    const auto deadline = Clock::now() + timeout;
    auto pause = std::chrono::milliseconds(1);
    const std::wstring path = m_path.toStdWString();
    HANDLE handle =
        CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        // A folder in the way: its handle carries the lock as well.
        handle = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return false;
    }
    for (;;) {
        OVERLAPPED overlapped{};
        if (LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &overlapped)) {
            m_handle = handle;
            return true;
        }
        if (GetLastError() != ERROR_LOCK_VIOLATION || Clock::now() >= deadline) {
            CloseHandle(handle);
            return false;
        }
        nap(pause);
    }
}

void FileLock::unlock()
{
    if (!m_handle)
        return;
    OVERLAPPED overlapped{};
    UnlockFileEx(m_handle, 0, 1, 0, &overlapped);
    CloseHandle(m_handle);
    m_handle = nullptr;
}

bool FileLock::isLocked() const
{
    return m_handle != nullptr;
}

#else

namespace {

int openLockFile(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd >= 0 || (errno != EISDIR && errno != EACCES))
        return fd;
    // A folder, or a file we may only read: a read-only descriptor carries
    // the lock just as well.
    return ::open(path.constData(), O_RDONLY | O_CLOEXEC);
}

} // namespace

bool FileLock::tryLock(std::chrono::milliseconds timeout)
{
    if (isLocked())
        return true;
    const QByteArray path = QFile::encodeName(m_path);
    const auto deadline = Clock::now() + timeout;
    auto pause = std::chrono::milliseconds(1);
    int replaced = 0;
    for (;;) {
        const int fd = openLockFile(path);
        if (fd < 0)
            return false;
        for (;;) {
            if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
                break;
            if (errno == EINTR)
                continue;
            if (errno != EWOULDBLOCK || Clock::now() >= deadline) {
                ::close(fd);
                return false;
            }
            nap(pause);
        }
        // The previous holder removes the lock file before it lets go: when
        // the file we locked is no longer the one at the path, start again
        // on the file that is there now.
        struct stat held;
        struct stat atPath;
        if (::fstat(fd, &held) == 0 && ::stat(path.constData(), &atPath) == 0 && held.st_dev == atPath.st_dev
            && held.st_ino == atPath.st_ino) {
            m_fd = fd;
            m_removeOnUnlock = S_ISREG(held.st_mode);
            return true;
        }
        ::close(fd);
        // A replaced file means another holder just let go: worth another
        // try even when the time is up.
        if (++replaced > 100 && Clock::now() >= deadline)
            return false;
    }
}

void FileLock::unlock()
{
    if (m_fd < 0)
        return;
    // Removed while still held, so nobody can lock the old file and believe
    // it is still the lock.
    if (m_removeOnUnlock)
        ::unlink(QFile::encodeName(m_path).constData());
    ::close(m_fd);
    m_fd = -1;
}

bool FileLock::isLocked() const
{
    return m_fd >= 0;
}

#endif
