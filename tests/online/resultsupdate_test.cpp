#include "online/core/donorsfetch.h"
#include "online/core/donorslist.h"
#include "online/core/publishedcopy.h"
#include "online/core/resultsupdate.h"
#include "online/core/saveentries.h"
#include "online/core/storeversion.h"
#include "online/core/updaterules.h"

#include "fakedownloader.h"
#include "seasonbuilder.h"
#include "testfolder.h"

#include "season/core/inifile.h"
#include "season/core/resultstore.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <optional>

#include <sys/resource.h>

namespace {

const QString Server = QStringLiteral("http://serveur.test");

class ResultsUpdateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        oldStore = ResultsBuilder().result("0100", 'A', "2", "1", 'B').stamp("01 déc. 20:00").bytes();
        folder.write(ResultStore::FileName, oldStore);
        newStore = ResultsBuilder()
                       .result("0100", 'A', "2", "1", 'B')
                       .result("0101", 'C', "0", "0", 'D')
                       .bonusMalus('C', "-2")
                       .stamp("05 déc. 21:30")
                       .version("1.3")
                       .bytes();
    }

    // Runs one update to its end.
    ResultsUpdate::Outcome run(ResultsUpdate::Unpublished unpublished = ResultsUpdate::Unpublished::Keep)
    {
        ResultsUpdate update(store, &downloader);
        std::optional<ResultsUpdate::Outcome> outcome;
        QObject::connect(&update, &ResultsUpdate::finished, [&](const ResultsUpdate::Outcome &o) { outcome = o; });
        EXPECT_TRUE(update.start(Server, unpublished));
        EXPECT_FALSE(outcome) << "finished from within start()";
        EXPECT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 5000));
        return outcome.value_or(ResultsUpdate::Outcome{});
    }

    QString backup() const { return folder.file(ResultStore::BackupName); }

    TestFolder folder;
    ResultStore store{folder.path()};
    FakeDownloader downloader;
    QByteArray oldStore;
    QByteArray newStore;
};

} // namespace

TEST_F(ResultsUpdateTest, SoundStoreReplacesTheOldOneWithItsBackupAsideMeanwhile)
{
    downloader.serve(updaterules::storeUrl(Server), newStore);
    downloader.hold = true;
    QSignalSpy changed(&store, &ResultStore::changed);
    ResultsUpdate update(store, &downloader);
    std::optional<ResultsUpdate::Outcome> outcome;
    QObject::connect(&update, &ResultsUpdate::finished, [&](const ResultsUpdate::Outcome &o) { outcome = o; });
    ASSERT_TRUE(update.start(Server));
    EXPECT_FALSE(update.start(Server)); // one at a time

    // While it runs: the store is still there, its copy waits beside it.
    EXPECT_TRUE(update.isRunning());
    EXPECT_EQ(folder.read(ResultStore::FileName), oldStore);
    EXPECT_EQ(folder.read(ResultStore::BackupName), oldStore);
    ASSERT_EQ(downloader.requested.size(), 1);
    EXPECT_EQ(downloader.requested[0].toString(), Server + QStringLiteral("/Kestrane2013/Resultats2013.ini"));

    downloader.release();
    ASSERT_TRUE(outcome);
    EXPECT_TRUE(outcome->ok) << outcome->error.toStdString();
    EXPECT_EQ(outcome->previousStamp, QStringLiteral("01 déc. 20:00"));
    EXPECT_EQ(outcome->stamp, QStringLiteral("05 déc. 21:30"));
    EXPECT_EQ(folder.read(ResultStore::FileName), newStore);
    EXPECT_FALSE(QFile::exists(backup()));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_FALSE(update.isRunning());
    EXPECT_EQ(store.match("0101").toText(), QStringLiteral("C|0|0|0|0|0|0|D"));
}

