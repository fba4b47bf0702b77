#pragma once

// Files that are not plain files, for the tests of what the program reads
// and writes: FIFOs, device nodes, links, and a file its reader may not open.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtGlobal>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace specialfiles {

inline bool makeFifo(const QString &path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
}

// A character device that behaves as /dev/null, made in the test's own
// folder so that a broken guard can never replace the system's. Only root
// may make one: false otherwise.
inline bool makeNullDevice(const QString &path)
{
    return ::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
}

// A FIFO whose readers are let go and counted, so that a failing guard fails
// its test instead of hanging it: a thread plays the writer a reader waits for.
class WatchedFifo
{
public:
    explicit WatchedFifo(const QString &path)
        : m_path(QFile::encodeName(path))
        , m_made(makeFifo(path))
        , m_watcher([this] {
            while (m_made && !m_stop) { // a writer's open fails unless a reader waits
                if (const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC); fd >= 0)
                    ++m_readers, ::close(fd);
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        })
    {}
    ~WatchedFifo()
    {
        m_stop = true;
        m_watcher.join();
    }
    bool made() const { return m_made; }
    int readers() const { return m_readers; } // how many times a reader opened it

private:
    const QByteArray m_path;
    const bool m_made;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_readers{0};
    std::thread m_watcher; // last: it reads the members above
};

inline bool makeLink(const QString &target, const QString &link)
{
    return ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()) == 0;
}

// Root opens a file whatever its mode: a test of a file its reader may not
// open runs its reads as "nobody" while this lives (the effective user only,
// given back at the end). Without root it changes nothing. The test's folder
// must let "nobody" in (mode 0755).
class AsUnprivilegedUser
{
public:
    AsUnprivilegedUser()
    {
        if (::geteuid() == 0)
            m_dropped = ::setegid(Nobody) == 0 && ::seteuid(Nobody) == 0;
    }
    ~AsUnprivilegedUser()
    {
        if (m_dropped) {
            [[maybe_unused]] const int user = ::seteuid(0);
            [[maybe_unused]] const int group = ::setegid(0);
        }
    }
    AsUnprivilegedUser(const AsUnprivilegedUser &) = delete;
    AsUnprivilegedUser &operator=(const AsUnprivilegedUser &) = delete;

    // False when root could not be left: the permission cannot be tested.
    bool active() const { return ::geteuid() != 0; }

private:
    static constexpr uid_t Nobody = 65534;
    bool m_dropped = false;
};

// While this lives, the system's temporary folder cannot be used: TMPDIR
// names a plain file, so whatever would make a folder there fails. What must
// not leave anything outside the program folder is run under it.
class NoTemporaryFolder
{
public:
    explicit NoTemporaryFolder(const QString &plainFile)
        : m_previous(qgetenv("TMPDIR"))
        , m_had(qEnvironmentVariableIsSet("TMPDIR"))
    {
        QFile file(plainFile);
        if (file.open(QIODevice::WriteOnly))
            file.write("not a folder");
        qputenv("TMPDIR", QFile::encodeName(plainFile));
    }
    ~NoTemporaryFolder()
    {
        if (m_had)
            qputenv("TMPDIR", m_previous);
        else
            qunsetenv("TMPDIR");
    }
    NoTemporaryFolder(const NoTemporaryFolder &) = delete;
    NoTemporaryFolder &operator=(const NoTemporaryFolder &) = delete;

private:
    QByteArray m_previous;
    bool m_had;
};

} // namespace specialfiles
