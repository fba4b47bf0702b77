#pragma once

// A real shared cache in front of the league's Apache, as a league puts one
// (or a CDN) before its server: Debian's Squid as a reverse proxy, or a
// second Apache with mod_cache and mod_proxy. Each runs on a free port of
// 127.0.0.1 with a configuration of its own in a temporary folder, set as the
// server's README says (Squid passes the volunteers' credentials on with
// login=PASSTHRU), otherwise on its defaults; stopped with SIGTERM at the end.
// Without the package installed a test fails, saying so.
#include "apacheserver.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>
#endif

class CacheFront
{
public:
    enum class Kind { Squid, ApacheCache };

    explicit CacheFront(Kind kind)
        : m_kind(kind)
    {}
    ~CacheFront() { stop(); }
    CacheFront(const CacheFront &) = delete;
    CacheFront &operator=(const CacheFront &) = delete;

    static const char *name(Kind kind) { return kind == Kind::Squid ? "Squid" : "Apache mod_cache"; }
    QString address() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_port); }
    QString runFolder() const { return m_run.path(); }
    // Directives added to the cache's own configuration, from the next start.
    void addConfiguration(const QByteArray &directives) { m_extra += directives + '\n'; }

    // Starts the cache in front of the server on 127.0.0.1:`originPort` and
    // waits until it answers. Empty on success, else what went wrong.
    QString start(quint16 originPort)
    {
        m_port = freePort();
        QFile::setPermissions(m_run.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                                | QFileDevice::ReadGroup | QFileDevice::WriteGroup
                                                | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                                | QFileDevice::WriteOther | QFileDevice::ExeOther);
        QString program;
        QStringList arguments;
        const QString conf = m_run.filePath(QStringLiteral("cache.conf"));
        if (m_kind == Kind::Squid) {
            program = QStandardPaths::findExecutable(QStringLiteral("squid"), {"/usr/sbin", "/usr/local/sbin"});
            if (program.isEmpty())
                return QStringLiteral("squid introuvable : scripts/setup.sh installe le paquet squid.");
            write(conf, squidConfiguration(originPort));
            arguments << QStringLiteral("-N") << QStringLiteral("-f") << conf;
        } else {
            program = QStandardPaths::findExecutable(QStringLiteral("apache2"), {"/usr/sbin"});
            if (program.isEmpty())
                return QStringLiteral("apache2 introuvable : scripts/setup.sh installe le paquet apache2.");
            write(conf, apacheConfiguration(originPort));
            // The account that answers writes the copies there.
            QDir(m_run.path()).mkpath(QStringLiteral("disque"));
            QFile::setPermissions(m_run.filePath(QStringLiteral("disque")), QFile::permissions(m_run.path()));
            arguments << QStringLiteral("-f") << conf << QStringLiteral("-DFOREGROUND");
        }
        m_process.setProcessChannelMode(QProcess::MergedChannels);
#ifdef Q_OS_LINUX
        m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
#endif
        m_process.start(program, arguments);
        if (!m_process.waitForStarted(10000))
            return QStringLiteral("%1 ne démarre pas : %2").arg(program, m_process.errorString());
        for (int tries = 0; tries < 600; ++tries) {
            if (m_process.state() == QProcess::NotRunning)
                return QStringLiteral("%1 s'est arrêté : %2 %3")
                    .arg(program, QString::fromLocal8Bit(m_process.readAll()), log());
            QTcpSocket probe;
            probe.connectToHost(QStringLiteral("127.0.0.1"), m_port);
            if (probe.waitForConnected(100))
                return {};
            QThread::msleep(25);
        }
        return QStringLiteral("%1 ne répond pas sur le port %2 : %3").arg(program).arg(m_port).arg(log());
    }

    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(15000))
            m_process.kill();
        m_process.waitForFinished(2000);
    }

    // The cache's own account of what went wrong.
    QString log() const
    {
        return QString::fromLocal8Bit(read(m_run.filePath(m_kind == Kind::Squid ? "cache.log" : "error.log")));
    }

private:
    QByteArray squidConfiguration(quint16 originPort) const
    {
        const QByteArray run = m_run.path().toUtf8();
        // A reverse proxy (accel) for the league's server, as the README
        // sets it: memory only, the volunteers' credentials passed on
        // (login=PASSTHRU), simultaneous misses collapsed; everything else
        // as Debian ships it.
        return "http_port 127.0.0.1:" + QByteArray::number(m_port) + " accel defaultsite=127.0.0.1 no-vhost\n"
               + "cache_peer 127.0.0.1 parent " + QByteArray::number(originPort)
               + " 0 no-query no-digest originserver login=PASSTHRU name=ligue\n"
                 "cache_peer_access ligue allow all\n"
                 // Followers who ask at once, right after a send, wait for one answer.
                 "collapsed_forwarding on\n"
                 "http_access allow all\n"
                 "never_direct allow all\n"
                 "pid_filename "
               + run + "/squid.pid\naccess_log stdio:" + run + "/access.log\ncache_log " + run
               + "/cache.log\ncache_store_log none\ncoredump_dir " + run
               + "\nlogfile_rotate 0\nshutdown_lifetime 0 seconds\nvisible_hostname cache-de-la-ligue\n" + m_extra;
    }

    QByteArray apacheConfiguration(quint16 originPort) const
    {
        const QByteArray run = m_run.path().toUtf8();
        const QByteArray modules = "/usr/lib/apache2/modules/";
        QByteArray conf =
            "ServerRoot \"" + run + "\"\nServerName 127.0.0.1\nListen 127.0.0.1:" + QByteArray::number(m_port) + "\n";
        for (const char *module : {"mpm_event", "authz_core", "proxy", "proxy_http", "cache", "cache_disk", "headers"})
            conf += "LoadModule " + QByteArray(module) + "_module " + modules + "mod_" + module + ".so\n";
#ifdef Q_OS_LINUX
        if (::geteuid() == 0)
            conf += "User www-data\nGroup www-data\n";
#endif
        conf += "PidFile \"" + run + "/apache2.pid\"\nMutex file:" + run + " default\nErrorLog \"" + run
                + "/error.log\"\nLogLevel warn\nCustomLog \"" + run + "/access.log\" \"%h %t \\\"%r\\\" %>s %b\"\n"
                + "DocumentRoot \"" + run
                + "\"\n"
                // A shared cache of the league's files on disk, as the README
                // sets it: mod_cache's defaults but for the quick handler,
                // which lets a send (PUT) through without dropping the copy,
                // and the lock, which has followers asking at once wait for
                // one answer.
                + "CacheEnable disk /\nCacheRoot \"" + run + "/disque\"\nCacheQuickHandler off\nCacheLock on\n"
                + "CacheLockPath \"" + run + "/verrous\"\nCacheHeader on\n"
                + "ProxyPass / http://127.0.0.1:" + QByteArray::number(originPort) + "/\n"
                + "ProxyPassReverse / http://127.0.0.1:" + QByteArray::number(originPort) + "/\n" + m_extra;
        return conf;
    }

    static quint16 freePort()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        return probe.serverPort();
    }
    static QByteArray read(const QString &path)
    {
        return ApacheServer::read(path);
    }
    static void write(const QString &path, const QByteArray &bytes)
    {
        ApacheServer::write(path, bytes);
    }

    Kind m_kind;
    QTemporaryDir m_run;
    QProcess m_process;
    quint16 m_port = 0;
    QByteArray m_extra;
};
