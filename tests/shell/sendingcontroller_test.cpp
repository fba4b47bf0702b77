// Sending the store alone: the panel that takes the match day's place, the
// review before sending, the send and the adjustments, with fakes for the
// match days and the ranking.
#include "featurefixture.h"
#include "matchdaytestsupport.h"

#include "shell/core/programinfo.h"
#include "shell/ui/newsline.h"
#include "shell/ui/sendingcontroller.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalSpy>

namespace {

class SendingControllerTest : public FeatureFixture
{
protected:
    // Start-up, then the sending offered and its panel opened.
    void startAndOpenPanel(bool largeStore = false)
    {
        if (largeStore)
            padStore();
        tool = addSendingTool();
        openSession();
        session->state().setSendingOffered(true);
        news = std::make_unique<NewsLine>(host, *area);
        news->setText(session->store().newsText());
        controller = std::make_unique<SendingController>(
            SendingController::Needs{*session, prompt, launcher, buttons, matchDay, ranking, *news, host, *area});
        controller->keepStoreAtStart();
        host.show();
        controller->openPanel();
    }
    QWidget *panel() const { return widget<QWidget>(QStringLiteral("Frame6")); }
    QLineEdit *edit(const char *name, int index = -1) const { return widget<QLineEdit>(QLatin1String(name), index); }

    QString tool;
    std::unique_ptr<NewsLine> news;
    std::unique_ptr<SendingController> controller;
};

} // namespace

TEST_F(SendingControllerTest, OpensOverTheMatchDayWithTheStoreValues)
{
    startAndOpenPanel();
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_FALSE(widget<QWidget>(QStringLiteral("Frame7"))->isVisible());
    EXPECT_EQ(panel()->geometry(), QRect(264, 8, 296, 714));
    EXPECT_EQ(edit("Text2")->text(), QStringLiteral("1.3"));
    EXPECT_TRUE(edit("Text2")->isReadOnly());
    EXPECT_EQ(text(QStringLiteral("Label16")), programinfo::versionText());
    // The store's news, as it would be published, previewed in the news panel.
    EXPECT_EQ(edit("Text1")->text(), QStringLiteral("Fin de saison : merci a tous les benevoles !"));
    EXPECT_EQ(text(QStringLiteral("Label14")), QStringLiteral("Fin de saison : merci a tous les benevoles !"));
    EXPECT_TRUE(widget<QWidget>(QStringLiteral("Frame5"))->isVisible());
    // Adjustments of the bundled store: D -3 and K -1.
    auto *list = widget<QListWidget>(QStringLiteral("List7"));
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Stade Bérange: [-3]"));

    // Closed and opened again: still twenty teams to choose from.
    controller->closePanel();
    EXPECT_FALSE(panel()->isVisible());
    EXPECT_EQ(matchDay.currentShown, 1); // the match day comes back
    controller->openPanel();
    EXPECT_EQ(widget<QComboBox>(QStringLiteral("Combo1"))->count(), 20);
}

TEST_F(SendingControllerTest, SendWritesNewsStampAndVersionThenStartsTheToolInTheProgramFolder)
{
    startAndOpenPanel();
    edit("Text1")->clear();
    typeText(edit("Text1"), QStringLiteral("Journée reportée à samedi"));
    EXPECT_EQ(text(QStringLiteral("Label14")), QStringLiteral("Journee reportee a samedi"));
    QTest::mouseDClick(edit("Text2"), Qt::LeftButton);
    edit("Text2")->selectAll();
    QTest::keyClicks(edit("Text2"), QStringLiteral("1.4"));
    prompt.answer = true;
    session->state().setServerAddress(QStringLiteral("http://ligue.test"));
    controller->send();

    ResultStore &store = session->store();
    EXPECT_EQ(store.newsText(), QStringLiteral("Journee reportee a samedi"));
    EXPECT_EQ(store.version(), QStringLiteral("1.4"));
    EXPECT_EQ(store.stamp(), QStringLiteral("05 déc. 20:00"));
    ASSERT_EQ(launcher.programs.size(), 1u);
    EXPECT_EQ(launcher.programs[0].first, tool);
    EXPECT_EQ(launcher.programs[0].second, folder.path());
    // The store and the server of this window, not the tool's own defaults.
    EXPECT_EQ(launcher.programArguments[0],
              QStringList({QStringLiteral("--data-dir"), folder.path(), QStringLiteral("--server"),
                           QStringLiteral("http://ligue.test")}));
    EXPECT_TRUE(prompt.messages.isEmpty());
    EXPECT_FALSE(panel()->isVisible());
    EXPECT_EQ(matchDay.currentShown, 1); // the match day comes back
    EXPECT_FALSE(session->state().sendingOffered());
}

