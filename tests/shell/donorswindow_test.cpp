// The donors and partners panel from the window, against a real HTTP server
// on 127.0.0.1.
#include "windowfixture.h"

#include "testhttpserver.h"

#include "online/ui/donorspanel.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>

namespace {

const QString ListPath = QStringLiteral("/Kestrane2013/don.K1");
const QByteArray PublishedList = "000001Alice Martin\r\n"
                                 "000002Bruno/n Petit\r\n"
                                 "000003<a href=\"http://partenaire.fr\" target=\"_blank\">Caf\xE9 Central</a>\r\n";
const QColor DonorBlue(0x00, 0x00, 0xC0), PartnerRed(0xC0, 0x00, 0x00);

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
        folder.write(QStringLiteral("don.K1"), bytes);
        QFile f(copyPath());
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.setFileTime(clock.now().addSecs(-3600 * hoursOld), QFileDevice::FileModificationTime);
    }
    DonorsPanel *panel() const { return window->findChild<DonorsPanel *>(QStringLiteral("FraDon")); }
    QWidget *matchDayPanel() const { return widget(QStringLiteral("Frame7")); }
    QTimer *ticker() const { return panel()->findChild<QTimer *>(QStringLiteral("Timer1")); }
    void waitForDownloads() { ASSERT_TRUE(QTest::qWaitFor([] { return !QApplication::overrideCursor(); }, 10000)); }
    QColor nameColour() const
    {
        return widget<QLabel>(QStringLiteral("Label18"))->palette().color(QPalette::WindowText);
    }
    void moveOver(QWidget *target)
    {
        const QPoint centre = target->rect().center();
        QMouseEvent move(QEvent::MouseMove, centre, target->mapToGlobal(centre), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(target, &move);
    }

    TestHttpServer server;
};

} // namespace

TEST_F(DonorsWindow, AnOldCopyIsFetchedAgainAndTheNamesTickInTurn)
{
    keepCopy("000001Ancien donateur\r\n", 13);
    server.answer(ListPath, 200, PublishedList);
    start();
    EXPECT_FALSE(panel()->isVisible());
    EXPECT_TRUE(matchDayPanel()->isVisible());

    click(Command::Donors);
    EXPECT_TRUE(panel()->isVisible());
    EXPECT_FALSE(matchDayPanel()->isVisible());
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

TEST_F(DonorsWindow, AnEmptyListLeavesNoNameOnScreen)
{
    keepCopy("000001Alice Martin\r\n", 13);
    server.answer(ListPath, 200, "");
    start();
    click(Command::Donors);
    waitForDownloads();
    EXPECT_TRUE(panel()->ticker().names().isEmpty());
    panel()->advance();
    EXPECT_EQ(widget<QLabel>(QStringLiteral("Label18"))->text(), QString());

    // A name shown before the list was emptied goes too.
    keepCopy("000001Alice Martin\r\n", 1);
    click(Command::CloseDonors);
    click(Command::Donors);
    panel()->advance();
    EXPECT_EQ(widget<QLabel>(QStringLiteral("Label18"))->text(), QStringLiteral("Alice Martin"));
    keepCopy("", 1);
    click(Command::CloseDonors);
    click(Command::Donors);
    EXPECT_EQ(widget<QLabel>(QStringLiteral("Label18"))->text(), QString());
    panel()->advance();
    EXPECT_EQ(widget<QLabel>(QStringLiteral("Label18"))->text(), QString());
}

TEST_F(DonorsWindow, ARecentCopyIsUsedAsItIs)
{
    keepCopy("000001Alice\r\n000002<a href=\"http://partenaire.fr\">Garage</a>\r\n", 6);
    server.answer(ListPath, 200, PublishedList);
    start();
    click(Command::Donors);
    EXPECT_FALSE(QApplication::overrideCursor());
    QTest::qWait(50);
    EXPECT_EQ(server.requestsFor(ListPath), 0);
    EXPECT_EQ(panel()->ticker().names(), (QStringList{QStringLiteral("Alice"), QStringLiteral("Garage$")}));
    EXPECT_TRUE(ticker()->isActive());
}

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

TEST_F(DonorsWindow, PointerStopsTheNameItRestsOnAndLinksOpenTheirPages)
{
    keepCopy("000001Alice\r\n", 1);
    start();
    click(Command::Donors);
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