TEST_F(ResultsUpdateTest, ResultsTypedHereAndNeverPublishedAreNotReplacedUnlessAsked)
{
    const QString kept = folder.file(publishedcopy::FileName);
    const auto typeResult = [&](const char *key, const char *home, const char *away) {
        const MatchRecord record = MatchRecord::fromText(QStringLiteral("E|0|0|%1|%2|0|0|F").arg(home, away));
        ASSERT_TRUE(
            saveentries::save(store, {{QString::fromLatin1(key), record}}, QDateTime::currentDateTime(), {}).saved);
    };
    // A follower's folder: nothing kept, nothing typed; the update replaces
    // the store as it always did and keeps the copy it downloaded.
    EXPECT_FALSE(QFileInfo::exists(kept));
    downloader.serve(updaterules::storeUrl(Server), newStore);
    ASSERT_TRUE(run().ok);
    EXPECT_EQ(folder.read(publishedcopy::FileName), newStore);

    // A result typed here that the server does not have: kept, and listed.
    typeResult("0102", "3", "0");
    const QByteArray typed = folder.read(ResultStore::FileName);
    ResultsUpdate::Outcome outcome = run();
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.error, QStringLiteral("1 résultat saisi ici n'est pas publié et le serveur ne l'a pas"));
    ASSERT_EQ(outcome.unpublished.size(), 1);
    EXPECT_EQ(outcome.unpublished[0].key, QStringLiteral("0102"));
    EXPECT_EQ(outcome.unpublished[0].theirs, std::nullopt);
    EXPECT_EQ(folder.read(ResultStore::FileName), typed);
    EXPECT_EQ(folder.read(publishedcopy::FileName), newStore);

    // Once the server holds it (published by this folder or another), or
    // when the user agrees to lose it, the update goes through.
    const QByteArray published = ResultsBuilder()
                                     .result("0100", 'A', "2", "1", 'B')
                                     .raw("0102", "E|0|0| 3|0|0|0|F")
                                     .stamp("06 déc. 22:00")
                                     .version("1.3")
                                     .bytes();
    downloader.serve(updaterules::storeUrl(Server), published);
    EXPECT_TRUE(run().ok);
    typeResult("0103", "1", "1");
    downloader.serve(updaterules::storeUrl(Server), newStore);
    EXPECT_EQ(run().unpublished.size(), 1);
    EXPECT_TRUE(run(ResultsUpdate::Unpublished::Replace).ok);
    EXPECT_EQ(folder.read(ResultStore::FileName), newStore);
    EXPECT_EQ(folder.read(publishedcopy::FileName), newStore);
}

TEST_F(ResultsUpdateTest, TheFirstSaveOfAFolderKeepsWhatItHadBefore)
{
    // A folder that has never updated: its store as installed counts as
    // published, what is typed afterwards as its own.
    ASSERT_TRUE(
        saveentries::save(store, {{"0101", MatchRecord::fromText("C|0|0|0|0|0|0|D")}}, QDateTime::currentDateTime(), {})
            .saved);
    EXPECT_EQ(folder.read(publishedcopy::FileName), oldStore);
    ASSERT_TRUE(
        saveentries::save(store, {{"0102", MatchRecord::fromText("E|0|0|1|0|0|0|F")}}, QDateTime::currentDateTime(), {})
            .saved);
    EXPECT_EQ(folder.read(publishedcopy::FileName), oldStore);
    downloader.serve(updaterules::storeUrl(Server), newStore);
    const ResultsUpdate::Outcome outcome = run();
    // 0101 was typed here too, but the server has it as it was typed.
    ASSERT_EQ(outcome.unpublished.size(), 1);
    EXPECT_EQ(outcome.unpublished[0].key, QStringLiteral("0102"));
}