TEST_F(SendingControllerTest, SendThatCannotWriteTheStoreStartsNothing)
{
    startAndOpenPanel(true);
    const QByteArray before = folder.read(QStringLiteral("Resultats2013.ini"));
    prompt.answer = true;
    {
        UnwritableFolder readOnly(folder.path());
        controller->send();
    }
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages[0].startsWith(QStringLiteral("Envoyer\n")));
    EXPECT_TRUE(launcher.programs.empty());
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_EQ(folder.read(QStringLiteral("Resultats2013.ini")), before);
}

TEST_F(SendingControllerTest, SendWaitsForTypedResultsToBeSavedOrLetGo)
{
    startAndOpenPanel();
    const QByteArray before = folder.read(QStringLiteral("Resultats2013.ini"));
    matchDay.settles = false; // typed results, and the volunteer stays with them
    prompt.answer = true;
    controller->send();
    EXPECT_EQ(matchDay.settleAsked, 1);
    EXPECT_TRUE(prompt.questions.isEmpty()); // no review of a send not made
    EXPECT_TRUE(launcher.programs.empty());
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_EQ(folder.read(QStringLiteral("Resultats2013.ini")), before);
}

TEST_F(SendingControllerTest, SendWithoutTheToolSaysSo)
{
    startAndOpenPanel();
    QFile::remove(tool);
    prompt.answer = true;
    controller->send();
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages[0].contains(QStringLiteral("Porvex est absent")));
    EXPECT_TRUE(launcher.programs.empty());
}

TEST_F(SendingControllerTest, InsertStoresTheWholePartOfAnAdjustment)
{
    startAndOpenPanel();
    auto *teams = widget<QComboBox>(QStringLiteral("Combo1"));
    auto *list = widget<QListWidget>(QStringLiteral("List7"));
    QLineEdit *amount = edit("Text3", 1);

    // No team chosen: nothing stored, the list refreshed all the same.
    QSignalSpy ranked(session.get(), &Session::resultsRefreshed);
    QTest::keyClicks(amount, QStringLiteral("5"));
    controller->insertAdjustment();
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(ranked.count(), 0);
    EXPECT_TRUE(prompt.messages.isEmpty());

    teams->setCurrentIndex(2); // Étréville AC, letter C
    amount->clear();
    QTest::keyClicks(amount, QStringLiteral("-2,5"));
    controller->insertAdjustment();
    EXPECT_EQ(amount->text(), QStringLiteral("-3"));
    EXPECT_EQ(session->store().ini().read(QStringLiteral("BonMal"), QStringLiteral("C")), QStringLiteral("-3"));
    EXPECT_EQ(session->bonusMalus()[2], -3.0f);
    EXPECT_EQ(ranked.count(), 1); // the table counts the adjustment
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Étréville AC: [-3]"));

    // Text where a number belongs: the volunteer is told and nothing changes.
    amount->clear();
    QTest::keyClicks(amount, QStringLiteral("trois"));
    controller->insertAdjustment();
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages[0].startsWith(QStringLiteral("Bonus - Malus\n")));
    EXPECT_EQ(session->store().ini().read(QStringLiteral("BonMal"), QStringLiteral("C")), QStringLiteral("-3"));
    EXPECT_EQ(amount->text(), QStringLiteral("trois"));
}
