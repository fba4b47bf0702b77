// The donors and partners panel in the window, against a real HTTP server on
// 127.0.0.1: opened and closed by the commands, and a program started again.
#include "onlinetestsupport.h"
#include "windowfixture.h"

#include "online/ui/donorspanel.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>

using namespace onlinetest;

namespace {

class DonorsWindow : public WindowFixture
{
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        useServer(server.address());
    }

    QString copyPath() const { return folder.file(QStringLiteral("don.K1")); }
    void keepCopy(const QByteArray &bytes, int hoursOld)
    {
        keepDonorsCopy(copyPath(), bytes, clock.now().addSecs(-3600 * hoursOld));
    }
    DonorsPanel *panel() const { return window->findChild<DonorsPanel *>(QStringLiteral("FraDon")); }
    QWidget *matchDayPanel() const { return widget(QStringLiteral("Frame7")); }
    QTimer *ticker() const { return panel()->findChild<QTimer *>(QStringLiteral("Timer1")); }

    TestHttpServer server;
};

} // namespace

TEST_F(DonorsWindow, AFailedFetchKeepsThePreviousList)
{
    const QByteArray previous = "000001Ancien donateur\r\n";
    for (int status : {404, 200}) {
        keepCopy(previous, 13);
        // An error status, or a web page in place of the list.
        server.answer(ListPath, status, "<!DOCTYPE html>\n<html><body>Erreur</body></html>\n");
        start();
        click(Command::Donors);
        waitForDownloads();
        EXPECT_EQ(folder.read(QStringLiteral("don.K1")), previous) << status;
        EXPECT_EQ(panel()->ticker().names(), QStringList{QStringLiteral("Ancien donateur")}) << status;
        EXPECT_TRUE(prompt.messages.isEmpty());
    }

    // With no copy at all the panel stays open with nothing to show.
    QFile::remove(copyPath());
    start();
    click(Command::Donors);
    waitForDownloads();
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_TRUE(panel()->ticker().names().isEmpty());
    EXPECT_FALSE(QFile::exists(copyPath()));
}

TEST_F(DonorsWindow, PanelOpensAndClosesWithTheButtonsListed)
{
    keepCopy("000001Alice\r\n", 1);
    start();
    click(Command::Donors);
    click(Command::Donors); // toggles
    EXPECT_FALSE(panel()->isVisible());
    EXPECT_TRUE(matchDayPanel()->isVisible());
    EXPECT_FALSE(ticker()->isActive());

    click(Command::Donors);
    ASSERT_TRUE(panel()->isVisible());
    click(Command::CloseDonors);
    EXPECT_FALSE(panel()->isVisible());
    EXPECT_FALSE(ticker()->isActive());
    EXPECT_TRUE(matchDayPanel()->isVisible());

    for (Command closing : {Command::About, Command::PickMatchDay}) {
        click(Command::Donors);
        ASSERT_TRUE(panel()->isVisible());
        window->runCommand(closing);
        EXPECT_FALSE(panel()->isVisible()) << commands::indexOf(closing);
        EXPECT_FALSE(ticker()->isActive()) << commands::indexOf(closing);
        EXPECT_TRUE(matchDayPanel()->isVisible()) << commands::indexOf(closing);
        // Put the about box or picker away.
        window->runCommand(closing == Command::About ? Command::CloseAbout : Command::GeneralStandings);
    }

    // The classifications' buttons stop the names but leave the panel open.
    for (Command stopping : {Command::CloseClassifications, Command::Classifications}) {
        click(Command::Donors);
        ASSERT_TRUE(ticker()->isActive());
        window->runCommand(stopping);
        EXPECT_FALSE(ticker()->isActive()) << commands::indexOf(stopping);
        EXPECT_TRUE(panel()->isVisible()) << commands::indexOf(stopping);
        click(Command::CloseDonors);
    }

    // A match-day panel hidden before the donors came stays hidden after them.
    matchDayPanel()->hide();
    click(Command::Donors);
    click(Command::CloseDonors);
    EXPECT_FALSE(matchDayPanel()->isVisible());
}

TEST_F(DonorsWindow, FridayRefreshFetchesOnceADayAndOpensThePanel)
{
    server.answer(ListPath, 200, PublishedList);
    clock.set(QDateTime(QDate(2013, 12, 6), QTime(9, 0))); // a Friday
    settings->write(QStringLiteral("data"), QStringLiteral("Vset"), QStringLiteral("06/12/2013 07:00:00"));
    start();
    QTest::qWait(50);
    EXPECT_EQ(server.requestsFor(ListPath), 0);
    EXPECT_FALSE(panel()->isVisible());

    settings->write(QStringLiteral("data"), QStringLiteral("Vset"), QStringLiteral("03/12/2013 09:00:00"));
    start();
    waitForDownloads();
    EXPECT_EQ(server.requestsFor(ListPath), 1);
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_FALSE(matchDayPanel()->isVisible());
    EXPECT_EQ(panel()->ticker().names().size(), 3);
    EXPECT_TRUE(ticker()->isActive());
    EXPECT_EQ(settings->read(QStringLiteral("data"), QStringLiteral("Vset")), QStringLiteral("06/12/2013 09:00:00"));
}
