// `kestrane --export-site` end to end: the built program writing the site,
// then again over it, into folders it must refuse, and from a program folder
// it may not write to.
#include "testfolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

namespace {

class SiteCommand : public ::testing::Test
{
protected:
    struct Run
    {
        int status = -1;
        QString out;
        QString err;
    };

    void SetUp() override
    {
        for (const QString &name : {QStringLiteral("2013.txt"), QStringLiteral("Resultats2013.ini")}) {
            QFile sample(QStringLiteral(KESTRANE_SAMPLE_DATA "/") + name);
            ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
            data.write(name, sample.readAll());
        }
        QDir(home.path()).mkdir(QStringLiteral("runtime"));
        ::chmod(QFile::encodeName(home.filePath(QStringLiteral("runtime"))).constData(), 0700);
    }

    // The program on the data folder, with a home of its own; `user` runs it
    // under another account (setpriv), as a server's account would.
    Run run(const QString &site, const QStringList &asUser = {}) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("runtime")));
        process.setProcessEnvironment(environment);
        const QStringList arguments{QStringLiteral(KESTRANE_PROGRAM), QStringLiteral("--data-dir"), data.path(),
                                    QStringLiteral("--export-site"), site};
        const QStringList command = asUser + arguments;
        process.start(command.first(), command.mid(1));
        EXPECT_TRUE(process.waitForFinished(60000));
        Run result;
        result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

    // Every file under a folder, hidden ones too, by relative path.
    static QMap<QString, QByteArray> contents(const QString &folder)
    {
        QMap<QString, QByteArray> files;
        QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            files[QDir(folder).relativeFilePath(file.fileName())] =
                file.open(QIODevice::ReadOnly) ? file.readAll() : "?";
        }
        return files;
    }

    // What a folder holds as the system dates it: a write leaves its trace here.
    static QStringList listing(const QString &folder)
    {
        QStringList entries;
        QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            entries << QStringLiteral("%1 %2 %3")
                           .arg(info.fileName())
                           .arg(info.size())
                           .arg(info.lastModified().toMSecsSinceEpoch());
        }
        entries.sort();
        return entries;
    }

    QString site() const { return output.filePath(QStringLiteral("site")); }

    TestFolder data;
    QTemporaryDir home;
    QTemporaryDir output;
};

} // namespace

