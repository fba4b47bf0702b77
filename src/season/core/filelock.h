#pragma once

#include <QString>

#include <chrono>

// An exclusive lock between processes (and between threads of one process)
// on a lock file, held through the operating system: flock on Unix,
// LockFileEx on Windows. The system drops the lock when its holder's process
// ends, however it ends, so a writer killed half-way can never leave a lock
// that blocks the next one. What already sits at the lock path (an empty or
// garbage file left by an older version, even a folder) does not stop it.
//
// On Unix the lock file is removed when the lock is released, so a folder
// only shows it while a write is under way.
class FileLock
{
public:
    static constexpr std::chrono::milliseconds DefaultTimeout{5000};

    explicit FileLock(QString path);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    // Waits up to `timeout` for the lock; 0 tries once. False when another
    // holder kept it that long or the lock file cannot be opened at all.
    [[nodiscard]] bool tryLock(std::chrono::milliseconds timeout = DefaultTimeout);
    void unlock();
    bool isLocked() const;
    QString path() const { return m_path; }

private:
    QString m_path;
#ifdef Q_OS_WIN
    void *m_handle = nullptr;
#else
    int m_fd = -1;
    bool m_removeOnUnlock = false;
#endif
};
