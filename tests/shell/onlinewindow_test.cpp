// The results update and the version check from the window, against a real
// HTTP server on 127.0.0.1.
#include "onlinetestsupport.h"
#include "windowfixture.h"

#include "standings/core/displayedstandings.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QSignalSpy>
#include <QStringEncoder>
#include <QTimer>

#include <functional>

using namespace onlinetest;

namespace {

const QColor Red(0xFF, 0x00, 0x00), Green(0x00, 0xC0, 0x00), Grey(0x64, 0x64, 0x64);

class OnlineWindow : public WindowFixture
{
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        useServer(server.address());
    }

    QByteArray store() const { return folder.read(QStringLiteral("Resultats2013.ini")); }
    bool backupExists() const { return QFile::exists(folder.file(QStringLiteral("Resultats2013.BU"))); }
    void waitForUpdate() { waitForDownloads(); }
    void nextMinute() { clock.set(clock.now().addSecs(61)); }
    QColor stampColour() const
    {
        return widget<QLabel>(QStringLiteral("LabMaj"))->palette().color(QPalette::WindowText);
    }
    QString programName() const { return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName(); }

    TestHttpServer server;
};

} // namespace

TEST_F(OnlineWindow, UpdateReplacesTheStoreAndRefreshesEveryViewWhileTheWindowStaysUsable)
{
    const QByteArray oldStore = store();
    const QByteArray fresh = published(QStringLiteral("05 déc. 21:30"));
    TestHttpServer::Answer slow;
    slow.body = fresh;
    slow.delayMs = 300;
    slow.headers = {"ETag: \"v5\""};
    server.answer(StorePath, slow);
    start();
    EXPECT_NE(text(QStringLiteral("TPTS"), 0), QStringLiteral("3"));

    click(Command::Update);
    // Under way: busy pointer and a status line; the store and its copy are both there.
    ASSERT_TRUE(busy());
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_TRUE(widget(QStringLiteral("LabEtat"))->isVisible());
    EXPECT_EQ(store(), oldStore);
    EXPECT_EQ(folder.read(QStringLiteral("Resultats2013.BU")), oldStore);
    // Other commands work meanwhile.
    click(Command::Configuration);
    EXPECT_TRUE(widget(QStringLiteral("FraCon"))->isVisible());

    waitForUpdate();
    EXPECT_FALSE(widget(QStringLiteral("LabEtat"))->isVisible());
    EXPECT_EQ(store(), fresh);
    EXPECT_FALSE(backupExists());
    ASSERT_EQ(server.requests().size(), 1);
    // A shared cache on the way may answer for the server: no reload header.
    EXPECT_FALSE(server.requests()[0].headers.contains("cache-control"));
    EXPECT_FALSE(server.requests()[0].headers.contains("pragma"));
    EXPECT_TRUE(prompt.messages.isEmpty());
    EXPECT_TRUE(prompt.questions.isEmpty());

    EXPECT_FLOAT_EQ(session->bonusMalus()[2], -3.0f);
    EXPECT_EQ(text(QStringLiteral("LabMaj")), QStringLiteral("05 déc. 21:30"));
    EXPECT_EQ(stampColour(), Green);
    EXPECT_EQ(text(QStringLiteral("Label14")), QStringLiteral("Nouvelles du soir"));
    EXPECT_TRUE(widget(QStringLiteral("Frame5"))->isVisible());
    // The table now holds the one published result.
    EXPECT_EQ(text(QStringLiteral("Tclass"), 0), session->season().teamName(11));
    EXPECT_EQ(text(QStringLiteral("TPTS"), 0), QStringLiteral("3"));

    // A minute on, nothing new: the server answers 304 to the version kept,
    // the store stays byte for byte, and the line under the grid says so.
    nextMinute();
    server.answer(StorePath, TestHttpServer::Answer{304, {}, 0, -1, false, -1, true, {"ETag: \"v5\""}});
    click(Command::Update);
    waitForUpdate();
    ASSERT_EQ(server.requests().size(), 2);
    EXPECT_EQ(server.requests()[1].headers.value("if-none-match"), QByteArray("\"v5\""));
    EXPECT_EQ(store(), fresh);
    EXPECT_TRUE(prompt.messages.isEmpty());
    EXPECT_EQ(text(QStringLiteral("LabChangements")), QStringLiteral("Résultats déjà à jour."));
    EXPECT_TRUE(widget(QStringLiteral("LabChangements"))->isVisible());
    EXPECT_EQ(text(QStringLiteral("TPTS"), 0), QStringLiteral("3"));
}