TEST_F(SiteCommand, WritesTheSameSiteAgainAndDropsWhatItNoLongerMakes)
{
    const Run first = run(site());
    ASSERT_EQ(first.status, 0) << first.err.toStdString();
    EXPECT_TRUE(first.out.startsWith(QStringLiteral("Site écrit dans "))) << first.out.toStdString();
    const QMap<QString, QByteArray> written = contents(site());
    EXPECT_EQ(written.size(), 1 + 1 + 1 + 38 + 2 * 20 + 4 + 2 + 1);
    EXPECT_TRUE(written.value(QStringLiteral("classement.pdf")).startsWith("%PDF-"));
    EXPECT_TRUE(written.contains(QStringLiteral(".kestrane-site")));
    EXPECT_TRUE(written.contains(QStringLiteral("donnees/saison.json")));

    // A file of an earlier site that is no longer made goes away; the rest
    // comes out byte for byte, PDF included, a second later and elsewhere.
    QFile stale(QDir(site()).filePath(QStringLiteral("journee-39.html")));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    QThread::msleep(1100);
    const Run again = run(site());
    ASSERT_EQ(again.status, 0) << again.err.toStdString();
    EXPECT_EQ(contents(site()), written);
    const Run elsewhere = run(output.filePath(QStringLiteral("autre")));
    ASSERT_EQ(elsewhere.status, 0) << elsewhere.err.toStdString();
    EXPECT_EQ(contents(output.filePath(QStringLiteral("autre"))), written);
    // Nothing is left beside the site.
    EXPECT_EQ(QDir(output.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({QStringLiteral("autre"), QStringLiteral("site")}));
}

TEST_F(SiteCommand, RefusesWhatIsNotOneOfItsSites)
{
    struct Case
    {
        const char *what;
        std::function<void(const QString &path)> make;
        QString says;
    };
    const Case cases[] = {
        {"a folder holding a file",
         [](const QString &path) {
             QDir().mkpath(path);
             QFile f(path + QStringLiteral("/notes.txt"));
             f.open(QIODevice::WriteOnly);
             f.write("à garder");
         },
         QStringLiteral("n'est pas un site écrit par ce programme")},
        {"a file",
         [](const QString &path) {
             QFile f(path);
             f.open(QIODevice::WriteOnly);
             f.write("à garder");
         },
         QStringLiteral("est un fichier, pas un dossier")},
        {"a link to a site",
         [this](const QString &path) {
             ASSERT_EQ(run(output.filePath(QStringLiteral("vrai"))).status, 0);
             QFile::link(output.filePath(QStringLiteral("vrai")), path);
         },
         QStringLiteral("est un lien")},
        {"a FIFO", [](const QString &path) { ::mkfifo(QFile::encodeName(path).constData(), 0600); },
         QStringLiteral("n'est ni un dossier ni un fichier ordinaire")},
        {"a folder whose parent is missing", [](const QString &) {}, QStringLiteral("n'existe pas")},
    };
    int n = 0;
    for (const Case &c : cases) {
        const QString path = output.filePath(QStringLiteral("cas%1").arg(++n))
                             + (QLatin1String(c.what).contains(QLatin1String("parent")) ? "/absent/site" : "");
        c.make(path);
        const QStringList before = listing(output.path());
        const Run refused = run(path);
        EXPECT_EQ(refused.status, 1) << c.what;
        EXPECT_TRUE(refused.err.contains(c.says)) << c.what << ": " << refused.err.toStdString();
        EXPECT_EQ(listing(output.path()), before) << c.what;
    }
}

TEST_F(SiteCommand, ReadsAReadOnlyProgramFolderAndWritesNothingThereNorAtHome)
{
    // As root, permissions stop nothing: the run then takes the account
    // nobody, which may write only where the site goes.
    QStringList asUser;
    if (::geteuid() == 0) {
        ASSERT_TRUE(QFileInfo::exists(QStringLiteral("/usr/bin/setpriv")));
        asUser = {QStringLiteral("/usr/bin/setpriv"), QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                  QStringLiteral("--clear-groups")};
        for (const QString &folder : {output.path(), home.path(), home.filePath(QStringLiteral("runtime"))})
            ::chown(QFile::encodeName(folder).constData(), 65534, 65534);
    }
    for (const QString &name : {QStringLiteral("2013.txt"), QStringLiteral("Resultats2013.ini")})
        ::chmod(QFile::encodeName(data.file(name)).constData(), 0444);
    ::chmod(QFile::encodeName(data.path()).constData(), 0555);
    const QStringList dataBefore = listing(data.path());
    const QStringList homeBefore = listing(home.path());

    const Run result = run(site(), asUser);
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(QDir(site()).filePath(QStringLiteral("index.html"))));
    EXPECT_EQ(listing(data.path()), dataBefore);
    EXPECT_EQ(listing(home.path()), homeBefore);
    ::chmod(QFile::encodeName(data.path()).constData(), 0755);

    // A store missing while an interrupted update's backup waits is not
    // "no results": the folder is not mended here, the site not written.
    QFile::rename(data.file(QStringLiteral("Resultats2013.ini")), data.file(QStringLiteral("Resultats2013.BU")));
    const QStringList waiting = listing(data.path());
    const Run refused = run(output.filePath(QStringLiteral("autre")));
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("mise à jour interrompue"))) << refused.err.toStdString();
    EXPECT_EQ(listing(data.path()), waiting);
    EXPECT_FALSE(QFileInfo::exists(output.filePath(QStringLiteral("autre"))));
}
