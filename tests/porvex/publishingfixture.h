#pragma once

// What the publishing tests share: the league's Apache (scripts/serve.sh),
// volunteers' and followers' program folders, and the built sending tool
// Porvex and program, run as a league runs them.
#include "apacheserver.h"

#include "online/core/publishedcopy.h"
#include "online/core/saveentries.h"
#include "season/core/inifile.h"
#include "season/core/resultstore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

inline const QString User = QStringLiteral("alice");
inline const QString Password = QStringLiteral("mot de passe : à");

inline QByteArray sample(const char *name)
{
    return ApacheServer::read(QStringLiteral(KESTRANE_SAMPLE_DATA "/") + QLatin1String(name));
}

// The bundled store without its last two match days: twenty fixtures for the
// volunteers to type.
inline QByteArray storeBeforeTheLastTwoMatchDays()
{
    QByteArray store;
    for (const QByteArray &line : sample("Resultats2013.ini").split('\n')) {
        if (!line.startsWith("37") && !line.startsWith("38") && !line.isEmpty())
            store += line + '\n';
    }
    return store;
}

inline QString resultIn(const QByteArray &store, const QString &key)
{
    return IniFile::readFrom(store, QStringLiteral("Resultats"), key);
}

// The version Apache gives a file (FileETag Digest).
inline QByteArray versionOf(const QByteArray &store)
{
    return '"' + QCryptographicHash::hash(store, QCryptographicHash::Sha1).toBase64() + '"';
}

inline QString serverScript(const char *name)
{
    return QFileInfo(QStringLiteral(KESTRANE_SERVE_SCRIPT)).absolutePath() + QStringLiteral("/../server/")
           + QLatin1String(name);
}

struct Outcome
{
    int status = -1;
    QString out;
    QString err;
};

// A program folder of a volunteer or a follower.
class Folder
{
public:
    explicit Folder(const QByteArray &store)
    {
        ApacheServer::write(file(QStringLiteral("2013.txt")), sample("2013.txt"));
        ApacheServer::write(storePath(), store);
    }
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }
    QString storePath() const { return file(ResultStore::FileName); }
    QByteArray store() const { return ApacheServer::read(storePath()); }
    QByteArray kept() const { return ApacheServer::read(file(publishedcopy::FileName)); }
    // The folder last published or downloaded `store`.
    void keep(const QByteArray &store) const { ApacheServer::write(file(publishedcopy::FileName), store); }
    // A result typed in the match grid and saved, as "Valider" does.
    void type(const QString &key, const QString &record) const
    {
        ResultStore results(path());
        ASSERT_TRUE(
            saveentries::save(results, {{key, MatchRecord::fromText(record)}}, QDateTime::currentDateTime(), {}).saved);
    }

private:
    QTemporaryDir m_dir;
};

inline QProcessEnvironment environment(const QString &user, const QString &password)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("KESTRANE_SERVER"));
    env.remove(QStringLiteral("KESTRANE_USER"));
    env.remove(QStringLiteral("KESTRANE_PASSWORD"));
    if (!user.isEmpty())
        env.insert(QStringLiteral("KESTRANE_USER"), user);
    if (!password.isEmpty())
        env.insert(QStringLiteral("KESTRANE_PASSWORD"), password);
    return env;
}

inline Outcome finished(QProcess &process)
{
    // Some runs wait on a server of this test's event loop: wait without blocking it.
    EXPECT_TRUE(QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 60000));
    Outcome run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// Porvex --batch on a folder, with credentials from the environment.
inline std::unique_ptr<QProcess> startPorvex(const Folder &folder, const QString &server, const QStringList &more = {},
                                             const QString &password = Password)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment(User, password));
    process->start(QStringLiteral(PORVEX_PROGRAM),
                   QStringList{QStringLiteral("--data-dir"), folder.path(), QStringLiteral("--server"), server,
                               QStringLiteral("--batch")}
                       + more);
    return process;
}

inline Outcome porvex(const Folder &folder, const QString &server, const QStringList &more = {},
                      const QString &password = Password)
{
    std::unique_ptr<QProcess> process = startPorvex(folder, server, more, password);
    return finished(*process);
}

inline Outcome kestrane(const Folder &folder, const QStringList &arguments)
{
    QProcess process;
    process.setProcessEnvironment(environment({}, {}));
    process.start(QStringLiteral(KESTRANE_PROGRAM),
                  QStringList{QStringLiteral("--data-dir"), folder.path()} + arguments);
    return finished(process);
}

class Publishing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        published = storeBeforeTheLastTwoMatchDays();
        server.publish(published);
        const QString volunteer = server.addVolunteer(User, Password);
        ASSERT_TRUE(volunteer.isEmpty()) << volunteer.toStdString();
        const QString started = server.start();
        ASSERT_TRUE(started.isEmpty()) << started.toStdString()
                                       << "\nApache (paquets apache2, apache2-utils) s'installe avec scripts/setup.sh.";
    }

    // A volunteer's folder that last downloaded what the server publishes now.
    std::unique_ptr<Folder> volunteer() const
    {
        auto folder = std::make_unique<Folder>(server.published());
        folder->keep(server.published());
        return folder;
    }

    ApacheServer server;
    QByteArray published;
};