TEST_F(ResultsUpdateTest, FailedOrJunkAnswersLeaveTheStoreByteForByte)
{
    const QUrl url = updaterules::storeUrl(Server);
    QSignalSpy changed(&store, &ResultStore::changed);
    const QList<QPair<const char *, std::function<void()>>> answers = {
        {"network failure", [&] { downloader.fail(url, QStringLiteral("Connexion refusée par le serveur")); }},
        {"error page", [&] { downloader.serve(url, "<html><body>Erreur 500</body></html>"); }},
        {"empty body", [&] { downloader.serve(url, ""); }},
        {"not a store", [&] { downloader.serve(url, "[Autre]\r\nx=1\r\n"); }},
    };
    for (const auto &[name, prepare] : answers) {
        prepare();
        const ResultsUpdate::Outcome outcome = run();
        EXPECT_FALSE(outcome.ok) << name;
        EXPECT_FALSE(outcome.error.isEmpty()) << name;
        EXPECT_EQ(outcome.stamp, QStringLiteral("01 déc. 20:00")) << name;
        EXPECT_EQ(folder.read(ResultStore::FileName), oldStore) << name;
        EXPECT_FALSE(QFile::exists(backup())) << name;
    }
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(ResultsUpdateTest, AStoreStillAsDownloadedIsOnlyAskedAboutAndKeptByteForByteWhenUnchanged)
{
    const QUrl url = updaterules::storeUrl(Server);
    QSignalSpy changed(&store, &ResultStore::changed);
    // The version as a cache may hand it on names the same stored file: it
    // goes back as handed on, and as the server made it.
    const struct
    {
        const char *given;
        const char *sentBack;
    } versions[] = {{"\"v1\"", "\"v1\""}, {"W/\"v1\"", "W/\"v1\", \"v1\""}, {"\"v1-gzip\"", "\"v1-gzip\", \"v1\""}};
    for (const auto &version : versions) {
        folder.write(ResultStore::FileName, oldStore);
        QFile::remove(folder.file(storeversion::FileName));
        downloader.asked.clear();
        downloader.answers[url.toString()] = {true, 200, newStore, {}, {}, version.given};
        ASSERT_TRUE(run().ok) << version.given;
        ASSERT_EQ(downloader.asked.size(), 1);
        EXPECT_TRUE(downloader.asked[0].ifNoneMatch.isEmpty()) << version.given;
        EXPECT_FALSE(downloader.asked[0].revalidate) << version.given;

        // Unchanged on the server: asked by its version, answered without a body.
        downloader.answers[url.toString()] = {true, 304, {}, {}, {}, version.given};
        const int changes = int(changed.count());
        const ResultsUpdate::Outcome outcome = run();
        ASSERT_EQ(downloader.asked.size(), 2);
        EXPECT_EQ(downloader.asked[1].ifNoneMatch, QByteArray(version.sentBack));
        EXPECT_TRUE(outcome.ok && outcome.upToDate) << version.given << outcome.error.toStdString();
        EXPECT_EQ(folder.read(ResultStore::FileName), newStore) << version.given;
        EXPECT_EQ(outcome.stamp, QStringLiteral("05 déc. 21:30"));
        EXPECT_EQ(changed.count(), changes) << version.given;
        EXPECT_FALSE(QFile::exists(backup()));
    }

    // A store saved here since the download is downloaded whole, as before.
    const QByteArray saved = IniFile::writeTo(newStore, {{"Texte", "Texte", "Ce soir : derby"}});
    ASSERT_NE(saved, newStore);
    folder.write(ResultStore::FileName, saved);
    downloader.answers[url.toString()] = {true, 200, newStore, {}, {}, "\"v1\""};
    downloader.asked.clear();
    EXPECT_TRUE(run().ok);
    ASSERT_EQ(downloader.asked.size(), 1);
    EXPECT_TRUE(downloader.asked[0].ifNoneMatch.isEmpty());
    EXPECT_EQ(folder.read(ResultStore::FileName), newStore);
    // The file is the program's own: no export replaces it.
    EXPECT_TRUE(ResultStore::keptFiles().contains(storeversion::FileName));
    // A server that gives no version leaves nothing to ask by.
    downloader.answers[url.toString()] = {true, 200, saved, {}, {}, {}};
    EXPECT_TRUE(run().ok);
    EXPECT_EQ(folder.read(ResultStore::FileName), saved);
    EXPECT_FALSE(QFile::exists(folder.file(storeversion::FileName)));
}

TEST_F(ResultsUpdateTest, NoStoreBeforeAFailedUpdateMeansNoStoreAfter)
{
    QFile::remove(store.path());
    EXPECT_FALSE(run().ok);
    EXPECT_FALSE(QFile::exists(store.path()));
    EXPECT_FALSE(QFile::exists(backup()));

    downloader.serve(updaterules::storeUrl(Server), newStore);
    EXPECT_TRUE(run().ok);
    EXPECT_EQ(folder.read(ResultStore::FileName), newStore);
}

TEST_F(ResultsUpdateTest, WithoutNetworkEveryUpdateFails)
{
    ResultsUpdate update(store, nullptr);
    std::optional<ResultsUpdate::Outcome> outcome;
    QObject::connect(&update, &ResultsUpdate::finished, [&](const ResultsUpdate::Outcome &o) { outcome = o; });
    ASSERT_TRUE(update.start(Server));
    EXPECT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 5000));
    EXPECT_FALSE(outcome->ok);
    EXPECT_EQ(folder.read(ResultStore::FileName), oldStore);
}