TEST_F(OnlineWindow, StampColourComparesTheNewStampWithThePreviousOne)
{
    start();
    EXPECT_EQ(text(QStringLiteral("LabMaj")), QStringLiteral("17 mai 22:47"));
    const QColor before = stampColour();
    // Each update compares with the stamp the previous one left.
    const QList<QPair<QString, QColor>> steps = {
        {QStringLiteral("17 mai 22:47"), Grey},    {QStringLiteral("10 mai 10:00"), Red},
        {QStringLiteral("05 déc. 21:30"), Green},  {QStringLiteral("hier soir"), Green}, // does not read: unchanged
        {QStringLiteral("01 janv. 08:00"), Green},                                       // previous one did not read
    };
    EXPECT_NE(before, Grey);
    for (const auto &[stamp, colour] : steps) {
        server.answer(StorePath, 200, published(stamp));
        nextMinute();
        click(Command::Update);
        waitForUpdate();
        EXPECT_EQ(text(QStringLiteral("LabMaj")), stamp);
        EXPECT_EQ(stampColour(), colour) << stamp.toStdString();
    }
    EXPECT_TRUE(prompt.messages.isEmpty());
}

TEST_F(OnlineWindow, NewerPublishedVersionIsOffered)
{
    start();
    const QList<QPair<QString, bool>> versions = {{QStringLiteral("1.4"), true},
                                                  {QStringLiteral("1.3"), false},
                                                  {QStringLiteral("1.2"), false},
                                                  {QStringLiteral("2-0"), true},
                                                  {QStringLiteral("1.10"), false}};
    prompt.answer = false;
    for (const auto &[version, offered] : versions) {
        server.answer(StorePath, 200, published(QStringLiteral("05 déc. 21:30"), version));
        prompt.questions.clear();
        nextMinute();
        click(Command::Update);
        waitForUpdate();
        if (offered) {
            const QString offer =
                QStringLiteral("\nUne version plus récente du logiciel est disponible, voulez vous la télécharger ?");
            EXPECT_EQ(prompt.questions, QStringList{programName() + QStringLiteral(" Version ") + version + offer});
        } else {
            EXPECT_TRUE(prompt.questions.isEmpty()) << version.toStdString();
        }
        // Declined or not offered, the update goes on to its end.
        EXPECT_EQ(text(QStringLiteral("Label14")), QStringLiteral("Nouvelles du soir"));
        EXPECT_FLOAT_EQ(session->bonusMalus()[2], -3.0f);
    }
    EXPECT_TRUE(launcher.urls.empty());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(OnlineWindow, TakingTheNewVersionOpensTheDownloadPageAndEndsWithoutShutdownWrites)
{
    server.answer(StorePath, 200, published(QStringLiteral("05 déc. 21:30"), QStringLiteral("1.4")));
    start();
    window->findChild<QCheckBox *>(QStringLiteral("Check4"))->setChecked(true);
    prompt.answer = true;
    click(Command::Update);
    waitForUpdate();
    ASSERT_EQ(launcher.urls.size(), 1u);
    EXPECT_EQ(launcher.urls[0].toString(), server.address() + QStringLiteral("/Kestrane2013/index.php"));
    EXPECT_FALSE(window->isVisible());
    // The rest of the update does not run: the program is ending. (The new
    // store is in place, and ranked, before the version is looked at.)
    EXPECT_TRUE(text(QStringLiteral("LabChangements")).isEmpty());
    window->close();
    for (const char *key : {"C4", "C5", "C6"})
        EXPECT_EQ(settings->read(QStringLiteral("Data"), QLatin1String(key), QStringLiteral("absent")),
                  QStringLiteral("absent"))
            << key;
    // The program asked its event loop to end; let the next tests have one again.
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

TEST_F(OnlineWindow, StartUpRunsTheUpdateWhenAskedTo)
{
    server.answer(StorePath, 200, published(QStringLiteral("05 déc. 21:30")));
    settings->write(QStringLiteral("Data"), QStringLiteral("C4"), QStringLiteral("1"));
    start();
    // The table shows the local results until the server answers.
    EXPECT_NE(text(QStringLiteral("TPTS"), 0), QStringLiteral("0"));
    waitForUpdate();
    EXPECT_EQ(store(), published(QStringLiteral("05 déc. 21:30")));
    EXPECT_EQ(text(QStringLiteral("LabMaj")), QStringLiteral("05 déc. 21:30"));
    EXPECT_EQ(text(QStringLiteral("TPTS"), 0), QStringLiteral("3"));

    // The stale-data offer takes the same path.
    settings->write(QStringLiteral("Data"), QStringLiteral("C4"), QStringLiteral("0"));
    server.answer(StorePath, 200, published(QStringLiteral("06 déc. 10:00")));
    setStoreAge(clock.now().addDays(-11));
    prompt.answer = true;
    start();
    EXPECT_EQ(prompt.questions.size(), 1);
    waitForUpdate();
    EXPECT_EQ(text(QStringLiteral("LabMaj")), QStringLiteral("06 déc. 10:00"));
    EXPECT_EQ(server.requestsFor(StorePath), 2);
}
