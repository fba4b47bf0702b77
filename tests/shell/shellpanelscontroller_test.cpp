// The shell's own panels and small commands alone: the dated copy of the
// store, the pages, printing and the switch that offers to send the store,
// with fakes for the match days and the ranking.
#include "featurefixture.h"

#include "shared/ui/announcer.h"
#include "shell/ui/pictures.h"
#include "shell/ui/shellpanelscontroller.h"

#include <QSignalSpy>
#include <QUrlQuery>

namespace {

class ShellPanelsControllerTest : public FeatureFixture
{
protected:
    ShellPanelsController &build()
    {
        openSession();
        pictures = std::make_unique<Pictures>(folder.path());
        controller = std::make_unique<ShellPanelsController>(ShellPanelsController::Needs{
            *session, prompt, *pictures, launcher, printTarget, buttons, matchDay, ranking, host});
        host.show();
        return *controller;
    }

    std::unique_ptr<Pictures> pictures;
    std::unique_ptr<ShellPanelsController> controller;
};

} // namespace

TEST_F(ShellPanelsControllerTest, DatedCopyOfTheStoreReplacesTheSameDaysCopy)
{
    build();
    auto *announcer = new Announcer(&host);
    controller->copyStoreAside();
    const QString copy = folder.file(QStringLiteral("ResultatsK22013-051213.ini"));
    ASSERT_TRUE(QFile::exists(copy));
    // Done without a word on screen: screen readers hear it.
    EXPECT_EQ(announcer->lastMessage(), QStringLiteral("Sauvegarde faite : ResultatsK22013-051213.ini."));
    EXPECT_EQ(folder.read(QStringLiteral("ResultatsK22013-051213.ini")),
              folder.read(QStringLiteral("Resultats2013.ini")));

    folder.write(QStringLiteral("Resultats2013.ini"), "[Maj]\r\nMaj=06 déc. 21:00\r\n");
    controller->copyStoreAside();
    EXPECT_EQ(folder.read(QStringLiteral("ResultatsK22013-051213.ini")),
              folder.read(QStringLiteral("Resultats2013.ini")));
    EXPECT_TRUE(prompt.messages.isEmpty());

    // Without a store there is nothing to copy, and the volunteer is told.
    QFile::remove(storePath());
    QSignalSpy announced(announcer, &Announcer::announced);
    controller->copyStoreAside();
    EXPECT_EQ(announced.count(), 0);
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages[0].startsWith(QStringLiteral("Sauvegarde\nImpossible de lire")));
}

TEST_F(ShellPanelsControllerTest, PagesOpenThroughTheLauncher)
{
    build();
    controller->openHelpPage();
    ASSERT_EQ(launcher.urls.size(), 1u);
    EXPECT_EQ(launcher.urls[0].toString(), QStringLiteral("http://serveur.test/Kestrane2013/index.php"));

    controller->toggleAbout();
    QTest::mouseClick(widget(QStringLiteral("Label24"), 5), Qt::LeftButton);
    ASSERT_EQ(launcher.urls.size(), 2u);
    const QUrl contact = launcher.urls[1];
    EXPECT_EQ(contact.path(), QStringLiteral("/contacter.php"));
    EXPECT_EQ(QUrlQuery(contact).queryItemValue(QStringLiteral("sub"), QUrl::FullyDecoded),
              QStringLiteral(" Kestrane 1 (2013 - 2014) Version 1.3"));
    QTest::mouseClick(widget(QStringLiteral("Label24"), 3), Qt::LeftButton);
    EXPECT_EQ(launcher.urls.at(2).toString(), QStringLiteral("http://serveur.test/"));

    QTest::mouseClick(widget(QStringLiteral("Label21")), Qt::LeftButton);
    ASSERT_EQ(launcher.urls.size(), 4u);
    EXPECT_EQ(launcher.urls[3], QUrl::fromLocalFile(storePath()));
}

TEST_F(ShellPanelsControllerTest, PrintingMakesOneLandscapePage)
{
    build();
    controller->printWindow(); // the user cancels the print dialog: nothing is printed
    EXPECT_EQ(printTarget.asked, 1);

    printTarget.fileName = folder.file(QStringLiteral("copie.pdf"));
    controller->printWindow();
    QFile pdf(printTarget.fileName);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 1);
    // The media box is wider than high.
    const qsizetype box = bytes.indexOf("/MediaBox [");
    ASSERT_GE(box, 0);
    const QList<QByteArray> numbers = bytes.mid(box + 11, 40).split(']').first().simplified().split(' ');
    ASSERT_EQ(numbers.size(), 4);
    EXPECT_GT(numbers[2].toDouble(), numbers[3].toDouble());
}

TEST_F(ShellPanelsControllerTest, TitleSwitchOffersTheExportOnlyWithTheSendingTool)
{
    build();
    QLabel *title = widget<QLabel>(QStringLiteral("Label8"));
    QTest::mouseClick(title, Qt::LeftButton);
    EXPECT_FALSE(session->state().sendingOffered());

    folder.write(QStringLiteral("Porvex"), "#!/bin/sh\n");
    QTest::mouseClick(title, Qt::LeftButton);
    EXPECT_TRUE(session->state().sendingOffered());
    EXPECT_EQ(session->state().startTime(), clock.now().addDays(-15));
    QTest::mouseClick(title, Qt::LeftButton);
    EXPECT_FALSE(session->state().sendingOffered());
}
