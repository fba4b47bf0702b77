// The online features alone: the results update and the donors list,
// against a real HTTP server on 127.0.0.1, with fakes for the ranking and the
// match days they refresh.
#include "featurefixture.h"
#include "onlinetestsupport.h"

#include "online/core/saveentries.h"
#include "online/ui/donorspanel.h"
#include "shell/ui/newsline.h"
#include "shell/ui/onlinecontroller.h"

#include <QSignalSpy>
#include <QTimer>

using namespace onlinetest;

namespace {

const QColor DonorBlue(0x00, 0x00, 0xC0), PartnerRed(0xC0, 0x00, 0x00);

class OnlineControllerTest : public FeatureFixture
{
protected:
    void SetUp() override
    {
        FeatureFixture::SetUp();
        useServer(server.address());
    }

    // The controller on the fixture's folder, with the update's command in
    // the side column as in the window.
    OnlineController &build()
    {
        openSession();
        news = std::make_unique<NewsLine>(host, *area);
        buttons.create(Command::Update, &host)->setGeometry(windowareas::FirstCommand);
        controller = std::make_unique<OnlineController>(OnlineController::Needs{
            *session, prompt, launcher, downloader, buttons, ranking, matchDay, *news, host, *area});
        host.show();
        return *controller;
    }

    QByteArray store() const { return folder.read(QStringLiteral("Resultats2013.ini")); }
    bool backupExists() const { return QFile::exists(folder.file(QStringLiteral("Resultats2013.BU"))); }
    void waitForUpdate() { waitForDownloads(); }
    void nextMinute() { clock.set(clock.now().addSecs(61)); }
    void keepCopy(const QByteArray &bytes, int hoursOld)
    {
        keepDonorsCopy(folder.file(QStringLiteral("don.K1")), bytes, clock.now().addSecs(-3600 * hoursOld));
    }
    DonorsPanel *panel() const { return host.findChild<DonorsPanel *>(QStringLiteral("FraDon")); }
    QTimer *ticker() const { return panel()->findChild<QTimer *>(QStringLiteral("Timer1")); }
    QColor nameColour() const { return textColour(QStringLiteral("Label18")); }

    TestHttpServer server;
    std::unique_ptr<NewsLine> news;
    std::unique_ptr<OnlineController> controller;
};

} // namespace

TEST_F(OnlineControllerTest, EveryFailureLeavesTheStoreByteForByteAndSaysSo)
{
    build();
    const QByteArray before = store();
    const QByteArray fresh = published(QStringLiteral("05 déc. 21:30"));
    QByteArray oversized = fresh;
    while (oversized.size() <= 1024 * 1024)
        oversized += "; remplissage pour dépasser la taille d'un fichier de résultats\r\n";

    // Each failure says why in the program's own French, under the connection error.
    const QString notAStore = QStringLiteral("Le fichier reçu n'est pas un fichier de résultats");
    struct Failure
    {
        const char *name;
        std::function<void()> prepare;
        QString reason;
    };
    const QList<Failure> failures = {
        {"404", [&] { server.answer(StorePath, 404, "<html><body>Introuvable</body></html>"); },
         QStringLiteral("Le serveur a répondu par l'erreur HTTP 404")},
        {"HTML error page with 200",
         [&] { server.answer(StorePath, 200, "<!DOCTYPE html>\n<html><body>Maintenance</body></html>\n"); }, notAStore},
        {"truncated body",
         [&] {
             TestHttpServer::Answer cut;
             cut.body = fresh;
             cut.cutAfter = fresh.size() / 2;
             server.answer(StorePath, cut);
         },
         QStringLiteral("Connexion coupée par le serveur avant la fin du fichier")},
        // Without an announced length the end of the connection ends the
        // body: only the store's own shape tells a cut one.
        {"half the store, no announced length",
         [&] {
             TestHttpServer::Answer cut;
             cut.body = sample(QStringLiteral("Resultats2013.ini"));
             cut.cutAfter = cut.body.indexOf("\r\n", cut.body.size() / 2) + 2;
             cut.announceLength = false;
             server.answer(StorePath, cut);
         },
         notAStore},
        {"cut inside a record line, no announced length",
         [&] {
             TestHttpServer::Answer cut;
             cut.body = sample(QStringLiteral("Resultats2013.ini"));
             cut.cutAfter = cut.body.indexOf("0505=P|1|") + 9;
             cut.announceLength = false;
             server.answer(StorePath, cut);
         },
         notAStore},
        {"empty body", [&] { server.answer(StorePath, 200, ""); }, QStringLiteral("Fichier reçu vide")},
        {"oversized body", [&] { server.answer(StorePath, 200, oversized); },
         QStringLiteral("Fichier trop volumineux (%1 octets)").arg(oversized.size())},
        {"no server", [&] { session->state().setServerAddress(TestHttpServer::deadAddress()); },
         QStringLiteral("Connexion refusée par le serveur")},
        {"stalling server",
         [&] {
             session->state().setServerAddress(server.address());
             http.setLimits({300, 5000, 1024 * 1024});
             TestHttpServer::Answer stalled;
             stalled.body = fresh;
             stalled.cutAfter = 20;
             stalled.stall = true;
             server.answer(StorePath, stalled);
         },
         QStringLiteral("Le serveur ne répond plus (rien reçu depuis 0,3 s)")},
    };
    for (const auto &[name, prepare, reason] : failures) {
        prepare();
        nextMinute();
        prompt.messages.clear();
        QSignalSpy ranked(session.get(), &Session::resultsRefreshed);
        controller->runResultsUpdate();
        waitForUpdate();
        EXPECT_EQ(store(), before) << name;
        EXPECT_FALSE(backupExists()) << name;
        EXPECT_EQ(prompt.messages, QStringList{FailureMessage + u'\n' + reason + u'.'}) << name;
        EXPECT_EQ(ranked.count(), 0) << name << ": the store was not as it was";
    }
}

