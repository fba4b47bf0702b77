// The results store under real processes: writers killed at random moments,
// and two writers racing on one store.
#include "season/core/folderpreparation.h"
#include "season/core/inifile.h"
#include "season/core/resultstore.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <chrono>
#include <random>
#include <thread>

namespace {

// A kill loses nothing the system already has, synced or not: the folder
// lives in memory when it can, so a busy disk's syncs do not slow the
// hundreds of saves below.
class MemoryFolder
{
public:
    MemoryFolder()
        : m_dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/kestrane-XXXXXX") : QString())
    {}
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }
    QByteArray read(const QString &name) const
    {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_dir;
};

QString expectedValue(const QString &key)
{
    const int i = key.section(QLatin1Char('k'), -1).toInt();
    return QStringLiteral("A|0|1|%1|0|0|0|B").arg(i % 10);
}

QStringList confirmedKeys(QProcess &writer)
{
    return QString::fromLatin1(writer.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void startWriter(QProcess &writer, const QString &store, const QString &prefix, int count)
{
    writer.setProgram(QStringLiteral(KESTRANE_STORE_WRITER));
    writer.setArguments({store, prefix, QString::number(count)});
    writer.setProcessChannelMode(QProcess::SeparateChannels);
    writer.start();
}

// Every line of the file is a section header, a key line or blank: a save
// cut short would leave a partial line or a truncated file.
bool wellFormed(const QByteArray &bytes)
{
    if (!bytes.isEmpty() && !bytes.endsWith("\r\n"))
        return false;
    for (const QByteArray &line : bytes.split('\n')) {
        const QByteArray text = line.trimmed();
        if (!text.isEmpty() && !(text.startsWith('[') && text.endsWith(']')) && !text.contains('='))
            return false;
    }
    return true;
}

} // namespace

TEST(StoreCrash, KilledWriterLosesNoConfirmedEntryAndLeavesNoLockBehind)
{
    MemoryFolder folder;
    const QString path = folder.file(ResultStore::FileName);
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> pauseUs(0, 15000);
    QStringList confirmed;

    for (int run = 0; run < 50; ++run) {
        QProcess writer;
        startWriter(writer, path, QStringLiteral("r%1k").arg(run), 0);
        ASSERT_TRUE(writer.waitForStarted(10000));
        // Kill somewhere in the middle of the writes, not before the first.
        ASSERT_TRUE(writer.waitForReadyRead(10000)) << "run " << run;
        std::this_thread::sleep_for(std::chrono::microseconds(pauseUs(random)));
        writer.kill();
        ASSERT_TRUE(writer.waitForFinished(10000));
        confirmed += confirmedKeys(writer);

        const QByteArray bytes = folder.read(ResultStore::FileName);
        ASSERT_TRUE(wellFormed(bytes)) << "run " << run;
        IniFile store(path);
        for (const QString &key : confirmed)
            ASSERT_EQ(store.read(QStringLiteral("Resultats"), key), expectedValue(key)) << "run " << run;
        // Whatever moment the kill hit, the next writer does not wait.
        store.setLockTimeout(std::chrono::milliseconds(0));
        ASSERT_TRUE(store.write(QStringLiteral("Resultats"), QStringLiteral("after%1k0").arg(run), expectedValue("k0")))
            << "run " << run;
        confirmed += QStringLiteral("after%1k0").arg(run);
    }
    EXPECT_GE(confirmed.size(), 100);

    // The copies of saves cut short go at the next start, once old enough.
    prepareProgramFolder(folder.path(), QDateTime::currentDateTime().addSecs(120));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({ResultStore::FileName}));
    IniFile store(path);
    for (const QString &key : confirmed)
        ASSERT_EQ(store.read(QStringLiteral("Resultats"), key), expectedValue(key));
}

TEST(StoreCrash, TwoWriterProcessesLoseNoEntry)
{
    MemoryFolder folder;
    const QString path = folder.file(ResultStore::FileName);
    constexpr int KeysEach = 500;
    QProcess first;
    QProcess second;
    startWriter(first, path, QStringLiteral("ak"), KeysEach);
    startWriter(second, path, QStringLiteral("bk"), KeysEach);
    for (QProcess *writer : {&first, &second}) {
        ASSERT_TRUE(writer->waitForFinished(120000));
        EXPECT_EQ(writer->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(writer->exitCode(), 0) << writer->readAllStandardError().constData();
        EXPECT_EQ(confirmedKeys(*writer).size(), KeysEach);
    }

    IniFile store(path);
    QSet<QString> found;
    for (const QString &prefix : {QStringLiteral("ak"), QStringLiteral("bk")}) {
        for (int i = 0; i < KeysEach; ++i) {
            const QString key = prefix + QString::number(i);
            if (store.read(QStringLiteral("Resultats"), key) == expectedValue(key))
                found.insert(key);
        }
    }
    EXPECT_EQ(found.size(), 2 * KeysEach);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({ResultStore::FileName}));
}
