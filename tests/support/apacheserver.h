#pragma once

// The league's real web server for a test: Apache started through
// scripts/serve.sh on a free port of 127.0.0.1, publishing a temporary ROOT
// (Kestrane2013/ and volunteers.htpasswd made with htpasswd), checking
// uploads with the program this build made, stopped with SIGTERM at the
// end. Without Apache installed a test fails, saying so.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#endif

#ifndef KESTRANE_SERVE_SCRIPT
#error "KESTRANE_SERVE_SCRIPT must name scripts/serve.sh"
#endif
#ifndef KESTRANE_PROGRAM
#error "KESTRANE_PROGRAM must name the built program, which checks the uploads"
#endif

class ApacheServer
{
public:
    ApacheServer() { QDir(m_root.path()).mkpath(QStringLiteral("Kestrane2013")); }
    ~ApacheServer() { stop(); }
    ApacheServer(const ApacheServer &) = delete;
    ApacheServer &operator=(const ApacheServer &) = delete;

    QString root() const { return m_root.path(); }
    QString runFolder() const { return m_run.path(); }
    QString storePath() const { return m_root.filePath(QStringLiteral("Kestrane2013/Resultats2013.ini")); }
    QString address() const { return QStringLiteral("%1://127.0.0.1:%2").arg(m_tls ? "https" : "http").arg(m_port); }
    quint16 port() const { return m_port; }
    QString storeUrl() const { return address() + QStringLiteral("/Kestrane2013/Resultats2013.ini"); }

    QString historyFolder() const { return m_root.filePath(QStringLiteral("historique")); }
    // The versions uploads replaced, oldest first.
    QStringList keptVersions() const
    {
        return QDir(historyFolder()).entryList({QStringLiteral("Resultats2013-*.ini")}, QDir::Files, QDir::Name);
    }
    QStringList journal() const
    {
        const QString text = QString::fromUtf8(read(historyFolder() + QStringLiteral("/journal.txt")));
        return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    // Apache directives read after the league's rules, from the next start.
    void addConfiguration(const QByteArray &directives) { m_extra += directives + '\n'; }

    // What the server publishes, as a file of ROOT.
    void publish(const QByteArray &store) const { write(storePath(), store); }
    QByteArray published() const { return read(storePath()); }
    // The hidden copies of uploads under way (or cut off) in the published folder.
    QStringList uploadCopies() const
    {
        return QDir(m_root.filePath(QStringLiteral("Kestrane2013")))
            .entryList({QStringLiteral(".envoi.[0-9]*")}, QDir::Files | QDir::Hidden);
    }

    // Adds a volunteer with htpasswd, as the league's author does. Empty on
    // success, else what went wrong.
    QString addVolunteer(const QString &user, const QString &password) const
    {
        const QString file = m_root.filePath(QStringLiteral("volunteers.htpasswd"));
        QStringList arguments{QStringLiteral("-b"), QStringLiteral("-B")};
        if (!QFile::exists(file))
            arguments << QStringLiteral("-c");
        arguments << file << user << password;
        QProcess htpasswd;
        htpasswd.start(QStringLiteral("htpasswd"), arguments);
        if (!htpasswd.waitForFinished(10000) || htpasswd.exitStatus() != QProcess::NormalExit
            || htpasswd.exitCode() != 0)
            return QStringLiteral("htpasswd (paquet apache2-utils) : %1 %2")
                .arg(htpasswd.errorString(), QString::fromLocal8Bit(htpasswd.readAllStandardError()));
        return {};
    }

    // Starts Apache and waits until it answers. Empty on success, else what
    // went wrong (serve.sh's own message when it refused to start).
    QString start(const QString &certificate = {}, const QString &key = {})
    {
        m_tls = !certificate.isEmpty();
        m_port = freePort();
        QStringList arguments;
        if (m_tls)
            arguments << QStringLiteral("--tls") << certificate << key;
        arguments << m_root.path() << QString::number(m_port);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("KESTRANE_RUN_DIR"), m_run.path());
        environment.insert(QStringLiteral("KESTRANE_PROGRAM"), QStringLiteral(KESTRANE_PROGRAM));
        environment.remove(QStringLiteral("KESTRANE_APACHE_CONF"));
        if (!m_extra.isEmpty()) {
            const QString extra = m_run.filePath(QStringLiteral("plus.conf"));
            write(extra, m_extra);
            environment.insert(QStringLiteral("KESTRANE_APACHE_CONF"), extra);
        }
        m_serve.setProcessEnvironment(environment);
#ifdef Q_OS_LINUX
        // A test that crashes takes its server down with it.
        m_serve.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
#endif
        m_serve.start(QStringLiteral(KESTRANE_SERVE_SCRIPT), arguments);
        if (!m_serve.waitForStarted(10000))
            return QStringLiteral("serve.sh ne démarre pas : %1").arg(m_serve.errorString());
        for (int tries = 0; tries < 400; ++tries) {
            if (m_serve.state() == QProcess::NotRunning)
                return QStringLiteral("Apache ne démarre pas : %1")
                    .arg(QString::fromLocal8Bit(m_serve.readAllStandardError()));
            QTcpSocket probe;
            probe.connectToHost(QStringLiteral("127.0.0.1"), m_port);
            if (probe.waitForConnected(100))
                return {};
            QThread::msleep(25);
        }
        return QStringLiteral("Apache ne répond pas sur le port %1").arg(m_port);
    }

    // SIGTERM to serve.sh, which stops Apache and waits for it.
    void stop()
    {
        if (m_serve.state() == QProcess::NotRunning)
            return;
        m_serve.terminate();
        if (!m_serve.waitForFinished(10000))
            m_serve.kill();
        m_serve.waitForFinished(2000);
    }
    QString serveOutput()
    {
        return QString::fromLocal8Bit(m_serve.readAllStandardError());
    }

    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void write(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }

private:
    static quint16 freePort()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        return probe.serverPort();
    }

    QTemporaryDir m_root;
    QTemporaryDir m_run;
    QProcess m_serve;
    quint16 m_port = 0;
    bool m_tls = false;
    QByteArray m_extra;
};