TEST_F(OnlineControllerTest, SecondUpdateWithinAMinuteIsIgnored)
{
    server.answer(StorePath, 200, published(QStringLiteral("05 déc. 21:30")));
    build();
    controller->runResultsUpdate();
    waitForUpdate();
    EXPECT_EQ(server.requestsFor(StorePath), 1);
    // The update button rests, grey, for the minute after an update.
    EXPECT_EQ(button(Command::Update)->palette().color(QPalette::Button), QColor(0xC8, 0xC8, 0xC8));

    clock.set(clock.now().addSecs(30));
    controller->runResultsUpdate();
    EXPECT_FALSE(busy());
    QTest::qWait(50);
    EXPECT_EQ(server.requestsFor(StorePath), 1);

    clock.set(clock.now().addSecs(30));
    controller->runResultsUpdate();
    waitForUpdate();
    EXPECT_EQ(server.requestsFor(StorePath), 2);

    // A slow server: a minute later the first update still runs, and a
    // second one does not start beside it.
    TestHttpServer::Answer slow;
    slow.body = published(QStringLiteral("05 déc. 21:30"));
    slow.delayMs = 300;
    server.answer(StorePath, slow);
    nextMinute();
    controller->runResultsUpdate();
    nextMinute();
    controller->runResultsUpdate();
    waitForUpdate();
    EXPECT_EQ(server.requestsFor(StorePath), 3);
    EXPECT_TRUE(prompt.messages.isEmpty());
}

TEST_F(OnlineControllerTest, TypedResultsNotSavedAreOnlyDiscardedOnYes)
{
    server.answer(StorePath, 200, published(QStringLiteral("05 déc. 21:30")));
    build();
    session->state().setUnsavedEntries(true); // results typed and not saved
    const QByteArray before = store();

    prompt.answer = false;
    controller->runResultsUpdate();
    ASSERT_EQ(prompt.questions.size(), 1);
    EXPECT_TRUE(prompt.questions[0].startsWith(QStringLiteral("Mise à jour\nDes résultats saisis")));
    EXPECT_FALSE(busy());
    QTest::qWait(50);
    EXPECT_EQ(server.requestsFor(StorePath), 0);
    EXPECT_EQ(store(), before);
    EXPECT_FALSE(session->state().lastUpdate().isValid()); // no minute of rest for an update not made

    prompt.answer = true;
    controller->runResultsUpdate();
    EXPECT_EQ(prompt.questions.size(), 2);
    waitForUpdate();
    EXPECT_EQ(server.requestsFor(StorePath), 1);
    EXPECT_EQ(store(), published(QStringLiteral("05 déc. 21:30")));
}

TEST_F(OnlineControllerTest, ResultsSavedHereAndNeverPublishedAreOnlyReplacedOnYes)
{
    server.answer(StorePath, 200, published(QStringLiteral("05 déc. 21:30")));
    build();
    const MatchRecord typed = MatchRecord::fromText(QStringLiteral("E|0|0|3|0|0|0|F"));
    ASSERT_TRUE(saveentries::save(session->store(), {{QStringLiteral("0102"), typed}}, clock.now(), {}).saved);
    const QByteArray saved = store();

    prompt.answer = false;
    controller->runResultsUpdate();
    waitForUpdate();
    ASSERT_EQ(prompt.questions.size(), 1);
    EXPECT_TRUE(prompt.questions[0].contains(QStringLiteral("1 résultat saisi ici n'est pas publié")))
        << prompt.questions[0].toStdString();
    EXPECT_TRUE(prompt.questions[0].contains(QStringLiteral("3-0 ici, non publié")))
        << prompt.questions[0].toStdString();
    EXPECT_EQ(store(), saved);
    EXPECT_TRUE(prompt.messages.isEmpty()); // a refusal, not a connection error

    nextMinute();
    prompt.answer = true;
    controller->runResultsUpdate();
    waitForUpdate();
    ASSERT_EQ(prompt.questions.size(), 2);
    EXPECT_EQ(server.requestsFor(StorePath), 3);
    EXPECT_EQ(store(), published(QStringLiteral("05 déc. 21:30")));
}

