// A send against the league's real Apache, with the moments around the
// transfers opened up: another volunteer publishing between the download
// and the upload, the volunteer saving during the send.
#include "online/core/publication.h"

#include "apacheserver.h"
#include "seasonbuilder.h"
#include "testfolder.h"

#include "online/core/publishedcopy.h"
#include "online/net/httpdownloader.h"
#include "online/net/httpuploader.h"
#include "season/core/inifile.h"
#include "season/core/resultstore.h"

#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

// The real clients, with something the test does just before each answer of
// a download or each upload.
class DownloadThen final : public Downloader
{
public:
    std::function<void()> beforeAnswer;
    using Downloader::get;
    DownloadReply *get(const QUrl &url, const DownloadFreshness &freshness) override
    {
        auto *reply = new DownloadReply(this);
        connect(m_http.get(url, freshness), &DownloadReply::finished, reply,
                [this, reply](const DownloadResult &result) {
                    if (beforeAnswer)
                        beforeAnswer();
                    reply->finish(result);
                });
        return reply;
    }

private:
    HttpDownloader m_http;
};

class UploadAfter final : public Uploader
{
public:
    std::function<void()> beforeUpload;
    DownloadReply *put(const UploadRequest &request) override
    {
        if (beforeUpload)
            beforeUpload();
        return m_http.put(request);
    }

private:
    HttpUploader m_http;
};

class PublicationTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        base = ResultsBuilder().result("0100", 'T', "2", "1", 'A').stamp("05 déc. 20:00").version("1.3").bytes();
        server.publish(base);
        ASSERT_TRUE(server.addVolunteer(QStringLiteral("alice"), QStringLiteral("secret")).isEmpty());
        const QString started = server.start();
        ASSERT_TRUE(started.isEmpty()) << started.toStdString();
        folder.write(publishedcopy::FileName, base);
        mine = ResultsBuilder()
                   .result("0100", 'T', "2", "1", 'A')
                   .result("0101", 'B', "1", "0", 'S')
                   .stamp("06 déc. 22:00")
                   .version("1.3")
                   .bytes();
        folder.write(ResultStore::FileName, mine);
    }

    Publication::Outcome run(int maxAttempts = 8)
    {
        Publication publication({folder.file(ResultStore::FileName),
                                 server.address(),
                                 {QStringLiteral("alice"), QStringLiteral("secret")},
                                 {},
                                 maxAttempts},
                                &download, &upload);
        std::optional<Publication::Outcome> outcome;
        QObject::connect(&publication, &Publication::finished, [&](const Publication::Outcome &o) { outcome = o; });
        publication.start();
        EXPECT_FALSE(outcome) << "finished from within start()";
        EXPECT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 30000));
        return outcome.value_or(Publication::Outcome{});
    }

    // The base with another volunteer's result of 0102.
    static QByteArray anotherVolunteersStore()
    {
        return ResultsBuilder()
            .result("0100", 'T', "2", "1", 'A')
            .result("0102", 'C', "0", "3", 'R')
            .stamp("06 déc. 21:00")
            .version("1.3")
            .bytes();
    }

    QString result(const QByteArray &store, const char *key)
    {
        return IniFile::readFrom(store, QStringLiteral("Resultats"), QString::fromLatin1(key));
    }

    ApacheServer server;
    TestFolder folder;
    DownloadThen download;
    UploadAfter upload;
    QByteArray base;
    QByteArray mine;
};

} // namespace

TEST_F(PublicationTest, AnotherVolunteerPublishingMeanwhileMakesItMergeAgain)
{
    // Another volunteer's upload lands between our download and our upload.
    int downloads = 0;
    download.beforeAnswer = [&] {
        if (++downloads == 1)
            server.publish(anotherVolunteersStore());
    };
    const Publication::Outcome outcome = run();
    ASSERT_EQ(outcome.status, Publication::Status::Published) << outcome.message.toStdString();
    EXPECT_EQ(outcome.attempts, 2);
    EXPECT_EQ(downloads, 2);
    EXPECT_EQ(outcome.resultsFromOthers, 1);
    const QByteArray published = server.published();
    EXPECT_EQ(result(published, "0101"), QStringLiteral("B|0|0|1|0|0|0|S"));
    EXPECT_EQ(result(published, "0102"), QStringLiteral("C|0|0|0|3|0|0|R"));
    EXPECT_EQ(folder.read(ResultStore::FileName), published);
    EXPECT_EQ(folder.read(publishedcopy::FileName), published);
}

TEST_F(PublicationTest, AServerThatKeepsChangingStopsTheSendAfterItsAttempts)
{
    int uploads = 0;
    upload.beforeUpload = [&] {
        ++uploads;
        const QString stamp = QStringLiteral("0%1 déc. 20:00").arg(uploads);
        server.publish(ResultsBuilder().result("0100", 'T', "2", "1", 'A').stamp(stamp).version("1.3").bytes());
    };
    const Publication::Outcome outcome = run(3);
    EXPECT_EQ(outcome.status, Publication::Status::Failed);
    EXPECT_EQ(outcome.attempts, 3);
    EXPECT_EQ(uploads, 3);
    EXPECT_TRUE(outcome.message.contains(QStringLiteral("3 essais"))) << outcome.message.toStdString();
    EXPECT_EQ(folder.read(ResultStore::FileName), mine);
    EXPECT_EQ(folder.read(publishedcopy::FileName), base);
}

TEST_F(PublicationTest, ASaveDuringTheSendStaysInTheFolderForTheNextOne)
{
    server.publish(anotherVolunteersStore());
    upload.beforeUpload = [&] {
        IniFile store(folder.file(ResultStore::FileName));
        ASSERT_TRUE(store.write({{"Resultats", "0103", "D|0|0|4|4|0|0|Q"}, {"Maj", "Maj", "06 déc. 22:05"}}));
    };
    const Publication::Outcome outcome = run();
    ASSERT_EQ(outcome.status, Publication::Status::Published) << outcome.message.toStdString();
    const QByteArray published = server.published();
    const QByteArray local = folder.read(ResultStore::FileName);
    EXPECT_EQ(result(published, "0103"), QString());
    for (const char *key : {"0101", "0102"})
        EXPECT_EQ(result(local, key), result(published, key)) << key;
    EXPECT_EQ(result(local, "0103"), QStringLiteral("D|0|0|4|4|0|0|Q"));
    EXPECT_EQ(IniFile::readFrom(local, "Maj", "Maj"), QStringLiteral("06 déc. 22:05"));
    // Kept as published: the save is this folder's own, not yet published.
    EXPECT_EQ(folder.read(publishedcopy::FileName), published);
    EXPECT_EQ(publishedcopy::unpublishedResults(local, published, published).size(), 1);
}