TEST_F(ResultsUpdateTest, AnUpdateAbandonedHalfWayLeavesTheStoreAndNoBackup)
{
    downloader.serve(updaterules::storeUrl(Server), newStore);
    downloader.hold = true;
    // Whether the disk takes the whole copy or only part of it, the backup
    // is either the whole store or absent: a half copy put back after a
    // crash would lose results.
    for (const bool room : {true, false}) {
        SCOPED_TRACE(room);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = rlim_t(oldStore.size() / 2);
        if (!room)
            setrlimit(RLIMIT_FSIZE, &small);
        {
            ResultsUpdate update(store, &downloader);
            ASSERT_TRUE(update.start(Server));
            setrlimit(RLIMIT_FSIZE, &saved);
            std::signal(SIGXFSZ, previousHandler);
            EXPECT_EQ(QFile::exists(backup()), room);
            if (QFile::exists(backup())) {
                EXPECT_EQ(folder.read(ResultStore::BackupName), oldStore);
            }
        }
        downloader.release(); // the answer comes too late for anyone
        EXPECT_EQ(folder.read(ResultStore::FileName), oldStore);
        EXPECT_FALSE(QFile::exists(backup()));
    }
}

TEST(DonorsFetchTest, NewListReplacesTheCopyAndFailuresKeepIt)
{
    TestFolder folder;
    FakeDownloader downloader;
    const QUrl url = donorslist::listUrl(Server);
    const QByteArray previous = "000001Ancien\r\n";
    folder.write(donorslist::FileName, previous);
    const QDateTime fetchedAt(QDate(2013, 12, 6), QTime(9, 0));

    DonorsFetch fetch(folder.path(), &downloader);
    QList<bool> results;
    QObject::connect(&fetch, &DonorsFetch::finished, [&](bool ok) { results << ok; });
    const auto fetchOnce = [&] {
        const qsizetype before = results.size();
        EXPECT_TRUE(fetch.start(Server, fetchedAt));
        EXPECT_TRUE(QTest::qWaitFor([&] { return results.size() > before; }, 5000));
        return results.value(before);
    };

    downloader.fail(url, QStringLiteral("Connexion refusée par le serveur"));
    EXPECT_FALSE(fetchOnce());
    EXPECT_EQ(folder.read(donorslist::FileName), previous);

    downloader.serve(url, "<!DOCTYPE html><html><body>Introuvable</body></html>");
    EXPECT_FALSE(fetchOnce());
    EXPECT_EQ(folder.read(donorslist::FileName), previous);

    downloader.serve(url, "000001Nouveau\r\n");
    EXPECT_TRUE(fetchOnce());
    EXPECT_EQ(folder.read(donorslist::FileName), QByteArray("000001Nouveau\r\n"));
    // Dated by the program's clock, so its age is told by that clock.
    EXPECT_EQ(QFileInfo(fetch.localPath()).lastModified(), fetchedAt);
}