TEST_F(OnlineControllerTest, AnOldCopyIsFetchedAgainAndTheNamesTickInTurn)
{
    keepCopy("000001Ancien donateur\r\n", 13);
    server.answer(ListPath, 200, PublishedList);
    build();
    EXPECT_FALSE(panel()->isVisible());
    EXPECT_TRUE(area->isVisible());

    controller->toggleDonors();
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_FALSE(area->isVisible());
    waitForDownloads();
    EXPECT_EQ(server.requestsFor(ListPath), 1);
    EXPECT_EQ(folder.read(QStringLiteral("don.K1")), PublishedList);
    ASSERT_NE(ticker(), nullptr);
    EXPECT_TRUE(ticker()->isActive());
    EXPECT_EQ(ticker()->interval(), 800);

    // Each tick shows the next name: partners in dark red, donors in dark blue.
    QLabel *name = widget<QLabel>(QStringLiteral("Label18"));
    EXPECT_EQ(name->textFormat(), Qt::PlainText);
    const QList<QPair<QString, QColor>> expected = {{QStringLiteral("Alice Martin"), DonorBlue},
                                                    {QStringLiteral("Bruno Petit"), DonorBlue},
                                                    {QStringLiteral("Café Central"), PartnerRed},
                                                    {QStringLiteral("Alice Martin"), DonorBlue}};
    for (const auto &[shown, colour] : expected) {
        panel()->advance();
        EXPECT_EQ(name->text(), shown);
        EXPECT_EQ(nameColour(), colour) << shown.toStdString();
    }
}

TEST_F(OnlineControllerTest, AnEmptyListLeavesNoNameOnScreen)
{
    keepCopy("000001Alice Martin\r\n", 13);
    server.answer(ListPath, 200, "");
    build();
    controller->toggleDonors();
    waitForDownloads();
    EXPECT_TRUE(panel()->ticker().names().isEmpty());
    panel()->advance();
    EXPECT_EQ(widget<QLabel>(QStringLiteral("Label18"))->text(), QString());

    // A name shown before the list was emptied goes too.
    keepCopy("000001Alice Martin\r\n", 1);
    controller->closeDonors();
    controller->toggleDonors();
    panel()->advance();
    EXPECT_EQ(widget<QLabel>(QStringLiteral("Label18"))->text(), QStringLiteral("Alice Martin"));
    keepCopy("", 1);
    controller->closeDonors();
    controller->toggleDonors();
    EXPECT_EQ(widget<QLabel>(QStringLiteral("Label18"))->text(), QString());
    panel()->advance();
    EXPECT_EQ(widget<QLabel>(QStringLiteral("Label18"))->text(), QString());
}

TEST_F(OnlineControllerTest, ARecentCopyIsUsedAsItIs)
{
    keepCopy("000001Alice\r\n000002<a href=\"http://partenaire.fr\">Garage</a>\r\n", 6);
    server.answer(ListPath, 200, PublishedList);
    build();
    controller->toggleDonors();
    EXPECT_FALSE(QApplication::overrideCursor());
    QTest::qWait(50);
    EXPECT_EQ(server.requestsFor(ListPath), 0);
    EXPECT_EQ(panel()->ticker().names(), (QStringList{QStringLiteral("Alice"), QStringLiteral("Garage$")}));
    EXPECT_TRUE(ticker()->isActive());
}

TEST_F(OnlineControllerTest, PointerStopsTheNameItRestsOnAndLinksOpenTheirPages)
{
    keepCopy("000001Alice\r\n", 1);
    build();
    controller->toggleDonors();
    ASSERT_TRUE(ticker()->isActive());
    moveOver(widget(QStringLiteral("Label18")));
    EXPECT_FALSE(ticker()->isActive());
    moveOver(panel());
    EXPECT_TRUE(ticker()->isActive());

    QTest::mouseClick(widget(QStringLiteral("Image18")), Qt::LeftButton);
    QTest::mouseClick(widget(QStringLiteral("Image10")), Qt::LeftButton);
    ASSERT_EQ(launcher.urls.size(), 2u);
    EXPECT_EQ(launcher.urls[0].toString(), server.address() + QStringLiteral("/Kestrane2013/donation.php"));
    EXPECT_EQ(launcher.urls[1].toString(), QStringLiteral("http://portail.test/kestrane"));
}
